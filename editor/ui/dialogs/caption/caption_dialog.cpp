#include "editor/ui/dialogs/caption/caption_dialog.h"

#include <cstdio>

#include <QApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "editor/ui/core/key_document.h"
#include "editor/ui/core/texts.h"
#include "editor/ui/dialogs/caption/caption_controls.h"
#include "editor/ui/dialogs/caption/caption_options_dialog.h"
#include "editor/ui/dialogs/caption/caption_working_copy.h"

namespace keyui::dialogs {

namespace {

constexpr char kKeyIdentifierFormat[] = "[%c%02d]";
constexpr std::size_t kKeyIdentifierSize = 16;

QString keyIdentifier(const kbxdoc::KeyRecord& key) {
    char identifier[kKeyIdentifierSize];
    std::snprintf(identifier, sizeof identifier, kKeyIdentifierFormat, 'A' + key.row, key.column + 1);
    return QString::fromLatin1(identifier);
}

// A backslash starts a code ("\line", "\\"); one left alone at the end
// starts none, shows nothing and could not be saved as typed.
bool endsInALoneBackslash(const QString& caption) {
    qsizetype backslashes = 0;
    while (backslashes < caption.size() && caption[caption.size() - 1 - backslashes] == QLatin1Char('\\'))
        ++backslashes;
    return backslashes % 2 == 1;
}

}  // namespace

void storeCaption(kbxdoc::KeyRecord& key, std::string_view caption) {
    if (caption.size() + 1 > key.captionSize) key.captionSize = static_cast<std::uint32_t>(caption.size() + 1);
    key.caption.assign(caption);
}

CaptionDialog::CaptionDialog(QWidget* parent, KeyDocument& document, const kbxdoc::ActiveContext& view,
                             CaptionPrompts& prompts, int slot)
    : QDialog(parent), document_(document), view_(view), prompts_(prompts), slot_(slot) {
    const kbxdoc::KeyRecord& key = view_.keyboard->keys[static_cast<std::size_t>(slot_)];
    setWindowTitle(tr("Tastenbeschriftung ändern ") + keyIdentifier(key));

    auto* heading = new QLabel(tr("Beschriftungstext"), this);
    edit_ = new QLineEdit(this);
    edit_->setObjectName(QStringLiteral("edit11020"));
    edit_->setMaxLength(kMaxCaptionCharacters);
    edit_->setText(fromAnsi(key.caption));
    heading->setBuddy(edit_);

    auto* lineBreak = captionButton(QStringLiteral("button1004"), tr("Zeilenumbruch"), this);
    auto* picture = captionButton(QStringLiteral("button1005"), tr("Piktogramm..."), this);
    auto* local = captionButton(QStringLiteral("button1003"), tr("Lokale Einstellungen nur für diese Taste..."), this);
    auto* ok = captionButton(QStringLiteral("button1"), tr("OK"), this);
    ok->setDefault(true);
    auto* cancel = captionButton(QStringLiteral("button2"), tr("Abbruch"), this);
    connect(lineBreak, &QPushButton::clicked, this, &CaptionDialog::insertLineBreak);
    connect(picture, &QPushButton::clicked, this, &CaptionDialog::choosePicture);
    connect(local, &QPushButton::clicked, this, &CaptionDialog::openLocalOptions);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);

    auto* tools = new QHBoxLayout;
    tools->addWidget(lineBreak);
    tools->addWidget(picture);
    tools->addStretch();
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(local);
    buttons->addStretch();
    buttons->addWidget(ok);
    buttons->addWidget(cancel);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(heading);
    layout->addWidget(edit_);
    layout->addLayout(tools);
    layout->addLayout(buttons);
    edit_->setFocus();
}

void CaptionDialog::insertLineBreak() {
    // insert() replaces the selection and goes on the edit's undo stack.
    edit_->insert(QString::fromLatin1(kLineBreakCode));
    edit_->setFocus();
}

void CaptionDialog::choosePicture() {
    const QString path =
        prompts_.openPicture(this, tr("Taste mit Grafik belegen"), tr("Windows Bitmap (*.bmp)"));
    if (path.isEmpty()) return;
    const QString caption = QString::fromLatin1(kPictureCode) + path;
    // A path the caption cannot hold whole would name another file.
    if (caption.size() > edit_->maxLength()) {
        QApplication::beep();
        return;
    }
    edit_->setText(caption);
}

void CaptionDialog::openLocalOptions() {
    CaptionOptionsDialog options(this, document_, view_, prompts_, CaptionScope::Key, slot_);
    options.exec();
}

void CaptionDialog::accept() {
    if (endsInALoneBackslash(edit_->text())) {
        prompts_.refuse(this, windowTitle(),
                        tr("Ein Backslash am Ende der Beschriftung leitet keinen Code ein. "
                           "Für einen Backslash \\\\ eingeben."));
        edit_->setFocus();
        return;
    }
    storeCaption(view_.keyboard->keys[static_cast<std::size_t>(slot_)], toAnsi(edit_->text()));
    followCurrentKeyCopy(view_);
    document_.redrawKey(slot_);
    QDialog::accept();
}

}  // namespace keyui::dialogs
