#include "storage/iq_codec.h"

#include <gtest/gtest.h>

#include <limits>

#include "storage/iq_cell_edit.h"
#include "support/bytes.h"

namespace vemo {
namespace {

using test::Bytes;
using test::Hex;

IqTable TableOf(std::initializer_list<IqPoint> points) {
    IqTable table;
    std::ranges::copy(points, table.rows.begin());
    table.count = static_cast<int>(points.size());
    return table;
}

IqTable FullTable() {
    IqTable table;
    table.count = IqTable::kCapacity;
    for (int i = 0; i < IqTable::kCapacity; ++i) {
        table.rows[i] = {177 + 7 * i, i - 50, 40 - i};
    }
    return table;
}

TEST(IqCodec, AnEmptyTableIsTheSignatureAndACountOfZero) {
    EXPECT_EQ(EncodeIqBlock(IqTable{}), Hex("50 46 5A 4A 00"));
    EXPECT_EQ(EncodeIqFile(IqTable{}), Hex("00"));
    EXPECT_EQ(DecodeIqFile(Hex("00")), IqTable{});
}

TEST(IqCodec, RowsAreFrequencyThenCorrectionsOffsetBy10000) {
    const IqTable table = TableOf({{474, -12, 0}, {858, 3, -3}});
    EXPECT_EQ(EncodeIqBlock(table), Hex("50 46 5A 4A 02  DA 01 04 27 10 27  5A 03 13 27 0D 27"));
    EXPECT_EQ(EncodeIqFile(table), Hex("02  DA 01 04 27 10 27  5A 03 13 27 0D 27"));
}

struct CorrectionCase {
    std::int32_t value;
    const char* field;
    std::int32_t readBack;
};

class IqCorrectionTest : public testing::TestWithParam<CorrectionCase> {};

TEST_P(IqCorrectionTest, EncodesAsItsOffsetLow16BitsAndReadsBackInRange) {
    const IqTable table = TableOf({{0, GetParam().value, GetParam().value}});
    const Bytes field = Hex(GetParam().field);
    EXPECT_EQ(EncodeIqFile(table), test::Concat(Hex("01 00 00"), test::Concat(field, field)));
    const std::optional<IqTable> back = DecodeIqFile(EncodeIqFile(table));
    ASSERT_TRUE(back);
    EXPECT_EQ(back->rows[0].dAmp, GetParam().readBack);
    EXPECT_EQ(back->rows[0].dPhi, GetParam().readBack);
}

INSTANTIATE_TEST_SUITE_P(
    Corrections, IqCorrectionTest,
    testing::Values(CorrectionCase{-12, "04 27", -12}, CorrectionCase{0, "10 27", 0},
                    CorrectionCase{-10000, "00 00", -10000},
                    CorrectionCase{65535 - 10000, "FF FF", 55535},
                    CorrectionCase{65536 - 10000, "00 00", -10000},
                    CorrectionCase{-10001, "FF FF", 55535},
                    CorrectionCase{std::numeric_limits<std::int32_t>::max(), "0F 27", -1},
                    CorrectionCase{std::numeric_limits<std::int32_t>::min(), "10 27", 0}));

TEST(IqCodec, FrequenciesTravelAsUnsigned16Bits) {
    const std::optional<IqTable> back =
        DecodeIqFile(EncodeIqFile(TableOf({{65535, 0, 0}, {65536 + 474, 0, 0}})));
    ASSERT_TRUE(back);
    EXPECT_EQ(back->rows[0].frequency, 65535);
    EXPECT_EQ(back->rows[1].frequency, 474);
}

TEST(IqCodec, AFileOfNRowsIs1Plus6NBytesAndLoadsBackEqual) {
    for (const IqTable& table : {IqTable{}, TableOf({{474, -12, 7}}), FullTable()}) {
        const Bytes file = EncodeIqFile(table);
        EXPECT_EQ(file.size(), 1 + 6u * static_cast<std::size_t>(table.count));
        EXPECT_EQ(DecodeIqFile(file), table);
    }
}

TEST(IqCodec, FilesThatHoldFewerRowsThanTheirCountOrTooManyAreRefused) {
    const Bytes full = EncodeIqFile(FullTable());
    EXPECT_FALSE(DecodeIqFile({}));
    EXPECT_FALSE(DecodeIqFile(Bytes(full.begin(), full.end() - 1)));
    EXPECT_FALSE(DecodeIqFile(Hex("01 DA 01 10 27")));
    Bytes tooMany = test::Concat(full, Bytes(6, 0));
    tooMany[0] = 101;
    EXPECT_FALSE(DecodeIqFile(tooMany));
    // Bytes after the rows play no part.
    EXPECT_EQ(DecodeIqFile(test::Concat(Hex("01 DA 01 10 27 10 27"), Hex("FF FF"))),
              TableOf({{474, 0, 0}}));
}

TEST(IqCodec, ABlockHeadNeedsTheSignatureAndACountTheTableHolds) {
    EXPECT_EQ(IqBlockCount(Hex("50 46 5A 4A 64")), 100);
    EXPECT_EQ(IqBlockCount(Hex("50 46 5A 4A 00")), 0);
    EXPECT_FALSE(IqBlockCount(Hex("50 46 5A 4A 65")));
    EXPECT_FALSE(IqBlockCount(Hex("50 46 5A 4B 01")));
    EXPECT_FALSE(IqBlockCount(Hex("50 46 5A 4A")));
}

struct CellCase {
    const char16_t* typed;
    std::int32_t value;
};

class CellValueTest : public testing::TestWithParam<CellCase> {};

TEST_P(CellValueTest, ReadsAsPercentD) {
    EXPECT_EQ(ParseCellValue(GetParam().typed), GetParam().value);
}

INSTANTIATE_TEST_SUITE_P(
    Typed, CellValueTest,
    testing::Values(CellCase{u"12abc", 12}, CellCase{u"abc", 0}, CellCase{u"", 0},
                    CellCase{u"  -42", -42}, CellCase{u"\t+7", 7}, CellCase{u"-", 0},
                    CellCase{u"1 2", 1}, CellCase{u"007", 7}, CellCase{u"- 5", 0},
                    CellCase{u"99999999999", std::numeric_limits<std::int32_t>::max()},
                    CellCase{u"-2147483648", std::numeric_limits<std::int32_t>::min()},
                    CellCase{u"-99999999999", std::numeric_limits<std::int32_t>::min()}));

TEST(IqCellEdit, TheTextBecomesTheCorrectionOfItsColumn) {
    IqTable table = TableOf({{474, 1, 2}, {522, 3, 4}});
    EXPECT_TRUE(ApplyCellEdit(table, 1, kIqColumnDAmp, u"-12abc"));
    EXPECT_TRUE(ApplyCellEdit(table, 0, kIqColumnDPhi, u"9"));
    EXPECT_EQ(table, TableOf({{474, 1, 9}, {522, -12, 4}}));

    const IqTable before = table;
    EXPECT_FALSE(ApplyCellEdit(table, 0, kIqColumnDAmp, std::nullopt)) << "Escape";
    EXPECT_FALSE(ApplyCellEdit(table, 0, kIqColumnFrequency, u"100"));
    EXPECT_FALSE(ApplyCellEdit(table, 0, kIqColumnHidden, u"100"));
    EXPECT_FALSE(ApplyCellEdit(table, 2, kIqColumnDAmp, u"100")) << "a row the table lacks";
    EXPECT_FALSE(ApplyCellEdit(table, -1, kIqColumnDAmp, u"100"));
    EXPECT_EQ(table, before);
    EXPECT_EQ(table.rows[2], IqPoint{});
}

}  // namespace
}  // namespace vemo
