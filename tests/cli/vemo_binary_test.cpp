// The real `vemo` program over a pseudo-terminal: Qt Serial Port, the application object and
// the exit status as a shell sees them.
#include <gtest/gtest.h>

#include <sys/wait.h>

#include <array>
#include <cstdio>
#include <string>

#include "link/device_identity.h"
#include "params/parameter_block.h"
#include "sim/pty_device.h"
#include "sim/sim_options.h"

namespace vemo {
namespace {

struct ProgramRun {
    int exit = -1;
    std::string out;
};

// Runs the program with `arguments` (already quoted for the shell), standard error with its
// standard output.
ProgramRun RunProgram(const std::string& arguments) {
    ProgramRun run;
    FILE* pipe = popen((std::string(VEMO_PATH) + " " + arguments + " 2>&1").c_str(), "r");
    if (pipe == nullptr) {
        return run;
    }
    std::array<char, 4096> buffer{};
    while (std::fgets(buffer.data(), buffer.size(), pipe) != nullptr) {
        run.out += buffer.data();
    }
    const int status = pclose(pipe);
    run.exit = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return run;
}

TEST(VemoProgram, SetsAParameterOnADeviceOverAPseudoTerminal) {
    SimDevice device(SimulatedIdentity(kModel82));
    PtyDevice line(device, {});
    ASSERT_TRUE(line.Start()) << line.Error();

    const ProgramRun set =
        RunProgram("--port " + line.Path() + " set frequency=514000 'service-name=On Air'");
    EXPECT_EQ(set.exit, 0) << set.out;
    EXPECT_EQ(set.out, "frequency = 514000 kHz\nservice-name = \"On Air\"\n");

    const ProgramRun refused = RunProgram("--port " + line.Path() + " set frequency=10");
    line.Stop();
    EXPECT_EQ(refused.exit, 6);
    EXPECT_EQ(refused.out,
              "vemo: frequency=10: Enter an integer between 47000 and 862000. Nothing was "
              "written.\n");

    ParameterSet held;
    BlockImage image;
    ASSERT_EQ(ParseParameterBlock(kModel82, device.parameterBlock, held, image),
              BlockOutcome::Complete);
    EXPECT_EQ(held.Frequency, 514000);
    EXPECT_EQ(held.ServiceName, u"On Air");
}

}  // namespace
}  // namespace vemo
