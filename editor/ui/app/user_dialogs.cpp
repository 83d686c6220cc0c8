#include "editor/ui/app/user_dialogs.h"

#include <QCoreApplication>
#include <QFileDialog>
#include <QMessageBox>
#include <QPushButton>

#include "editor/ui/app/about_dialog.h"
#include "editor/ui/app/new_document_dialog.h"

namespace keyui::app {

namespace {

QString runFileDialog(QWidget* parent, const FileDialogRequest& request, QFileDialog::AcceptMode mode) {
    QFileDialog dialog(parent, request.title, request.startFolder, request.filter);
    dialog.setAcceptMode(mode);
    dialog.setFileMode(mode == QFileDialog::AcceptOpen ? QFileDialog::ExistingFile : QFileDialog::AnyFile);
    dialog.setDefaultSuffix(request.defaultSuffix);
    dialog.setOption(QFileDialog::DontConfirmOverwrite, false);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return {};
    return dialog.selectedFiles().front();
}

}  // namespace

QString applicationTitle() { return QtUserDialogs::tr("Vyrn Layomat"); }

QString QtUserDialogs::openFileName(QWidget* parent, const FileDialogRequest& request) {
    return runFileDialog(parent, request, QFileDialog::AcceptOpen);
}

QString QtUserDialogs::saveFileName(QWidget* parent, const FileDialogRequest& request) {
    return runFileDialog(parent, request, QFileDialog::AcceptSave);
}

void QtUserDialogs::showError(QWidget* parent, const QString& text) {
    QMessageBox::warning(parent, applicationTitle(), text);
}

SaveAnswer QtUserDialogs::askToSave(QWidget* parent, const QString& documentTitle) {
    QMessageBox box(QMessageBox::Question, applicationTitle(), tr("Änderungen in %1 speichern?").arg(documentTitle),
                    QMessageBox::Save | QMessageBox::Discard | QMessageBox::Cancel, parent);
    box.button(QMessageBox::Save)->setText(tr("&Ja"));
    box.button(QMessageBox::Discard)->setText(tr("&Nein"));
    box.button(QMessageBox::Cancel)->setText(tr("Abbrechen"));
    box.setDefaultButton(QMessageBox::Save);
    switch (box.exec()) {
        case QMessageBox::Save:
            return SaveAnswer::Save;
        case QMessageBox::Discard:
            return SaveAnswer::Discard;
        default:
            return SaveAnswer::Cancel;
    }
}

std::optional<kbxdoc::NewDocumentChoice> QtUserDialogs::chooseNewDocument(QWidget* parent) {
    NewDocumentDialog dialog(parent);
    if (dialog.exec() != QDialog::Accepted) return std::nullopt;
    return dialog.choice();
}

void QtUserDialogs::showAbout(QWidget* parent) {
    AboutDialog dialog(parent);
    dialog.exec();
}

}  // namespace keyui::app
