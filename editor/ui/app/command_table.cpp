#include "editor/ui/app/command_table.h"

#include <QtGlobal>
#include <algorithm>

namespace keyui::app {

namespace {

using namespace command;

constexpr std::array<const char*, 2> kNoKeys{nullptr, nullptr};

constexpr std::array kCommands{
    CommandInfo{kNew,
                QT_TRANSLATE_NOOP("keyui::app::Commands", "&Neu"),
                QT_TRANSLATE_NOOP("keyui::app::Commands", "Erstellt eine neue Tastaturschablone.\nNeu"),
                {"Ctrl+N", nullptr},
                CommandIcon::New,
                false},
    CommandInfo{kOpen,
                QT_TRANSLATE_NOOP("keyui::app::Commands", "Ö&ffnen..."),
                QT_TRANSLATE_NOOP("keyui::app::Commands", "Öffnet eine bestehende Tastaturschablone.\nÖffnen"),
                {"Ctrl+O", nullptr},
                CommandIcon::Open,
                false},
    CommandInfo{kClose, QT_TRANSLATE_NOOP("keyui::app::Commands", "&Schließen"),
                QT_TRANSLATE_NOOP("keyui::app::Commands", "Schließt die aktive Tastaturschablone.\nSchließen"), kNoKeys,
                CommandIcon::None, false},
    CommandInfo{kSave,
                QT_TRANSLATE_NOOP("keyui::app::Commands", "&Speichern"),
                QT_TRANSLATE_NOOP("keyui::app::Commands", "Speichert die aktive Tastaturschablone.\nSpeichern"),
                {"Ctrl+S", nullptr},
                CommandIcon::Save,
                false},
    CommandInfo{kSaveAs, QT_TRANSLATE_NOOP("keyui::app::Commands", "Speichern &unter..."),
                QT_TRANSLATE_NOOP("keyui::app::Commands",
                                  "Speichert die aktive Tastaturschablone unter einem neuen Namen.\nSpeichern unter"),
                kNoKeys, CommandIcon::None, false},
    CommandInfo{kSendToKeyboard,
                QT_TRANSLATE_NOOP("keyui::app::Commands", "Einstellungen an Tastatur sen&den"),
                QT_TRANSLATE_NOOP("keyui::app::Commands",
                                  "Speichert die aktive Tastaturschablone in der Tastatur.\nSpeicher in Tastatur"),
                {"Ctrl+D", nullptr},
                CommandIcon::None,
                false},
    CommandInfo{kSaveAndTest,
                QT_TRANSLATE_NOOP("keyui::app::Commands", "Belegung speichern und &testen"),
                QT_TRANSLATE_NOOP("keyui::app::Commands",
                                  "Speichert die Belegung und übersetzt sie zur Probe.\nSpeichern und testen"),
                {"Ctrl+T", nullptr},
                CommandIcon::None,
                false},
    CommandInfo{kPrint,
                QT_TRANSLATE_NOOP("keyui::app::Commands", "&Drucken..."),
                QT_TRANSLATE_NOOP("keyui::app::Commands",
                                  "Druckt die Tastenbeschriftungen der aktiven Tastaturschablone.\nDrucken"),
                {"Ctrl+P", nullptr},
                CommandIcon::Print,
                false},
    CommandInfo{kPrintPreview, QT_TRANSLATE_NOOP("keyui::app::Commands", "Seiten&ansicht"),
                QT_TRANSLATE_NOOP("keyui::app::Commands",
                                  "Zeigt die Tastenbeschriftungen so, wie sie gedruckt werden.\nSeitenansicht"),
                kNoKeys, CommandIcon::PrintPreview, false},
    CommandInfo{
        kPrintSetup, QT_TRANSLATE_NOOP("keyui::app::Commands", "Drucker&einrichtung..."),
        QT_TRANSLATE_NOOP("keyui::app::Commands", "Wählt den Drucker und seine Einstellungen.\nDruckereinrichtung"),
        kNoKeys, CommandIcon::None, false},
    CommandInfo{kRecentFile1, QT_TRANSLATE_NOOP("keyui::app::Commands", "Zuletzt geöffnete Datei"),
                QT_TRANSLATE_NOOP("keyui::app::Commands", "Öffnet diese Tastaturschablone.\nZuletzt geöffnet"), kNoKeys,
                CommandIcon::None, false},
    CommandInfo{kExit, QT_TRANSLATE_NOOP("keyui::app::Commands", "&Beenden"),
                QT_TRANSLATE_NOOP("keyui::app::Commands",
                                  "Beendet das Programm und fragt nach dem Speichern geänderter Schablonen.\nBeenden"),
                kNoKeys, CommandIcon::None, false},
    CommandInfo{
        kCut,
        QT_TRANSLATE_NOOP("keyui::app::Commands", "&Ausschneiden"),
        QT_TRANSLATE_NOOP("keyui::app::Commands",
                          "Schneidet die markierte Taste aus und legt sie in die Zwischenablage.\nAusschneiden"),
        {"Ctrl+X", "Shift+Del"},
        CommandIcon::Cut,
        false},
    CommandInfo{
        kCopy,
        QT_TRANSLATE_NOOP("keyui::app::Commands", "&Kopieren"),
        QT_TRANSLATE_NOOP("keyui::app::Commands", "Kopiert die markierte Taste in die Zwischenablage.\nKopieren"),
        {"Ctrl+C", "Ctrl+Ins"},
        CommandIcon::Copy,
        false},
    CommandInfo{kPaste,
                QT_TRANSLATE_NOOP("keyui::app::Commands", "E&infügen"),
                QT_TRANSLATE_NOOP("keyui::app::Commands",
                                  "Überträgt die Taste der Zwischenablage auf die markierte Taste.\nEinfügen"),
                {"Ctrl+V", "Shift+Ins"},
                CommandIcon::Paste,
                false},
    CommandInfo{kUndo,
                QT_TRANSLATE_NOOP("keyui::app::Commands", "&Rückgängig"),
                QT_TRANSLATE_NOOP("keyui::app::Commands", "Macht die letzte Aktion rückgängig.\nRückgängig"),
                {"Ctrl+Z", "Alt+Backspace"},
                CommandIcon::None,
                false},
    CommandInfo{kRedo,
                QT_TRANSLATE_NOOP("keyui::app::Commands", "&Wiederherstellen"),
                QT_TRANSLATE_NOOP("keyui::app::Commands",
                                  "Führt die zuletzt rückgängig gemachte Aktion erneut aus.\nWiederherstellen"),
                {"Ctrl+Y", "Ctrl+Shift+Z"},
                CommandIcon::None,
                false},
    CommandInfo{
        kKeyCaption,
        QT_TRANSLATE_NOOP("keyui::app::Commands", "Tasten&beschriftung..."),
        QT_TRANSLATE_NOOP("keyui::app::Commands", "Ändert die Beschriftung der markierten Taste.\nTastenbeschriftung"),
        {"F3", nullptr},
        CommandIcon::KeyCaption,
        false},
    CommandInfo{kKeyProgramming,
                QT_TRANSLATE_NOOP("keyui::app::Commands", "Tasten&programmierung..."),
                QT_TRANSLATE_NOOP("keyui::app::Commands",
                                  "Ändert die Programmierung der markierten Taste.\nTastenprogrammierung"),
                {"F4", nullptr},
                CommandIcon::KeyProgramming,
                false},
    CommandInfo{kGroupCaption, QT_TRANSLATE_NOOP("keyui::app::Commands", "Beschriftung für &Gruppe..."),
                QT_TRANSLATE_NOOP("keyui::app::Commands",
                                  "Ändert die Beschriftungsoptionen aller markierten Tasten.\nGruppenbeschriftung"),
                kNoKeys, CommandIcon::None, false},
    CommandInfo{
        kLayerSettings, QT_TRANSLATE_NOOP("keyui::app::Commands", "&Layereinstellungen..."),
        QT_TRANSLATE_NOOP("keyui::app::Commands", "Legt die Layer und ihre Bedingungen fest.\nLayereinstellungen"),
        kNoKeys, CommandIcon::LayerSettings, false},
    CommandInfo{kCaptionOptions, QT_TRANSLATE_NOOP("keyui::app::Commands", "&Globale Beschriftungsoptionen..."),
                QT_TRANSLATE_NOOP("keyui::app::Commands",
                                  "Ändert die Beschriftungsoptionen aller Tasten ohne eigene Einstellungen.\nGlobale "
                                  "Beschriftungsoptionen"),
                kNoKeys, CommandIcon::CaptionOptions, false},
    CommandInfo{kKeyboardSettings, QT_TRANSLATE_NOOP("keyui::app::Commands", "&Allgemeine Tastatureinstellungen..."),
                QT_TRANSLATE_NOOP(
                    "keyui::app::Commands",
                    "Stellt Land, Schnittstelle, Ton, Tastenwiederholung und Tastenform ein.\nTastatureinstellungen"),
                kNoKeys, CommandIcon::None, false},
    CommandInfo{kModules, QT_TRANSLATE_NOOP("keyui::app::Commands", "&Module..."),
                QT_TRANSLATE_NOOP("keyui::app::Commands", "Stellt die Module der Tastatur ein.\nModule"), kNoKeys,
                CommandIcon::None, false},
    CommandInfo{
        kToolBar, QT_TRANSLATE_NOOP("keyui::app::Commands", "&Symbolleiste"),
        QT_TRANSLATE_NOOP("keyui::app::Commands", "Blendet die Symbolleiste ein oder aus.\nSymbolleiste ein/aus"),
        kNoKeys, CommandIcon::None, true},
    CommandInfo{
        kStatusBar, QT_TRANSLATE_NOOP("keyui::app::Commands", "S&tatusleiste"),
        QT_TRANSLATE_NOOP("keyui::app::Commands", "Blendet die Statusleiste ein oder aus.\nStatusleiste ein/aus"),
        kNoKeys, CommandIcon::None, true},
    CommandInfo{kLayerData, QT_TRANSLATE_NOOP("keyui::app::Commands", "&Layerdatenanzeige"),
                QT_TRANSLATE_NOOP("keyui::app::Commands",
                                  "Zeigt die Programmierung der Taste unter dem Mauszeiger.\nLayerdatenanzeige"),
                kNoKeys, CommandIcon::None, true},
    CommandInfo{kZoomNormal, QT_TRANSLATE_NOOP("keyui::app::Commands", "100% Standard"),
                QT_TRANSLATE_NOOP("keyui::app::Commands", "Zeigt die Tastatur in Originalgröße.\n100%"), kNoKeys,
                CommandIcon::None, true},
    CommandInfo{kZoomDouble, QT_TRANSLATE_NOOP("keyui::app::Commands", "200% Vergrößerung"),
                QT_TRANSLATE_NOOP("keyui::app::Commands", "Zeigt die Tastatur in doppelter Größe.\n200%"), kNoKeys,
                CommandIcon::None, true},
    CommandInfo{kZoomWhole, QT_TRANSLATE_NOOP("keyui::app::Commands", "Gesamtansicht"),
                QT_TRANSLATE_NOOP("keyui::app::Commands", "Zeigt die ganze Tastatur im Fenster.\nGesamtansicht"),
                kNoKeys, CommandIcon::None, true},
    CommandInfo{kNewWindow, QT_TRANSLATE_NOOP("keyui::app::Commands", "&Neues Fenster"),
                QT_TRANSLATE_NOOP("keyui::app::Commands",
                                  "Öffnet ein weiteres Fenster der aktiven Tastaturschablone.\nNeues Fenster"),
                kNoKeys, CommandIcon::None, false},
    CommandInfo{kCascade, QT_TRANSLATE_NOOP("keyui::app::Commands", "Ü&berlappend"),
                QT_TRANSLATE_NOOP("keyui::app::Commands", "Ordnet die Fenster überlappend an.\nÜberlappend"), kNoKeys,
                CommandIcon::None, false},
    CommandInfo{kTile, QT_TRANSLATE_NOOP("keyui::app::Commands", "&Nebeneinander"),
                QT_TRANSLATE_NOOP("keyui::app::Commands", "Ordnet die Fenster nebeneinander an.\nNebeneinander"),
                kNoKeys, CommandIcon::None, false},
    CommandInfo{kArrangeIcons, QT_TRANSLATE_NOOP("keyui::app::Commands", "&Symbole anordnen"),
                QT_TRANSLATE_NOOP("keyui::app::Commands",
                                  "Ordnet die Symbole der Fenster am unteren Rand an.\nSymbole anordnen"),
                kNoKeys, CommandIcon::None, false},
    CommandInfo{kHelpTopics, QT_TRANSLATE_NOOP("keyui::app::Commands", "&Hilfethemen"),
                QT_TRANSLATE_NOOP("keyui::app::Commands", "Zeigt die Themen der Hilfe.\nHilfethemen"), kNoKeys,
                CommandIcon::None, false},
    CommandInfo{
        kAbout, QT_TRANSLATE_NOOP("keyui::app::Commands", "&Info über Vyrn Layomat..."),
        QT_TRANSLATE_NOOP("keyui::app::Commands", "Zeigt Programminformationen und die Version der Tastatur.\nInfo"),
        kNoKeys, CommandIcon::About, false},
    CommandInfo{kCancelMode,
                QT_TRANSLATE_NOOP("keyui::app::Commands", "Abbrechen"),
                QT_TRANSLATE_NOOP("keyui::app::Commands", "Bricht den laufenden Vorgang ab.\nAbbrechen"),
                {"Esc", nullptr},
                CommandIcon::None,
                false},
    CommandInfo{kHelp,
                QT_TRANSLATE_NOOP("keyui::app::Commands", "Hilfe"),
                QT_TRANSLATE_NOOP("keyui::app::Commands", "Zeigt die Hilfe.\nHilfe"),
                {"F1", nullptr},
                CommandIcon::None,
                false},
    CommandInfo{
        kContextHelp,
        QT_TRANSLATE_NOOP("keyui::app::Commands", "Direkthilfe"),
        QT_TRANSLATE_NOOP("keyui::app::Commands", "Zeigt die Hilfe zu einem angeklickten Element.\nDirekthilfe"),
        {"Shift+F1", nullptr},
        CommandIcon::None,
        false},
    CommandInfo{
        kNextPane,
        QT_TRANSLATE_NOOP("keyui::app::Commands", "Nächster Ausschnitt"),
        QT_TRANSLATE_NOOP("keyui::app::Commands", "Wechselt zum nächsten Fensterausschnitt.\nNächster Ausschnitt"),
        {"F6", nullptr},
        CommandIcon::None,
        false},
    CommandInfo{
        kPreviousPane,
        QT_TRANSLATE_NOOP("keyui::app::Commands", "Vorheriger Ausschnitt"),
        QT_TRANSLATE_NOOP("keyui::app::Commands", "Wechselt zum vorherigen Fensterausschnitt.\nVorheriger Ausschnitt"),
        {"Shift+F6", nullptr},
        CommandIcon::None,
        false},
};

constexpr std::array kFile128{kNew, kOpen, kSeparator, kPrintSetup, kSeparator, kRecentFile1, kSeparator, kExit};
constexpr std::array kView128{kToolBar, kStatusBar};
constexpr std::array kHelp128{kHelpTopics, kSeparator, kAbout};

constexpr std::array kFile129{kNew,         kOpen,      kClose, kSave,         kSaveAs,     kSeparator, kSendToKeyboard,
                              kSaveAndTest, kSeparator, kPrint, kPrintPreview, kPrintSetup, kSeparator, kRecentFile1,
                              kSeparator,   kExit};
constexpr std::array kEdit129{kUndo, kRedo, kSeparator, kCut, kCopy, kPaste};
constexpr std::array kKeys129{kKeyCaption, kKeyProgramming, kGroupCaption};
constexpr std::array kSettings129{kLayerSettings, kCaptionOptions, kSeparator, kKeyboardSettings, kModules};
constexpr std::array kView129{kToolBar,   kStatusBar,  kSeparator,  kLayerData,
                              kSeparator, kZoomNormal, kZoomDouble, kZoomWhole};
constexpr std::array kWindow129{kNewWindow, kCascade, kTile, kArrangeIcons};

constexpr std::array kMenus128{
    MenuDefinition{QT_TRANSLATE_NOOP("keyui::app::Commands", "&Datei"), kFile128},
    MenuDefinition{QT_TRANSLATE_NOOP("keyui::app::Commands", "&Ansicht"), kView128},
    MenuDefinition{QT_TRANSLATE_NOOP("keyui::app::Commands", "&Hilfe"), kHelp128},
};

constexpr std::array kMenus129{
    MenuDefinition{QT_TRANSLATE_NOOP("keyui::app::Commands", "&Datei"), kFile129},
    MenuDefinition{QT_TRANSLATE_NOOP("keyui::app::Commands", "&Bearbeiten"), kEdit129},
    MenuDefinition{QT_TRANSLATE_NOOP("keyui::app::Commands", "Einzel&tasten"), kKeys129},
    MenuDefinition{QT_TRANSLATE_NOOP("keyui::app::Commands", "&Einstellungen"), kSettings129},
    MenuDefinition{QT_TRANSLATE_NOOP("keyui::app::Commands", "&Ansicht"), kView129},
    MenuDefinition{QT_TRANSLATE_NOOP("keyui::app::Commands", "&Fenster"), kWindow129},
    MenuDefinition{QT_TRANSLATE_NOOP("keyui::app::Commands", "&Hilfe"), kHelp128},
};

constexpr std::array kPopup143{
    PopupEntry{kKeyCaption, QT_TRANSLATE_NOOP("keyui::app::Commands", "Tastenbeschriftung ändern...\tF3")},
    PopupEntry{kKeyProgramming, QT_TRANSLATE_NOOP("keyui::app::Commands", "Tastenprogrammierung ändern...\tF4")},
    PopupEntry{kGroupCaption, QT_TRANSLATE_NOOP("keyui::app::Commands", "Tastenbeschriftung für Gruppe ändern...")},
    PopupEntry{kLayerSettings, QT_TRANSLATE_NOOP("keyui::app::Commands", "Layereinstellungen...")},
    PopupEntry{kCaptionOptions, QT_TRANSLATE_NOOP("keyui::app::Commands", "Globale Beschriftungsoptionen...")},
    PopupEntry{kLayerData, QT_TRANSLATE_NOOP("keyui::app::Commands", "Layerdatenanzeige")},
};

constexpr std::array kToolBar128{kNew,           kOpen,       kSave,           kSeparator,    kCut,
                                 kCopy,          kPaste,      kSeparator,      kPrintPreview, kPrint,
                                 kSeparator,     kKeyCaption, kKeyProgramming, kSeparator,    kCaptionOptions,
                                 kLayerSettings, kSeparator,  kAbout};


}  // namespace

std::span<const CommandInfo> commandTable() { return kCommands; }

const CommandInfo* findCommand(int id) {
    const auto* found =
        std::find_if(kCommands.begin(), kCommands.end(), [id](const CommandInfo& c) { return c.id == id; });
    return found == kCommands.end() ? nullptr : found;
}

std::string_view statusPrompt(const CommandInfo& command) {
    const std::string_view prompt = command.prompt;
    return prompt.substr(0, prompt.find('\n'));
}

std::string_view toolTip(const CommandInfo& command) {
    const std::string_view prompt = command.prompt;
    const std::size_t newline = prompt.find('\n');
    return newline == std::string_view::npos ? std::string_view{} : prompt.substr(newline + 1);
}

std::span<const MenuDefinition> noDocumentMenus() { return kMenus128; }
std::span<const MenuDefinition> layoutMenus() { return kMenus129; }
std::span<const PopupEntry> viewPopupMenu() { return kPopup143; }
std::span<const int> toolBarButtons() { return kToolBar128; }
}  // namespace keyui::app
