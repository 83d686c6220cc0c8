#pragma once

// Starting kbx32: why a start cannot work, told the way the editor has always
// told it, as the title of a message box showing the command line.

#include <functional>

#include <QString>
#include <QStringList>

class QWidget;

namespace keyui::download {

inline constexpr char kFileNotFoundTitle[] = "FILE NOT FOUND ERROR";
inline constexpr char kPathNotFoundTitle[] = "PATH NOT FOUND ERROR";
inline constexpr char kBadFormatTitle[] = "BAD FORMAT ERROR";

// Shows a message to the user; the program's notifier is a warning box,
// tests put in one that records.
using Notifier = std::function<void(QWidget* parent, const QString& title, const QString& text)>;
Notifier messageBoxNotifier();

// The title for a program that cannot be started because it or its folder
// is missing; empty when the file is there (a start may still fail, with
// kBadFormatTitle).
QString missingProgramTitle(const QString& program);

// The command line as the message box shows it: program and arguments
// separated by blanks.
QString commandLineText(const QString& program, const QStringList& arguments);

}  // namespace keyui::download
