#pragma once

// Controls of the download dialogs carry their dialog ids in their object
// names ("radio11009", "combo11006", "progress11039"), so that tests and
// screenshots find them. OK and Abbrechen are "button1" and "button2".

#include <QString>
#include <QWidget>

namespace keyui::download {

inline constexpr int kOkButtonId = 1;
inline constexpr int kCancelButtonId = 2;

template <typename Control>
Control* namedControl(Control* control, const char* kind, int id) {
    control->setObjectName(QLatin1String(kind) + QString::number(id));
    return control;
}

}  // namespace keyui::download
