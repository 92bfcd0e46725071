#include "params/block_0x78.h"

#include <gtest/gtest.h>

#include <cmath>

#include "params/parameter_block.h"
#include "params/worked_blocks.h"

namespace vemo {
namespace {

using test::Build;
using test::Bytes;
using test::Hex;

// As a device might hold it: format byte 0x5A, version byte with high bits, "Réseau".
constexpr const char* kDeviceBlock =
    "50 46 5A 4A 5A 3D 00 52 65 66 00 34 12 02 00 E5 77 02 F2 01 02 01 02 01 03 8F 00 01 01 01 "
    "02 01 40 1F 01 05 00 1A 20 55 6E 65 00 52 E9 73 65 61 75 00 00 02 80 70 60 1B 20 90 0F 04 "
    "01";
// The same block from an older device: the length ends it after the saturation byte.
constexpr const char* kOlderBlock =
    "50 46 5A 4A 5A 37 00 52 65 66 00 34 12 02 00 E5 77 02 F2 01 02 01 02 01 03 8F 00 01 01 01 "
    "02 01 40 1F 01 05 00 1A 20 55 6E 65 00 52 E9 73 65 61 75 00 00 02 80 70 60";

ParameterSet Parsed(const Bytes& block, BlockOutcome expected = BlockOutcome::Complete) {
    ParameterSet set;
    EXPECT_EQ(ParseBlock78(block, set), expected);
    return set;
}

TEST(Block78, WorkedExampleBuildsItsFortyNineBytesAndParsesBack) {
    ParameterSet set = test::WorkedExampleSet(kModel78);
    BlockImage image;
    const Bytes block = Build(kModel78, set, image);
    EXPECT_EQ(block, Hex(test::kWorkedBlock78));
    EXPECT_EQ(Parsed(block), set);
    EXPECT_EQ(image, BlockImage{}) << "model 0x78 leaves the model 0x82 image alone";
}

TEST(Block78, ADeviceBlockReadsItsFieldsAndGoesBackWithTheVersionMasked) {
    const Bytes device = Hex(kDeviceBlock);
    ParameterSet set = Parsed(device);
    EXPECT_EQ(set.FormatByte, 0x5A);
    EXPECT_EQ(set.Reference, u"Ref");
    EXPECT_EQ(set.TsId, 0x1234);
    EXPECT_EQ(set.Version, 5) << "0xE5 AND 0x1F";
    EXPECT_EQ(set.KeptByte, 0x77);
    EXPECT_EQ(set.Frequency, 498000);
    EXPECT_EQ(set.LevelPosition, 24) << "amplitude 143 is 5 dB down";
    EXPECT_EQ(set.ServiceName, u"Une");
    EXPECT_EQ(set.NetworkName, u"R\u00E9seau");
    EXPECT_EQ(set.PictureFormat, 1);
    EXPECT_EQ(set.NetworkId, 0x201B);
    EXPECT_EQ(set.DefaultCountry, 4);
    EXPECT_EQ(set.LcnType, 1);

    BlockImage image;
    Bytes expected = device;
    expected[15] = 0x05;
    EXPECT_EQ(Build(kModel78, set, image), expected);
}

TEST(Block78, AnOlderBlockTakesTheAbsentFieldsFromElsewhereAndGainsThemOnWrite) {
    ParameterSet set = Parsed(Hex(kOlderBlock));
    EXPECT_EQ(set.NetworkId, set.OriginalNetworkId);
    EXPECT_EQ(set.Frequency, 498000);
    EXPECT_EQ(set.DefaultCountry, 0);
    EXPECT_EQ(set.LcnType, 0);

    Bytes expected = Hex(kDeviceBlock);
    expected[15] = 0x05;
    const std::size_t optional = expected.size() - 6;
    expected[optional] = 0x1A;  // network id = original network id
    expected[optional + 4] = 0x00;
    expected[optional + 5] = 0x00;
    BlockImage image;
    EXPECT_EQ(Build(kModel78, set, image), expected);
}

TEST(Block78, OptionalFieldsAreReadOnlyInsideTheLengthAndEachAfterTheOneBefore) {
    Bytes block = Hex(kDeviceBlock);
    block[57] = 0x91;  // 3985 steps: 498125 kHz, finer than the whole 498 MHz
    block[5] = static_cast<std::uint8_t>(block.size() - 2);  // network id and fine frequency
    ParameterSet set = Parsed(block);
    EXPECT_EQ(set.NetworkId, 0x201B);
    EXPECT_EQ(set.Frequency, 498125);
    EXPECT_EQ(set.DefaultCountry, 0);
    EXPECT_EQ(set.LcnType, 0);

    // A length that ends inside the fixed fields leaves them read all the same.
    block[5] = 0x07;
    set = Parsed(block);
    EXPECT_EQ(set.Saturation, 0x60);
    EXPECT_EQ(set.NetworkId, 0x201A);
    EXPECT_EQ(set.Frequency, 498000);
}

TEST(Block78, TheFrequencyIsWrittenInWholeMegahertzAndIn125KilohertzSteps) {
    ParameterSet set = test::WorkedExampleSet(kModel78);
    set.Frequency = 474999;
    BlockImage image;
    const Bytes block = Build(kModel78, set, image);
    EXPECT_EQ(block[15], 0xDA);
    EXPECT_EQ(block[16], 0x01) << "474 MHz";
    EXPECT_EQ(block[45], 0xD7);
    EXPECT_EQ(block[46], 0x0E) << "3799 steps";
    EXPECT_EQ(Parsed(block).Frequency, 474875);
}

TEST(Block78, LevelTableIsTheAmplitudeOfEachAttenuation) {
    for (std::size_t dB = 0; dB < kLevelTable.size(); ++dB) {
        EXPECT_EQ(kLevelTable[dB], static_cast<int>(std::floor(255 * std::pow(10.0, -0.05 * dB))))
            << dB;
    }
}

TEST(Block78, AmplitudeBytesReadAsTheLargerAttenuationAndEveryEntryReadsBack) {
    const std::pair<std::uint8_t, std::int32_t> reads[] = {{255, 29}, {254, 28}, {227, 28},
                                                           {10, 1},   {9, 0},    {0, 0}};
    for (const auto& [amplitude, position] : reads) {
        EXPECT_EQ(LevelForAmplitude(amplitude), position) << int(amplitude);
    }
    for (std::int32_t position = 0; position <= 29; ++position) {
        EXPECT_EQ(LevelForAmplitude(AmplitudeForLevel(position)), position);
    }
    EXPECT_EQ(AmplitudeForLevel(40), 255) << "past full level";
    EXPECT_EQ(AmplitudeForLevel(-1), 9) << "below the slider";
}

TEST(Block78, PictureFormatByteZeroReadsAsTheFirstEntryAndGoesBackAsOne) {
    Bytes block = Hex(test::kWorkedBlock78);
    block[39] = 0x00;
    ParameterSet set = Parsed(block);
    EXPECT_EQ(set.PictureFormat, 0);
    BlockImage image;
    EXPECT_EQ(Build(kModel78, set, image)[39], 0x01);
}

TEST(Block78, ListValuesWithoutAnEntryAreKept) {
    Bytes block = Hex(test::kWorkedBlock78);
    block.back() = 0x02;  // LCN type NORDIG, which model 0x78 does not list
    ParameterSet set = Parsed(block);
    EXPECT_EQ(set.LcnType, 2);
    BlockImage image;
    EXPECT_EQ(Build(kModel78, set, image), block);
}

TEST(Block78, ABadSignatureChangesNothing) {
    ParameterSet set;
    ASSERT_EQ(ParseBlock78(Hex(kDeviceBlock), set), BlockOutcome::Complete);
    const ParameterSet before = set;
    for (const char* block : {"50 46 5A 4B 5A 3D 00 00", "4A 5A 46 50", "50 46 5A", ""}) {
        EXPECT_EQ(ParseBlock78(Hex(block), set), BlockOutcome::BadSignature) << block;
        EXPECT_EQ(set, before);
    }
}

TEST(Block78, ABlockCutShortKeepsTheValuesOfTheFieldsItDoesNotHold) {
    const Bytes device = Hex(kDeviceBlock);
    const ParameterSet before = test::WorkedExampleSet(kModel78);
    for (std::size_t length = 4; length < device.size(); ++length) {
        ParameterSet set = before;
        const Bytes prefix(device.begin(), device.begin() + static_cast<std::ptrdiff_t>(length));
        EXPECT_EQ(ParseBlock78(prefix, set), BlockOutcome::Truncated) << length;
        EXPECT_EQ(set.LcnType, before.LcnType) << length;
    }
    // The header says there are optional fields but the bytes end before them.
    ParameterSet set = before;
    const Bytes older = Hex(kOlderBlock);
    Bytes claimsMore = older;
    claimsMore[5] = 0xFF;
    EXPECT_EQ(ParseBlock78(claimsMore, set), BlockOutcome::Truncated);
    EXPECT_EQ(set.Saturation, 0x60);
    EXPECT_EQ(set.NetworkId, before.NetworkId) << "cut off, not absent";
}

TEST(Block78, ABlockThatDoesNotFitIsNotBuilt) {
    ParameterSet set = test::WorkedExampleSet(kModel78);
    set.Reference = std::u16string(kBlockCapacity - 48, u'r');
    Bytes block(kBlockCapacity);
    std::size_t length = 0;
    EXPECT_FALSE(BuildBlock78(set, block, length));
    set.Reference.pop_back();
    EXPECT_TRUE(BuildBlock78(set, block, length));
    EXPECT_EQ(length, kBlockCapacity);
    EXPECT_EQ(block[5], 0x00);
    EXPECT_EQ(block[6], 0x10) << "length 4096";
    Bytes tiny(6);
    EXPECT_FALSE(BuildBlock78(set, tiny, length)) << "no room for the header";
}

}  // namespace
}  // namespace vemo
