#include "sim/sim_device.h"

#include <gtest/gtest.h>

#include "link/command_codes.h"
#include "support/bytes.h"

namespace vemo {
namespace {

using test::Bytes;
using test::Hex;

Bytes Flatten(const std::vector<OutputPart>& parts) {
    Bytes bytes;
    for (const OutputPart& part : parts) {
        bytes.insert(bytes.end(), part.bytes.begin(), part.bytes.end());
    }
    return bytes;
}

TEST(SimDevice, AnswersIdentifyAndRefusesWhatItDoesNotKnow) {
    SimDevice device(SimIdentity{0x78, 23, 0, 3, true});
    EXPECT_EQ(Flatten(device.Receive(Hex("02 10 10"), Milliseconds(5))),
              Hex("02 F4 04 78 17 00 03 9C"));
    EXPECT_EQ(Flatten(device.Receive(Hex("02 90 90"), Milliseconds(6))), Hex("02 E0 E0"));
    ASSERT_EQ(device.Requests().size(), 2u);
    EXPECT_EQ(device.Requests()[0].time, Milliseconds(5));
    EXPECT_EQ(device.Requests()[1].command, 0x90);
}

TEST(SimDevice, RequestsSplitAcrossReceivesAreReassembled) {
    SimDevice device;
    EXPECT_TRUE(device.Receive(Hex("02"), Milliseconds(0)).empty());
    EXPECT_EQ(Flatten(device.Receive(Hex("10 10 02 10 10"), Milliseconds(1))),
              test::Concat(Hex("02 F4 04 82 16 00 00 64"), Hex("02 F4 04 82 16 00 00 64")));
}

TEST(SimDevice, BadCheckFaultSpoilsOnlyTheCheckByte) {
    SimDevice device;
    device.faults.Script({{FaultKind::BadCheck}});
    const Bytes spoiled = Flatten(device.Receive(Hex("02 10 10"), Milliseconds(0)));
    EXPECT_EQ(spoiled, Hex("02 F4 04 82 16 00 00 E4"));
}

TEST(SimDevice, ObjectsAreWrittenAndReadBackInPieces) {
    SimDevice device;
    const auto request = [&](const Bytes& payload) {
        return Flatten(device.Receive(BuildFrame(command::ObjectAccess, payload), {}));
    };
    EXPECT_EQ(request(Hex("00 58 02")), Hex("02 F0 F0"));
    EXPECT_EQ(request(Hex("04 01 02 03")), Hex("02 F0 F0"));
    EXPECT_EQ(request(Hex("04 04 05")), Hex("02 F0 F0"));
    EXPECT_EQ(request(Hex("02")), Hex("02 F0 F0"));
    EXPECT_EQ(device.objects[0x0258], Hex("01 02 03 04 05"));
    EXPECT_EQ(request(Hex("01 58 02")), Hex("02 F0 F0"));
    EXPECT_EQ(request(Hex("03 03 00")), BuildFrame(0xF0, Hex("01 02 03")));
    EXPECT_EQ(request(Hex("03 10 00")), BuildFrame(0xF0, Hex("04 05")));
    EXPECT_EQ(request(Hex("01 99 09")), Hex("02 E0 E0")) << "unknown object";

    // A write that never gets its close, cut off or replaced by another open, changes nothing.
    EXPECT_EQ(request(Hex("00 58 02")), Hex("02 F0 F0"));
    EXPECT_EQ(request(Hex("04 09 09")), Hex("02 F0 F0"));
    EXPECT_EQ(request(Hex("00 59 02")), Hex("02 F0 F0"));
    EXPECT_EQ(request(Hex("02")), Hex("02 F0 F0"));
    EXPECT_EQ(device.objects[0x0258], Hex("01 02 03 04 05"));
    EXPECT_EQ(device.objects[0x0259], Bytes{});
}

TEST(SimDevice, RestartSilencesTheDeviceAndInstallsTheNewVersion) {
    SimDevice device(SimIdentity{0x82, 22, 0, 0, false});
    device.versionAfterRestart = 23;
    EXPECT_EQ(Flatten(device.Receive(Hex("02 D0 D0"), Milliseconds(0))), Hex("02 E0 E0"))
        << "model 0x82 restarts with its own code only";
    EXPECT_EQ(Flatten(device.Receive(Hex("02 20 20"), Milliseconds(0))), Hex("02 F0 F0"));
    EXPECT_TRUE(device.Receive(Hex("02 10 10"), Milliseconds(1999)).empty());
    EXPECT_EQ(Flatten(device.Receive(Hex("02 10 10"), Milliseconds(2000))),
              Hex("02 F3 82 17 00 66"));
}

}  // namespace
}  // namespace vemo
