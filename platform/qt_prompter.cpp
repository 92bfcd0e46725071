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
    QFileDialog dialog(QApplication::activeWindow(), title, folder, filter);
    // Saving confirms overwriting; no default suffix is added.
    dialog.setAcceptMode(request.save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    // The caller completes a name with its extension, so opening takes a name as typed
    // ("setup" for setup.tmc) rather than insisting that it exists; a missing file is then the
    // caller's read error.
    dialog.setFileMode(QFileDialog::AnyFile);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty() ||
        dialog.selectedFiles().constFirst().isEmpty()) {
        return std::nullopt;
    }
    return std::filesystem::path(dialog.selectedFiles().constFirst().toStdU16String());
}

}  // namespace vemo
