// scan, get, set, restart and the exit codes, against simulated devices in-process.
#include <gtest/gtest.h>

#include "cli_rig.h"
#include "link/command_codes.h"
#include "sim/sim_parameters.h"

namespace vemo::test {
namespace {

class DeviceCommands : public CliTest {};

// The requests a device received, as (command, payload) with the identification left out.
std::vector<std::pair<std::uint8_t, Bytes>> SentAfterIdentify(const SimDevice& device) {
    std::vector<std::pair<std::uint8_t, Bytes>> sent;
    for (const LoggedRequest& request : device.Requests()) {
        if (request.command != command::Identify) {
            sent.emplace_back(request.command, request.payload);
        }
    }
    return sent;
}

bool SentAnyWrite(const SimDevice& device) {
    for (const LoggedRequest& request : device.Requests()) {
        const bool objectWrite = request.command == command::ObjectAccess &&
                                 !request.payload.empty() &&
                                 (request.payload[0] == object_access::OpenForWriting ||
                                  request.payload[0] == object_access::Write);
        if (objectWrite || request.command == command::WriteParameters ||
            request.command == command::WriteDone) {
            return true;
        }
    }
    return false;
}

TEST_F(DeviceCommands, ScanShowsTheFirstDeviceAndAllListsEvery) {
    machine.bus.AddPort("ttyS0");  // opens, but nothing answers
    machine.machinePorts.push_back("ttyS0");
    machine.AddDevice("ttyUSB0", {0x82, 22, 0, 0, false});
    machine.AddDevice("ttyUSB1", {0x78, 23, 0, 3, true});

    const VemoResult first = Vemo({"scan"});
    EXPECT_EQ(first.exit, 0) << first.err;
    EXPECT_EQ(first.out, "ttyUSB0: model 0x82, software 2.2, hardware 0\n");

    const VemoResult all = Vemo({"scan", "--all"});
    EXPECT_EQ(all.exit, 0) << all.err;
    EXPECT_EQ(all.out,
              "ttyUSB0: model 0x82, software 2.2, hardware 0\n"
              "ttyUSB1: model 0x78, software 2.3, hardware 3\n");

    // A port named with --port comes first.
    const VemoResult named = Vemo({"--port", "ttyUSB1", "scan"});
    EXPECT_EQ(named.out, "ttyUSB1: model 0x78, software 2.3, hardware 3\n");
}

TEST_F(DeviceCommands, NoDeviceAndASilentOrRefusingDeviceHaveTheirOwnExitCodes) {
    const VemoResult none = Vemo({"get"});
    EXPECT_EQ(none.exit, 3);
    EXPECT_NE(none.err.find("--port"), std::string::npos) << none.err;
    EXPECT_TRUE(none.out.empty());

    SimDevice& device = machine.AddDevice("ttyUSB0", SimulatedIdentity(kModel78));
    // It identifies itself, then stops answering.
    device.faults.Script({{}, {FaultKind::NoReply}, {FaultKind::NoReply}});
    const VemoResult silent = Vemo({"get"});
    EXPECT_EQ(silent.exit, 4);
    EXPECT_NE(silent.err.find("stopped answering"), std::string::npos) << silent.err;

    device.faults.Script({{}, {}, {FaultKind::Refusal}});
    const VemoResult refused = Vemo({"get", "frequency"});
    EXPECT_EQ(refused.exit, 4);
    EXPECT_NE(refused.err.find("refused"), std::string::npos) << refused.err;
}

TEST_F(DeviceCommands, GetShowsUnitsAndListTexts) {
    const VemoResult model82 =
        Vemo({"--simulate", "0x82", "get", "frequency", "bandwidth", "level-position",
              "service-name", "video-codec", "default-country"});
    EXPECT_EQ(model82.exit, 0) << model82.err;
    EXPECT_EQ(model82.out,
              "frequency = 498000 kHz\n"
              "bandwidth = 8 MHz (2)\n"
              "level-position = 24 (-5 dB)\n"
              "service-name = \"VEMO 1\"\n"
              "video-codec = H264 (0)\n"
              "default-country = ENGLISH (1)\n");

    // The model's own list orders and parameters.
    const VemoResult model78 = Vemo({"--simulate", "0x78", "get", "picture-format"});
    EXPECT_EQ(model78.out, "picture-format = 16/9 (1)\n");
    const VemoResult other = Vemo({"--simulate", "0x78", "get", "eit-name"});
    EXPECT_EQ(other.exit, 2);
    EXPECT_NE(other.err.find("no parameter eit-name on model 0x78"), std::string::npos);
}

TEST_F(DeviceCommands, SetWritesWhatTheWindowWritesAndShowsTheReadBack) {
    SimDevice& device = machine.AddDevice("ttyUSB0", SimulatedIdentity(kModel78));
    const VemoResult result =
        Vemo({"set", "bandwidth=7 mhz", "constellation=16-QAM", "guard-interval=3",
              "service-name=Mast 4", "default-country=polski"});
    EXPECT_EQ(result.exit, 0) << result.err;
    EXPECT_EQ(result.out,
              "constellation = 16-QAM (1)\n"
              "bandwidth = 7 MHz (1)\n"
              "guard-interval = 1/4 (3)\n"
              "country = 4\n"
              "default-country = POLSKI (4)\n"
              "service-name = \"Mast 4\"\n");

    ParameterSet expected = FactoryParameters(kModel78);
    expected.Bandwidth = 1;
    expected.Constellation = 1;
    expected.GuardInterval = 3;
    expected.ServiceName = u"Mast 4";
    expected.DefaultCountry = 4;
    expected.Country = 4;  // follows the default country, as in the panel
    const Bytes block = BuiltBlock(kModel78, expected, {});
    EXPECT_EQ(DeviceBlock(device), block);

    // Read, write to object 590 with WriteDone, read back: the window's exchanges.
    const Bytes readOpen = {0x01, 0x4E, 0x02};
    const Bytes readAll = {0x03, 0x00, 0x01};
    const Bytes close = {0x02};
    const std::vector<std::pair<std::uint8_t, Bytes>> expectedRequests = {
        {command::ObjectAccess, readOpen},
        {command::ObjectAccess, readAll},
        {command::ObjectAccess, close},
        {command::ObjectAccess, {0x00, 0x4E, 0x02}},
        {command::ObjectAccess, Concat({0x04}, block)},
        {command::ObjectAccess, close},
        {command::WriteDone, {}},
        {command::ObjectAccess, readOpen},
        {command::ObjectAccess, readAll},
        {command::ObjectAccess, close},
    };
    EXPECT_EQ(SentAfterIdentify(device), expectedRequests);
}

TEST_F(DeviceCommands, SetDefaultsOnModel78StoresTheReadBackInObject595AndRingsTheBell) {
    SimDevice& device = machine.AddDevice("ttyUSB0", SimulatedIdentity(kModel78));
    const VemoResult result = Vemo({"set", "--defaults", "lcn=7"}, /*terminal=*/true);
    EXPECT_EQ(result.exit, 0) << result.err;
    EXPECT_EQ(device.objects.at(object_id::DefaultParameters), DeviceBlock(device));
    EXPECT_EQ(Held(device).Lcn, 7);
    EXPECT_NE(result.err.find('\a'), std::string::npos);

    const VemoResult quiet = Vemo({"set", "--defaults", "lcn=8"});
    EXPECT_EQ(quiet.err.find('\a'), std::string::npos) << "no bell off a terminal";
}

struct RefusedCase {
    std::string assignment;
    const char* message;
};

TEST_F(DeviceCommands, ARefusedValueGivesThePanelsMessageAndWritesNothing) {
    SimDevice& device = machine.AddDevice("ttyUSB0", SimulatedIdentity(kModel82));
    const Bytes before = DeviceBlock(device);
    const RefusedCase cases[] = {
        {"frequency=900000", "Enter an integer between 47000 and 862000."},
        {"ts-id=12a", "Enter an integer."},
        {"version=32", "Enter an integer between 0 and 31."},
        {"light=256", "Enter an integer between 0 and 255."},
        {"level-position=-1", "Enter an integer between 0 and 29."},
        {"pmt-pid=31", "Enter an integer between 32 and 8190."},
        {"service-name=123456789012345678901234567890123", "Enter no more than 32 characters."},
        {"reference=" + std::string(54, 'r'), "Enter no more than 53 characters."},
        {"eit-text=" + std::string(101, 'e'), "Enter no more than 100 characters."},
        {"bandwidth=9 MHz", "choose one of 6 MHz, 7 MHz, 8 MHz (or their index, 0 to 2)."},
        {"lcn-type=3", "choose one of EACEM, ITC, NORDIG (or their index, 0 to 2)."},
    };
    for (const RefusedCase& refused : cases) {
        SCOPED_TRACE(refused.assignment);
        device.ClearRequests();
        // A good value before the refused one is not written either.
        const VemoResult result = Vemo({"set", "lcn=9", refused.assignment});
        EXPECT_EQ(result.exit, 6);
        EXPECT_NE(result.err.find(refused.assignment + ": " + refused.message), std::string::npos)
            << result.err;
        EXPECT_NE(result.err.find("Nothing was written."), std::string::npos);
        EXPECT_FALSE(SentAnyWrite(device));
        EXPECT_EQ(DeviceBlock(device), before);
    }
}

TEST_F(DeviceCommands, NamesThatCannotBeSetAreUsageErrors) {
    machine.AddDevice("ttyUSB0", SimulatedIdentity(kModel82));
    for (const char* assignment : {"kept-byte=1", "country=2", "logo-name=x.dg1", "freq=474000",
                                   "frequency", "format-byte=1"}) {
        SCOPED_TRACE(assignment);
        EXPECT_EQ(Vemo({"set", assignment}).exit, 2);
    }
    EXPECT_FALSE(SentAnyWrite(*machine.devices[0]));
}

TEST_F(DeviceCommands, CorrectionsOfTheBuildAreShownAndNoted) {
    SimDevice& device = machine.AddDevice("ttyUSB0", SimulatedIdentity(kModel82));
    // The panel takes a video PID from 0; the build's PID rule then resets all three.
    const VemoResult result = Vemo({"set", "video-pid=20"});
    EXPECT_EQ(result.exit, 0) << result.err;
    EXPECT_EQ(result.out, "pmt-pid = 32\nvideo-pid = 48\naudio-pid = 49\n");
    EXPECT_NE(result.err.find("note: video-pid is 48, not 20"), std::string::npos) << result.err;
    EXPECT_EQ(Held(device).AudioPid, 49);
}

TEST_F(DeviceCommands, RestartAndTheTraceOfItsFrames) {
    SimDevice& device = machine.AddDevice("ttyUSB0", SimulatedIdentity(kModel82));
    const VemoResult result = Vemo({"--trace", "restart"});
    EXPECT_EQ(result.exit, 0) << result.err;
    EXPECT_EQ(result.out, "restarted\n");
    EXPECT_EQ(device.restarts, 1);
    EXPECT_NE(result.err.find("     0.000 -- open ttyUSB0"), std::string::npos) << result.err;
    EXPECT_NE(result.err.find(">> 02 10 10  Identify"), std::string::npos);
    EXPECT_NE(result.err.find("<< 02 F4 04 82 16 00 00 64  reply, 4 payload bytes"),
              std::string::npos);
    EXPECT_NE(result.err.find(">> 02 20 20  Restart (model 0x82)"), std::string::npos);
}

}  // namespace
}  // namespace vemo::test
