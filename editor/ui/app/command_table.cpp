#include "editor/ui/app/command_table.h"

#include <QtGlobal>
#include <algorithm>

namespace keyui::app {

namespace {

using namespace command;

#define CMD_TEXT(text) QT_TRANSLATE_NOOP("keyui::app::Commands", text)

constexpr std::array<const char*, 2> kNoKeys{nullptr, nullptr};

constexpr std::array kCommands{
    CommandInfo{kNew, CMD_TEXT("&Neu"), CMD_TEXT("Erstellt eine neue Tastaturschablone.\nNeu"), {"Ctrl+N", nullptr},
                CommandIcon::New, false},
    CommandInfo{kOpen, CMD_TEXT("Ö&ffnen..."), CMD_TEXT("Öffnet eine bestehende Tastaturschablone.\nÖffnen"),
                {"Ctrl+O", nullptr}, CommandIcon::Open, false},
    CommandInfo{kClose, CMD_TEXT("&Schließen"), CMD_TEXT("Schließt die aktive Tastaturschablone.\nSchließen"), kNoKeys,
                CommandIcon::None, false},
    CommandInfo{kSave, CMD_TEXT("&Speichern"), CMD_TEXT("Speichert die aktive Tastaturschablone.\nSpeichern"),
                {"Ctrl+S", nullptr}, CommandIcon::Save, false},
    CommandInfo{kSaveAs, CMD_TEXT("Speichern &unter..."),
                CMD_TEXT("Speichert die aktive Tastaturschablone unter einem neuen Namen.\nSpeichern unter"), kNoKeys,
                CommandIcon::None, false},
    CommandInfo{kSendToKeyboard, CMD_TEXT("Einstellungen an Tastatur sen&den"),
                CMD_TEXT("Speichert die aktive Tastaturschablone in der Tastatur.\nSpeicher in Tastatur"),
                {"Ctrl+D", nullptr}, CommandIcon::None, false},
    CommandInfo{kSaveAndTest, CMD_TEXT("Belegung speichern und &testen"),
                CMD_TEXT("Speichert die Belegung und übersetzt sie zur Probe.\nSpeichern und testen"),
                {"Ctrl+T", nullptr}, CommandIcon::None, false},
    CommandInfo{kPrint, CMD_TEXT("&Drucken..."),
                CMD_TEXT("Druckt die Tastenbeschriftungen der aktiven Tastaturschablone.\nDrucken"),
                {"Ctrl+P", nullptr}, CommandIcon::Print, false},
    CommandInfo{kPrintPreview, CMD_TEXT("Seiten&ansicht"),
                CMD_TEXT("Zeigt die Tastenbeschriftungen so, wie sie gedruckt werden.\nSeitenansicht"), kNoKeys,
                CommandIcon::PrintPreview, false},
    CommandInfo{kPrintSetup, CMD_TEXT("Drucker&einrichtung..."),
                CMD_TEXT("Wählt den Drucker und seine Einstellungen.\nDruckereinrichtung"), kNoKeys,
                CommandIcon::None, false},
    CommandInfo{kRecentFile1, CMD_TEXT("Zuletzt geöffnete Datei"),
                CMD_TEXT("Öffnet diese Tastaturschablone.\nZuletzt geöffnet"), kNoKeys, CommandIcon::None, false},
    CommandInfo{kExit, CMD_TEXT("&Beenden"),
                CMD_TEXT("Beendet das Programm und fragt nach dem Speichern geänderter Schablonen.\nBeenden"), kNoKeys,
                CommandIcon::None, false},
    CommandInfo{kCut, CMD_TEXT("&Ausschneiden"),
                CMD_TEXT("Schneidet die markierte Taste aus und legt sie in die Zwischenablage.\nAusschneiden"),
                {"Ctrl+X", "Shift+Del"}, CommandIcon::Cut, false},
    CommandInfo{kCopy, CMD_TEXT("&Kopieren"),
                CMD_TEXT("Kopiert die markierte Taste in die Zwischenablage.\nKopieren"), {"Ctrl+C", "Ctrl+Ins"},
                CommandIcon::Copy, false},
    CommandInfo{kPaste, CMD_TEXT("E&infügen"),
                CMD_TEXT("Überträgt die Taste der Zwischenablage auf die markierte Taste.\nEinfügen"),
                {"Ctrl+V", "Shift+Ins"}, CommandIcon::Paste, false},
    CommandInfo{kUndo, CMD_TEXT("&Rückgängig"), CMD_TEXT("Macht die letzte Aktion rückgängig.\nRückgängig"),
                {"Ctrl+Z", "Alt+Backspace"}, CommandIcon::None, false},
    CommandInfo{kKeyCaption, CMD_TEXT("Tasten&beschriftung..."),
                CMD_TEXT("Ändert die Beschriftung der markierten Taste.\nTastenbeschriftung"), {"F3", nullptr},
                CommandIcon::KeyCaption, false},
    CommandInfo{kKeyProgramming, CMD_TEXT("Tasten&programmierung..."),
                CMD_TEXT("Ändert die Programmierung der markierten Taste.\nTastenprogrammierung"), {"F4", nullptr},
                CommandIcon::KeyProgramming, false},
    CommandInfo{kGroupCaption, CMD_TEXT("Beschriftung für &Gruppe..."),
                CMD_TEXT("Ändert die Beschriftungsoptionen aller markierten Tasten.\nGruppenbeschriftung"), kNoKeys,
                CommandIcon::None, false},
    CommandInfo{kLayerSettings, CMD_TEXT("&Layereinstellungen..."),
                CMD_TEXT("Legt die Layer und ihre Bedingungen fest.\nLayereinstellungen"), kNoKeys,
                CommandIcon::LayerSettings, false},
    CommandInfo{kCaptionOptions, CMD_TEXT("&Globale Beschriftungsoptionen..."),
                CMD_TEXT("Ändert die Beschriftungsoptionen aller Tasten ohne eigene Einstellungen.\nGlobale "
                         "Beschriftungsoptionen"),
                kNoKeys, CommandIcon::CaptionOptions, false},
    CommandInfo{kKeyboardSettings, CMD_TEXT("&Allgemeine Tastatureinstellungen..."),
                CMD_TEXT("Stellt Land, Schnittstelle, Ton, Tastenwiederholung und Tastenform ein.\nTastatureinstellungen"),
                kNoKeys, CommandIcon::None, false},
    CommandInfo{kModules, CMD_TEXT("&Module..."),
                CMD_TEXT("Stellt die Module der Tastatur ein.\nModule"), kNoKeys, CommandIcon::None, false},
    CommandInfo{kToolBar, CMD_TEXT("&Symbolleiste"),
                CMD_TEXT("Blendet die Symbolleiste ein oder aus.\nSymbolleiste ein/aus"), kNoKeys, CommandIcon::None,
                true},
    CommandInfo{kStatusBar, CMD_TEXT("S&tatusleiste"),
                CMD_TEXT("Blendet die Statusleiste ein oder aus.\nStatusleiste ein/aus"), kNoKeys, CommandIcon::None,
                true},
    CommandInfo{kLayerData, CMD_TEXT("&Layerdatenanzeige"),
                CMD_TEXT("Zeigt die Programmierung der Taste unter dem Mauszeiger.\nLayerdatenanzeige"), kNoKeys,
                CommandIcon::None, true},
    CommandInfo{kZoomNormal, CMD_TEXT("100% Standard"), CMD_TEXT("Zeigt die Tastatur in Originalgröße.\n100%"),
                kNoKeys, CommandIcon::None, true},
    CommandInfo{kZoomDouble, CMD_TEXT("200% Vergrößerung"),
                CMD_TEXT("Zeigt die Tastatur in doppelter Größe.\n200%"), kNoKeys, CommandIcon::None, true},
    CommandInfo{kZoomWhole, CMD_TEXT("Gesamtansicht"),
                CMD_TEXT("Zeigt die ganze Tastatur im Fenster.\nGesamtansicht"), kNoKeys, CommandIcon::None, true},
    CommandInfo{kNewWindow, CMD_TEXT("&Neues Fenster"),
                CMD_TEXT("Öffnet ein weiteres Fenster der aktiven Tastaturschablone.\nNeues Fenster"), kNoKeys,
                CommandIcon::None, false},
    CommandInfo{kCascade, CMD_TEXT("Ü&berlappend"),
                CMD_TEXT("Ordnet die Fenster überlappend an.\nÜberlappend"), kNoKeys, CommandIcon::None, false},
    CommandInfo{kTile, CMD_TEXT("&Nebeneinander"),
                CMD_TEXT("Ordnet die Fenster nebeneinander an.\nNebeneinander"), kNoKeys, CommandIcon::None, false},
    CommandInfo{kArrangeIcons, CMD_TEXT("&Symbole anordnen"),
                CMD_TEXT("Ordnet die Symbole der Fenster am unteren Rand an.\nSymbole anordnen"), kNoKeys,
                CommandIcon::None, false},
    CommandInfo{kHelpTopics, CMD_TEXT("&Hilfethemen"), CMD_TEXT("Zeigt die Themen der Hilfe.\nHilfethemen"), kNoKeys,
                CommandIcon::None, false},
    CommandInfo{kAbout, CMD_TEXT("&Info über Vyrn Layomat..."),
                CMD_TEXT("Zeigt Programminformationen und die Version der Tastatur.\nInfo"), kNoKeys,
                CommandIcon::About, false},
    CommandInfo{kCancelMode, CMD_TEXT("Abbrechen"), CMD_TEXT("Bricht den laufenden Vorgang ab.\nAbbrechen"),
                {"Esc", nullptr}, CommandIcon::None, false},
    CommandInfo{kHelp, CMD_TEXT("Hilfe"), CMD_TEXT("Zeigt die Hilfe.\nHilfe"), {"F1", nullptr}, CommandIcon::None,
                false},
    CommandInfo{kContextHelp, CMD_TEXT("Direkthilfe"),
                CMD_TEXT("Zeigt die Hilfe zu einem angeklickten Element.\nDirekthilfe"), {"Shift+F1", nullptr},
                CommandIcon::None, false},
    CommandInfo{kNextPane, CMD_TEXT("Nächster Ausschnitt"),
                CMD_TEXT("Wechselt zum nächsten Fensterausschnitt.\nNächster Ausschnitt"), {"F6", nullptr},
                CommandIcon::None, false},
    CommandInfo{kPreviousPane, CMD_TEXT("Vorheriger Ausschnitt"),
                CMD_TEXT("Wechselt zum vorherigen Fensterausschnitt.\nVorheriger Ausschnitt"), {"Shift+F6", nullptr},
                CommandIcon::None, false},
};

constexpr std::array kFile128{kNew, kOpen, kSeparator, kPrintSetup, kSeparator, kRecentFile1, kSeparator, kExit};
constexpr std::array kView128{kToolBar, kStatusBar};
constexpr std::array kHelp128{kHelpTopics, kSeparator, kAbout};

constexpr std::array kFile129{kNew,        kOpen,     kClose,          kSave,     kSaveAs,    kSeparator,
                              kSendToKeyboard, kSaveAndTest, kSeparator, kPrint, kPrintPreview, kPrintSetup,
                              kSeparator,  kRecentFile1, kSeparator,   kExit};
constexpr std::array kEdit129{kCut, kCopy, kPaste};
constexpr std::array kKeys129{kKeyCaption, kKeyProgramming, kGroupCaption};
constexpr std::array kSettings129{kLayerSettings, kCaptionOptions, kSeparator, kKeyboardSettings, kModules};
constexpr std::array kView129{kToolBar,   kStatusBar,  kSeparator, kLayerData,
                              kSeparator, kZoomNormal, kZoomDouble, kZoomWhole};
constexpr std::array kWindow129{kNewWindow, kCascade, kTile, kArrangeIcons};

constexpr std::array kMenus128{
    MenuSpec{CMD_TEXT("&Datei"), kFile128},
    MenuSpec{CMD_TEXT("&Ansicht"), kView128},
    MenuSpec{CMD_TEXT("&Hilfe"), kHelp128},
};

constexpr std::array kMenus129{
    MenuSpec{CMD_TEXT("&Datei"), kFile129},        MenuSpec{CMD_TEXT("&Bearbeiten"), kEdit129},
    MenuSpec{CMD_TEXT("Einzel&tasten"), kKeys129}, MenuSpec{CMD_TEXT("&Einstellungen"), kSettings129},
    MenuSpec{CMD_TEXT("&Ansicht"), kView129},      MenuSpec{CMD_TEXT("&Fenster"), kWindow129},
    MenuSpec{CMD_TEXT("&Hilfe"), kHelp128},
};

constexpr std::array kPopup143{
    PopupEntry{kKeyCaption, CMD_TEXT("Tastenbeschriftung ändern...\tF3")},
    PopupEntry{kKeyProgramming, CMD_TEXT("Tastenprogrammierung ändern...\tF4")},
    PopupEntry{kGroupCaption, CMD_TEXT("Tastenbeschriftung für Gruppe ändern...")},
    PopupEntry{kLayerSettings, CMD_TEXT("Layereinstellungen...")},
    PopupEntry{kCaptionOptions, CMD_TEXT("Globale Beschriftungsoptionen...")},
    PopupEntry{kLayerData, CMD_TEXT("Layerdatenanzeige")},
};

constexpr std::array kToolBar128{kNew,        kOpen,       kSave,       kSeparator,      kCut,
                                 kCopy,       kPaste,      kSeparator,  kPrintPreview,   kPrint,
                                 kSeparator,  kKeyCaption, kKeyProgramming, kSeparator,  kCaptionOptions,
                                 kLayerSettings, kSeparator, kAbout};

constexpr std::array kNotYetConnected{kKeyCaption,       kKeyProgramming, kGroupCaption,
                                      kLayerSettings,    kCaptionOptions, kKeyboardSettings,
                                      kModules,          kSendToKeyboard, kSaveAndTest};

#undef CMD_TEXT

}  // namespace

std::span<const CommandInfo> commandTable() { return kCommands; }

const CommandInfo* findCommand(int id) {
    const auto* found = std::find_if(kCommands.begin(), kCommands.end(), [id](const CommandInfo& c) { return c.id == id; });
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

std::span<const MenuSpec> noDocumentMenus() { return kMenus128; }
std::span<const MenuSpec> layoutMenus() { return kMenus129; }
std::span<const PopupEntry> viewPopupMenu() { return kPopup143; }
std::span<const int> toolBarButtons() { return kToolBar128; }
std::span<const int> commandsNotYetConnected() { return kNotYetConnected; }

}  // namespace keyui::app
