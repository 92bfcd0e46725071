#include "firmware/firmware_image.h"

#include <gtest/gtest.h>

#include "firmware/image_name.h"
#include "firmware/package_folders.h"
#include "firmware_rig.h"

namespace vemo {
namespace {

using test::Bytes;
using test::UserEvent;

constexpr char kDigest[] = "0123456789ABCDEF0123456789abcdef";

TEST(ImageName, VersionFromTheTwoCharactersAfterTheFirstUnderscore) {
    const std::pair<std::string, int> kCases[] = {
        {"KORALIN_23_x.bin", 23},  {"KORALIN_05_x.bin", 5},  {"KORALIN_5x_x.bin", 5},
        {"KORALIN_+7_x.bin", 7},   {"KORALIN_-7_x.bin", -7}, {"KORALIN_xx_x.bin", 0},
        {"KORALIN_234.bin", 23},  // only two characters count
        {"KORALIN_9", 9},          {"KORALIN_", 0},          {"KORALIN_2_3_x.bin", 2},
        {"koralin_23_x.bin", 0},   // the product word is case-sensitive
        {"KORALIN23.bin", 0},      // no "_"
        {"KORALINE_23_x.bin", 0},  // the whole text before the first "_" must match
        {"X_KORALIN_23_x.bin", 0}, {"_23_x.bin", 0},
    };
    for (const auto& [name, version] : kCases) {
        EXPECT_EQ(ImageNameVersion(name, "KORALIN"), version) << name;
    }
}

TEST(ImageName, DigestIsTheThirtyTwoCharactersBeforeTheExtension) {
    EXPECT_EQ(ImageNameDigest(std::string("KORALIN_23_") + kDigest + ".bin"),
              "0123456789ABCDEF0123456789ABCDEF");
    EXPECT_EQ(ImageNameDigest(std::string(kDigest) + ".bin"), "0123456789ABCDEF0123456789ABCDEF");
    EXPECT_EQ(ImageNameDigest(std::string(kDigest).substr(1) + ".bin"), "")
        << "too short to carry a digest";
    EXPECT_TRUE(IsImageFileName("a.bin"));
    EXPECT_TRUE(IsImageFileName("a.BIN"));
    EXPECT_FALSE(IsImageFileName("a.bin.txt"));
    EXPECT_FALSE(IsImageFileName("bin"));
}

TEST(HardwareFirmwareDirectory, IsTheDecimalHardwareVersionInsideTheFirmwareFolder) {
    EXPECT_EQ(HardwareFirmwareDirectory("/base/firmware", 3), "/base/firmware/H3");
    EXPECT_EQ(HardwareFirmwareDirectory("/base/firmware", 0), "/base/firmware/H0");
    EXPECT_EQ(HardwareFirmwareDirectory("/base/firmware", 255), "/base/firmware/H255");
    EXPECT_EQ(PackageFile("/fw/H3", "/etc/passwd"), "/fw/H3//etc/passwd")
        << "a package name never leaves the folder by looking absolute";
}

class FindFirmwareImageTest : public testing::Test {
protected:
    FindFirmwareImageTest() : user(&device) {}

    // An image file whose name carries its true digest unless another is given.
    std::filesystem::path AddImage(const std::string& prefix, const Bytes& bytes,
                                   std::string digest = "") {
        if (digest.empty()) {
            digest = test::DigestOf(bytes);
        }
        const std::filesystem::path path = folder.Path() / (prefix + digest + ".bin");
        test::WriteFile(path, bytes);
        return path;
    }

    FirmwareImage Find() { return FindFirmwareImage(folder.Path(), "KORALIN", user, user); }

    test::TempFolder folder;
    SimDevice device;
    test::UserLog user;
};

TEST_F(FindFirmwareImageTest, TakesTheHighestVersionAndReadsItWhole) {
    AddImage("KORALIN_23_old_", test::Pattern(3000, 1));
    const Bytes newer = test::Pattern(5000, 2);
    const std::filesystem::path chosen = AddImage("KORALIN_31_new_", newer);
    AddImage("koralin_45_", test::Pattern(10));
    AddImage("KORALIN45_", test::Pattern(10));
    test::WriteFile(folder.Path() / "H0" / ("KORALIN_50_" + test::DigestOf({1}) + ".bin"), {1});

    const FirmwareImage image = Find();
    EXPECT_EQ(image.version, 31);
    EXPECT_EQ(image.path, chosen);
    EXPECT_EQ(image.data, newer);
    EXPECT_EQ(user.ProgressSteps(), (std::vector<std::pair<int, int>>{{5000, 0}}));
    EXPECT_TRUE(user.Of(UserEvent::Box).empty());
}

TEST_F(FindFirmwareImageTest, OfTwoImagesOfOneVersionTheFirstByNameStays) {
    const std::filesystem::path first = AddImage("KORALIN_23_a_", test::Pattern(100, 1));
    AddImage("KORALIN_23_b_", test::Pattern(100, 2));
    EXPECT_EQ(Find().path, first);
}

TEST_F(FindFirmwareImageTest, DigestInLowerCaseIsAccepted) {
    const Bytes bytes = test::Pattern(100);
    AddImage("KORALIN_23_", bytes, test::Lower(test::DigestOf(bytes)));
    EXPECT_EQ(Find().version, 23);
}

TEST_F(FindFirmwareImageTest, WrongDigestBringsTheBoxAndNoImage) {
    const Bytes bytes = test::Pattern(100);
    AddImage("KORALIN_23_", bytes, kDigest);
    const FirmwareImage image = Find();
    EXPECT_EQ(image.version, 0);
    EXPECT_TRUE(image.data.empty());
    const std::vector<UserEvent> boxes = user.Of(UserEvent::Box);
    ASSERT_EQ(boxes.size(), 1u);
    const std::string text =
        "MD5 Error" + test::DigestOf(bytes) + "0123456789ABCDEF0123456789ABCDEF";
    EXPECT_EQ(boxes[0].text, std::u16string(text.begin(), text.end()));
    EXPECT_TRUE(user.ProgressSteps().empty()) << "the file is not read";
}

TEST_F(FindFirmwareImageTest, VersionNinetyNineSkipsTheDigest) {
    const Bytes bytes = test::Pattern(100);
    AddImage("KORALIN_99_", bytes, kDigest);
    const FirmwareImage image = Find();
    EXPECT_EQ(image.version, 99);
    EXPECT_EQ(image.data, bytes);
    EXPECT_TRUE(user.Of(UserEvent::Box).empty());
}

TEST_F(FindFirmwareImageTest, NothingUsableGivesNoImageAndNoMessage) {
    const auto expectNoImage = [&](const char* why) {
        const FirmwareImage image = Find();
        EXPECT_EQ(image.version, 0) << why;
        EXPECT_TRUE(user.events.empty()) << why;
    };
    expectNoImage("empty folder");
    AddImage("KORALIN_00_", test::Pattern(100));
    expectNoImage("version 0");
    std::filesystem::remove_all(folder.Path());
    expectNoImage("firmware folder missing");
}

TEST_F(FindFirmwareImageTest, AFolderNamedLikeAnImageIsNotOne) {
    const std::filesystem::path image = AddImage("KORALIN_23_", test::Pattern(100));
    std::filesystem::create_directories(folder.Path() /
                                        ("KORALIN_40_" + std::string(kDigest) + ".bin"));
    EXPECT_EQ(Find().path, image);
}

TEST_F(FindFirmwareImageTest, EmptyImageIsNotUsable) {
    AddImage("KORALIN_23_", {});
    EXPECT_EQ(Find().version, 0);
    EXPECT_TRUE(user.Of(UserEvent::Box).empty()) << "its digest is right";
}

}  // namespace
}  // namespace vemo
