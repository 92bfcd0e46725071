// The command line itself: help, and usage errors that send nothing.
#include <gtest/gtest.h>

#include "cli_rig.h"

namespace vemo::test {
namespace {

class CommandLineTest : public CliTest {};

TEST_F(CommandLineTest, HelpForTheToolAndForEachCommand) {
    const VemoResult general = Vemo({"--help"});
    EXPECT_EQ(general.exit, 0);
    EXPECT_EQ(general.out.rfind("usage: vemo [global options] COMMAND", 0), 0u) << general.out;
    for (const char* command :
         {"scan", "get", "set", "save", "load", "diff", "iq", "firmware", "restart"}) {
        SCOPED_TRACE(command);
        const VemoResult help = Vemo({command, "--help"});
        EXPECT_EQ(help.exit, 0);
        EXPECT_EQ(help.out.rfind(std::string("usage: vemo ") + command, 0), 0u) << help.out;
        EXPECT_EQ(Vemo({"help", command}).out, help.out);
    }
}

TEST_F(CommandLineTest, UsageErrorsExitWith2AndTouchNoPort) {
    machine.AddDevice("ttyUSB0", {0x82, 22, 0, 0, true});
    const std::vector<std::vector<std::string>> wrong = {
        {},
        {"frobnicate"},
        {"get", "--all"},
        {"scan", "extra"},
        {"set"},
        {"save"},
        {"diff", "a", "b", "c"},
        {"iq", "show", "file"},
        {"iq", "save"},
        {"firmware", "flash"},
        {"firmware", "check", "--no-backup"},
        {"--lang", "XX", "scan"},
        {"--simulate", "0x99", "scan"},
        {"--port"},
        {"--file", "a.tmc", "scan"},
        {"--model", "0x78", "get"},
        {"--file", "a.tmc", "set", "--defaults", "lcn=1"},
        {"get", "--colour"},
    };
    for (const std::vector<std::string>& args : wrong) {
        SCOPED_TRACE(testing::PrintToString(args));
        const VemoResult result = Vemo(args);
        EXPECT_EQ(result.exit, 2);
        EXPECT_EQ(result.err.rfind("vemo: ", 0), 0u) << result.err;
    }
    EXPECT_TRUE(machine.bus.openAttempts.empty());
}

TEST_F(CommandLineTest, GlobalOptionsMayFollowTheCommand) {
    machine.AddDevice("ttyUSB0", {0x78, 23, 0, 3, true});
    const VemoResult result = Vemo({"scan", "--json", "--port", "ttyUSB0"});
    EXPECT_EQ(result.exit, 0) << result.err;
    EXPECT_EQ(result.out,
              "{\"type\":\"device\",\"port\":\"ttyUSB0\",\"model\":\"0x78\",\"software\":\"2.3\","
              "\"hardware\":3}\n{\"type\":\"done\",\"exit\":0}\n");
}

}  // namespace
}  // namespace vemo::test
