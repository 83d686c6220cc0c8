#include "editor/ui/dialogs/caption/caption_options_dialog.h"

#include <cmath>

#include <QFormLayout>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "editor/document/key_table.h"
#include "editor/ui/core/key_document.h"
#include "editor/ui/dialogs/caption/caption_controls.h"
#include "editor/ui/dialogs/caption/caption_number.h"
#include "editor/ui/dialogs/caption/caption_preview.h"

namespace keyui::dialogs {

namespace {

constexpr double kFontDialogFactor = 10.0;  // the font dialog's heights are tenths

kbxdoc::KeyRecord& keyOf(const kbxdoc::ActiveContext& view, int slot) {
    return view.keyboard->keys[static_cast<std::size_t>(slot)];
}

}  // namespace

bool CaptionOptionsDialog::opensFor(const kbxdoc::ActiveContext& view, CaptionScope scope, int slot) {
    if (view.keyboard == nullptr) return false;
    switch (scope) {
        case CaptionScope::Global: return true;
        case CaptionScope::Key: return slot >= 0 && slot < kbxdoc::kKeySlotCount;
        case CaptionScope::Group: return kbxdoc::countSelection(view).highest >= 0;
    }
    return false;
}

CaptionOptionsDialog::CaptionOptionsDialog(QWidget* parent, KeyDocument& document, const kbxdoc::ActiveContext& view,
                                           CaptionPrompts& prompts, CaptionScope scope, int slot)
    : QDialog(parent), document_(document), view_(view), prompts_(prompts), scope_(scope) {
    kbxdoc::KeyboardData& keyboard = *view_.keyboard;
    slot_ = scope_ == CaptionScope::Group ? kbxdoc::countSelection(view_).highest : slot;
    if (scope_ == CaptionScope::Global || slot_ < 0 || slot_ >= kbxdoc::kKeySlotCount) {
        scope_ = CaptionScope::Global;
        copy_ = workingCopyOf(keyboard.captionDefaults, keyboard, {});
    } else {
        kbxdoc::KeyRecord& key = keyOf(view_, slot_);
        copy_ = workingCopyOf(key.captionSettings, keyboard, key.caption);
    }
    setWindowTitle(tr("Tasten-Beschriftungseinstellungen"));
    buildControls();
}

void CaptionOptionsDialog::buildControls() {
    preview_ = new CaptionPreview(copy_, *view_.keyboard, this);

    auto* numbers = new QFormLayout;
    numbers->addRow(tr("Zeilenabstand:"), numberEdit(QStringLiteral("edit11040"), copy_.lineSpacing));
    numbers->addRow(tr("Freiraum links:"), numberEdit(QStringLiteral("edit11041"), copy_.leftMargin));
    numbers->addRow(tr("Freiraum oben:"), numberEdit(QStringLiteral("edit11042"), copy_.topMargin));

    auto* textColour = captionButton(QStringLiteral("button11029"), tr("Textfarbe"), this);
    auto* keyColour = captionButton(QStringLiteral("button11030"), tr("Tastenfarbe"), this);
    auto* font = captionButton(QStringLiteral("button11032"), tr("Tastenschrift"), this);
    connect(textColour, &QPushButton::clicked, this, [this] { chooseColour(copy_.textColour); });
    connect(keyColour, &QPushButton::clicked, this, [this] { chooseColour(copy_.keyColour); });
    connect(font, &QPushButton::clicked, this, [this] { chooseFont(); });

    auto* ok = captionButton(QStringLiteral("button1"), tr("OK"), this);
    ok->setDefault(true);
    auto* cancel = captionButton(QStringLiteral("button2"), tr("Abbruch"), this);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);

    auto* choices = new QVBoxLayout;
    choices->addLayout(numbers);
    choices->addWidget(textColour);
    choices->addWidget(keyColour);
    choices->addWidget(font);
    choices->addStretch();

    auto* top = new QHBoxLayout;
    top->addWidget(preview_, 0, Qt::AlignTop);
    top->addLayout(choices);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(ok);
    buttons->addWidget(cancel);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addLayout(buttons);
}

QLineEdit* CaptionOptionsDialog::numberEdit(const QString& id, double& value) {
    auto* edit = new QLineEdit(captionNumberText(value), this);
    edit->setObjectName(id);
    connect(edit, &QLineEdit::textChanged, this, [this, &value](const QString& changed) {
        value = captionNumber(changed);
        preview_->update();
    });
    return edit;
}

void CaptionOptionsDialog::chooseColour(std::uint32_t& colour) {
    if (const std::optional<std::uint32_t> chosen = prompts_.chooseColour(this, colour)) {
        colour = *chosen;
        preview_->update();
    }
}

void CaptionOptionsDialog::chooseFont() {
    FontRequest request;
    request.font = *copy_.font;
    request.font.height = static_cast<std::int32_t>(copy_.fontHeight * kFontDialogFactor);
    request.colour = copy_.textColour;
    const std::optional<FontChoice> choice = prompts_.chooseFont(this, request);
    if (!choice) return;
    // The font record is the document's own: the choice holds even when the
    // dialog is cancelled afterwards.
    *copy_.font = choice->font;
    copy_.textColour = choice->colour;
    if (choice->pointSizeTenths == 0) {
        copy_.fontHeight = 0;
        copy_.font->faceName.clear();
    } else {
        copy_.fontHeight = std::abs(choice->font.height) / kFontDialogFactor;
    }
    preview_->update();
}

void CaptionOptionsDialog::accept() {
    writeToScope();
    QDialog::accept();
}

void CaptionOptionsDialog::done(int result) {
    followCurrentKeyCopy(view_);
    QDialog::done(result);
}

void CaptionOptionsDialog::writeToScope() {
    kbxdoc::KeyboardData& keyboard = *view_.keyboard;
    switch (scope_) {
        case CaptionScope::Global:
            writeBack(copy_, keyboard.captionDefaults);
            document_.redrawAll();
            break;
        case CaptionScope::Key:
            writeBack(copy_, keyOf(view_, slot_).captionSettings);
            document_.redrawKey(slot_);
            break;
        case CaptionScope::Group: {
            const kbxdoc::LogicalFont font = *copy_.font;
            for (int slot = 0; slot < kbxdoc::kOrdinaryKeyCount; ++slot) {
                if ((*view_.selection)[static_cast<std::size_t>(slot)] == 0) continue;
                kbxdoc::CaptionSettings& settings = keyOf(view_, slot).captionSettings;
                writeBack(copy_, settings);
                settings.font = font;
            }
            break;
        }
    }
}

}  // namespace keyui::dialogs
