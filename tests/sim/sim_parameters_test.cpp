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

TEST(SimParameters, AChangeOnTheDeviceIsReportedUntilTheToolReadsIt) {
    for (const std::uint8_t model : {kModel82, kModel78}) {
        SimDevice device(SimIdentity{model, 23, 0, 3, true});
        const Bytes quiet = BuildFrame(0xF0, Bytes{model, 23, 0, 3});
        EXPECT_EQ(Ask(device, command::Identify), quiet);
        device.ChangeParametersOnDevice([](ParameterSet& set) { set.Frequency = 650000; });
        EXPECT_EQ(device.StoredParameters().set.Frequency, 650000);
        const Bytes changed = BuildFrame(0xF0, Bytes{model, 23, kStatusParametersChanged, 3});
        EXPECT_EQ(Ask(device, command::Identify), changed);
        EXPECT_EQ(Ask(device, command::Identify), changed) << "until read";
        if (model == kModel82) {
            Ask(device, command::ReadParameters);
        } else {
            Ask(device, command::ObjectAccess, Hex("01 4E 02"));
            Ask(device, command::ObjectAccess, Hex("03 00 01"));
        }
        EXPECT_EQ(Ask(device, command::Identify), quiet) << int{model};
    }
}

}  // namespace
}  // namespace vemo
