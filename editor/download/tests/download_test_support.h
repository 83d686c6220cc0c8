#pragma once

// What the download tests share: waiting on the event loop, a notifier that
// records instead of showing a box, fake kbx32 programs and control lookup.

#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include <QApplication>
#include <QDeadlineTimer>
#include <QString>
#include <QWidget>

#include "editor/download/program_start.h"
#include "tests/support/files.h"

namespace keyui::download::testing {

// Processes events until `done` holds or `timeoutMs` passed; whether it held.
inline bool waitUntil(const std::function<bool()>& done, int timeoutMs = 10000) {
    QDeadlineTimer deadline(timeoutMs);
    while (!done()) {
        if (deadline.hasExpired()) return false;
        QApplication::processEvents(QEventLoop::AllEvents, 20);
    }
    return true;
}

struct Notice {
    QString title;
    QString text;
};

struct RecordingNotifier {
    std::vector<Notice> notices;
    Notifier notifier() {
        return [this](QWidget*, const QString& title, const QString& text) { notices.push_back({title, text}); };
    }
};

// A shell script that stands in for kbx32 and runs `body`.
inline std::filesystem::path writeFakeProgram(const std::filesystem::path& path, const std::string& body) {
    kbxtest::writeFile(path, "#!/bin/sh\n" + body);
    std::filesystem::permissions(path, std::filesystem::perms::owner_all);
    return path;
}

template <typename Control>
Control* control(QWidget& parent, const char* name) {
    return parent.findChild<Control*>(QLatin1String(name));
}

inline QString qPath(const std::filesystem::path& path) { return QString::fromStdString(path.string()); }

}  // namespace keyui::download::testing
