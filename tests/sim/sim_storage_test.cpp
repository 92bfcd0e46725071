#include "sim/sim_storage.h"

#include <gtest/gtest.h>

#include "link/command_codes.h"
#include "sim/sim_device.h"
#include "storage/iq_codec.h"
#include "support/bytes.h"

namespace vemo {
namespace {

using test::Bytes;
using test::Hex;

// Whether the device accepted one request.
bool Accepted(SimDevice& device, std::uint8_t command, const Bytes& payload) {
    Bytes reply;
    for (const OutputPart& part : device.Receive(BuildFrame(command, payload), {})) {
        reply.insert(reply.end(), part.bytes.begin(), part.bytes.end());
    }
    return reply == Hex("02 F0 F0");
}

Bytes Line(std::string_view text) {
    Bytes bytes(text.begin(), text.end());
    bytes.push_back(0);
    return bytes;
}

TEST(SimShell, CpCopiesTheCurrentBlockFileAndFilesAmongThemselves) {
    SimDevice device;
    EXPECT_TRUE(Accepted(device, command::CommandLine,
                         Line("cp /KORAVEX/current11.cfg /KORAVEX/default11.cfg")));
    EXPECT_EQ(device.fileSystem.files["/KORAVEX/default11.cfg"], device.parameterBlock);

    device.fileSystem.files["/KORAVEX/default11.cfg"] = Hex("01 02");
    EXPECT_TRUE(Accepted(device, command::CommandLine,
                         Line("cp /KORAVEX/default11.cfg /KORAVEX/current11.cfg")));
    EXPECT_EQ(device.parameterBlock, Hex("01 02"));

    EXPECT_FALSE(Accepted(device, command::CommandLine, Line("cp /nowhere /x")));
    EXPECT_FALSE(Accepted(device, command::CommandLine, Line("umount /mnt"))) << "not mounted";
    EXPECT_FALSE(Accepted(device, command::CommandLine, Hex("73 79 6E 63"))) << "no zero byte";
    EXPECT_FALSE(Accepted(device, command::CommandLine, Line("reboot")));
    EXPECT_EQ(device.fileSystem.commandLines,
              (std::vector<std::string>{"cp /KORAVEX/current11.cfg /KORAVEX/default11.cfg",
                                        "cp /KORAVEX/default11.cfg /KORAVEX/current11.cfg",
                                        "cp /nowhere /x", "umount /mnt", "reboot"}));
}

TEST(SimShell, Model78HasNoShellAndNoDeviceFiles) {
    SimDevice device(SimIdentity{0x78, 23, 0, 3});
    EXPECT_FALSE(Accepted(device, command::CommandLine, Line("sync")));
    EXPECT_FALSE(Accepted(device, command::RemoteFile, test::Concat(Hex("00"), Line("/a"))));
    EXPECT_TRUE(device.fileSystem.commandLines.empty());
    EXPECT_TRUE(device.fileSystem.files.empty());
}

TEST(SimRemoteFile, AppendsGoToTheOpenFileInPiecesOfAtMost400Bytes) {
    SimDevice device;
    EXPECT_FALSE(Accepted(device, command::RemoteFile, Hex("04 01"))) << "no file open";
    EXPECT_FALSE(Accepted(device, command::RemoteFile, Hex("02")));
    EXPECT_TRUE(Accepted(device, command::RemoteFile, test::Concat(Hex("00"), Line("/mnt/a"))));
    EXPECT_TRUE(Accepted(device, command::RemoteFile, Hex("04 01 02")));
    EXPECT_TRUE(Accepted(device, command::RemoteFile, test::Concat(Hex("04"), Bytes(400, 3))));
    EXPECT_FALSE(Accepted(device, command::RemoteFile, test::Concat(Hex("04"), Bytes(401, 4))));
    EXPECT_TRUE(Accepted(device, command::RemoteFile, Hex("02")));
    EXPECT_EQ(device.fileSystem.files["/mnt/a"], test::Concat(Hex("01 02"), Bytes(400, 3)));
    EXPECT_FALSE(Accepted(device, command::RemoteFile, Hex("04 05")));
}

TEST(SimIqTable, OnlyModel78FromHardware3StartsWithATable) {
    EXPECT_EQ(SimDevice(SimIdentity{0x78, 23, 0, 3}).objects[object_id::IqTable],
              EncodeIqBlock(FactoryIqTable()));
    EXPECT_FALSE(SimDevice(SimIdentity{0x78, 23, 0, 2}).objects.contains(object_id::IqTable));
    EXPECT_FALSE(SimDevice(SimIdentity{0x82, 22, 0, 3}).objects.contains(object_id::IqTable));
}

}  // namespace
}  // namespace vemo
