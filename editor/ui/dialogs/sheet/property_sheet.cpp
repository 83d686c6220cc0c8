#include "editor/ui/dialogs/sheet/property_sheet.h"

#include <algorithm>

#include <QCoreApplication>
#include <QDialogButtonBox>
#include <QPushButton>
#include <QTabBar>
#include <QTabWidget>
#include <QVBoxLayout>

namespace keyui::dialogs {

namespace {
constexpr int kWidestSheet = 900;  // pixels
}  // namespace

SheetPage::SheetPage(QWidget* parent) : QWidget(parent) {}

PropertySheet::PropertySheet(const QString& title, QWidget* parent) : QDialog(parent) {
    setWindowTitle(title);
    tabs_ = new QTabWidget(this);
    buttons_ = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    okButton()->setText(tr("OK"));
    cancelButton()->setText(tr("Abbrechen"));
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(tabs_);
    layout->addWidget(buttons_);
    connect(buttons_, &QDialogButtonBox::accepted, this, &PropertySheet::accept);
    connect(buttons_, &QDialogButtonBox::rejected, this, &PropertySheet::reject);
    connect(tabs_, &QTabWidget::currentChanged, this, [this](int index) {
        if (isVisible()) initialisePage(index);
    });
}

void PropertySheet::addPage(SheetPage* page, const QString& title) {
    pages_.push_back(page);
    tabs_->addTab(page, title);
}

int PropertySheet::pageCount() const { return static_cast<int>(pages_.size()); }

SheetPage* PropertySheet::page(int index) const {
    if (index < 0 || index >= pageCount()) return nullptr;
    return pages_[static_cast<std::size_t>(index)];
}

QString PropertySheet::pageTitle(int index) const { return tabs_->tabText(index); }

void PropertySheet::setPageTitle(int index, const QString& title) { tabs_->setTabText(index, title); }

void PropertySheet::setActivePage(int index) {
    if (index < 0 || index >= pageCount()) return;
    tabs_->setCurrentIndex(index);
}

int PropertySheet::activePage() const { return tabs_->currentIndex(); }

QPushButton* PropertySheet::okButton() const { return buttons_->button(QDialogButtonBox::Ok); }

QPushButton* PropertySheet::cancelButton() const { return buttons_->button(QDialogButtonBox::Cancel); }

// Wide enough for every page's tab when that stays a reasonable width;
// sheets with many pages scroll their tabs.
void PropertySheet::showEvent(QShowEvent* event) {
    const int tabsWidth = tabs_->tabBar()->sizeHint().width() + 2 * layout()->contentsMargins().left();
    if (width() < tabsWidth) resize(std::min(tabsWidth, kWidestSheet), height());
    QDialog::showEvent(event);
    initialisePage(activePage());
}

void PropertySheet::initialisePage(int index) {
    SheetPage* shown = page(index);
    if (shown == nullptr || shown->initialised_) return;
    shown->initialised_ = true;
    shown->initialise();
}

void PropertySheet::accept() {
    for (SheetPage* each : pages_)
        if (each->initialised_) each->commit();
    QDialog::accept();
}

void PropertySheet::reject() {
    for (SheetPage* each : pages_)
        if (each->initialised_) each->cancelled();
    QDialog::reject();
}

}  // namespace keyui::dialogs
