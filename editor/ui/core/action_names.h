#pragma once

// The names of the user actions as the undo history shows them in the Edit
// menu ("Rückgängig: Einfügen"), one place for all of them.

#include <QCoreApplication>
#include <QString>

namespace keyui::action {

// The translation context of the names.
struct Names {
    Q_DECLARE_TR_FUNCTIONS(keyui::action::Names)
};

inline constexpr char kCut[] = QT_TRANSLATE_NOOP("keyui::action::Names", "Ausschneiden");
inline constexpr char kPaste[] = QT_TRANSLATE_NOOP("keyui::action::Names", "Einfügen");
inline constexpr char kMoveKey[] = QT_TRANSLATE_NOOP("keyui::action::Names", "Taste verschieben");
inline constexpr char kResizeKey[] = QT_TRANSLATE_NOOP("keyui::action::Names", "Tastengröße ändern");
inline constexpr char kKeyProgramming[] = QT_TRANSLATE_NOOP("keyui::action::Names", "Tastenprogrammierung");
inline constexpr char kCaption[] = QT_TRANSLATE_NOOP("keyui::action::Names", "Tastenbeschriftung");
inline constexpr char kCaptionOptions[] = QT_TRANSLATE_NOOP("keyui::action::Names", "Beschriftungsoptionen");
inline constexpr char kLayers[] = QT_TRANSLATE_NOOP("keyui::action::Names", "Ebenen");
inline constexpr char kKeyboardSettings[] = QT_TRANSLATE_NOOP("keyui::action::Names", "Tastatureinstellungen");
inline constexpr char kModules[] = QT_TRANSLATE_NOOP("keyui::action::Names", "Module");

inline QString named(const char* action) { return Names::tr(action); }

}  // namespace keyui::action
