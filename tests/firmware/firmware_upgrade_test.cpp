#include "firmware/firmware_upgrade.h"

#include <gtest/gtest.h>

#include "app/startup_values.h"
#include "firmware/upgrade_rules.h"
#include "firmware_rig.h"

namespace vemo {
namespace {

using test::Bytes;
using test::Concat;
using test::Hex;
using test::UserEvent;
using Requests = std::vector<std::pair<std::uint8_t, Bytes>>;
using Steps = std::vector<std::pair<int, int>>;

using test::Access;
using test::Slice;

// ---- Model 0x82: one image, memory writes ----

class ImageUpgradeTest : public test::FirmwareRig {
protected:
    ImageUpgradeTest() : FirmwareRig(SimIdentity{0x82, 22, 0, 0, true}) {
        device.firmware.imageStoreTime = Milliseconds(20000);
    }

    // An image of the version with that version as its first byte, which the simulated device
    // runs after the restart.
    Bytes AddImage(int version, std::size_t size) {
        Bytes bytes = test::Pattern(size);
        bytes[0] = static_cast<std::uint8_t>(version);
        test::WriteFile(folder.Path() / ("KORALIN_" + std::to_string(version) + "_test_" +
                                         test::DigestOf(bytes) + ".bin"),
                        bytes);
        return bytes;
    }

    bool Run() {
        FirmwareContext context = Context();
        return RunFirmwareUpgrade(context, user);
    }
};

TEST_F(ImageUpgradeTest, FiveThousandBytesAsThreeMemoryWritesThenStoreAndRestart) {
    const Bytes image = AddImage(23, 5000);
    ASSERT_TRUE(Run());

    const Requests expected = {
        Access("00"),
        Access("01 00 00 00", Slice(image, 0, 2048)),
        Access("01 00 08 00", Slice(image, 2048, 2048)),
        Access("01 00 10 00", Slice(image, 4096, 904)),
        Access("02"),
        {0x20, {}},
    };
    EXPECT_EQ(Sent(), expected);
    EXPECT_EQ(device.image, image);
    EXPECT_EQ(user.ProgressSteps(),
              (Steps{{5000, 0}, {5000, 2048}, {5000, 4096}, {5000, 5000}, {100, 100}, {1, 0}}));
    EXPECT_EQ(user.Messages(), (std::vector<std::u16string>{u"upgrade to release  2.3",
                                                            u"Writing, wait...", u"Rebooting..."}));
    const std::vector<UserEvent> messages = user.Of(UserEvent::Message);
    EXPECT_EQ(messages[0].requestsBefore, 1u) << "announced once the device accepted the begin";
    EXPECT_EQ(messages[0].duration, Milliseconds(10000));
    EXPECT_FALSE(messages[0].blocking);
    EXPECT_EQ(messages[1].requestsBefore, 4u) << "before the close";
    EXPECT_EQ(messages[2].requestsBefore, 6u) << "after the restart";
    EXPECT_EQ(messages[2].duration, Milliseconds(1000));
    EXPECT_TRUE(messages[2].blocking);

    // The window takes no input from before the begin request to after the close.
    const std::vector<UserEvent> disabled = user.Of(UserEvent::InputDisabled);
    const std::vector<UserEvent> enabled = user.Of(UserEvent::InputEnabled);
    ASSERT_EQ(disabled.size(), 1u);
    ASSERT_EQ(enabled.size(), 1u);
    EXPECT_EQ(disabled[0].requestsBefore, 0u);
    EXPECT_EQ(enabled[0].requestsBefore, 5u);
    EXPECT_EQ(user.Of(UserEvent::Discard).size(), 3u) << "one per chunk";

    EXPECT_FALSE(xmit.IsPortOpen());
    EXPECT_FALSE(xmit.LinkLost()) << "the 20 s store fits the close's time-out";
}

TEST_F(ImageUpgradeTest, EndsAtTheNewVersionWithNothingDueNextTime) {
    AddImage(23, 70000);
    ASSERT_TRUE(Run());
    EXPECT_EQ(device.imagesInstalled, 1);
    ASSERT_TRUE(Reconnect());
    EXPECT_EQ(xmit.Identity().SoftwareVersion, 23);
    EXPECT_FALSE(Run());
    EXPECT_TRUE(device.Requests().empty());
    EXPECT_TRUE(xmit.IsPortOpen());
}

TEST_F(ImageUpgradeTest, TimeOuts) {
    AddImage(23, 3000);
    struct Case {
        const char* request;
        std::size_t index;
        Milliseconds timeOut;
        bool attempted;
    };
    const Case kCases[] = {
        {"begin", 0, Milliseconds(1000), false},
        {"memory write", 1, Milliseconds(5000), true},
        {"end of image", 3, Milliseconds(50000), true},
        {"restart", 4, Milliseconds(500), true},
    };
    for (const Case& c : kCases) {
        device.identity.SoftwareVersion = 22;  // as if the last install had not taken
        clock.Sleep(device.restartDuration);
        ASSERT_TRUE(xmit.FindDevice()) << c.request;
        device.ClearRequests();
        DropReplyTo(c.index);
        EXPECT_EQ(Run(), c.attempted) << c.request;
        EXPECT_GE(WaitAfter(c.index), c.timeOut) << c.request;
        EXPECT_LE(WaitAfter(c.index), c.timeOut + Milliseconds(4)) << c.request;
    }
}

TEST_F(ImageUpgradeTest, RefusedBeginWritesNothingAndTheConnectionGoesOn) {
    AddImage(23, 3000);
    RequestFirmwareReload(flags);
    RefuseRequest(0);
    EXPECT_FALSE(Run());
    EXPECT_EQ(Sent(), (Requests{Access("00")}));
    EXPECT_TRUE(xmit.IsPortOpen());
    EXPECT_TRUE(user.Messages().empty());
    EXPECT_EQ(user.Of(UserEvent::InputEnabled).size(), 1u) << "the window comes back";
    EXPECT_FALSE(flags.FirmwareReloadRequest);
    EXPECT_EQ(user.ProgressSteps().back(), (std::pair{1, 0}));
}

TEST_F(ImageUpgradeTest, FailedMemoryWriteStopsTheTransferButStillRestarts) {
    AddImage(23, 5000);
    RefuseRequest(2);
    EXPECT_TRUE(Run());
    const std::vector<std::pair<std::uint8_t, Bytes>> sent = Sent();
    ASSERT_EQ(sent.size(), 4u) << "begin, two writes, restart: no end request";
    EXPECT_EQ(sent[3], (std::pair<std::uint8_t, Bytes>{0x20, {}}));
    EXPECT_EQ(user.Messages(),
              (std::vector<std::u16string>{u"upgrade to release  2.3", u"Rebooting..."}));
    EXPECT_EQ(device.imagesInstalled, 0);
    ASSERT_TRUE(Reconnect());
    EXPECT_EQ(xmit.Identity().SoftwareVersion, 22) << "the old firmware still runs";
}

TEST_F(ImageUpgradeTest, UpgradeRule) {
    struct Case {
        int imageVersion;
        bool reload;
        bool attempted;
    };
    const Case kCases[] = {{22, false, false}, {22, true, true},  {21, false, false},
                           {21, true, true},   {23, false, true}, {99, false, true}};
    for (const Case& c : kCases) {
        std::filesystem::remove_all(folder.Path());
        AddImage(c.imageVersion, 100);
        flags.FirmwareReloadRequest = c.reload;
        ASSERT_TRUE(xmit.IsPortOpen() || Reconnect());
        device.ClearRequests();
        EXPECT_EQ(Run(), c.attempted) << c.imageVersion << (c.reload ? " with reload" : "");
        EXPECT_EQ(device.Requests().empty(), !c.attempted);
        EXPECT_FALSE(flags.FirmwareReloadRequest);
        device.identity.SoftwareVersion = 22;
    }
}

TEST_F(ImageUpgradeTest, CorruptedImageIsRefusedAndNothingIsWritten) {
    const Bytes image = test::Pattern(3000);
    test::WriteFile(folder.Path() / ("KORALIN_23_" + test::DigestOf(test::Pattern(2999)) + ".bin"),
                    image);
    EXPECT_FALSE(Run());
    EXPECT_TRUE(device.Requests().empty());
    EXPECT_EQ(user.Of(UserEvent::Box).size(), 1u);
    EXPECT_TRUE(user.Of(UserEvent::InputDisabled).empty());
    EXPECT_TRUE(xmit.IsPortOpen());
}

// ---- Every other model: module files into device objects ----

class ModuleUpgradeTest : public test::FirmwareRig {
protected:
    ModuleUpgradeTest() : FirmwareRig(SimIdentity{0x78, 23, 0, 3, true}) {}

    std::filesystem::path Package() const { return folder.Path() / "H3"; }

    bool Run() {
        FirmwareContext context = Context();
        return RunFirmwareUpgrade(context, user);
    }

    static constexpr std::size_t kReadBacks = 6;  // three requests for each of two modules
};

TEST_F(ModuleUpgradeTest, WritesAndVerifiesTheMarkedModuleThenRestarts) {
    const test::ModuleSpec system = test::SystemModule(24);
    test::WritePackage(Package(), {system, test::EncoderModule(23)});
    ASSERT_TRUE(Run());

    const Requests sent = Sent();
    ASSERT_EQ(sent.size(), kReadBacks + 13);
    const Requests expected = {
        Access("00 00 03"),
        Access("04 58 02 00 00"),
        Access("04", Slice(system.content, 0, 200)),
        Access("04", Slice(system.content, 200, 200)),
        Access("04", Slice(system.content, 400, 200)),
        Access("02"),
        Access("01 00 03"),
        Access("03 04 00"),
        Access("03 C8 00"),
        Access("03 C8 00"),
        Access("03 C8 00"),
        Access("02"),
        {0xD0, {}},
    };
    EXPECT_EQ(Requests(sent.begin() + kReadBacks, sent.end()), expected);
    EXPECT_EQ(user.Messages(),
              (std::vector<std::u16string>{u"System : upgrade to release  2.4",
                                           u"System : verifying...", u"", u"Rebooting..."}));
    EXPECT_FALSE(user.Of(UserEvent::InputDisabled).size()) << "the window stays enabled";
    EXPECT_FALSE(xmit.IsPortOpen());
}

TEST_F(ModuleUpgradeTest, EndsAtTheNewVersionWithNothingDueNextTime) {
    test::WritePackage(Package(), {test::SystemModule(24), test::EncoderModule(24)});
    ASSERT_TRUE(Run());
    EXPECT_EQ(user.Messages().size(), 7u) << "two announcements, two checks, two clears, reboot";
    ASSERT_TRUE(Reconnect());
    EXPECT_EQ(xmit.Identity().SoftwareVersion, 24);
    EXPECT_FALSE(Run());
    EXPECT_EQ(device.Requests().size(), kReadBacks) << "only the read-backs";
    EXPECT_TRUE(xmit.IsPortOpen());
}

TEST_F(ModuleUpgradeTest, NothingMarkedSendsOnlyTheReadBacks) {
    test::WritePackage(Package(), {test::SystemModule(23), test::EncoderModule(22)});
    EXPECT_FALSE(Run());
    EXPECT_EQ(device.Requests().size(), kReadBacks);
    EXPECT_TRUE(xmit.IsPortOpen());
    EXPECT_TRUE(user.Messages().empty());
    EXPECT_EQ(user.ProgressSteps(), (Steps{{1, 0}}));
}

TEST_F(ModuleUpgradeTest, ReloadWritesEveryModuleAndRestartsEvenWhenAllFail) {
    test::WritePackage(Package(), {test::SystemModule(23), test::EncoderModule(22)});
    RequestFirmwareReload(flags);
    std::deque<Fault> script(kReadBacks);
    script.push_back({FaultKind::Refusal});  // the system module's open
    script.push_back({FaultKind::Refusal});  // the encoder module's open
    device.faults.Script(std::move(script));
    EXPECT_TRUE(Run());
    EXPECT_EQ(user.Messages(), (std::vector<std::u16string>{
                                   u"System : upgrade to release  2.3", u"System : write error !",
                                   u"Encoder : upgrade to release  2.2", u"Encoder : write error !",
                                   u"Rebooting..."}));
    EXPECT_EQ(device.Requests().size(), kReadBacks + 3);
    EXPECT_EQ(device.Requests().back().command, 0xD0);
    EXPECT_EQ(device.restarts, 1);
    EXPECT_FALSE(flags.FirmwareReloadRequest);
    EXPECT_TRUE(flags.DigestCheckOverride);
}

TEST_F(ModuleUpgradeTest, FailedVerificationIsReportedAndTheNextModuleGoesOn) {
    test::WritePackage(Package(), {test::SystemModule(24), test::EncoderModule(24)});
    std::deque<Fault> script(kReadBacks + 6 + 2);
    script.push_back({FaultKind::Refusal});  // the system module's first chunk read
    device.faults.Script(std::move(script));
    EXPECT_TRUE(Run());
    EXPECT_EQ(user.Messages(),
              (std::vector<std::u16string>{
                  u"System : upgrade to release  2.4", u"System : verifying...", u"",
                  u"System : verification error !", u"Encoder : upgrade to release  2.4",
                  u"Encoder : verifying...", u"", u"Rebooting..."}));
}

TEST_F(ModuleUpgradeTest, APackageErrorWritesNothing) {
    test::ModuleSpec system = test::SystemModule(24);
    system.digest = std::string(32, 'A');
    test::WritePackage(Package(), {system});
    EXPECT_FALSE(Run());
    EXPECT_TRUE(device.Requests().empty());
    EXPECT_EQ(user.Messages(), (std::vector<std::u16string>{u"Configuration Error"}));
    EXPECT_TRUE(xmit.IsPortOpen());
}

TEST_F(ModuleUpgradeTest, ADeviceWithoutHardwareVersionUsesFolderH0) {
    device.identity.HardwareVersion = 0;
    ASSERT_TRUE(xmit.FindDevice());
    device.ClearRequests();
    test::WritePackage(Package(), {test::SystemModule(24)});
    EXPECT_FALSE(Run()) << "H3 is not its folder";
    EXPECT_EQ(user.Messages(), (std::vector<std::u16string>{u"Configuration Error"}));
    user.events.clear();
    test::WritePackage(folder.Path() / "H0", {test::SystemModule(24)});
    EXPECT_TRUE(Run());
}

TEST_F(ModuleUpgradeTest, TextsFollowTheInterfaceLanguage) {
    test::WritePackage(Package(), {test::EncoderModule(24)});
    FirmwareContext context = Context();
    context.language = kFrench;
    ASSERT_TRUE(RunFirmwareUpgrade(context, user));
    EXPECT_EQ(user.Messages().front(), u"Encoder : mise à jour en version  2.4");
    EXPECT_EQ(user.Messages().back(), u"Redémarrage...");
}

}  // namespace
}  // namespace vemo
