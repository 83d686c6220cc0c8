#pragma once

// The document commands of the file menu: new (with dialog 152), open,
// save with the three-character rule, save as, close, and the question
// before modified documents are discarded. Dialogs and messages go through
// UserDialogs; windows through the DocumentHost (the main window).

#include <memory>
#include <vector>

#include <QCoreApplication>
#include <QString>

#include "editor/ui/core/key_document.h"

class QWidget;

namespace keyui::app {

class RecentFiles;
class UserDialogs;

class DocumentHost {
public:
    virtual ~DocumentHost() = default;
    virtual QWidget* dialogParent() = 0;
    virtual KeyDocument* activeDocument() = 0;
    virtual std::vector<KeyDocument*> openDocuments() = 0;
    // Takes the document and shows it in a new child window.
    virtual KeyDocument& showDocument(std::unique_ptr<KeyDocument> document) = 0;
    // Closes every window of the document without asking; it goes with them.
    virtual void closeDocumentWindows(KeyDocument& document) = 0;
};

// A path longer than three characters whose fourth-last character is "."
// is saved in place; any other (no extension, "Noname") asks for a name.
bool savesInPlace(const QString& path);

QString openFailureText(const QString& path, OpenFailure failure);

// The folder that holds the templates' "LAY/": the program's folder, or in a
// build tree without "LAY/" beside the program, the source tree's data folder.
QString templateFolderOf(const QString& programFolder);

class FileCommands {
    Q_DECLARE_TR_FUNCTIONS(keyui::app::FileCommands)
public:
    // Save as starts in the program folder; templates come from the template folder.
    FileCommands(DocumentHost& host, UserDialogs& dialogs, RecentFiles& recent, QString programFolder,
                 QString templateFolder);

    // 57600: the new-document dialog, then the template as an untitled
    // document or, when it is missing, the built-in layout of the model.
    KeyDocument* newDocument();
    // Opens the file in a new window; on failure a message names the file
    // and the reason, and nothing opens.
    KeyDocument* open(const QString& path);
    KeyDocument* openWithDialog();       // 57601
    bool save(KeyDocument& document);    // 57603
    bool saveAs(KeyDocument& document);  // 57604
    bool close(KeyDocument& document);   // 57602, asks first when modified
    // The save question for a modified document: false when the user
    // cancelled or the save failed.
    bool mayDiscard(KeyDocument& document);
    bool mayDiscardAll();

private:
    bool saveTo(KeyDocument& document, const QString& path);
    bool openTemplate(const std::string& path, bool opos);

    DocumentHost& host_;
    UserDialogs& dialogs_;
    RecentFiles& recent_;
    QString programFolder_;
    QString templateFolder_;
};

}  // namespace keyui::app
