#include "editor/ui/app/new_document_dialog.h"

#include <QButtonGroup>
#include <array>
#include <QCoreApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QPushButton>
#include <QVBoxLayout>

#include "editor/ui/core/texts.h"

namespace keyui::app {

namespace {

constexpr int kButtonColumns = 4;

// The document library's texts of the dialog, spelled here once more so the
// translation tools find them; the checks keep both spellings equal. The
// country names stand there in Windows-1252 and here in UTF-8, as tr()
// takes them; the English interface test finds any that differ.
constexpr std::array kTranslatedTexts{
    QT_TRANSLATE_NOOP("keyui::app::NewDocumentDialog", "OPOS Einstellungen"),
    QT_TRANSLATE_NOOP("keyui::app::NewDocumentDialog", "Abbruch"),
};
static_assert(std::string_view(kTranslatedTexts[0]) == kbxdoc::kOposText);
static_assert(std::string_view(kTranslatedTexts[1]) == kbxdoc::kCancelText);
[[maybe_unused]] constexpr std::array kCountryTexts{
    QT_TRANSLATE_NOOP("keyui::app::NewDocumentDialog", "GR - Deutschland"),
    QT_TRANSLATE_NOOP("keyui::app::NewDocumentDialog", "US - International"),
    QT_TRANSLATE_NOOP("keyui::app::NewDocumentDialog", "IT - Italien (142)"),
    QT_TRANSLATE_NOOP("keyui::app::NewDocumentDialog", "FR - Frankreich (189)"),
    QT_TRANSLATE_NOOP("keyui::app::NewDocumentDialog", "SF - Schweiz französisch"),
    QT_TRANSLATE_NOOP("keyui::app::NewDocumentDialog", "SG - Schweiz deutsch"),
    QT_TRANSLATE_NOOP("keyui::app::NewDocumentDialog", "UK - Großbritannien (166)"),
    QT_TRANSLATE_NOOP("keyui::app::NewDocumentDialog", "SP - Spanien"),
};

// A text of the document library, Windows-1252, in the dialog's language.
QString translatedAnsi(std::string_view text) { return NewDocumentDialog::tr(fromAnsi(text).toUtf8().constData()); }

}  // namespace

NewDocumentDialog::NewDocumentDialog(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("dialog%1").arg(kbxdoc::kNewDocumentDialogId));
    setWindowTitle(tr("Tastaturtyp"));
    auto* layout = new QVBoxLayout(this);

    countries_ = new QComboBox(this);
    countries_->setObjectName(QStringLiteral("countryList%1").arg(kbxdoc::kCountryListId));
    for (std::string_view country : kbxdoc::countryEntries()) countries_->addItem(translatedAnsi(country));
    const kbxdoc::NewDocumentChoice initial;
    countries_->setCurrentIndex(initial.countryIndex);
    layout->addWidget(countries_);

    auto* grid = new QGridLayout;
    models_ = new QButtonGroup(this);
    models_->setExclusive(true);
    int position = 0;
    for (const kbxdoc::ModelButton& model : kbxdoc::modelButtons()) {
        auto* button = new QPushButton(fromAnsi(model.text), this);
        button->setObjectName(QStringLiteral("model%1").arg(model.id));
        button->setCheckable(true);
        models_->addButton(button, position);
        grid->addWidget(button, position / kButtonColumns, position % kButtonColumns);
        ++position;
    }
    if (QAbstractButton* first = models_->button(initial.buttonPosition)) first->setChecked(true);
    layout->addLayout(grid);

    glidepoint_ = new QCheckBox(fromAnsi(kbxdoc::kGlidepointText), this);
    glidepoint_->setObjectName(QStringLiteral("glidepoint%1").arg(kbxdoc::kGlidepointBoxId));
    opos_ = new QCheckBox(translatedAnsi(kbxdoc::kOposText), this);
    opos_->setObjectName(QStringLiteral("opos%1").arg(kbxdoc::kOposBoxId));
    layout->addWidget(glidepoint_);
    layout->addWidget(opos_);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttons->button(QDialogButtonBox::Cancel)->setText(translatedAnsi(kbxdoc::kCancelText));
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    layout->addWidget(buttons);
}

kbxdoc::NewDocumentChoice NewDocumentDialog::choice() const {
    kbxdoc::NewDocumentChoice chosen;
    chosen.buttonPosition = std::max(0, models_->checkedId());
    chosen.countryIndex = countries_->currentIndex();  // -1 (none) counts as entry 0
    chosen.glidepoint = glidepoint_->isChecked();
    chosen.opos = opos_->isChecked();
    return chosen;
}

QAbstractButton* NewDocumentDialog::modelButton(int position) const { return models_->button(position); }

}  // namespace keyui::app
