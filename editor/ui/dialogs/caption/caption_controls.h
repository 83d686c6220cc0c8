#pragma once

// The caption dialogs' buttons carry their control ids as object names
// ("button1004"), so tests and screenshots find them.

#include <QPushButton>
#include <QString>

namespace keyui::dialogs {

inline QPushButton* captionButton(const QString& id, const QString& label, QWidget* parent) {
    auto* button = new QPushButton(label, parent);
    button->setObjectName(id);
    button->setAutoDefault(false);  // Return belongs to OK
    return button;
}

}  // namespace keyui::dialogs
