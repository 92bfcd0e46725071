#include "params/device_text.h"

#include <gtest/gtest.h>

#include <set>

#include "support/bytes.h"

namespace vemo {
namespace {

using test::Bytes;
using test::Hex;

TEST(DeviceCharTable, HoldsPrintableLatin1WithoutQuoteNoBreakSpaceOrSoftHyphen) {
    const std::array<char16_t, 256>& table = DeviceCharTable();
    const std::set<char16_t> characters(table.begin(), table.end());
    // Space and 93 printable ASCII characters, then U+00A1..U+00FF less the soft hyphen.
    EXPECT_EQ(characters.size(), 94u + 94u);
    EXPECT_FALSE(characters.contains(u'"'));
    EXPECT_FALSE(characters.contains(u'\u00A0'));
    EXPECT_FALSE(characters.contains(u'\u00AD'));
    EXPECT_FALSE(characters.contains(u'\t'));
}

struct EncodeCase {
    const char* name;
    std::u16string text;
    const char* bytes;
};

class EncodeDeviceTextTest : public testing::TestWithParam<EncodeCase> {};

TEST_P(EncodeDeviceTextTest, WritesOneBytePerCharacterAndATerminator) {
    const Bytes expected = Hex(GetParam().bytes);
    Bytes block(expected.size() + 2, 0xEE);
    std::size_t position = 1;
    ASSERT_TRUE(EncodeDeviceText(GetParam().text, block, position));
    EXPECT_EQ(position, 1 + expected.size());
    EXPECT_EQ(Bytes(block.begin() + 1, block.end() - 1), expected);
    EXPECT_EQ(block.front(), 0xEE);
    EXPECT_EQ(block.back(), 0xEE) << "nothing written after the terminator";
}

INSTANTIATE_TEST_SUITE_P(
    Texts, EncodeDeviceTextTest,
    testing::Values(
        EncodeCase{"Empty", u"", "00"}, EncodeCase{"Latin1", u"Caf\u00E9", "43 61 66 E9 00"},
        EncodeCase{"ShownStandIns", u".'-", "2E 27 2D 00"},
        EncodeCase{"LastLatin1", u"\u00A1\u00AC\u00AE\u00FF~ ", "A1 AC AE FF 7E 20 00"},
        EncodeCase{"DoubleQuote", u"\"", "2E 00"}, EncodeCase{"Tab", u"\t", "2E 00"},
        EncodeCase{"Delete", u"\u007F", "2E 00"}, EncodeCase{"SoftHyphen", u"\u00AD", "2E 00"},
        EncodeCase{"NoBreakSpace", u"\u00A0", "2E 00"}, EncodeCase{"Euro", u"\u20AC", "2E 00"},
        EncodeCase{"AboveLatin1", u"\u0161\uFFFF", "2E 2E 00"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(EncodeDeviceText, ATextThatDoesNotFitIsNotWrittenAtAll) {
    Bytes block(4, 0xEE);
    std::size_t position = 1;
    EXPECT_FALSE(EncodeDeviceText(u"abc", block, position)) << "3 characters and 0x00 need 4";
    EXPECT_EQ(position, 1u);
    EXPECT_EQ(block, Hex("EE EE EE EE"));
    EXPECT_TRUE(EncodeDeviceText(u"ab", block, position));
    EXPECT_EQ(block, Hex("EE 61 62 00"));
    position = 9;
    EXPECT_FALSE(EncodeDeviceText(u"", block, position)) << "position beyond the block";
}

struct DecodeCase {
    const char* bytes;
    std::u16string text;
    std::size_t position;  // after decoding from 0
};

class DecodeDeviceTextTest : public testing::TestWithParam<DecodeCase> {};

TEST_P(DecodeDeviceTextTest, ReadsUpToAndIncludingTheTerminator) {
    const Bytes bytes = Hex(GetParam().bytes);
    std::size_t position = 0;
    EXPECT_EQ(DecodeDeviceText(bytes, position), GetParam().text);
    EXPECT_EQ(position, GetParam().position);
}

INSTANTIATE_TEST_SUITE_P(
    DeviceBytes, DecodeDeviceTextTest,
    testing::Values(DecodeCase{"00", u"", 1}, DecodeCase{"00 41 00", u"", 1},
                    DecodeCase{"43 61 66 E9 00", u"Caf\u00E9", 5},
                    DecodeCase{"0A 7F 80 9F A0 00", u".....", 6},
                    DecodeCase{"22 AD A1 FF 00", u"'-\u00A1\u00FF", 5},
                    // Without a terminator the text ends with the received bytes.
                    DecodeCase{"41 42", u"AB", 2}, DecodeCase{"", u"", 0}));

TEST(DecodeDeviceText, TwoTextsInARowAndAPositionPastTheEnd) {
    const Bytes bytes = Hex("41 00 42 43 00");
    std::size_t position = 0;
    EXPECT_EQ(DecodeDeviceText(bytes, position), u"A");
    EXPECT_EQ(DecodeDeviceText(bytes, position), u"BC");
    EXPECT_EQ(position, bytes.size());
    position = 7;
    EXPECT_EQ(DecodeDeviceText(bytes, position), u"");
    EXPECT_EQ(position, 7u);
}

TEST(DeviceText, ADoubleQuoteFromTheDeviceGoesBackAsAnApostrophe) {
    const Bytes device = Hex("22 4F 4B 22 00");
    std::size_t position = 0;
    const std::u16string text = DecodeDeviceText(device, position);
    Bytes again(device.size());
    position = 0;
    ASSERT_TRUE(EncodeDeviceText(text, again, position));
    EXPECT_EQ(again, Hex("27 4F 4B 27 00"));
}

}  // namespace
}  // namespace vemo
