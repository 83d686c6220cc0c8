#pragma once

// Where an installed editor finds its data: the build names the data folder
// relative to the program's folder (for example "../share/kbx/"), so that an
// install under any prefix or DESTDIR finds it. A build tree has no such
// folder beside its bin/. The build defines the macro for the libraries that
// include this header (keyui_app, keyui_download), the same for each.

#include <QDir>
#include <QString>

namespace keyui {

inline constexpr char kInstalledTemplateFolder[] = "LAY";

// The installed data folder with its "/"; empty when the build names none.
inline QString installedDataFolderOf(const QString& programFolder) {
#ifdef KBX_INSTALLED_DATA_FROM_PROGRAM
    return QDir::cleanPath(programFolder + QStringLiteral(KBX_INSTALLED_DATA_FROM_PROGRAM)) + QLatin1Char('/');
#else
    (void)programFolder;
    return {};
#endif
}

// True when the program runs from an installed tree: its data folder with
// the templates lies where the install puts it. Such a program keeps its
// settings and work files in the user's folders even when its own folder
// could be written (as root), never in the system's program folder.
inline bool runsInstalled(const QString& programFolder) {
    const QString folder = installedDataFolderOf(programFolder);
    return !folder.isEmpty() && QDir(folder).exists(QLatin1String(kInstalledTemplateFolder));
}

}  // namespace keyui
