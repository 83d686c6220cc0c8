#pragma once

// The questions the editor asks the user in file dialogs and message boxes,
// behind one interface: the Qt dialogs in the program, scripted answers in
// tests, so nothing ever waits on a modal dialog there.

#include <optional>

#include <QCoreApplication>
#include <QString>

#include "editor/document/new_document.h"

class QWidget;

namespace keyui::app {

struct FileDialogRequest {
    QString title;
    QString startFolder;
    QString filter;         // "Keyboard (*.kbf)"
    QString defaultSuffix;  // without the dot
};

enum class SaveAnswer { Save, Discard, Cancel };

class UserDialogs {
public:
    virtual ~UserDialogs() = default;
    // The chosen existing file, or empty when cancelled.
    virtual QString openFileName(QWidget* parent, const FileDialogRequest& request) = 0;
    // The chosen file to write (overwriting confirmed), or empty.
    virtual QString saveFileName(QWidget* parent, const FileDialogRequest& request) = 0;
    virtual void showError(QWidget* parent, const QString& text) = 0;
    // Save the changes of the document with that title?
    virtual SaveAnswer askToSave(QWidget* parent, const QString& documentTitle) = 0;
    // The new-document dialog 152; nothing when cancelled.
    virtual std::optional<kbxdoc::NewDocumentChoice> chooseNewDocument(QWidget* parent) = 0;
    virtual void showAbout(QWidget* parent) = 0;
};

// The real dialogs.
class QtUserDialogs : public UserDialogs {
    Q_DECLARE_TR_FUNCTIONS(keyui::app::QtUserDialogs)
public:
    QString openFileName(QWidget* parent, const FileDialogRequest& request) override;
    QString saveFileName(QWidget* parent, const FileDialogRequest& request) override;
    void showError(QWidget* parent, const QString& text) override;
    SaveAnswer askToSave(QWidget* parent, const QString& documentTitle) override;
    std::optional<kbxdoc::NewDocumentChoice> chooseNewDocument(QWidget* parent) override;
    void showAbout(QWidget* parent) override;
};

// The application's title, the caption of every message box.
QString applicationTitle();

}  // namespace keyui::app
