#include "firmware/module_check.h"

#include <gtest/gtest.h>

#include "firmware/file_digest.h"
#include "firmware/upgrade_rules.h"
#include "firmware_rig.h"
#include "link/command_codes.h"

namespace vemo {
namespace {

using test::Bytes;
using test::Hex;
using test::ModuleSpec;
using test::UserEvent;

class LoadModuleTableTest : public test::FirmwareRig {
protected:
    LoadModuleTableTest() : FirmwareRig(SimIdentity{0x78, 23, 0, 3, true}) {}

    std::filesystem::path Package() const { return folder.Path() / "H3"; }

    ModuleTable Load() {
        FirmwareContext context = Context();
        return LoadModuleTable(Package() / "firmware.cfg", Package() / "extension.bin", context);
    }

    // The one "Configuration Error" with its beep before it, after every request of the check.
    void ExpectOnePackageError() {
        ASSERT_EQ(user.events.size(), 2u);
        EXPECT_EQ(user.events[0].kind, UserEvent::Beep);
        EXPECT_EQ(user.events[0].range, 880);
        EXPECT_EQ(user.events[0].duration, Milliseconds(500));
        EXPECT_EQ(user.events[1].kind, UserEvent::Message);
        EXPECT_EQ(user.events[1].text, u"Configuration Error");
        EXPECT_EQ(user.events[1].duration, Milliseconds(3000));
        EXPECT_TRUE(user.events[1].blocking);
        EXPECT_EQ(user.events[0].requestsBefore, device.Requests().size());
    }
};

TEST_F(LoadModuleTableTest, ReadsBackEachModuleAndMarksTheOlderOnes) {
    test::WritePackage(Package(), {test::SystemModule(24), test::EncoderModule(23)});
    const ModuleTable table = Load();
    ASSERT_EQ(table.size(), 2u);
    EXPECT_TRUE(table[0].needsUpdate) << "device 2.3, file 2.4";
    EXPECT_FALSE(table[1].needsUpdate) << "same version";
    // Up to one past the last byte looked at: max(4 + 4, 8) + 1 and max(0 + 4, 4) + 1.
    const std::vector<std::pair<std::uint8_t, Bytes>> expected = {
        {0xC0, Hex("01 00 03")}, {0xC0, Hex("03 09 00")}, {0xC0, Hex("02")},
        {0xC0, Hex("01 01 03")}, {0xC0, Hex("03 05 00")}, {0xC0, Hex("02")},
    };
    EXPECT_EQ(Sent(), expected);
    EXPECT_TRUE(user.events.empty());
}

TEST_F(LoadModuleTableTest, ReadBackTimeOuts) {
    test::WritePackage(Package(), {test::EncoderModule(23)});
    const Milliseconds kTimeOuts[] = {Milliseconds(500), Milliseconds(5000), Milliseconds(5000)};
    for (std::size_t request = 0; request < 3; ++request) {
        device.ClearRequests();
        DropReplyTo(request);
        Load();
        ASSERT_EQ(device.Requests().size(), 3u) << "outcomes are not looked at";
        EXPECT_GE(WaitAfter(request), kTimeOuts[request]) << request;
        EXPECT_LE(WaitAfter(request), kTimeOuts[request] + Milliseconds(4)) << request;
    }
}

TEST_F(LoadModuleTableTest, ExtensionDigestInLowerCaseIsAcceptedWithATrailingSpaceIsNot) {
    test::WritePackage(Package(), {test::EncoderModule(24)});
    const std::filesystem::path extension = Package() / "extension.bin";
    const std::string digest = FileDigest(Package() / "firmware.cfg");

    test::WriteText(extension, test::Lower(digest) + "\n");
    EXPECT_EQ(Load().size(), 1u);
    EXPECT_TRUE(user.events.empty());

    device.ClearRequests();
    test::WriteText(extension, digest + " \n");
    EXPECT_TRUE(Load().empty());
    EXPECT_TRUE(device.Requests().empty());
    ExpectOnePackageError();
}

TEST_F(LoadModuleTableTest, MissingPackageFilesAreAPackageError) {
    for (const char* missing : {"extension.bin", "firmware.cfg"}) {
        test::WritePackage(Package(), {test::EncoderModule(24)});
        std::filesystem::remove(Package() / missing);
        user.events.clear();
        EXPECT_TRUE(Load().empty()) << missing;
        ExpectOnePackageError();
    }
}

TEST_F(LoadModuleTableTest, EmptyFirstLineGivesAnEmptyTableWithoutError) {
    std::filesystem::create_directories(Package());
    test::WriteText(Package() / "firmware.cfg", "\n" + test::CfgLine(test::EncoderModule(24)));
    test::WriteText(Package() / "extension.bin", FileDigest(Package() / "firmware.cfg"));
    EXPECT_TRUE(Load().empty());
    EXPECT_TRUE(user.events.empty());
    EXPECT_TRUE(device.Requests().empty());
}

TEST_F(LoadModuleTableTest, AModuleWithAWrongDigestIsSkippedAndReportedOnceAtTheEnd) {
    ModuleSpec broken = test::SystemModule(24);
    broken.digest = std::string(32, '0');
    ModuleSpec missing = test::EncoderModule(24);
    missing.fileName = "nowhere.bin";
    missing.id = 0x0302;
    test::WritePackage(Package(), {broken, missing, test::EncoderModule(24)});
    std::filesystem::remove(Package() / "nowhere.bin");

    const ModuleTable table = Load();
    ASSERT_EQ(table.size(), 1u);
    EXPECT_EQ(table[0].label, "Encoder");
    EXPECT_TRUE(table[0].needsUpdate);
    ASSERT_EQ(device.Requests().size(), 3u) << "only the good module is read back";
    EXPECT_EQ(device.Requests()[0].payload, Hex("01 01 03"));
    ExpectOnePackageError();
}

TEST_F(LoadModuleTableTest, ReloadSilencesDigestErrorsForTheRestOfTheSession) {
    ModuleSpec module = test::EncoderModule(24);
    module.digest = std::string(32, 'F');
    test::WritePackage(Package(), {module});
    test::WriteText(Package() / "extension.bin", std::string(32, 'F'));
    RequestFirmwareReload(flags);
    flags.FirmwareReloadRequest = false;  // as after the next run

    for (int connection = 0; connection < 2; ++connection) {
        const ModuleTable table = Load();
        ASSERT_EQ(table.size(), 1u);
        EXPECT_TRUE(table[0].needsUpdate);
        EXPECT_TRUE(user.events.empty());
    }
}

TEST_F(LoadModuleTableTest, IdentificationAndVersionMarking) {
    struct Case {
        const char* what;
        ModuleSpec module;
        bool marked;
    };
    ModuleSpec otherId = test::EncoderModule(10);
    otherId.idValue = 0x56454D50;
    ModuleSpec noIdOlder = test::EncoderModule(24);
    noIdOlder.idLength = 0;
    noIdOlder.idValue = 1;
    ModuleSpec noIdSame = test::EncoderModule(23);
    noIdSame.idLength = 0;
    noIdSame.idValue = 1;
    ModuleSpec versionNotSent = test::EncoderModule(24);
    versionNotSent.versionOffset = 460;  // inside the buffer, past the 450-byte object
    ModuleSpec idNotSent = test::EncoderModule(23);
    idNotSent.idOffset = 448;
    ModuleSpec noObject = test::EncoderModule(24);
    noObject.id = 0x0999;
    const Case kCases[] = {
        {"other identification, older file", otherId, true},
        {"no identification check, newer file", noIdOlder, true},
        {"no identification check, same version", noIdSame, false},
        {"version byte not sent", versionNotSent, false},
        {"identification bytes not all sent", idNotSent, false},
        {"object refused", noObject, false},
    };
    for (const Case& c : kCases) {
        test::WritePackage(Package(), {c.module});
        const ModuleTable table = Load();
        ASSERT_EQ(table.size(), 1u) << c.what;
        EXPECT_EQ(table[0].needsUpdate, c.marked) << c.what;
        EXPECT_TRUE(user.events.empty()) << c.what;
    }
}

TEST_F(LoadModuleTableTest, OffsetsOutsideTheReadBackAreAPackageError) {
    for (const auto& [idOffset, idLength, versionOffset] :
         {std::tuple{-1, 4, 4}, std::tuple{509, 4, 4}, std::tuple{0, 0, 512}, std::tuple{0, 0, -1},
          std::tuple{-5, 0, 4}}) {
        ModuleSpec module = test::EncoderModule(24);
        module.idOffset = idOffset;
        module.idLength = idLength;
        module.versionOffset = versionOffset;
        test::WritePackage(Package(), {module});
        user.events.clear();
        device.ClearRequests();
        EXPECT_TRUE(Load().empty());
        EXPECT_TRUE(device.Requests().empty());
        ExpectOnePackageError();
    }
    ModuleSpec edge = test::EncoderModule(24);
    edge.idOffset = 508;
    edge.versionOffset = 511;
    test::WritePackage(Package(), {edge});
    user.events.clear();
    device.ClearRequests();
    EXPECT_EQ(Load().size(), 1u) << "the last bytes of the buffer are inside";
    EXPECT_EQ(device.Requests().at(1).payload, Hex("03 01 02")) << "513 bytes asked";
}

TEST(MarkFromReadBack, LongIdentificationKeepsItsLastFourBytes) {
    ModuleEntry entry;
    entry.idOffset = 1;
    entry.idLength = 6;
    entry.idValue = 0x03040506;
    entry.versionOffset = 0;
    entry.version = 9;
    const Bytes received = Hex("09 01 02 03 04 05 06");
    MarkFromReadBack(entry, received);
    EXPECT_FALSE(entry.needsUpdate);
    entry.idValue = 0x01020304;
    MarkFromReadBack(entry, received);
    EXPECT_TRUE(entry.needsUpdate);
}

}  // namespace
}  // namespace vemo
