#include "platform/qt_prompter.h"

#include <QApplication>
#include <QFileDialog>
#include <QMessageBox>

namespace vemo {

namespace {

QString ToQString(std::u16string_view text) {
    return QString::fromUtf16(text.data(), static_cast<qsizetype>(text.size()));
}

}  // namespace

void QtPrompter::ShowMessageBox(std::u16string_view text) {
    QMessageBox box(QMessageBox::Warning, QCoreApplication::applicationName(), ToQString(text),
                    QMessageBox::Ok, QApplication::activeWindow());
    box.exec();
}

bool QtPrompter::AskYesNo(std::u16string_view question) {
    QMessageBox box(QMessageBox::Warning, QCoreApplication::applicationName(), ToQString(question),
                    QMessageBox::Yes | QMessageBox::No, QApplication::activeWindow());
    box.setDefaultButton(QMessageBox::No);
    return box.exec() == QMessageBox::Yes;
}

std::optional<std::filesystem::path> QtPrompter::ChooseFile(const FileDialogRequest& request) {
    const QString title = ToQString(request.title);
    const QString folder = ToQString(request.folder.u16string());
    const QString filter = ToQString(request.filterDescription) + QStringLiteral(" (") +
                           ToQString(request.filterPattern) + QStringLiteral(")");
    QWidget* parent = QApplication::activeWindow();
    // Qt's dialogs add no default suffix and confirm overwriting unless told otherwise.
    const QString chosen = request.save
                               ? QFileDialog::getSaveFileName(parent, title, folder, filter)
                               : QFileDialog::getOpenFileName(parent, title, folder, filter);
    if (chosen.isEmpty()) {
        return std::nullopt;
    }
    return std::filesystem::path(chosen.toStdU16String());
}

}  // namespace vemo
