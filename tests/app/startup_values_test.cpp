#include "app/startup_values.h"

#include <gtest/gtest.h>

#include <fstream>

namespace vemo {
namespace {

namespace fs = std::filesystem;

class StartupValuesTest : public testing::Test {
protected:
    void SetUp() override {
        base =
            fs::temp_directory_path() /
            ("vemo-startup-" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) +
             "-" + ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(base);
        fs::create_directories(base);
    }
    void TearDown() override { fs::remove_all(base); }

    void WritePref(const std::string& bytes) {
        std::ofstream(base / "pref.txt", std::ios::binary) << bytes;
    }

    fs::path base;
};

TEST_F(StartupValuesTest, NoPreferenceFilesMeansEnglishAndNoManufacturerMode) {
    const StartupValues values = LoadStartupValues(base);
    EXPECT_EQ(values.BaseDirectory, base);
    EXPECT_EQ(values.FirmwareDirectory, base / "firmware");
    EXPECT_FALSE(values.ManufacturerMode);
    EXPECT_EQ(values.UiLanguage, kEnglish);
}

TEST_F(StartupValuesTest, EmptyManufacturerMarkerTurnsManufacturerModeOn) {
    fs::create_directories(base / "firmware");
    std::ofstream(base / "firmware" / "manufacturer.txt").close();
    EXPECT_TRUE(LoadStartupValues(base).ManufacturerMode);
}

TEST_F(StartupValuesTest, LanguageComesFromTheFirstTwoCharactersOfTheFirstLine) {
    struct Case {
        std::string content;
        int language;
    };
    const Case cases[] = {
        {"EN\n", kEnglish},
        {"FR", kFrench},
        {"IT\r\n", kItalian},
        {"DE and more\nFR\n", kGerman},
        {"PO\n", kPolish},
        {"ES", kSpanish},
        {"ENGLISH\n", kEnglish},
        {"fr\n", kEnglish},
        {" FR\n", kEnglish},
        {"F\n", kEnglish},
        {"", kEnglish},
        {"\nFR\n", kEnglish},
        {"\xEF\xBB\xBF"
         "FR\n",
         kEnglish},  // UTF-8 byte-order mark
        {std::string("\xFF\xFE"
                     "F\0R\0",
                     6),
         kEnglish},  // UTF-16
    };
    for (const Case& c : cases) {
        WritePref(c.content);
        EXPECT_EQ(LoadStartupValues(base).UiLanguage, c.language) << '"' << c.content << '"';
    }
}

TEST_F(StartupValuesTest, BaseEndingInASeparatorStillFindsItsFiles) {
    // A drive root comes back with its separator; joining must not lose the files.
    fs::create_directories(base / "firmware");
    std::ofstream(base / "firmware" / "manufacturer.txt").close();
    WritePref("IT\n");
    const StartupValues values = LoadStartupValues(base.string() + "/");
    EXPECT_TRUE(values.ManufacturerMode);
    EXPECT_EQ(values.UiLanguage, kItalian);
}

}  // namespace
}  // namespace vemo
