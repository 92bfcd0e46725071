#include "sim/sim_parameters.h"

#include <gtest/gtest.h>

#include "link/command_codes.h"
#include "link/device_identity.h"
#include "sim/sim_device.h"
#include "support/bytes.h"

namespace vemo {
namespace {

using test::Bytes;
using test::Hex;

// The reply to one request, as the line carries it.
Bytes Ask(SimDevice& device, std::uint8_t command, const Bytes& payload = {}) {
    Bytes line;
    for (const OutputPart& part : device.Receive(BuildFrame(command, payload), {})) {
        line.insert(line.end(), part.bytes.begin(), part.bytes.end());
    }
    return line;
}

TEST(SimParameters, Model82KeepsTheBlockItIsGivenAndRefusesWriteDone) {
    SimDevice device(SimIdentity{kModel82});
    EXPECT_EQ(Ask(device, command::ReadParameters), BuildFrame(0xF0, FactoryBlock(kModel82)));
    EXPECT_EQ(Ask(device, command::WriteParameters, Hex("01 02 03 04")), Hex("02 F0 F0"));
    EXPECT_EQ(Ask(device, command::ReadParameters), BuildFrame(0xF0, Hex("01 02 03 04")));
    EXPECT_EQ(Ask(device, command::WriteDone), Hex("02 E0 E0"));
}

TEST(SimParameters, Model78KeepsItsBlocksAsObjectsAndRefusesTheParameterCommands) {
    SimDevice device(SimIdentity{kModel78});
    EXPECT_EQ(device.objects.at(object_id::CurrentParameters), FactoryBlock(kModel78));
    EXPECT_EQ(device.objects.at(object_id::DefaultParameters), FactoryBlock(kModel78));
    EXPECT_EQ(Ask(device, command::ReadParameters), Hex("02 E0 E0"));
    EXPECT_EQ(Ask(device, command::WriteParameters, Hex("01")), Hex("02 E0 E0"));
    EXPECT_EQ(Ask(device, command::WriteDone), Hex("02 F0 F0"));
    EXPECT_EQ(device.writesDone, 1);
}

}  // namespace
}  // namespace vemo
