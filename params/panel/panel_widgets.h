#pragma once

#include "params/panel_fields.h"

class QWidget;

namespace vemo {

// The settings panel's lists, sliders and fields, found by control id among `panel`'s children.
// A missing control reads as empty and takes nothing.
class PanelWidgets final : public PanelControls {
public:
    explicit PanelWidgets(QWidget& panel) : panel_(panel) {}

    int Selection(int id) const override;
    void Select(int id, int index) override;
    // The slider's own position, which leads its value while a scroll action is under way.
    int Position(int id) const override;
    void SetPosition(int id, int position) override;
    std::u16string Text(int id) const override;
    // A text longer than its field takes is still shown whole; typing cannot lengthen it.
    void SetText(int id, std::u16string_view text) override;

private:
    QWidget& panel_;
};

}  // namespace vemo
