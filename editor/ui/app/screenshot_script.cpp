#include "editor/ui/app/screenshot_script.h"

#include <QApplication>
#include <QDir>
#include <QMdiArea>
#include <QMouseEvent>
#include <QPrintPreviewWidget>
#include <QPrinter>
#include <QTextStream>

#include "editor/ui/app/about_dialog.h"
#include "editor/ui/app/child_frame.h"
#include "editor/ui/app/main_window.h"
#include "editor/ui/app/new_document_dialog.h"
#include "editor/ui/app/screenshot_dialogs.h"
#include "editor/ui/core/editor_state.h"
#include "editor/ui/print/print_command.h"
#include "editor/ui/view/key_view.h"

namespace keyui::app {

namespace {

constexpr int kWindowWidth = 1200;
constexpr int kWindowHeight = 860;
constexpr int kPreviewWidth = 900;
constexpr int kPreviewHeight = 1100;

void settle() {
    for (int round = 0; round < 3; ++round) QApplication::processEvents();
}

bool save(QWidget& widget, const QDir& folder, const QString& name) {
    settle();
    const QString path = folder.filePath(name);
    const bool written = widget.grab().save(path, "PNG");
    QTextStream(stderr) << (written ? "wrote " : "could not write ") << path << '\n';
    return written;
}

// The layout window whose keys send the most: the pictures of a view show
// what a programmed layout looks like, not an empty template.
ChildFrame* mostProgrammedFrame(const MainWindow& window) {
    ChildFrame* best = nullptr;
    int bestCount = -1;
    for (ChildFrame* frame : window.frames()) {
        int count = 0;
        for (const kbxdoc::KeyRecord& key : frame->document().keyboard().keys)
            for (const kbxdoc::LayerEntry& layer : key.layers) count += layer.programming.view().empty() ? 0 : 1;
        if (count > bestCount) {
            best = frame;
            bestCount = count;
        }
    }
    return best;
}

// The pointer over the first key programmed on the view's layer, so that
// the layer-data picture shows the programming box too.
void pointAtAProgrammedKey(KeyView& view) {
    const kbxdoc::KeyboardData& keyboard = view.document().keyboard();
    for (int slot = 0; slot < kbxdoc::kOrdinaryKeyCount; ++slot) {
        const kbxdoc::KeyRecord& key = keyboard.keys[static_cast<std::size_t>(slot)];
        const auto layer = static_cast<std::size_t>(view.currentLayer());
        if (key.current.width <= 0 || key.layers[layer].programming.view().empty()) continue;
        const QPointF centre((key.current.left + key.current.width / 2) * view.scale() - view.scrollPosition().x(),
                             (key.current.top + key.current.height / 2) * view.scale() - view.scrollPosition().y());
        QMouseEvent move(QEvent::MouseMove, centre, view.viewport()->mapToGlobal(centre), Qt::NoButton, Qt::NoButton,
                         Qt::NoModifier);
        QCoreApplication::sendEvent(view.viewport(), &move);
        return;
    }
}

// The print preview shows the caps as they are cut out: frames, surround and
// the cut lines around the template.
constexpr std::uint8_t kPreviewOptions = kPrintKeyBorder | kPrintKeySurround | kPrintCutLines;

}  // namespace

bool runScreenshotScript(MainWindow& window, const QString& folder) {
    QDir target(folder);
    if (!target.mkpath(QStringLiteral("."))) return false;
    bool ok = true;
    ChildFrame* frame = window.activeFrame();
    if (frame == nullptr) {
        save(window, target, QStringLiteral("main_window_empty.png"));
        return false;
    }
    window.showNormal();
    window.resize(kWindowWidth, kWindowHeight);
    window.mdiArea()->tileSubWindows();
    ok = save(window, target, QStringLiteral("main_window.png")) && ok;

    frame = mostProgrammedFrame(window);
    window.mdiArea()->setActiveSubWindow(frame);
    frame->showMaximized();
    KeyView& view = frame->view();
    view.setZoomMode(ZoomMode::Double);
    ok = save(window, target, QStringLiteral("view_200.png")) && ok;

    view.setZoomMode(ZoomMode::WholeKeyboard);
    view.setLayerDataShown(true);
    settle();
    pointAtAProgrammedKey(view);
    ok = save(window, target, QStringLiteral("layer_data.png")) && ok;
    view.setLayerDataShown(false);

    QPrinter printer(QPrinter::HighResolution);
    QPrintPreviewWidget preview(&printer);
    const kbxdoc::ActiveContext context = view.context();
    QObject::connect(&preview, &QPrintPreviewWidget::paintRequested, [&](QPrinter* pages) {
        print::printPages(*pages, context, kPreviewOptions, PrintMode::KeyboardTemplate);
    });
    preview.resize(kPreviewWidth, kPreviewHeight);
    preview.show();
    preview.updatePreview();
    preview.fitInView();
    ok = save(preview, target, QStringLiteral("print_preview.png")) && ok;
    preview.hide();

    NewDocumentDialog newDocument(&window);
    newDocument.show();
    ok = save(newDocument, target, QStringLiteral("new_document.png")) && ok;
    newDocument.hide();
    AboutDialog about(&window);
    about.show();
    ok = save(about, target, QStringLiteral("about.png")) && ok;
    about.hide();
    return saveDialogScreenshots(window, view, [&](QWidget& widget, const QString& name) {
        return save(widget, target, name);
    }) && ok;
}

}  // namespace keyui::app
