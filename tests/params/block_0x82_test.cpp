#include "params/block_0x82.h"

#include <gtest/gtest.h>

#include "params/parameter_block.h"
#include "params/worked_blocks.h"

namespace vemo {
namespace {

using test::Build;
using test::Bytes;
using test::Hex;

// A block as a device might hold it: every kept field and text non-empty and distinct.
constexpr const char* kDeviceBlock =
    "52 31 00 05 03 A4 90 B8 07 00 01 00 01 04 03 0C B2 34 12 1F 21 43 65 87 4E 00 FF FF C9 02 "
    "01 02 E8 03 CD AB 53 E9 00 00 01 01 01 02 01 40 1F 04 1E 1F 01 21 22 23 24 6B 00 26 25 27 "
    "28 29 61 2E 64 67 31 00 2B 2C 2D 2E 2F 30 31 78 00 00 79 7A 00 35 36 37 45 00 54 00 00 02 "
    "3C 3D 01 10 20 30";

TEST(Block82, WorkedExampleBuildsItsEightyBytesAndParsesBack) {
    ParameterSet set = test::WorkedExampleSet(kModel82);
    BlockImage image;
    image.AudioCodec = 1;
    image.VideoCodec = 1;
    const Bytes block = Build(kModel82, set, image);
    EXPECT_EQ(block, Hex(test::kWorkedBlock82));

    ParameterSet parsedSet;
    BlockImage parsedImage;
    EXPECT_EQ(ParseParameterBlock(kModel82, block, parsedSet, parsedImage), BlockOutcome::Complete);
    EXPECT_EQ(parsedSet, set);
    EXPECT_EQ(parsedImage, image);
}

TEST(Block82, ADeviceBlockGoesBackByteForByteAndEditsTouchOnlyTheirField) {
    const Bytes device = Hex(kDeviceBlock);
    ParameterSet set;
    BlockImage image;
    ASSERT_EQ(ParseParameterBlock(kModel82, device, set, image), BlockOutcome::Complete);
    EXPECT_EQ(set.Reference, u"R1");
    EXPECT_EQ(set.Frequency, 506000);
    EXPECT_EQ(set.LevelPosition, 17) << "12 dB down";
    EXPECT_EQ(set.TsId, 65535);
    EXPECT_EQ(set.KeptByte, 0xC9);
    EXPECT_EQ(set.LcnType, 2);
    EXPECT_EQ(set.Lcn, 1000);
    EXPECT_EQ(set.ServiceName, u"S\u00E9");
    EXPECT_EQ(set.PictureFormat, 1);
    EXPECT_EQ(set.Saturation, 0x30);
    EXPECT_EQ(image.Kept13, 0x1234);
    EXPECT_EQ(image.Kept37, u"k");
    EXPECT_EQ(image.LogoName, u"a.dg1");
    EXPECT_EQ(image.Kept52, u"yz");
    EXPECT_EQ(image.EitText, u"T");
    EXPECT_EQ(image.VideoCodec, 2);
    EXPECT_EQ(Build(kModel82, set, image), device);

    set.Lcn = 7;
    Bytes edited = device;
    edited[32] = 0x07;  // field 22, after the texts "R1" and "N"
    edited[33] = 0x00;
    EXPECT_EQ(Build(kModel82, set, image), edited);
}

TEST(Block82, NumbersWiderThanTheirFieldAreWrittenAsTheirLowBytes) {
    ParameterSet set = test::WorkedExampleSet(kModel82);
    BlockImage image;
    set.TsId = 65536;
    set.Light = 0x1FF;
    set.LevelPosition = 30;  // one past full level: attenuation -1
    image.Kept61 = -2;
    const Bytes block = Build(kModel82, set, image);
    ASSERT_EQ(block.size(), 80u);
    EXPECT_EQ(block[23], 0x00);
    EXPECT_EQ(block[24], 0x00) << "TsId 65536";
    EXPECT_EQ(block[77], 0xFF) << "Light";
    EXPECT_EQ(block[9 + 4], 0xFF) << "attenuation";
    EXPECT_EQ(block[75], 0xFE) << "field 61";
}

TEST(Block82, ABlockCutShortKeepsTheValuesOfTheFieldsItDoesNotHold) {
    const Bytes device = Hex(kDeviceBlock);
    ParameterSet set = test::WorkedExampleSet(kModel82);
    BlockImage before;
    CopySetToImage(set, before);
    before.LogoName = u"old.dg1";

    // Field 5, the frequency, is cut after two of its four bytes.
    BlockImage image = before;
    const Bytes cutInNumber(device.begin(), device.begin() + 8);
    EXPECT_EQ(ParseBlock82(cutInNumber, image), BlockOutcome::Truncated);
    EXPECT_EQ(image.Reference, u"R1");
    EXPECT_EQ(image.Kept4, 0xA4);
    EXPECT_EQ(image.Frequency, 474000);
    EXPECT_EQ(image.Bandwidth, before.Bandwidth) << "nothing after the cut is read";

    // The logo name lacks its terminator: neither it nor what follows is taken.
    image = before;
    const Bytes cutInText(device.begin(), device.begin() + 66);
    EXPECT_EQ(ParseBlock82(cutInText, image), BlockOutcome::Truncated);
    EXPECT_EQ(image.Kept41, 0x29);
    EXPECT_EQ(image.LogoName, u"old.dg1");
    EXPECT_EQ(image.Saturation, 128);
}

TEST(Block82, EveryPrefixParsesWithinItsBytes) {
    const Bytes device = Hex(kDeviceBlock);
    for (std::size_t length = 0; length < device.size(); ++length) {
        const Bytes prefix(device.begin(), device.begin() + static_cast<std::ptrdiff_t>(length));
        BlockImage image;
        EXPECT_EQ(ParseBlock82(prefix, image), BlockOutcome::Truncated) << length;
    }
}

TEST(Block82, ABlockThatDoesNotFitIsNotBuilt) {
    BlockImage image;
    image.EitText = std::u16string(kBlockCapacity, u'x');
    Bytes block(kBlockCapacity, 0xEE);
    std::size_t length = 123;
    EXPECT_FALSE(BuildBlock82(image, block, length));
    EXPECT_EQ(length, 123u);
    image.EitText.resize(kBlockCapacity - 80);
    EXPECT_TRUE(BuildBlock82(image, block, length));
    EXPECT_EQ(length, kBlockCapacity) << "fills the buffer exactly";
}

}  // namespace
}  // namespace vemo
