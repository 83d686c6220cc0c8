#pragma once

// The recent-file list: four paths, newest first, kept in the per-user
// settings of "LayomatV18" under "Recent File List".

#include <QStringList>
#include <functional>

class QSettings;

namespace keyui::app {

inline constexpr int kRecentFileLimit = 4;

class RecentFiles {
public:
    explicit RecentFiles(QSettings& settings);

    const QStringList& paths() const { return paths_; }
    void add(const QString& path);
    void remove(const QString& path);
    // Called after every change of the list.
    void onChange(std::function<void()> handler) { changed_ = std::move(handler); }

private:
    void store();

    QSettings& settings_;
    QStringList paths_;
    std::function<void()> changed_;
};

}  // namespace keyui::app
