#pragma once

// The main window: the MDI area with one child window per view, the menus
// 128 (no layout open) and 129 (a layout active) built from the command
// table, tool bar 128, the layer bar, the status bar with its lock
// indicators and the pop-up menu of the views. It owns the open documents.

#include <map>
#include <memory>
#include <vector>

#include <QMainWindow>
#include <QPointer>

class QPrinter;

#include "editor/ui/app/file_commands.h"

class QAction;
class QMdiArea;
class QMenu;
class QUndoStack;

namespace keyui::app {
struct DialogCommand;
}
class QMimeData;
class QSettings;
class QToolBar;

namespace keyui {
class KeyView;
}

namespace keyui::app {

class ChildFrame;
class LayerBar;
class LockIndicators;
class LockStateReader;
class RecentFiles;
class UserDialogs;

struct MainWindowSetup {
    UserDialogs* dialogs = nullptr;  // not owned; must outlive the window
    // The per-user settings ("LayomatV18": recent files, tool-bar state);
    // a file of this path instead when set (tests).
    QString profileFile;
    // Where the guard file "OK.TMP" is looked for; the current folder when empty.
    QString guardFolder;
};

class MainWindow : public QMainWindow, public DocumentHost {
    Q_OBJECT
public:
    explicit MainWindow(const MainWindowSetup& setup, QWidget* parent = nullptr);
    ~MainWindow() override;

    // The action of a command id, or null.
    QAction* action(int commandId) const;
    // The menus now in the menu bar.
    QList<QMenu*> currentMenus() const;
    QToolBar* toolBar() const { return toolBar_; }
    LayerBar* layerBar() const { return layerBar_; }
    LockStateReader& lockStates() const { return *lockStates_; }
    LockIndicators& lockIndicators() const { return *lockIndicators_; }
    QMenu* viewPopup() const { return popup_; }
    QMdiArea* mdiArea() const { return mdi_; }
    FileCommands& fileCommands() { return *files_; }
    RecentFiles& recentFiles() { return *recent_; }
    QSettings& profile() { return *profile_; }

    ChildFrame* activeFrame() const;
    KeyView* activeView() const;
    std::vector<ChildFrame*> frames() const;

    // 57648: another window on the active document.
    ChildFrame* newWindow();
    // The layer bar lists the layer table again.
    void refreshLayerBar();
    // Reads the placement from the settings file and applies it; how to show.
    void restorePlacement();
    // Writes placement and tool-bar state (done when the window closes).
    void storePlacement();
    // Opens the local files among dropped data; true when there were any.
    bool openDroppedFiles(const QMimeData& dropped);

    // DocumentHost
    QWidget* dialogParent() override { return this; }
    KeyDocument* activeDocument() override;
    std::vector<KeyDocument*> openDocuments() override;
    KeyDocument& showDocument(std::unique_ptr<KeyDocument> document) override;
    void closeDocumentWindows(KeyDocument& document) override;

protected:
    void closeEvent(QCloseEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    void createActions();
    void createMenus();
    void createBars();
    void listWindows(QMenu& menu);
    void connectCommands();
    ChildFrame& addFrame(KeyDocument& document);
    bool mayCloseFrame(ChildFrame& frame);
    void frameActivated();
    void dropDocumentsWithoutWindows();
    void updateTitles();
    void fitNewFrame(ChildFrame& frame);
    void updateCommands();
    void updateMenus();
    void updateRecentFiles();
    void chooseLayer(int layer);
    void runPrint(bool preview);
    void runDialog(const DialogCommand& dialog);

    // Handlers of the commands of this window.
    void onNew();
    void onOpen();
    void onClose();
    void onSave();
    void onSaveAs();
    void onPrint();
    void onPrintPreview();
    void onPrintSetup();
    void onExit();
    void onCut();
    void onCopy();
    void onPaste();
    void onUndo();
    void onRedo();
    void showHistory(const QUndoStack* history);
    void onToggleToolBar();
    void onToggleStatusBar();
    void onLayerData();
    void onZoomNormal();
    void onZoomDouble();
    void onZoomWhole();
    void onNewWindow();
    void onCascade();
    void onTile();
    void onArrangeIcons();
    void onAbout();

    struct Handler {
        int command;
        void (MainWindow::*run)();
    };
    static const std::vector<Handler>& handlers();

    UserDialogs& dialogs_;
    std::unique_ptr<QSettings> profile_;
    std::unique_ptr<RecentFiles> recent_;
    std::unique_ptr<FileCommands> files_;
    // The printer of the run: the printer setup chooses it and its page,
    // printing and the preview use it.
    std::unique_ptr<QPrinter> printer_;
    QString guardFolder_;
    std::map<int, QAction*> actions_;
    std::vector<QAction*> recentActions_;
    std::vector<QMenu*> menus128_;
    std::vector<QMenu*> menus129_;
    std::vector<QMenu*> fileMenus_;
    bool showingLayoutMenus_ = false;
    QString title_;  // the title updateTitles gave, kept against the workspace's own
    QMdiArea* mdi_ = nullptr;
    QToolBar* toolBar_ = nullptr;
    LayerBar* layerBar_ = nullptr;
    QMenu* popup_ = nullptr;
    LockStateReader* lockStates_ = nullptr;
    LockIndicators* lockIndicators_ = nullptr;
    std::vector<std::unique_ptr<KeyDocument>> documents_;
    QPointer<ChildFrame> lastFrame_;
    bool closingWithoutAsking_ = false;
};

}  // namespace keyui::app
