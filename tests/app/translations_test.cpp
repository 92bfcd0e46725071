#include "app/translations.h"

#include <gtest/gtest.h>

#include "app/startup_values.h"

namespace vemo {
namespace {

TEST(Translate, TakesTheRowAndTheLanguageColumn) {
    struct Case {
        int id;
        int language;
        std::u16string text;
    };
    const Case cases[] = {
        {kMsgWaitingConnection, kPolish, u"Oczekujące połączenie..."},
        {kMsgHardwareConnected, kFrench, u"Matériel connecté"},
        {kMsgUpgradeToRelease, kEnglish, u"upgrade to release "},  // trailing space kept
        {kMsgVerifying, kGerman, u"Überprüfung..."},
        {26, kEnglish, u"Service"},
        {26, kPolish, u"Program"},
        {27, kFrench, u"L.C.N :"},
        {29, kEnglish, u"Video PID:"},
        {30, kSpanish, u"Audio PID :"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(Translate(c.id, c.language), c.text) << c.id << "/" << c.language;
    }
}

TEST(Translate, EveryCellHasText) {
    for (int id = 0; id < kMessageCount; ++id) {
        for (int language = 0; language < kLanguageCount; ++language) {
            EXPECT_FALSE(Translate(id, language).empty()) << id << "/" << language;
        }
    }
}

}  // namespace
}  // namespace vemo
