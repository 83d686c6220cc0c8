#pragma once

// Driving the modal dialogs of the print command from a test: real clicks
// on a control found by its id, once the dialog is up.

#include <functional>

#include <QAbstractButton>
#include <QApplication>
#include <QDialog>
#include <QElapsedTimer>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include "editor/ui/print/print_dialog.h"

namespace keyui::print::testing {

inline void click(QWidget& dialog, int id) {
    auto* button = dialog.findChild<QAbstractButton*>(controlName(id));
    ASSERT_NE(button, nullptr) << id;
    QTest::mouseClick(button, Qt::LeftButton);
}

// Runs `run` and calls `act` with the first modal dialog that comes up
// meanwhile. A dialog still open after a few seconds is rejected, so that a
// broken test fails instead of hanging.
template <typename Run>
auto whileModal(const std::function<void(QWidget&)>& act, Run run) {
    constexpr int kPollMs = 5;
    constexpr qint64 kGiveUpMs = 5000;
    bool acted = false;
    QElapsedTimer clock;
    clock.start();
    QTimer poll;
    poll.setInterval(kPollMs);
    QObject::connect(&poll, &QTimer::timeout, [&] {
        auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
        if (dialog == nullptr) return;
        if (!acted) {
            acted = true;
            act(*dialog);
        } else if (clock.elapsed() > kGiveUpMs) {
            dialog->reject();
        }
    });
    poll.start();
    auto result = run();
    EXPECT_TRUE(acted);
    return result;
}

}  // namespace keyui::print::testing
