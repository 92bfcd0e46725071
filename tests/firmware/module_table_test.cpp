#include "firmware/module_table.h"

#include <gtest/gtest.h>

#include "firmware/package_text.h"

namespace vemo {
namespace {

TEST(ModuleTable, FieldsInTheirOrder) {
    const ModuleTable table = ParseModuleTable(
        "768 4 4 1447382351 8 24 L System sys.bin 0123456789abcdef0123456789ABCDEF\n");
    ASSERT_EQ(table.size(), 1u);
    const ModuleEntry& entry = table[0];
    EXPECT_EQ(entry.moduleId, 768);
    EXPECT_EQ(entry.idOffset, 4);
    EXPECT_EQ(entry.idLength, 4);
    EXPECT_EQ(entry.idValue, 0x56454D4Fu);
    EXPECT_EQ(entry.versionOffset, 8);
    EXPECT_EQ(entry.version, 24);
    EXPECT_TRUE(entry.lengthPrefixed);
    EXPECT_EQ(entry.label, "System");
    EXPECT_EQ(entry.fileName, "sys.bin");
    EXPECT_EQ(entry.digest, "0123456789ABCDEF0123456789ABCDEF");
    EXPECT_FALSE(entry.needsUpdate);
}

TEST(ModuleTable, CuttingRules) {
    struct Case {
        const char* line;
        const char* label;
        const char* fileName;
        const char* digest;
        bool lengthPrefixed;
    };
    const Case kCases[] = {
        {"1 0 0 0 0 0 - A a.bin D", "A", "a.bin", "D", false},
        {"   1   0 0 0 0 0   -   A   a.bin   D   ", "A", "a.bin", "D", false},  // runs of spaces
        {"1 0 0 0 0 0 xLx A a.bin D", "A", "a.bin", "D", true},                 // "L" anywhere
        {"1 0 0 0 0 0 l A a.bin D", "A", "a.bin", "D", false},                  // only capital L
        {"1 0 0 0 0 0 - A\ta.bin D", "A\ta.bin", "D", "", false},               // a tab is text
        {"1 0 0 0 0 0 - A", "A", "", "", false},                                // missing fields
        {"1 0 0 0 0 0 - A a.bin D extra words", "A", "a.bin", "D", false},      // beyond the tenth
        {"1 0 0 0 0 0 - A a.bin d\r", "A", "a.bin", "D", false},                // CR LF line end
    };
    for (const Case& c : kCases) {
        const ModuleTable table = ParseModuleTable(std::string(c.line) + "\n");
        ASSERT_EQ(table.size(), 1u) << c.line;
        EXPECT_EQ(table[0].label, c.label) << c.line;
        EXPECT_EQ(table[0].fileName, c.fileName) << c.line;
        EXPECT_EQ(table[0].digest, c.digest) << c.line;
        EXPECT_EQ(table[0].lengthPrefixed, c.lengthPrefixed) << c.line;
    }
}

TEST(ModuleTable, NumbersAreLeadingDecimalsCutToTheirFieldTypes) {
    const ModuleTable table = ParseModuleTable(
        "65537 -3 260 -1 12abc 0x18 - A a.bin D\n"
        "x +5 0 99999999999 - 255 - A a.bin D\n");
    ASSERT_EQ(table.size(), 2u);
    EXPECT_EQ(table[0].moduleId, 1) << "low 16 bits";
    EXPECT_EQ(table[0].idOffset, -3);
    EXPECT_EQ(table[0].idLength, 4) << "260 as an unsigned byte";
    EXPECT_EQ(table[0].idValue, 0xFFFFFFFFu);
    EXPECT_EQ(table[0].versionOffset, 12);
    EXPECT_EQ(table[0].version, 0) << "no hexadecimal";
    EXPECT_EQ(table[1].moduleId, 0);
    EXPECT_EQ(table[1].idOffset, 5);
    EXPECT_EQ(table[1].idValue, 0x7FFFFFFFu) << "stops at the 32-bit limit";
    EXPECT_EQ(table[1].version, 255);
}

TEST(ModuleTable, ReadingStops) {
    const std::string line = "1 0 0 0 0 0 - A a.bin D\n";
    std::string seven;
    for (int i = 0; i < 7; ++i) {
        seven += line;
    }
    EXPECT_EQ(ParseModuleTable(seven).size(), 5u) << "five entries at most";
    EXPECT_EQ(ParseModuleTable(line + line + "\n" + line).size(), 2u) << "at an empty line";
    EXPECT_EQ(ParseModuleTable(line + line + "\r\n" + line).size(), 2u) << "CR LF empty line";
    EXPECT_EQ(ParseModuleTable("\n" + line).size(), 0u) << "empty first line";
    EXPECT_EQ(ParseModuleTable("").size(), 0u);
    EXPECT_EQ(ParseModuleTable(line + "1 0 0 0 0 0 - A a.bin D").size(), 2u)
        << "a last line without line feed counts";
    EXPECT_EQ(ParseModuleTable(line + " \n" + line).size(), 3u) << "a line of spaces is not empty";
}

TEST(DigestLine, FirstLineUpperCasedAndNothingElseRemoved) {
    EXPECT_EQ(ParseDigestLine("0123456789abcdef0123456789abcdef\nrest"),
              "0123456789ABCDEF0123456789ABCDEF");
    EXPECT_EQ(ParseDigestLine("0123456789abcdef0123456789abcdef\r\n"),
              "0123456789ABCDEF0123456789ABCDEF");
    EXPECT_EQ(ParseDigestLine("0123456789abcdef0123456789abcdef \n"),
              "0123456789ABCDEF0123456789ABCDEF ");
    EXPECT_EQ(ParseDigestLine(" 0123456789abcdef0123456789abcdef"),
              " 0123456789ABCDEF0123456789ABCDEF");
    EXPECT_EQ(ParseDigestLine(""), "");
}

}  // namespace
}  // namespace vemo
