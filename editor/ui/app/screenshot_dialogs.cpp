#include "editor/ui/app/screenshot_dialogs.h"

#include <QApplication>
#include <QDeadlineTimer>
#include <QDir>
#include <QPushButton>
#include <QTextStream>

#include "editor/ui/core/editor_state.h"
#include "editor/ui/core/key_document.h"
#include "editor/ui/dialogs/caption/caption_commands.h"
#include "editor/ui/dialogs/caption/caption_dialog.h"
#include "editor/ui/dialogs/caption/caption_options_dialog.h"
#include "editor/ui/dialogs/keyboard/keyboard_sheet.h"
#include "editor/ui/dialogs/layers/layer_sheet.h"
#include "editor/ui/dialogs/modules/module_sheet.h"
#include "editor/ui/dialogs/programming/programming_sheet.h"
#include "editor/ui/download/download_commands.h"
#include "editor/ui/download/interface_dialog.h"
#include "editor/ui/download/progress_dialog.h"
#include "editor/ui/view/key_view.h"

namespace keyui::app {

namespace {

constexpr int kDownloadWaitMs = 60000;

// The first key of the layout that has programming, else the first key.
int pictureKey(const kbxdoc::KeyboardData& keyboard) {
    int first = -1;
    for (int slot = 0; slot < kbxdoc::kOrdinaryKeyCount; ++slot) {
        const kbxdoc::KeyRecord& key = keyboard.keys[static_cast<std::size_t>(slot)];
        if (key.current.width <= 0) continue;
        if (first < 0) first = slot;
        for (int layer = 0; layer < kbxdoc::kLayerCount; ++layer)
            if (kbxdoc::hasProgramming(key, layer)) return slot;
    }
    return first;
}

// Every page of a sheet, one picture each: name_1.png, name_2.png, ...
bool saveEveryPage(dialogs::PropertySheet& sheet, const QString& name, const PictureWriter& save) {
    bool ok = true;
    sheet.show();
    for (int page = 0; page < sheet.pageCount(); ++page) {
        sheet.setActivePage(page);
        ok = save(sheet, QStringLiteral("%1_%2.png").arg(name).arg(page + 1)) && ok;
    }
    sheet.hide();
    return ok;
}

bool saveShown(QWidget& dialog, const QString& name, const PictureWriter& save) {
    dialog.show();
    const bool ok = save(dialog, name);
    dialog.hide();
    return ok;
}

// The progress dialog after a download of the document over "AT" to the
// keyboard that KBX_KEYBOARD names, its files in the current folder;
// skipped when no keyboard is named.
bool saveDownload(QWidget& parent, KeyDocument& document, const PictureWriter& save) {
    if (qEnvironmentVariableIsEmpty("KBX_KEYBOARD")) {
        QTextStream(stderr) << "no keyboard (KBX_KEYBOARD) for the download picture\n";
        return true;
    }
    download::DownloadSetup setup = download::programDownloadSetup();
    setup.workFolder = QDir::currentPath() + QLatin1Char('/');
    const download::ProgressRun run = download::sendToKeyboardRun(setup, download::InterfaceChoice{});
    if (!download::writeSource(&parent, document, run.arguments.front(), setup)) return false;
    download::ProgressDialog progress(run, setup.notify, &parent);
    progress.show();
    QPushButton* ok = nullptr;
    for (QPushButton* button : progress.findChildren<QPushButton*>())
        if (button->objectName() == QStringLiteral("button1")) ok = button;
    const QDeadlineTimer deadline(kDownloadWaitMs);
    while (ok != nullptr && !ok->isEnabled() && !deadline.hasExpired())
        QApplication::processEvents(QEventLoop::AllEvents | QEventLoop::WaitForMoreEvents, 50);
    const bool saved = save(progress, QStringLiteral("progress_download.png"));
    progress.hide();
    return saved;
}

}  // namespace

bool saveDialogScreenshots(QWidget& parent, KeyView& view, const PictureWriter& save) {
    KeyDocument& document = view.document();
    const kbxdoc::ActiveContext context = view.context();
    const int key = pictureKey(document.keyboard());
    bool ok = true;

    if (auto sheet = dialogs::buildProgrammingSheet(&parent, document, context, key))
        ok = saveShown(*sheet, QStringLiteral("programming_sheet.png"), save) && ok;
    dialogs::CaptionDialog caption(&parent, document, context, dialogs::qtCaptionPrompts(), key);
    ok = saveShown(caption, QStringLiteral("caption_dialog.png"), save) && ok;
    dialogs::CaptionOptionsDialog options(&parent, document, context, dialogs::qtCaptionPrompts(),
                                          dialogs::CaptionScope::Key, key);
    ok = saveShown(options, QStringLiteral("caption_options.png"), save) && ok;

    kbxdoc::LayerTable layers = editorState().layers;  // a copy: nothing is written
    auto layerSheet = dialogs::buildLayerSheet(&parent, layers, {}, [](QWidget*, const QString&) {});
    ok = saveEveryPage(*layerSheet, QStringLiteral("layer_sheet"), save) && ok;
    ok = saveEveryPage(*dialogs::buildKeyboardSettingsSheet(&parent, document, context),
                       QStringLiteral("keyboard_sheet"), save) && ok;
    ok = saveEveryPage(*dialogs::buildModuleSheet(&parent, document, [](int) { return false; }),
                       QStringLiteral("module_sheet"), save) && ok;

    download::InterfaceDialog interface(document.keyboard(), &parent);
    ok = saveShown(interface, QStringLiteral("download_interface.png"), save) && ok;
    return saveDownload(parent, document, save) && ok;
}

}  // namespace keyui::app
