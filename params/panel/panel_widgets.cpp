#include "params/panel/panel_widgets.h"

#include <QComboBox>
#include <QLineEdit>
#include <QSlider>
#include <algorithm>

#include "app/dialog_control.h"

namespace vemo {

int PanelWidgets::Selection(int id) const {
    const auto* list = FindControl<QComboBox>(panel_, id);
    return list != nullptr ? list->currentIndex() : -1;
}

void PanelWidgets::Select(int id, int index) {
    if (auto* list = FindControl<QComboBox>(panel_, id)) {
        list->setCurrentIndex(index >= 0 && index < list->count() ? index : -1);
    }
}

int PanelWidgets::Position(int id) const {
    const auto* slider = FindControl<QSlider>(panel_, id);
    return slider != nullptr ? slider->sliderPosition() : 0;
}

void PanelWidgets::SetPosition(int id, int position) {
    if (auto* slider = FindControl<QSlider>(panel_, id)) {
        slider->setValue(position);
    }
}

std::u16string PanelWidgets::Text(int id) const {
    const auto* field = FindControl<QLineEdit>(panel_, id);
    return field != nullptr ? field->text().toStdU16String() : std::u16string();
}

void PanelWidgets::SetText(int id, std::u16string_view text) {
    auto* field = FindControl<QLineEdit>(panel_, id);
    if (field == nullptr) {
        return;
    }
    const QString shown = QString::fromUtf16(text.data(), static_cast<qsizetype>(text.size()));
    if (const ControlBinding* binding = FindBinding(id);
        binding != nullptr && binding->kind == ControlKind::Text) {
        field->setMaxLength(std::max(binding->high, static_cast<std::int32_t>(shown.size())));
    }
    field->setText(shown);
}

}  // namespace vemo
