#include "editor/ui/app/file_commands.h"

#include <QCoreApplication>
#include <QDir>

#include <array>

#include "editor/document/catalogue.h"
#include "editor/document/key_table.h"
#include "editor/document/opos_defaults.h"
#include "editor/persist/layout_reader.h"
#include "editor/ui/app/recent_files.h"
#include "editor/ui/app/user_dialogs.h"
#include "editor/ui/core/editor_state.h"
#include "editor/ui/core/installed_data.h"
#include "editor/ui/core/texts.h"

namespace keyui::app {

namespace {

// A path "longer than three characters whose fourth-last character is a
// dot": a name with a three-letter extension.
constexpr qsizetype kShortestPathWithExtension = 4;
constexpr qsizetype kExtensionDotFromEnd = 4;

constexpr const char* kFilter = QT_TRANSLATE_NOOP("keyui::app::FileCommands", "Keyboard (*.kbf)");
constexpr char kSuffix[] = "kbf";

struct FailureText {
    OpenFailure failure;
    const char* reason;
};
constexpr std::array kFailureTexts{
    FailureText{OpenFailure::Missing, QT_TRANSLATE_NOOP("keyui::app::FileCommands", "Die Datei existiert nicht.")},
    FailureText{OpenFailure::Unreadable,
                QT_TRANSLATE_NOOP("keyui::app::FileCommands", "Die Datei kann nicht gelesen werden.")},
    FailureText{OpenFailure::TooLarge,
                QT_TRANSLATE_NOOP("keyui::app::FileCommands", "Die Datei ist zu groß für eine Tastaturbelegung.")},
    FailureText{OpenFailure::NotALayout,
                QT_TRANSLATE_NOOP("keyui::app::FileCommands", "Die Datei enthält keine Tastaturbelegung.")},
};

// The lines of a point-of-sale layout, read into the document as if they
// stood in its file.
void applyOpos(KeyDocument& document) {
    kbxdoc::ActiveContext context = document.documentContext();
    kbxdoc::readOposDefaults(context);
}

}  // namespace

bool savesInPlace(const QString& path) {
    return path.size() >= kShortestPathWithExtension && path[path.size() - kExtensionDotFromEnd] == QLatin1Char('.');
}

QString openFailureText(const QString& path, OpenFailure failure) {
    const char* reason = "";
    for (const FailureText& text : kFailureTexts)
        if (text.failure == failure) reason = text.reason;
    return FileCommands::tr("%1 kann nicht geöffnet werden.\n%2")
        .arg(QDir::toNativeSeparators(path), FileCommands::tr(reason));
}

QString templateFolderOf(const QString& programFolder) {
    if (QDir(programFolder).exists(QStringLiteral("LAY"))) return programFolder;
    // An installed program's data folder comes before the source tree, which
    // may still be on the machine that built it.
    if (runsInstalled(programFolder)) return installedDataFolderOf(programFolder);
#ifdef KBX_SOURCE_DIR
    const QString sourceData = QStringLiteral(KBX_SOURCE_DIR "/data/");
    if (QDir(sourceData).exists(QStringLiteral("LAY"))) return sourceData;
#endif
    return programFolder;
}

FileCommands::FileCommands(DocumentHost& host, UserDialogs& dialogs, RecentFiles& recent, QString programFolder,
                           QString templateFolder)
    : host_(host),
      dialogs_(dialogs),
      recent_(recent),
      programFolder_(std::move(programFolder)),
      templateFolder_(std::move(templateFolder)) {}

KeyDocument* FileCommands::newDocument() {
    const std::optional<kbxdoc::NewDocumentChoice> choice = dialogs_.chooseNewDocument(host_.dialogParent());
    if (!choice) return nullptr;
    const kbxdoc::NewDocumentResult result =
        kbxdoc::confirmNewDocument(toFileName(templateFolder_), *choice,
                                   [&](const std::string& path) { return openTemplate(path, choice->opos); });
    if (result.templateOpened) return host_.activeDocument();

    auto document = std::make_unique<KeyDocument>();
    kbxdoc::ActiveContext context = document->documentContext();
    kbxdoc::resetKeyboardData(context);
    document->keyboard().keptLines.clear();
    kbxdoc::setModelAndLayOut(context, result.model, true);
    editorState().currentLayer = context.currentLayer;
    if (result.oposRequested) applyOpos(*document);
    return &host_.showDocument(std::move(document));
}

bool FileCommands::openTemplate(const std::string& path, bool opos) {
    auto document = std::make_unique<KeyDocument>();
    if (document->open(fromFileName(path)) != OpenFailure::None) return false;
    // A template is a starting point: it becomes "Noname" and asks for a
    // name on its first save.
    document->setPath(QString());
    if (opos) applyOpos(*document);
    host_.showDocument(std::move(document));
    return true;
}

KeyDocument* FileCommands::open(const QString& path) {
    auto document = std::make_unique<KeyDocument>();
    const OpenFailure failure = document->open(path);
    if (failure != OpenFailure::None) {
        dialogs_.showError(host_.dialogParent(), openFailureText(path, failure));
        if (failure == OpenFailure::Missing) recent_.remove(path);
        return nullptr;
    }
    recent_.add(path);
    return &host_.showDocument(std::move(document));
}

KeyDocument* FileCommands::openWithDialog() {
    const QString path = dialogs_.openFileName(host_.dialogParent(), {tr("Open Keyboard File"), QDir::currentPath(),
                                                                      tr(kFilter), QString::fromLatin1(kSuffix)});
    return path.isEmpty() ? nullptr : open(path);
}

bool FileCommands::save(KeyDocument& document) {
    if (!savesInPlace(document.path())) return saveAs(document);
    return saveTo(document, document.path());
}

bool FileCommands::saveAs(KeyDocument& document) {
    const QString path = dialogs_.saveFileName(
        host_.dialogParent(), {tr("Speichern unter"), programFolder_, tr(kFilter), QString::fromLatin1(kSuffix)});
    if (path.isEmpty() || !saveTo(document, path)) return false;
    document.setPath(path);
    recent_.add(path);
    return true;
}

bool FileCommands::saveTo(KeyDocument& document, const QString& path) {
    QString error;
    if (!document.saveTo(path, &error)) {
        dialogs_.showError(host_.dialogParent(),
                           tr("%1 konnte nicht gespeichert werden.\n%2").arg(QDir::toNativeSeparators(path), error));
        return false;
    }
    document.setModified(false);
    return true;
}

bool FileCommands::close(KeyDocument& document) {
    if (!mayDiscard(document)) return false;
    host_.closeDocumentWindows(document);
    return true;
}

bool FileCommands::mayDiscard(KeyDocument& document) {
    if (!document.isModified()) return true;
    switch (dialogs_.askToSave(host_.dialogParent(), document.title())) {
        case SaveAnswer::Save:
            return save(document);
        case SaveAnswer::Discard:
            return true;
        case SaveAnswer::Cancel:
            return false;
    }
    return false;
}

bool FileCommands::mayDiscardAll() {
    for (KeyDocument* document : host_.openDocuments())
        if (!mayDiscard(*document)) return false;
    return true;
}

}  // namespace keyui::app
