#include "editor/ui/app/main_window.h"

#include <QAction>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QMdiArea>
#include <QMenu>
#include <QMenuBar>
#include <QMimeData>
#include <QPageSetupDialog>
#include <QPointer>
#include <QPrinter>
#include <QSettings>
#include <QStatusBar>
#include <QTimer>
#include <QToolBar>

#include <algorithm>

#include "editor/ui/app/child_frame.h"
#include "editor/ui/app/command_table.h"
#include "editor/ui/app/control_bar_state.h"
#include "editor/ui/app/dialog_commands.h"
#include "editor/ui/app/layer_bar.h"
#include "editor/ui/app/lock_indicators.h"
#include "editor/ui/app/recent_files.h"
#include "editor/ui/app/toolbar_icons.h"
#include "editor/ui/app/user_dialogs.h"
#include "editor/ui/app/window_placement.h"
#include "editor/ui/core/editor_state.h"
#include "editor/ui/print/print_command.h"
#include "editor/ui/view/key_view.h"

namespace keyui::app {

namespace {

constexpr char kOrganisation[] = "LayomatV18";
constexpr char kProfileApplication[] = "key";
constexpr int kDefaultWidth = 800;
constexpr int kDefaultHeight = 600;

// The table's texts are translated whole, prompt and tool tip together.
QString translatedPrompt(const CommandInfo& command) { return Commands::tr(command.prompt); }

std::unique_ptr<QSettings> openProfile(const QString& file) {
    if (file.isEmpty())
        return std::make_unique<QSettings>(QString::fromLatin1(kOrganisation),
                                           QString::fromLatin1(kProfileApplication));
    return std::make_unique<QSettings>(file, QSettings::IniFormat);
}

}  // namespace

const std::vector<MainWindow::Handler>& MainWindow::handlers() {
    using namespace command;
    static const std::vector<Handler> table{
        {kNew, &MainWindow::onNew},
        {kOpen, &MainWindow::onOpen},
        {kClose, &MainWindow::onClose},
        {kSave, &MainWindow::onSave},
        {kSaveAs, &MainWindow::onSaveAs},
        {kPrint, &MainWindow::onPrint},
        {kPrintPreview, &MainWindow::onPrintPreview},
        {kPrintSetup, &MainWindow::onPrintSetup},
        {kExit, &MainWindow::onExit},
        {kCut, &MainWindow::onCut},
        {kCopy, &MainWindow::onCopy},
        {kPaste, &MainWindow::onPaste},
        {kUndo, &MainWindow::onUndo},
        {kRedo, &MainWindow::onRedo},
        {kToolBar, &MainWindow::onToggleToolBar},
        {kStatusBar, &MainWindow::onToggleStatusBar},
        {kLayerData, &MainWindow::onLayerData},
        {kZoomNormal, &MainWindow::onZoomNormal},
        {kZoomDouble, &MainWindow::onZoomDouble},
        {kZoomWhole, &MainWindow::onZoomWhole},
        {kNewWindow, &MainWindow::onNewWindow},
        {kCascade, &MainWindow::onCascade},
        {kTile, &MainWindow::onTile},
        {kArrangeIcons, &MainWindow::onArrangeIcons},
        {kAbout, &MainWindow::onAbout},
    };
    return table;
}

MainWindow::MainWindow(const MainWindowSetup& setup, QWidget* parent)
    : QMainWindow(parent),
      dialogs_(*setup.dialogs),
      profile_(openProfile(setup.profileFile)),
      recent_(std::make_unique<RecentFiles>(*profile_)),
      files_(std::make_unique<FileCommands>(*this, dialogs_, *recent_, editorState().programFolder,
                                            templateFolderOf(editorState().programFolder))),
      printer_(std::make_unique<QPrinter>(QPrinter::HighResolution)),
      guardFolder_(setup.guardFolder.isEmpty() ? QDir::currentPath() : setup.guardFolder) {
    setObjectName(QStringLiteral("mainFrame128"));
    setAcceptDrops(true);
    resize(kDefaultWidth, kDefaultHeight);
    mdi_ = new QMdiArea(this);
    mdi_->setViewMode(QMdiArea::SubWindowView);
    setCentralWidget(mdi_);
    connect(mdi_, &QMdiArea::subWindowActivated, this, [this] { frameActivated(); });

    createActions();
    createMenus();
    createBars();
    connectCommands();
    recent_->onChange([this] { updateRecentFiles(); });
    restoreControlBars(*this, *profile_, guardFolder_);
    refreshLayerBar();
    updateRecentFiles();
    updateMenus();
    updateTitles();
    updateCommands();
}

MainWindow::~MainWindow() {
    // The child windows go with the widgets after this window's own
    // members; nothing they report then may reach this window any more.
    closingWithoutAsking_ = true;
    disconnect(mdi_, nullptr, this, nullptr);
    for (ChildFrame* frame : frames()) {
        disconnect(frame, nullptr, this, nullptr);
        disconnect(&frame->view(), nullptr, this, nullptr);
    }
}

void MainWindow::createActions() {
    for (const CommandInfo& command : commandTable()) {
        auto* action = new QAction(Commands::tr(command.text), this);
        action->setData(command.id);
        action->setObjectName(QStringLiteral("command%1").arg(command.id));
        QList<QKeySequence> keys;
        for (const char* key : command.keys)
            if (key != nullptr) keys.append(QKeySequence(QString::fromLatin1(key), QKeySequence::PortableText));
        action->setShortcuts(keys);
        action->setShortcutContext(Qt::WindowShortcut);
        const QString prompt = translatedPrompt(command);
        action->setStatusTip(prompt.section(QLatin1Char('\n'), 0, 0));
        action->setToolTip(prompt.section(QLatin1Char('\n'), 1));
        action->setIcon(toolBarIcon(command.icon));
        action->setCheckable(command.checkable);
        addAction(action);  // accelerators work with any menu shown
        actions_[command.id] = action;
    }
    for (int i = 0; i < command::kRecentFileCount; ++i) {
        auto* action = new QAction(this);
        action->setData(command::kRecentFile1 + i);
        action->setStatusTip(actions_[command::kRecentFile1]->statusTip());
        connect(action, &QAction::triggered, this, [this, i] {
            if (i < recent_->paths().size()) files_->open(recent_->paths()[i]);
        });
        recentActions_.push_back(action);
    }
    // Commands without a handler here stay disabled: the help (there is no
    // help file), split panes and embedded items (none).
    for (int id : {command::kHelpTopics, command::kHelp, command::kContextHelp, command::kNextPane,
                   command::kPreviousPane, command::kCancelMode})
        action(id)->setEnabled(false);
}

void MainWindow::createMenus() {
    auto build = [this](std::span<const MenuDefinition> definitions, std::vector<QMenu*>& menus) {
        for (const MenuDefinition& definition : definitions) {
            auto* menu = new QMenu(Commands::tr(definition.title), this);
            for (int id : definition.entries) {
                if (id == command::kSeparator) {
                    menu->addSeparator();
                } else if (id == kRecentFilesPlace) {
                    menu->addAction(action(id));  // stands for the list while it is empty
                    fileMenus_.push_back(menu);
                } else {
                    menu->addAction(action(id));
                }
            }
            menus.push_back(menu);
        }
    };
    build(noDocumentMenus(), menus128_);
    build(layoutMenus(), menus129_);
    for (QMenu* menu : menus129_) {
        if (!menu->actions().contains(action(command::kNewWindow))) continue;
        menu->addSeparator();  // the list of windows follows
        connect(menu, &QMenu::aboutToShow, this, [this, menu] { listWindows(*menu); });
    }
    popup_ = new QMenu(this);
    popup_->setObjectName(QStringLiteral("popupMenu143"));
    for (const PopupEntry& entry : viewPopupMenu()) {
        QAction* command = action(entry.command);
        auto* item = popup_->addAction(Commands::tr(entry.text));
        item->setData(entry.command);
        item->setCheckable(command->isCheckable());
        connect(item, &QAction::triggered, command, &QAction::trigger);
    }
    connect(popup_, &QMenu::aboutToShow, this, [this] {
        updateCommands();
        for (QAction* item : popup_->actions()) {
            QAction* command = action(item->data().toInt());
            item->setEnabled(command->isEnabled());
            item->setChecked(command->isChecked());
        }
    });
}

void MainWindow::listWindows(QMenu& menu) {
    // The entries after the last separator are the list of the last showing.
    const QList<QAction*> entries = menu.actions();
    const auto separator = std::find_if(entries.rbegin(), entries.rend(), [](QAction* a) { return a->isSeparator(); });
    for (auto it = entries.rbegin(); it != separator; ++it) {
        menu.removeAction(*it);
        (*it)->deleteLater();
    }
    int number = 1;
    for (QMdiSubWindow* window : mdi_->subWindowList()) {
        const QString title = window->windowTitle().remove(QStringLiteral("[*]"));
        QAction* entry = menu.addAction(QStringLiteral("&%1 %2").arg(number++).arg(title));
        entry->setCheckable(true);
        entry->setChecked(window == mdi_->currentSubWindow());
        connect(entry, &QAction::triggered, this, [this, frame = QPointer<QMdiSubWindow>(window)] {
            if (frame) mdi_->setActiveSubWindow(frame);
        });
    }
}

void MainWindow::createBars() {
    toolBar_ = addToolBar(tr("Symbolleiste"));
    toolBar_->setObjectName(QStringLiteral("toolBar128"));
    toolBar_->setIconSize(QSize(kToolIconWidth, kToolIconHeight));
    for (int id : toolBarButtons()) {
        if (id == command::kSeparator)
            toolBar_->addSeparator();
        else
            toolBar_->addAction(action(id));
    }
    layerBar_ = new LayerBar(this);
    addToolBar(Qt::TopToolBarArea, layerBar_);
    connect(layerBar_, &LayerBar::layerChosen, this, &MainWindow::chooseLayer);

    QStatusBar* bar = statusBar();
    bar->setObjectName(QStringLiteral("statusBar"));
    lockStates_ = new LockStateReader(this);
    lockIndicators_ = new LockIndicators(*bar, *lockStates_);
    action(command::kToolBar)->setChecked(true);
    action(command::kStatusBar)->setChecked(true);
    connect(toolBar_, &QToolBar::visibilityChanged, action(command::kToolBar), &QAction::setChecked);
}

void MainWindow::connectCommands() {
    for (const Handler& handler : handlers()) connect(action(handler.command), &QAction::triggered, this, handler.run);
    for (const DialogCommand& dialog : dialogCommands())
        connect(action(dialog.command), &QAction::triggered, this, [this, &dialog] { runDialog(dialog); });
}

QAction* MainWindow::action(int commandId) const {
    const auto found = actions_.find(commandId);
    return found == actions_.end() ? nullptr : found->second;
}

QList<QMenu*> MainWindow::currentMenus() const {
    QList<QMenu*> menus;
    for (QAction* entry : menuBar()->actions())
        if (entry->menu() != nullptr) menus.append(entry->menu());
    return menus;
}

std::vector<ChildFrame*> MainWindow::frames() const {
    std::vector<ChildFrame*> result;
    for (QMdiSubWindow* window : mdi_->subWindowList())
        if (auto* frame = qobject_cast<ChildFrame*>(window)) result.push_back(frame);
    return result;
}

ChildFrame* MainWindow::activeFrame() const {
    if (auto* current = qobject_cast<ChildFrame*>(mdi_->currentSubWindow())) return current;
    return lastFrame_.data();
}

KeyView* MainWindow::activeView() const {
    ChildFrame* frame = activeFrame();
    return frame != nullptr ? &frame->view() : nullptr;
}

KeyDocument* MainWindow::activeDocument() {
    ChildFrame* frame = activeFrame();
    return frame != nullptr ? &frame->document() : nullptr;
}

std::vector<KeyDocument*> MainWindow::openDocuments() {
    std::vector<KeyDocument*> result;
    for (const auto& document : documents_) result.push_back(document.get());
    return result;
}

KeyDocument& MainWindow::showDocument(std::unique_ptr<KeyDocument> document) {
    KeyDocument& shown = *document;
    documents_.push_back(std::move(document));
    connect(&shown, &KeyDocument::modifiedChanged, this, &MainWindow::updateTitles);
    connect(&shown, &KeyDocument::titleChanged, this, &MainWindow::updateTitles);
    connect(&shown, &KeyDocument::layerNamesChanged, this, &MainWindow::refreshLayerBar);
    connect(&shown.history(), &QUndoStack::indexChanged, this, &MainWindow::updateCommands);
    // What the document holds when it is shown is where its history starts.
    shown.startHistory();
    addFrame(shown);
    refreshLayerBar();
    return shown;
}

ChildFrame& MainWindow::addFrame(KeyDocument& document) {
    auto* frame = new ChildFrame(document, [this](ChildFrame& closing) { return mayCloseFrame(closing); });
    mdi_->addSubWindow(frame);
    KeyView& view = frame->view();
    connect(&view, &KeyView::selectionChanged, this, &MainWindow::updateCommands);
    connect(&view, &KeyView::zoomModeChanged, this, &MainWindow::updateCommands);
    connect(&view, &KeyView::layerDataShownChanged, this, &MainWindow::updateCommands);
    connect(&view, &KeyView::keyProgrammingRequested, action(command::kKeyProgramming), &QAction::trigger);
    connect(&view, &KeyView::contextMenuRequested, this, [this, frame](const QPoint& at) {
        mdi_->setActiveSubWindow(frame);
        popup_->popup(at);
    });
    connect(&view, &KeyView::currentLayerChanged, this, [this, &view](int layer) {
        if (activeView() == &view) layerBar_->selectLayer(layer);
    });
    connect(frame, &QObject::destroyed, this,
            [this] { QTimer::singleShot(0, this, &MainWindow::dropDocumentsWithoutWindows); });
    frame->show();
    // Sized once the workspace has its own size (at start-up the main window
    // is placed after the files of the command line are open).
    QTimer::singleShot(0, frame, [this, frame] { fitNewFrame(*frame); });
    mdi_->setActiveSubWindow(frame);
    lastFrame_ = frame;
    frameActivated();
    updateTitles();
    return *frame;
}

// A new layout window shows the whole keyboard at 100 % where the workspace
// has room for it, and fills the workspace where it has not.
void MainWindow::fitNewFrame(ChildFrame& frame) {
    const QSize wanted = frame.sizeHint();
    const QSize room = mdi_->viewport()->size();
    if (wanted.width() <= room.width() && wanted.height() <= room.height()) {
        frame.resize(wanted);
    } else {
        frame.showMaximized();
    }
}

ChildFrame* MainWindow::newWindow() {
    KeyDocument* document = activeDocument();
    if (document == nullptr) return nullptr;
    return &addFrame(*document);
}

bool MainWindow::mayCloseFrame(ChildFrame& frame) {
    if (closingWithoutAsking_) return true;
    KeyDocument& document = frame.document();
    const std::vector<ChildFrame*> all = frames();
    const bool lastWindow = std::none_of(
        all.begin(), all.end(), [&](ChildFrame* other) { return other != &frame && &other->document() == &document; });
    return !lastWindow || files_->mayDiscard(document);
}

void MainWindow::closeDocumentWindows(KeyDocument& document) {
    closingWithoutAsking_ = true;
    for (ChildFrame* frame : frames())
        if (&frame->document() == &document) frame->close();
    closingWithoutAsking_ = false;
}

void MainWindow::dropDocumentsWithoutWindows() {
    const std::vector<ChildFrame*> all = frames();
    std::erase_if(documents_, [&](const std::unique_ptr<KeyDocument>& document) {
        return std::none_of(all.begin(), all.end(),
                            [&](ChildFrame* frame) { return &frame->document() == document.get(); });
    });
    frameActivated();
}

void MainWindow::frameActivated() {
    if (auto* current = qobject_cast<ChildFrame*>(mdi_->currentSubWindow())) lastFrame_ = current;
    if (KeyView* view = activeView()) {
        view->activate();
        layerBar_->selectLayer(view->currentLayer());
    }
    updateMenus();
    updateTitles();
    updateCommands();
}

void MainWindow::refreshLayerBar() {
    const KeyView* view = activeView();
    layerBar_->refresh(editorState().layers, view != nullptr ? view->currentLayer() : editorState().currentLayer);
}

void MainWindow::chooseLayer(int layer) {
    editorState().currentLayer = layer;
    if (KeyView* view = activeView()) {
        view->setCurrentLayer(layer);
        view->viewport()->update();
    }
}

void MainWindow::updateTitles() {
    std::map<const KeyDocument*, int> counts;
    const std::vector<ChildFrame*> all = frames();
    for (ChildFrame* frame : all) ++counts[&frame->document()];
    std::map<const KeyDocument*, int> numbers;
    for (ChildFrame* frame : all) {
        const KeyDocument* document = &frame->document();
        frame->showTitle(counts[document] > 1 ? ++numbers[document] : 0);
    }
    const KeyDocument* document = activeFrame() != nullptr ? &activeFrame()->document() : nullptr;
    // The window system adds the program's name (the application's display
    // name) after the file's.
    title_ = document == nullptr ? applicationTitle() : document->title() + QStringLiteral("[*]");
    setWindowTitle(title_);
    setWindowModified(document != nullptr && document->isModified());
}

// A maximised layout window makes its title the workspace's: "file - [file]"
// after the main window's, which named the file twice. The main window keeps
// its own.
void MainWindow::changeEvent(QEvent* event) {
    QMainWindow::changeEvent(event);
    if (event->type() == QEvent::WindowTitleChange && !title_.isEmpty() && windowTitle() != title_)
        setWindowTitle(title_);
}

void MainWindow::updateMenus() {
    const bool layout = activeFrame() != nullptr;
    if (layout == showingLayoutMenus_ && !menuBar()->actions().isEmpty()) return;
    showingLayoutMenus_ = layout;
    menuBar()->clear();
    for (QMenu* menu : layout ? menus129_ : menus128_) menuBar()->addMenu(menu);
}

void MainWindow::updateRecentFiles() {
    const QStringList& paths = recent_->paths();
    QAction* place = action(kRecentFilesPlace);
    place->setVisible(paths.isEmpty());
    place->setEnabled(false);
    for (QMenu* menu : fileMenus_)
        for (QAction* entry : recentActions_) menu->removeAction(entry);
    for (std::size_t i = 0; i < recentActions_.size(); ++i) {
        QAction* entry = recentActions_[i];
        const bool used = static_cast<qsizetype>(i) < paths.size();
        entry->setVisible(used);
        if (used)
            entry->setText(
                QStringLiteral("&%1 %2").arg(i + 1).arg(QDir::toNativeSeparators(paths[static_cast<qsizetype>(i)])));
    }
    for (QMenu* menu : fileMenus_) menu->insertActions(place, {recentActions_.begin(), recentActions_.end()});
}

void MainWindow::updateCommands() {
    using namespace command;
    const KeyView* view = activeView();
    const bool layout = view != nullptr;
    for (int id : {kClose, kSave, kSaveAs, kPrint, kPrintPreview, kNewWindow, kCascade, kTile, kArrangeIcons,
                   kLayerData, kZoomNormal, kZoomDouble, kZoomWhole})
        action(id)->setEnabled(layout);
    for (const DialogCommand& dialog : dialogCommands()) action(dialog.command)->setEnabled(layout);
    action(kCopy)->setEnabled(layout && view->canCopy());
    action(kCut)->setEnabled(layout && view->canCut());
    action(kPaste)->setEnabled(layout && view->canPaste());
    showHistory(layout ? &view->document().history() : nullptr);
    action(kGroupCaption)->setEnabled(layout && view->canEditGroup());
    action(kLayerData)->setChecked(layout && view->layerDataShown());
    action(kZoomNormal)->setChecked(layout && view->zoomMode() == ZoomMode::Normal);
    action(kZoomDouble)->setChecked(layout && view->zoomMode() == ZoomMode::Double);
    action(kZoomWhole)->setChecked(layout && view->zoomMode() == ZoomMode::WholeKeyboard);
}

// Undo and Redo name the step they would take back or do again.
void MainWindow::showHistory(const QUndoStack* history) {
    using namespace command;
    const auto show = [this, history](int id, bool possible, const QString& step, const char* named) {
        QAction* entry = action(id);
        entry->setEnabled(history != nullptr && possible);
        entry->setText(entry->isEnabled() ? Commands::tr(named).arg(step) : Commands::tr(findCommand(id)->text));
    };
    show(kUndo, history != nullptr && history->canUndo(), history != nullptr ? history->undoText() : QString(),
         kUndoNamed);
    show(kRedo, history != nullptr && history->canRedo(), history != nullptr ? history->redoText() : QString(),
         kRedoNamed);
}

void MainWindow::restorePlacement() {
    kbxdoc::WindowPlacement placement;
    kbxdoc::LayerTable unused{};
    if (kbxdoc::accessSettingsFile(editorState().settingsFile, kbxdoc::kReadWindowPlacement, placement, unused))
        showWindow(*this, applyPlacement(*this, placement));
    else
        show();
}

void MainWindow::storePlacement() {
    kbxdoc::WindowPlacement placement = placementOf(*this);
    kbxdoc::LayerTable unused{};
    kbxdoc::accessSettingsFile(editorState().settingsFile, kbxdoc::kWriteWindowPlacement, placement, unused);
    saveControlBars(*this, *profile_);
}

void MainWindow::closeEvent(QCloseEvent* event) {
    if (!files_->mayDiscardAll()) {
        event->ignore();
        return;
    }
    storePlacement();
    closingWithoutAsking_ = true;
    mdi_->closeAllSubWindows();
    event->accept();
}

void MainWindow::dragEnterEvent(QDragEnterEvent* event) {
    if (event->mimeData()->hasUrls()) event->acceptProposedAction();
}

void MainWindow::dropEvent(QDropEvent* event) {
    if (openDroppedFiles(*event->mimeData())) event->acceptProposedAction();
}

bool MainWindow::openDroppedFiles(const QMimeData& dropped) {
    bool any = false;
    for (const QUrl& url : dropped.urls()) {
        if (!url.isLocalFile()) continue;
        files_->open(url.toLocalFile());
        any = true;
    }
    return any;
}

void MainWindow::runPrint(bool preview) {
    if (KeyView* view = activeView()) print::runPrintCommand(this, view->context(), preview, *printer_);
}

void MainWindow::onNew() { files_->newDocument(); }
void MainWindow::onOpen() { files_->openWithDialog(); }
void MainWindow::onClose() {
    if (KeyDocument* document = activeDocument()) files_->close(*document);
}
void MainWindow::onSave() {
    if (KeyDocument* document = activeDocument()) files_->save(*document);
}
void MainWindow::onSaveAs() {
    if (KeyDocument* document = activeDocument()) files_->saveAs(*document);
}
void MainWindow::onPrint() { runPrint(false); }
void MainWindow::onPrintPreview() { runPrint(true); }
void MainWindow::onPrintSetup() {
    QPageSetupDialog dialog(printer_.get(), this);
    dialog.exec();
}
void MainWindow::onExit() { close(); }

void MainWindow::onCut() {
    if (KeyView* view = activeView(); view != nullptr && view->canCut()) {
        view->cutKey();
    }
    updateCommands();
}
void MainWindow::onUndo() {
    if (KeyDocument* document = activeDocument()) document->history().undo();
    updateCommands();
}
void MainWindow::onRedo() {
    if (KeyDocument* document = activeDocument()) document->history().redo();
    updateCommands();
}
void MainWindow::onCopy() {
    if (KeyView* view = activeView(); view != nullptr && view->canCopy()) view->copyKey();
    updateCommands();
}
void MainWindow::onPaste() {
    if (KeyView* view = activeView(); view != nullptr && view->canPaste()) {
        view->pasteKey();
    }
    updateCommands();
}

void MainWindow::onToggleToolBar() { toolBar_->setVisible(action(command::kToolBar)->isChecked()); }
void MainWindow::onToggleStatusBar() { statusBar()->setVisible(action(command::kStatusBar)->isChecked()); }

void MainWindow::onLayerData() {
    if (KeyView* view = activeView()) view->setLayerDataShown(!view->layerDataShown());
    updateCommands();
}
void MainWindow::onZoomNormal() {
    if (KeyView* view = activeView()) view->setZoomMode(ZoomMode::Normal);
    updateCommands();
}
void MainWindow::onZoomDouble() {
    if (KeyView* view = activeView()) view->setZoomMode(ZoomMode::Double);
    updateCommands();
}
void MainWindow::onZoomWhole() {
    if (KeyView* view = activeView()) view->setZoomMode(ZoomMode::WholeKeyboard);
    updateCommands();
}

void MainWindow::onNewWindow() { newWindow(); }
void MainWindow::onCascade() { mdi_->cascadeSubWindows(); }
void MainWindow::onTile() { mdi_->tileSubWindows(); }
void MainWindow::onArrangeIcons() {
    // Minimised windows line up along the bottom of the area.
    const QRect area = mdi_->viewport()->rect();
    int left = 0;
    for (QMdiSubWindow* window : mdi_->subWindowList()) {
        if (!window->isMinimized()) continue;
        const QSize size = window->size();
        window->move(left, area.bottom() - size.height() + 1);
        left += size.width();
    }
}
// A dialog runs on the active view's document and context; the view keeps
// its selection and layer while the dialog is open.
void MainWindow::runDialog(const DialogCommand& dialog) {
    KeyView* view = activeView();
    if (view == nullptr) return;
    if (dialog.needsSelectedKey && kbxdoc::countSelection(view->context()).highest < 0) {
        constexpr int kHintMs = 5000;
        statusBar()->showMessage(tr("Keine Taste markiert: zuerst eine Taste anklicken."), kHintMs);
        return;
    }
    const QPointer<KeyView> guard(view);
    dialog.run(this, view->document(), view->context());
    if (guard) updateCommands();
}

void MainWindow::onAbout() { dialogs_.showAbout(this); }

}  // namespace keyui::app
