#include <gtest/gtest.h>

#include "link/command_codes.h"
#include "sim/sim_storage.h"
#include "storage/default_store.h"
#include "storage/logo_files.h"
#include "storage/remote_file_transfer.h"
#include "storage/storage_rig.h"
#include "support/sim_line.h"

namespace vemo {
namespace {

using test::Bytes;
using test::ExpectedRequest;
using test::Hex;

const SimIdentity kModel82Device{kModel82, 22, 0, 0};
const Milliseconds kShort{500};
const Milliseconds kData{5000};

Bytes Text(std::string_view text) {
    Bytes bytes(text.begin(), text.end());
    bytes.push_back(0);
    return bytes;
}

// A logo whose bytes say where they stand, so a piece sent twice or out of order shows.
Bytes Logo(std::size_t size) {
    Bytes logo(size);
    for (std::size_t i = 0; i < size; ++i) {
        logo[i] = static_cast<std::uint8_t>(i * 7 + i / 256);
    }
    return logo;
}

ExpectedRequest CommandLine(std::string_view text) {
    return {0x80, Text(text), kData};
}

// Open "/mnt/logo.dg1", the pieces of a logo of `size` bytes, close.
std::vector<ExpectedRequest> Upload(const Bytes& logo, const std::vector<std::size_t>& pieces) {
    std::vector<ExpectedRequest> frames = {
        {0xA0, test::Concat(Hex("00"), Text("/mnt/logo.dg1")), Milliseconds(200)}};
    std::size_t offset = 0;
    for (std::size_t piece : pieces) {
        frames.push_back(
            {0xA0,
             test::Concat(Hex("04"), Bytes(logo.begin() + offset, logo.begin() + offset + piece)),
             kShort});
        offset += piece;
    }
    frames.push_back({0xA0, Hex("02"), kData});
    return frames;
}

std::vector<ExpectedRequest> DefaultStore(const std::vector<ExpectedRequest>& upload) {
    std::vector<ExpectedRequest> frames = {
        CommandLine("cp /KORAVEX/current11.cfg /KORAVEX/default11.cfg"),
        CommandLine("mount /dev/mmcblk0p1 /mnt")};
    frames.insert(frames.end(), upload.begin(), upload.end());
    frames.push_back(CommandLine("umount /mnt"));
    frames.push_back(CommandLine("sync"));
    frames.push_back({0x20, {}, kShort});
    return frames;
}

struct LogoCase {
    const char* name;
    std::optional<std::size_t> size;  // nothing: no such file
    std::vector<std::size_t> pieces;  // empty: nothing goes out
};

void PrintTo(const LogoCase& c, std::ostream* out) {
    *out << c.name;
}

class DefaultStoreTest : public testing::TestWithParam<LogoCase> {
protected:
    DefaultStoreTest() {
        if (GetParam().size) {
            test::StorageRig::WriteFile(LogoFolder(rig.base) / "channel 7.dg1", logo);
        }
    }
    std::vector<ExpectedRequest> Expected() const {
        return DefaultStore(GetParam().pieces.empty() ? std::vector<ExpectedRequest>{}
                                                      : Upload(logo, GetParam().pieces));
    }

    test::StorageRig rig;
    Bytes logo = Logo(GetParam().size.value_or(0));
};

TEST_P(DefaultStoreTest, CopiesMountsUploadsUnmountsSyncsAndRestarts) {
    test::SimLine line(kModel82Device);
    const Bytes current = line.device.parameterBlock;
    const DefaultStoreReport report = StoreDefaults(line.xmit, rig.base, u"channel 7.dg1");
    EXPECT_EQ(line.Sent(), test::Pairs(Expected()));
    EXPECT_TRUE(report.accepted);
    EXPECT_EQ(report.logoUploaded, !GetParam().pieces.empty());
    EXPECT_EQ(line.device.fileSystem.files["/KORAVEX/default11.cfg"], current);
    EXPECT_EQ(line.device.fileSystem.files.contains("/mnt/logo.dg1"), !GetParam().pieces.empty())
        << "no device file is opened without data for it";
    if (!GetParam().pieces.empty()) {
        EXPECT_EQ(line.device.fileSystem.files["/mnt/logo.dg1"], logo);
    }
    EXPECT_FALSE(line.device.fileSystem.openFile);
    EXPECT_TRUE(line.device.fileSystem.mounts.empty());
    EXPECT_EQ(line.device.restarts, 1);
}

TEST_P(DefaultStoreTest, WaitsEachRequestsOwnTimeOut) {
    test::ExpectTimeOuts(
        kModel82Device,
        [this](test::SimLine& l) { StoreDefaults(l.xmit, rig.base, u"channel 7.dg1"); },
        Expected());
}

INSTANTIATE_TEST_SUITE_P(Logos, DefaultStoreTest,
                         testing::Values(LogoCase{"Logo1000", 1000, {400, 400, 200}},
                                         LogoCase{"Logo400", 400, {400}},
                                         LogoCase{"Logo401", 401, {400, 1}},
                                         LogoCase{"Logo1", 1, {1}}, LogoCase{"EmptyLogo", 0, {}},
                                         LogoCase{"MissingLogo", std::nullopt, {}}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(DefaultStore, NamesThatNameNoLogoFileSendNoLogo) {
    test::StorageRig rig;
    test::StorageRig::WriteFile(rig.base / "secret.dg1", Logo(10));
    test::StorageRig::WriteFile(LogoFolder(rig.base) / "sub" / "a.dg1", Logo(10));
    for (const char16_t* name : {u"", u".", u"..", u"../secret.dg1", u"sub/a.dg1", u"sub"}) {
        test::SimLine line(kModel82Device);
        StoreDefaults(line.xmit, rig.base, name);
        EXPECT_EQ(line.Sent(), test::Pairs(DefaultStore({})));
    }
}

TEST(DefaultStore, EveryStepRunsWhateverTheOneBeforeGave) {
    test::StorageRig rig;
    test::StorageRig::WriteFile(LogoFolder(rig.base) / "a.dg1", Logo(10));
    test::SimLine line(kModel82Device);
    // cp, mount and the device file open are refused: the store goes on without the logo.
    line.device.faults.Script({{FaultKind::Refusal}, {FaultKind::Refusal}, {FaultKind::Refusal}});
    const DefaultStoreReport report = StoreDefaults(line.xmit, rig.base, u"a.dg1");
    EXPECT_FALSE(report.accepted);
    EXPECT_FALSE(report.logoUploaded);
    const std::vector<ExpectedRequest> open = {Upload(Logo(10), {10}).front()};
    EXPECT_EQ(line.Sent(), test::Pairs(DefaultStore(open)));
    EXPECT_EQ(line.device.restarts, 1);
}

TEST(SendFileToDevice, ARefusedPieceEndsTheAppendsButTheCloseStillGoesOut) {
    test::StorageRig rig;
    const Bytes logo = Logo(1000);
    test::StorageRig::WriteFile(rig.base / "a.dg1", logo);
    test::SimLine line(kModel82Device);
    line.device.faults.Script({{}, {}, {FaultKind::Refusal}});
    EXPECT_FALSE(SendFileToDevice(line.xmit, rig.base / "a.dg1", u"/x/y.dg1"));
    std::vector<ExpectedRequest> expected = Upload(logo, {400, 400});
    expected.front().payload = test::Concat(Hex("00"), Text("/x/y.dg1"));
    EXPECT_EQ(line.Sent(), test::Pairs(expected));
    EXPECT_FALSE(line.device.fileSystem.openFile);
    EXPECT_EQ(line.device.fileSystem.files["/x/y.dg1"], Bytes(logo.begin(), logo.begin() + 400));
}

TEST(SendFileToDevice, AFolderIsNoFileToSend) {
    test::StorageRig rig;
    test::SimLine line(kModel82Device);
    EXPECT_FALSE(SendFileToDevice(line.xmit, rig.base, u"/mnt/logo.dg1"));
    EXPECT_TRUE(line.Sent().empty());
}

TEST(LogoFiles, AreTheDg1FilesOfTheLogoFolderInComboOrder) {
    test::StorageRig rig;
    EXPECT_TRUE(LogoFileNames(rig.base).empty()) << "no logo folder";
    for (const char* name : {"b.dg1", "A.dg1", "C.DG1", "notes.txt", "dg1", "a.dg1.bak"}) {
        test::StorageRig::WriteFile(LogoFolder(rig.base) / name, Logo(3));
    }
    std::filesystem::create_directories(LogoFolder(rig.base) / "folder.dg1");
    EXPECT_EQ(LogoFileNames(rig.base), (std::vector<std::u16string>{u"A.dg1", u"b.dg1", u"C.DG1"}));
}

}  // namespace
}  // namespace vemo
