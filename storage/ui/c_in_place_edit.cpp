#include "storage/ui/c_in_place_edit.h"

#include <QAbstractItemView>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QStyle>
#include <algorithm>
#include <utility>

namespace vemo {

namespace {

// Room beyond the text so the caret after the last digit stays in view.
constexpr int kTextRoom = 5;
// QLineEdit keeps this margin between its frame and the text on either side.
constexpr int kLineEditMargin = 2;

}  // namespace

CInPlaceEdit::CInPlaceEdit(QAbstractItemView& list, int item, int subItem,
                           const QString& initialText, const QRect& cell, EditEnded ended)
    : QLineEdit(list.viewport()),
      list_(list),
      item_(item),
      subItem_(subItem),
      ended_(std::move(ended)) {
    setFont(list.font());
    setGeometry(cell);
    setText(initialText);
    selectAll();
    connect(this, &QLineEdit::textEdited, this, &CInPlaceEdit::WidenToText);
    show();
    setFocus(Qt::OtherFocusReason);
}

void CInPlaceEdit::keyPressEvent(QKeyEvent* event) {
    // Taken here, so they end the edit rather than reach the panel's or the window's handling.
    switch (event->key()) {
        case Qt::Key_Escape:
            escapePressed_ = true;
            [[fallthrough]];
        case Qt::Key_Return:
        case Qt::Key_Enter:
            event->accept();
            list_.setFocus(Qt::OtherFocusReason);
            return;
        default:
            QLineEdit::keyPressEvent(event);
    }
}

void CInPlaceEdit::focusOutEvent(QFocusEvent* event) {
    QLineEdit::focusOutEvent(event);
    // The field's own context menu takes the focus for a moment; the edit goes on.
    if (event->reason() != Qt::PopupFocusReason) {
        EndEdit();
    }
}

void CInPlaceEdit::WidenToText() {
    const int frame = style()->pixelMetric(QStyle::PM_DefaultFrameWidth, nullptr, this);
    const int needed =
        fontMetrics().horizontalAdvance(text()) + kTextRoom + 2 * (frame + kLineEditMargin);
    if (width() >= needed) {
        return;
    }
    const int room = list_.viewport()->width() - x();
    const int widened = std::min(needed, room);
    if (widened > width()) {
        resize(widened, height());
    }
}

void CInPlaceEdit::EndEdit() {
    if (editEnded_) {
        return;
    }
    editEnded_ = true;
    std::optional<std::u16string> typed;
    if (!escapePressed_) {
        typed = text().toStdU16String();
    }
    deleteLater();
    // The receiver may write to the device for a while; nothing of this object is used after.
    const EditEnded ended = std::move(ended_);
    ended(item_, subItem_, std::move(typed));
}

}  // namespace vemo
