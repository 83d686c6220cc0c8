#pragma once

// The "Compile & Download" dialog: starts kbx32 as a child process, follows
// its messages on standard output with two bars (compile, download) and a
// status text, and shows the compiler's log. The dialog never waits for the
// program: its lines are read as they come, so the editor stays responsive.
// Closing the dialog while kbx32 still runs ends the program (asked to stop,
// then killed after a short grace), so no orphan keeps the keyboard port.

#include <QByteArray>
#include <QDialog>
#include <QProcess>
#include <QString>
#include <QStringList>

#include "editor/ui/download/program_start.h"
#include "editor/ui/download/progress_messages.h"

class QLabel;
class QPlainTextEdit;
class QProgressBar;
class QPushButton;

namespace keyui::download {

struct ProgressRun {
    QString program;      // kbx32
    QStringList arguments;  // the source path and the interface string or "COMP"
    QString logPath;      // shown on a compile failure
    bool compileOnly = false;  // a test compile: no download to show, the compile's result at the end
};

class ProgressDialog : public QDialog {
    Q_OBJECT
public:
    static constexpr int kMaxLogBytes = 32000;
    static constexpr int kStopGraceMs = 2000;

    ProgressDialog(ProgressRun run, Notifier notify, QWidget* parent = nullptr);
    ~ProgressDialog() override;

    // Starts the program; done once, when the dialog is first shown.
    void start();
    bool programRunning() const;

    void reject() override;  // the close box (and Esc): ends a running program

protected:
    void showEvent(QShowEvent* event) override;

private:
    void buildControls();
    void readMessages();
    void handle(const ProgressMessage& message);
    void programEnded();
    void stopProgram();
    void showLog();
    void finish(const QString& status);

    ProgressRun run_;
    Notifier notify_;
    QProcess process_;
    QByteArray pending_;     // output after the last complete line
    bool started_ = false;
    bool compilePhase_ = true;
    bool finished_ = false;  // the run's outcome is shown and OK is enabled
    bool failureShown_ = false;

    QProgressBar* compileBar_ = nullptr;   // 11039
    QProgressBar* downloadBar_ = nullptr;  // 11040
    QLabel* status_ = nullptr;             // 11043
    QPlainTextEdit* log_ = nullptr;        // 11044
    QPushButton* ok_ = nullptr;
};

}  // namespace keyui::download
