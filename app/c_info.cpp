#include "app/c_info.h"

#include <QTimerEvent>
#include <algorithm>

#include "ui_template_133_status_panel.h"

namespace vemo {

CInfo::CInfo(Clock& clock, QWidget* parent)
    : QWidget(parent), ui_(std::make_unique<Ui::Template133>()), clock_(clock) {
    ui_->setupUi(this);
    QPalette palette = this->palette();
    for (QPalette::ColorRole role : {QPalette::WindowText, QPalette::Text}) {
        palette.setColor(role, QColor(kTextColour));
    }
    setPalette(palette);
    ui_->idc1000->hide();  // no range yet
    hide();
}

CInfo::~CInfo() = default;

void CInfo::ShowMessage(std::u16string_view text, Milliseconds duration, bool blocking) {
    ui_->idc1055->setText(QString::fromUtf16(text.data(), static_cast<qsizetype>(text.size())));
    timers_.Arm(kClearTimer, duration);
    show();
    // Paint now: the caller may keep the thread busy with the device for seconds.
    repaint();
    if (blocking) {
        clock_.Sleep(std::max(duration, Milliseconds(0)));
    }
}

void CInfo::ShowProgress(int range, int position) {
    QProgressBar& bar = *ui_->idc1000;
    if (range == 0) {
        bar.hide();
        currentRange_ = 0;
        return;
    }
    if (range != currentRange_) {
        bar.setRange(0, range);
        bar.show();
    }
    // Qt ignores a position outside the range; the bar stops at its ends instead.
    bar.setValue(std::clamp(position, bar.minimum(), bar.maximum()));
    currentRange_ = range;
}

void CInfo::OnTimer(int id) {
    timers_.Stop(id);
    ui_->idc1055->clear();
}

void CInfo::timerEvent(QTimerEvent* event) {
    if (!timers_.Deliver(event->timerId(), [this](int id) { OnTimer(id); })) {
        QWidget::timerEvent(event);
    }
}

}  // namespace vemo
