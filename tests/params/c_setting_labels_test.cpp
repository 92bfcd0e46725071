#include <gtest/gtest.h>

#include <QGroupBox>
#include <QLabel>

#include "app/dialog_control.h"
#include "app/startup_values.h"
#include "app/translations.h"
#include "params/panel/c_setting.h"
#include "support/panel_rig.h"

namespace vemo {
namespace {

QString Caption(const CSetting& panel, int id) {
    const QWidget* control = FindControl(panel, id);
    if (const auto* group = qobject_cast<const QGroupBox*>(control)) {
        return group->title();
    }
    if (const auto* label = qobject_cast<const QLabel*>(control)) {
        return label->text();
    }
    return QStringLiteral("<no label %1>").arg(id);
}

QString Text(const char16_t* text) {
    return QString::fromUtf16(text);
}

TEST(SettingsPanelLabels, SpeakTheInterfaceLanguage) {
    // Label control and the translation row it shows.
    const std::pair<int, int> labels[] = {
        {1016, 9},  {1017, 10}, {1023, 11}, {1027, 12}, {1031, 13}, {1033, 14},
        {1037, 15}, {1038, 16}, {1039, 17}, {1040, 18}, {1041, 19}, {1042, 20},
        {1043, 21}, {1045, 22}, {1062, 23}, {1046, 24}, {1047, 25}, {1048, 26},
        {1049, 24}, {1050, 25}, {1051, 27}, {1052, 28}, {1053, 29}, {1054, 30},
    };
    for (int language = kEnglish; language <= kSpanish; ++language) {
        test::PanelRig rig;
        rig.startup.UiLanguage = language;
        CSetting panel(rig.Context());
        panel.FirstSetUp();
        for (const auto& [control, row] : labels) {
            EXPECT_EQ(Caption(panel, control), QString::fromStdU16String(Translate(row, language)))
                << "control " << control << ", language " << language;
        }
        EXPECT_EQ(Caption(panel, 1067), "Vers. :") << "a label the table does not cover";
    }
}

TEST(SettingsPanelLabels, TextsThatAreEasyToGetWrong) {
    struct Case {
        int language;
        int control;
        const char16_t* text;
    };
    const Case cases[] = {
        {kEnglish, 1048, u"Service"},      {kEnglish, 1053, u"Video PID:"},
        {kEnglish, 1054, u"Audio PID :"},  {kEnglish, 1033, u"Freq. (kHz) :"},
        {kPolish, 1048, u"Program"},       {kFrench, 1051, u"L.C.N :"},
        {kPolish, 1033, u"Czest. (khz):"}, {kGerman, 1045, u"Netzwerk"},
    };
    for (const Case& c : cases) {
        test::PanelRig rig;
        rig.startup.UiLanguage = c.language;
        CSetting panel(rig.Context());
        panel.FirstSetUp();
        EXPECT_EQ(Caption(panel, c.control), Text(c.text)) << c.control << "/" << c.language;
    }
}

}  // namespace
}  // namespace vemo
