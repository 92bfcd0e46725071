#include "params/panel/c_setting.h"

#include <QGroupBox>
#include <QLabel>
#include <QTimerEvent>
#include <array>
#include <utility>

#include "app/dialog_control.h"
#include "app/startup_values.h"
#include "app/translations.h"
#include "ui_template_129_settings_panel.h"

namespace vemo {

namespace {

// Labels that speak the interface language: control id and the translation row, in the
// order they are set. Rows 24 and 25 serve both the network and the service fields.
constexpr std::array<std::pair<int, int>, 24> kTranslatedLabels = {{
    {1016, 9},  {1017, 10}, {1023, 11}, {1027, 12}, {1031, 13}, {1033, 14}, {1037, 15}, {1038, 16},
    {1039, 17}, {1040, 18}, {1041, 19}, {1042, 20}, {1043, 21}, {1045, 22}, {1062, 23}, {1046, 24},
    {1047, 25}, {1048, 26}, {1049, 24}, {1050, 25}, {1051, 27}, {1052, 28}, {1053, 29}, {1054, 30},
}};

// A label is a static text, or the title of a group box (Network, Service).
void SetCaption(QWidget& control, const QString& text) {
    if (auto* group = qobject_cast<QGroupBox*>(&control)) {
        group->setTitle(text);
    } else if (auto* label = qobject_cast<QLabel*>(&control)) {
        label->setText(text);
    }
}

}  // namespace

CSetting::CSetting(const StartupValues& startup, QWidget* parent)
    : QWidget(parent), ui_(std::make_unique<Ui::Template129>()), startup_(startup) {
    ui_->setupUi(this);
    fullSize_ = size();
    hide();
}

CSetting::~CSetting() = default;

void CSetting::FirstSetUp() {
    TranslateLabels();
}

void CSetting::TranslateLabels() {
    for (const auto& [controlId, messageId] : kTranslatedLabels) {
        if (QWidget* control = FindControl(*this, controlId)) {
            SetCaption(*control,
                       QString::fromStdU16String(Translate(messageId, startup_.UiLanguage)));
        }
    }
}

void CSetting::SetUpForDevice(const DeviceIdentity& /*identity*/) {
    show();
    timers_.Arm(kCycleTimer, kFirstCyclePeriod);
}

void CSetting::StopTimer() {
    timers_.Stop(kCycleTimer);
}

int CSetting::UpperAreaHeight() const {
    return ui_->idc1072->height();
}

void CSetting::OnTimer(int id) {
    timers_.Stop(id);
    // The apply-and-poll cycle runs here and arms the next tick.
}

void CSetting::timerEvent(QTimerEvent* event) {
    if (!timers_.Deliver(event->timerId(), [this](int id) { OnTimer(id); })) {
        QWidget::timerEvent(event);
    }
}

}  // namespace vemo
