#pragma once

// The controls of the editor's dialogs are named after their dialog ids
// ("check11006", "radio11009", "edit11020"), so that tests and screenshots
// find them.

#include <QString>

namespace keyui::dialogs {

QString controlName(const char* kind, int id);

// The control, named; for building and naming in one expression.
template <typename Control>
Control* namedControl(Control* control, const char* kind, int id) {
    control->setObjectName(controlName(kind, id));
    return control;
}

}  // namespace keyui::dialogs
