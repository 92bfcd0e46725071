#pragma once

#include <QLineEdit>
#include <functional>
#include <optional>
#include <string>

class QAbstractItemView;

namespace vemo {

// An edit field laid over one cell of a list, so a value is changed where it is shown. Enter
// ends the edit with the typed text, Escape ends it without; a click elsewhere ends it as Enter
// does. The end is reported once; then the editor goes away by itself.
class CInPlaceEdit final : public QLineEdit {
public:
    // The row and column of the ended edit, and its text; nothing when Escape cancelled it.
    using EditEnded =
        std::function<void(int item, int subItem, std::optional<std::u16string> text)>;

    // Opens over `cell` (in the list's viewport) in the list's font, showing `initialText`
    // wholly selected, and takes the focus. Made with new; it deletes itself.
    CInPlaceEdit(QAbstractItemView& list, int item, int subItem, const QString& initialText,
                 const QRect& cell, EditEnded ended);

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

private:
    // A number longer than the cell widens the editor, up to the list's right edge.
    void WidenToText();
    void EndEdit();

    QAbstractItemView& list_;
    int item_;
    int subItem_;
    bool escapePressed_ = false;
    bool editEnded_ = false;
    EditEnded ended_;
};

}  // namespace vemo
