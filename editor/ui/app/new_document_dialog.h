#pragma once

// Dialog 152 "Tastaturtyp": the country list, the 20 model buttons (one of
// them marked), "Glidepoint", "OPOS Einstellungen", OK and "Abbruch".

#include <QDialog>
#include <vector>

#include "editor/document/new_document.h"

class QAbstractButton;
class QCheckBox;
class QComboBox;
class QButtonGroup;

namespace keyui::app {

class NewDocumentDialog : public QDialog {
    Q_OBJECT
public:
    explicit NewDocumentDialog(QWidget* parent = nullptr);

    kbxdoc::NewDocumentChoice choice() const;
    // The button of that position (id - 11022), or null.
    QAbstractButton* modelButton(int position) const;
    QComboBox* countryList() const { return countries_; }
    QCheckBox* glidepointBox() const { return glidepoint_; }
    QCheckBox* oposBox() const { return opos_; }

private:
    QComboBox* countries_ = nullptr;
    QButtonGroup* models_ = nullptr;
    QCheckBox* glidepoint_ = nullptr;
    QCheckBox* opos_ = nullptr;
};

}  // namespace keyui::app
