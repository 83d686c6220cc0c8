#pragma once

// The keystroke capture of one programming sheet. Captured tokens replace
// the whole programming text of the target page, the page initialised
// last, whose Alt, Control and Shift boxes give the simulated modifiers and
// whose capture box and simulate boxes show whether capture is armed.

#include <QObject>
#include <QString>

#include "editor/ui/dialogs/capture/keystroke_capture.h"

namespace keyui::dialogs {

class ProgrammingPage;

class CaptureTarget : public QObject {
    Q_OBJECT
public:
    explicit CaptureTarget(QObject* parent = nullptr);
    ~CaptureTarget() override;

    void setTarget(ProgrammingPage* page);
    ProgrammingPage* target() const { return target_; }
    // A page going away stops being the target.
    void forget(ProgrammingPage* page);

    // Arms capture when it is off, else disarms it.
    void toggle();
    void arm();
    void disarm();
    bool isArmed() const { return capture_.isArmed(); }

private:
    void deliver(const QString& token);
    capture::SimulatedModifiers modifiers() const;
    void showArmed(bool armed);

    ProgrammingPage* target_ = nullptr;
    capture::KeystrokeCapture capture_;
};

}  // namespace keyui::dialogs
