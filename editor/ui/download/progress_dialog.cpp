#include "editor/ui/download/progress_dialog.h"

#include <string_view>

#include <QFile>
#include <QHBoxLayout>
#include <QLabel>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>

#include "editor/ui/core/texts.h"
#include "editor/ui/download/control_names.h"

namespace keyui::download {

namespace {

// No fixed underlying type: lupdate reads "enum ControlId : int" as the head
// of a class and files the dialog's texts under the wrong context.
enum ControlId {
    kCompileBarId = 11039,
    kDownloadBarId = 11040,
    kStatusId = 11043,
    kLogId = 11044,
};

constexpr int kBarMinimum = 0;
constexpr int kBarMaximum = 100;
// A message line is a few bytes; output that runs on this long without a
// line end is not a message and is dropped, so it cannot fill the memory.
constexpr qsizetype kLongestLine = 4096;

}  // namespace

ProgressDialog::ProgressDialog(ProgressRun run, Notifier notify, QWidget* parent)
    : QDialog(parent), run_(std::move(run)), notify_(std::move(notify)) {
    setWindowTitle(tr("Compile & Download"));
    buildControls();
    process_.setStandardErrorFile(QProcess::nullDevice());
    connect(&process_, &QProcess::readyReadStandardOutput, this, &ProgressDialog::readMessages);
    connect(&process_, &QProcess::finished, this, &ProgressDialog::programEnded);
    connect(&process_, &QProcess::errorOccurred, this, [this](QProcess::ProcessError error) {
        if (error != QProcess::FailedToStart) return;
        notify_(this, QLatin1String(kBadFormatTitle), commandLineText(run_.program, run_.arguments));
    });
}

ProgressDialog::~ProgressDialog() {
    disconnect(&process_, nullptr, this, nullptr);
    stopProgram();
}

void ProgressDialog::buildControls() {
    compileBar_ = namedControl(new QProgressBar(this), "progress", kCompileBarId);
    downloadBar_ = namedControl(new QProgressBar(this), "progress", kDownloadBarId);
    for (QProgressBar* bar : {compileBar_, downloadBar_}) {
        bar->setRange(kBarMinimum, kBarMaximum);
        bar->setValue(kBarMinimum);
    }
    status_ = namedControl(new QLabel(tr("Vorgang läuft..."), this), "static", kStatusId);
    log_ = namedControl(new QPlainTextEdit(this), "edit", kLogId);
    log_->setReadOnly(true);
    ok_ = namedControl(new QPushButton(tr("OK"), this), "button", kOkButtonId);
    ok_->setEnabled(false);
    connect(ok_, &QPushButton::clicked, this, &QDialog::accept);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(ok_);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel(tr("Compile"), this));
    layout->addWidget(compileBar_);
    auto* downloadLabel = new QLabel(tr("Download"), this);
    layout->addWidget(downloadLabel);
    layout->addWidget(downloadBar_);
    downloadLabel->setVisible(!run_.compileOnly);
    downloadBar_->setVisible(!run_.compileOnly);
    layout->addWidget(status_);
    layout->addWidget(log_);
    layout->addLayout(buttons);
}

void ProgressDialog::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    // Started from the event loop, so that a start failure's message box
    // opens over the dialog already shown.
    if (!started_) QTimer::singleShot(0, this, &ProgressDialog::start);
}

void ProgressDialog::start() {
    if (started_) return;
    started_ = true;
    const QString missing = missingProgramTitle(run_.program);
    if (!missing.isEmpty()) {
        notify_(this, missing, commandLineText(run_.program, run_.arguments));
        return;
    }
    process_.start(run_.program, run_.arguments, QIODevice::ReadOnly);
}

bool ProgressDialog::programRunning() const { return process_.state() != QProcess::NotRunning; }

void ProgressDialog::readMessages() {
    pending_ += process_.readAllStandardOutput();
    for (qsizetype end = pending_.indexOf('\n'); end >= 0; end = pending_.indexOf('\n')) {
        const QByteArray line = pending_.left(end);
        pending_.remove(0, end + 1);
        if (const auto message = parseMessageLine(line)) handle(*message);
    }
    if (pending_.size() > kLongestLine) pending_.clear();
}

void ProgressDialog::handle(const ProgressMessage& message) {
    switch (message.kind) {
    case MessageKind::progress:
        if (message.value >= kBarMinimum && message.value <= kBarMaximum)
            (compilePhase_ ? compileBar_ : downloadBar_)->setValue(message.value);
        break;
    case MessageKind::phaseFinished:
        if (compilePhase_) {
            compileBar_->setValue(kBarMaximum);
        } else if (run_.compileOnly) {
            // The compile listing tells what the layout holds.
            showLog();
            finish(tr("Die Belegung wurde ohne Fehler compiliert."));
        } else {
            downloadBar_->setValue(kBarMaximum);
            finish(tr("Fertig"));
        }
        break;
    case MessageKind::compilePhase:
        compilePhase_ = true;
        break;
    case MessageKind::downloadPhase:
        compilePhase_ = false;
        break;
    case MessageKind::compileFailure:
        if (message.value < 0) {
            showLog();
            finish(failureText(message.kind, message.value));
        }
        break;
    case MessageKind::downloadFailure:
        if (message.value < 0) {
            const QString text = failureText(message.kind, message.value);
            if (!text.isEmpty()) status_->setText(text);
            failureShown_ = true;
        }
        break;
    }
}

void ProgressDialog::programEnded() {
    readMessages();
    if (finished_) return;
    // The program ended without its last message: a download failure stays
    // on show, with the log that tells which device failed and why;
    // otherwise the run was cut short (a crash, a kill, a program that is
    // not kbx32).
    if (failureShown_) showLog();
    finish(failureShown_ ? QString() : tr("Das Programm kbx32 wurde unerwartet beendet."));
}

void ProgressDialog::finish(const QString& status) {
    if (!status.isEmpty()) status_->setText(status);
    ok_->setEnabled(true);
    finished_ = true;
}

void ProgressDialog::showLog() {
    QFile file(run_.logPath);
    if (!file.open(QIODevice::ReadOnly)) return;
    const QByteArray bytes = file.read(kMaxLogBytes);
    log_->setPlainText(fromAnsi(std::string_view(bytes.constData(), std::size_t(bytes.size()))));
}

void ProgressDialog::stopProgram() {
    if (process_.state() == QProcess::NotRunning) return;
    process_.terminate();
    if (process_.waitForFinished(kStopGraceMs)) return;
    process_.kill();
    process_.waitForFinished(kStopGraceMs);
}

void ProgressDialog::reject() {
    stopProgram();
    QDialog::reject();
}

}  // namespace keyui::download
