#pragma once

// What the download tests share: waiting on the event loop, a notifier that
// records instead of showing a box, fake kbx32 programs and control lookup.

#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include <QAbstractButton>
#include <QApplication>
#include <QLabel>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QTimer>
#include <QDeadlineTimer>
#include <QString>
#include <QTest>
#include <QWidget>

#include "editor/ui/download/interface_dialog.h"
#include "editor/ui/download/program_start.h"
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

// A click on the indicator of a radio button or check box (its middle may
// lie beyond the label).
inline void clickRadio(QAbstractButton* button) {
    constexpr int kIndicatorX = 6;
    QTest::mouseClick(button, Qt::LeftButton, {}, QPoint(kIndicatorX, button->height() / 2));
}

inline QString qPath(const std::filesystem::path& path) { return QString::fromStdString(path.string()); }

constexpr int kGiveUpMs = 60000;
constexpr int kPollMs = 50;

struct FinalState {
    bool seen = false;
    int compileBar = -1;
    int downloadBar = -1;
    QString status;
    QString log;
};

// Answers the modal dialogs of a command as a user would: the interface
// dialog with "AT" and OK, the progress dialog with OK once it is enabled
// (its state recorded first). Gives up by closing whatever is open.
class ModalDriver : public QObject {
public:
    // Answers the interface dialog with the keyboard port, or with the radio
    // buttons named.
    explicit ModalDriver(std::vector<const char*> interfaceRadios = {"radio11009"})
        : interfaceRadios_(std::move(interfaceRadios)) {
        connect(&poll_, &QTimer::timeout, this, &ModalDriver::step);
        poll_.start(kPollMs);
        deadline_.setRemainingTime(kGiveUpMs);
    }
    FinalState final;
    bool interfaceAnswered = false;

private:
    void step() {
        QWidget* modal = QApplication::activeModalWidget();
        if (modal == nullptr) return;
        if (deadline_.hasExpired()) {
            modal->close();
            return;
        }
        if (auto* interface = qobject_cast<InterfaceDialog*>(modal)) {
            for (const char* radio : interfaceRadios_) testing::clickRadio(control<QRadioButton>(*interface, radio));
            QTest::mouseClick(control<QPushButton>(*interface, "button1"), Qt::LeftButton);
            interfaceAnswered = true;
            return;
        }
        auto* ok = control<QPushButton>(*modal, "button1");
        if (ok == nullptr || !ok->isEnabled() || final.seen) return;
        final.seen = true;
        final.compileBar = control<QProgressBar>(*modal, "progress11039")->value();
        final.downloadBar = control<QProgressBar>(*modal, "progress11040")->value();
        final.status = control<QLabel>(*modal, "static11043")->text();
        final.log = control<QPlainTextEdit>(*modal, "edit11044")->toPlainText();
        QTest::mouseClick(ok, Qt::LeftButton);
    }

    std::vector<const char*> interfaceRadios_;
    QTimer poll_;
    QDeadlineTimer deadline_;
};

}  // namespace keyui::download::testing
