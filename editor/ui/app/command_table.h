#pragma once

// Every command of the editor in one table: its id, German menu text,
// accelerators, status-bar prompt and tool tip, icon; and the menus 128 (no
// layout open) and 129 (a layout active), the pop-up menu 143 of the view
// and tool bar 128 as lists of command ids.

#include <array>
#include <optional>
#include <span>
#include <string_view>

#include <QCoreApplication>

namespace keyui::app {

namespace command {
inline constexpr int kSeparator = 0;
inline constexpr int kKeyCaption = 114;
inline constexpr int kLayerSettings = 117;
inline constexpr int kCaptionOptions = 118;
inline constexpr int kKeyProgramming = 121;
inline constexpr int kCancelMode = 32768;
inline constexpr int kLayerData = 32773;
inline constexpr int kKeyboardSettings = 32776;
inline constexpr int kSendToKeyboard = 32777;
inline constexpr int kModules = 32778;
inline constexpr int kZoomNormal = 32779;
inline constexpr int kZoomWhole = 32781;
inline constexpr int kZoomDouble = 32782;
inline constexpr int kGroupCaption = 32783;
inline constexpr int kSaveAndTest = 32786;
inline constexpr int kNew = 57600;
inline constexpr int kOpen = 57601;
inline constexpr int kClose = 57602;
inline constexpr int kSave = 57603;
inline constexpr int kSaveAs = 57604;
inline constexpr int kPrintSetup = 57606;
inline constexpr int kPrint = 57607;
inline constexpr int kPrintPreview = 57609;
inline constexpr int kRecentFile1 = 57616;
inline constexpr int kRecentFileCount = 4;
inline constexpr int kCopy = 57634;
inline constexpr int kCut = 57635;
inline constexpr int kPaste = 57637;
inline constexpr int kUndo = 57643;
inline constexpr int kRedo = 57644;
inline constexpr int kNewWindow = 57648;
inline constexpr int kArrangeIcons = 57649;
inline constexpr int kCascade = 57650;
inline constexpr int kTile = 57651;
inline constexpr int kAbout = 57664;
inline constexpr int kExit = 57665;
inline constexpr int kHelpTopics = 57667;
inline constexpr int kContextHelp = 57669;
inline constexpr int kHelp = 57670;
inline constexpr int kNextPane = 57680;
inline constexpr int kPreviousPane = 57681;
inline constexpr int kToolBar = 59392;
inline constexpr int kStatusBar = 59393;
}  // namespace command

enum class CommandIcon {
    None,
    New,
    Open,
    Save,
    Cut,
    Copy,
    Paste,
    PrintPreview,
    Print,
    KeyCaption,
    KeyProgramming,
    CaptionOptions,
    LayerSettings,
    About,
};

struct CommandInfo {
    int id;
    const char* text;                 // German menu text with its mnemonic, for tr()
    const char* prompt;               // status-bar prompt, newline, tool tip; for tr()
    std::array<const char*, 2> keys;  // accelerators in portable text, or null
    CommandIcon icon;
    bool checkable;
};

// The translation context of the table's texts, which are marked
// QT_TRANSLATE_NOOP("keyui::app::Commands", ...); the main window shows them
// translated with Commands::tr().
struct Commands {
    Q_DECLARE_TR_FUNCTIONS(keyui::app::Commands)
};

std::span<const CommandInfo> commandTable();
const CommandInfo* findCommand(int id);

// The Undo and Redo entries with the name of the step they take back or
// do again ("&Rückgängig: Einfügen"), for tr() in the table's context.
inline constexpr char kUndoNamed[] = QT_TRANSLATE_NOOP("keyui::app::Commands", "&Rückgängig: %1");
inline constexpr char kRedoNamed[] = QT_TRANSLATE_NOOP("keyui::app::Commands", "&Wiederherstellen: %1");

// The two halves of a command's prompt.
std::string_view statusPrompt(const CommandInfo& command);
std::string_view toolTip(const CommandInfo& command);

struct MenuDefinition {
    const char* title;             // for tr()
    std::span<const int> entries;  // command ids; kSeparator between groups
};
std::span<const MenuDefinition> noDocumentMenus();  // menu 128
std::span<const MenuDefinition> layoutMenus();      // menu 129
// The recent-file entries take the place of this id in the file menus.
inline constexpr int kRecentFilesPlace = command::kRecentFile1;

struct PopupEntry {
    int command;
    const char* text;  // for tr(); may carry "\t" and the key
};
std::span<const PopupEntry> viewPopupMenu();  // menu 143

std::span<const int> toolBarButtons();  // tool bar 128; kSeparator between groups

}  // namespace keyui::app
