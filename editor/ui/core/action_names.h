#pragma once

// The names of the user actions as the undo history shows them in the Edit
// menu ("Rückgängig: Einfügen"), one place for all of them.

#include <QCoreApplication>
#include <QString>

namespace keyui::action {

inline constexpr char kContext[] = "keyui::action";

inline constexpr char kCut[] = QT_TRANSLATE_NOOP("keyui::action", "Ausschneiden");
inline constexpr char kPaste[] = QT_TRANSLATE_NOOP("keyui::action", "Einfügen");
inline constexpr char kMoveKey[] = QT_TRANSLATE_NOOP("keyui::action", "Taste verschieben");
inline constexpr char kResizeKey[] = QT_TRANSLATE_NOOP("keyui::action", "Tastengröße ändern");
inline constexpr char kKeyProgramming[] = QT_TRANSLATE_NOOP("keyui::action", "Tastenprogrammierung");
inline constexpr char kCaption[] = QT_TRANSLATE_NOOP("keyui::action", "Tastenbeschriftung");
inline constexpr char kCaptionOptions[] = QT_TRANSLATE_NOOP("keyui::action", "Beschriftungsoptionen");
inline constexpr char kLayers[] = QT_TRANSLATE_NOOP("keyui::action", "Ebenen");
inline constexpr char kKeyboardSettings[] = QT_TRANSLATE_NOOP("keyui::action", "Tastatureinstellungen");
inline constexpr char kModules[] = QT_TRANSLATE_NOOP("keyui::action", "Module");

inline QString named(const char* action) { return QCoreApplication::translate(kContext, action); }

}  // namespace keyui::action
