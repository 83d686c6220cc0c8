#include "editor/ui/app/about_dialog.h"

#include <QApplication>
#include <QCoreApplication>
#include <QDialogButtonBox>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "editor/ui/app/user_dialogs.h"
#include "editor/ui/core/editor_state.h"

namespace keyui::app {

namespace {
constexpr int kAboutDialogId = 100;
constexpr int kHintEditId = 11062;
constexpr int kVersionButtonId = 1002;
constexpr int kResultTextId = 11058;
constexpr int kHintLines = 3;

download::VersionQueryResult queryOverInterfaceLibrary() {
    download::VersionQueryOptions options;
    options.englishTexts = editorState().englishTexts;
    return download::queryKeyboardVersion(options);
}
}  // namespace

QString aboutHint(bool englishTexts) { return QString::fromUtf8(englishTexts ? kEnglishAboutHint : kGermanAboutHint); }

AboutDialog::AboutDialog(QWidget* parent) : QDialog(parent), query_(queryOverInterfaceLibrary) {
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
// blocks until the interface library has its answer or gives up.
void AboutDialog::queryKeyboardVersion() {
    version_->setEnabled(false);
    hint_->clear();
    // The query does not return to the event loop: show its start now.
    version_->repaint();
    hint_->repaint();
    QApplication::setOverrideCursor(Qt::WaitCursor);
    const download::VersionQueryResult answer = query_();
    QApplication::restoreOverrideCursor();
    if (answer.text) result_->setText(*answer.text);
    if (answer.headerShown) hint_->setFocus();
}

}  // namespace keyui::app
