#pragma once

// The editor's command line: layout files to open, --help and --version,
// and the hidden --screenshots FOLDER of the screenshot tool.

#include <QString>
#include <QStringList>

namespace keyui::app {

inline constexpr char kScreenshotVariable[] = "KEY_SCREENSHOTS";  // a folder: grab and quit
inline constexpr char kScreenshotOption[] = "--screenshots";

struct CommandLine {
    QStringList files;
    QString screenshotFolder;  // hidden: grab the windows into this folder and quit
    bool helpWanted = false;
    bool versionWanted = false;
    QString problem;  // an unknown option or one without its value; empty when the line is good
};
CommandLine parseCommandLine(const QStringList& arguments);

// What --help and --version print.
QString commandLineHelp();
QString versionLine();

// The arguments of main as Qt holds them, for reading before the window
// system is opened.
QStringList argumentsOf(int argc, char** argv);

}  // namespace keyui::app
