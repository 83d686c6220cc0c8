#pragma once

// The editor's property sheets: a tabbed dialog with "OK" and "Abbrechen"
// (no Apply, no Help). A page reads the document's values the first time it
// is shown in a run of the sheet; OK writes back the pages that were shown,
// in page order; "Abbrechen" and the close box tell them they were
// cancelled.

#include <vector>

#include <QDialog>
#include <QString>

class QDialogButtonBox;
class QPushButton;
class QTabWidget;

namespace keyui::dialogs {

class SheetPage : public QWidget {
    Q_OBJECT
public:
    explicit SheetPage(QWidget* parent = nullptr);

    // The page is shown for the first time in this run of the sheet: load
    // the values into the controls.
    virtual void initialise() {}
    // The sheet was closed with OK: store the controls' values.
    virtual void commit() {}
    // The sheet was closed any other way.
    virtual void cancelled() {}

    bool isInitialised() const { return initialised_; }

private:
    friend class PropertySheet;
    bool initialised_ = false;
};

class PropertySheet : public QDialog {
    Q_OBJECT
public:
    explicit PropertySheet(const QString& title, QWidget* parent = nullptr);

    // The sheet owns the page from here on.
    void addPage(SheetPage* page, const QString& title);
    int pageCount() const;
    SheetPage* page(int index) const;
    QString pageTitle(int index) const;
    void setPageTitle(int index, const QString& title);

    // The page shown when the sheet opens (and the one shown now).
    void setActivePage(int index);
    int activePage() const;

    QTabWidget* tabs() const { return tabs_; }
    QPushButton* okButton() const;
    QPushButton* cancelButton() const;

    void accept() override;
    void reject() override;

protected:
    void showEvent(QShowEvent* event) override;

private:
    void initialisePage(int index);

    QTabWidget* tabs_ = nullptr;
    QDialogButtonBox* buttons_ = nullptr;
    std::vector<SheetPage*> pages_;
};

}  // namespace keyui::dialogs
