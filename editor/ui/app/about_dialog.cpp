#include "editor/ui/app/about_dialog.h"

#include <QCoreApplication>
#include <QDialogButtonBox>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "editor/ui/app/user_dialogs.h"
#include "editor/ui/core/editor_state.h"
#include "editor/ui/download/version_query_worker.h"

namespace keyui::app {

namespace {
constexpr int kAboutDialogId = 100;
constexpr int kHintEditId = 11062;
constexpr int kVersionButtonId = 1002;
constexpr int kResultTextId = 11058;
constexpr int kHintLines = 3;

// The query over the interface library, with the editor's language taken
// now: the query itself runs on another thread.
AboutDialog::VersionQuery queryOverInterfaceLibrary() {
    download::VersionQueryOptions options;
    options.englishTexts = editorState().englishTexts;
    return [options] { return download::queryKeyboardVersion(options); };
}
}  // namespace

QString aboutHint(bool englishTexts) { return QString::fromUtf8(englishTexts ? kEnglishAboutHint : kGermanAboutHint); }

AboutDialog::AboutDialog(QWidget* parent) : QDialog(parent), query_(queryOverInterfaceLibrary()) {
    setObjectName(QStringLiteral("dialog%1").arg(kAboutDialogId));
    setWindowTitle(tr("Version"));
    auto* layout = new QVBoxLayout(this);

    auto* title = new QLabel(applicationTitle(), this);
    QFont titleFont = title->font();
    titleFont.setBold(true);
    titleFont.setPointSizeF(titleFont.pointSizeF() * 1.5);
    title->setFont(titleFont);
    title->setAlignment(Qt::AlignCenter);
    layout->addWidget(title);

    hint_ = new QPlainTextEdit(aboutHint(editorState().englishTexts), this);
    hint_->setObjectName(QStringLiteral("hint%1").arg(kHintEditId));
    hint_->setReadOnly(true);
    hint_->setFixedHeight(hint_->fontMetrics().lineSpacing() * (kHintLines + 1));
    layout->addWidget(hint_);

    version_ = new QPushButton(QStringLiteral("Keyboard &Version"), this);
    version_->setObjectName(QStringLiteral("keyboardVersion%1").arg(kVersionButtonId));
    version_->setEnabled(true);
    connect(version_, &QPushButton::clicked, this, &AboutDialog::keyboardVersionRequested);
    connect(this, &AboutDialog::keyboardVersionRequested, this, &AboutDialog::queryKeyboardVersion);
    layout->addWidget(version_);

    result_ = new QLabel(this);
    result_->setObjectName(QStringLiteral("versionResult%1").arg(kResultTextId));
    result_->setAlignment(Qt::AlignCenter);
    layout->addWidget(result_);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    layout->addWidget(buttons);
}

// One query per opening of the dialog: the button stays disabled. The query
// runs on a thread of its own while the dialog says that it waits; the
// worker belongs to the application, so that closing the dialog does not
// wait for the keyboard, and goes once it has answered.
void AboutDialog::queryKeyboardVersion() {
    if (queryStarted_) return;
    queryStarted_ = true;
    version_->setEnabled(false);
    hint_->clear();
    textBeforeQuery_ = result_->text();
    result_->setText(tr("Die Tastatur wird abgefragt ..."));
    setCursor(Qt::BusyCursor);
    auto* worker = new download::VersionQueryWorker(QCoreApplication::instance());
    connect(worker, &download::VersionQueryWorker::answered, this, &AboutDialog::showAnswer);
    connect(worker, &download::VersionQueryWorker::answered, worker, &QObject::deleteLater);
    worker->start(query_);
}

void AboutDialog::showAnswer(const download::VersionQueryResult& answer) {
    unsetCursor();
    result_->setText(answer.text.value_or(textBeforeQuery_));
    if (answer.headerShown) hint_->setFocus();
    emit keyboardVersionShown();
}

}  // namespace keyui::app
