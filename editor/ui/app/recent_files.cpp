#include "editor/ui/app/recent_files.h"

#include <QFileInfo>
#include <QSettings>

namespace keyui::app {

namespace {
constexpr char kSection[] = "Recent File List";
QString entryKey(int index) { return QStringLiteral("%1/File%2").arg(QLatin1String(kSection)).arg(index + 1); }
}  // namespace

RecentFiles::RecentFiles(QSettings& settings) : settings_(settings) {
    for (int i = 0; i < kRecentFileLimit; ++i) {
        const QString path = settings_.value(entryKey(i)).toString();
        if (!path.isEmpty() && !paths_.contains(path)) paths_.append(path);
    }
}

void RecentFiles::add(const QString& path) {
    const QString absolute = QFileInfo(path).absoluteFilePath();
    paths_.removeAll(absolute);
    paths_.prepend(absolute);
    while (paths_.size() > kRecentFileLimit) paths_.removeLast();
    store();
}

void RecentFiles::remove(const QString& path) {
    paths_.removeAll(path);
    store();
}

void RecentFiles::store() {
    for (int i = 0; i < kRecentFileLimit; ++i) {
        if (i < paths_.size())
            settings_.setValue(entryKey(i), paths_[i]);
        else
            settings_.remove(entryKey(i));
    }
    if (changed_) changed_();
}

}  // namespace keyui::app
