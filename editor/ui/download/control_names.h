#pragma once

// Controls of the download dialogs carry their dialog ids in their object
// names ("radio11009", "combo11006", "progress11039"), so that tests and
// screenshots find them. OK and Abbrechen are "button1" and "button2".

#include "editor/ui/dialogs/sheet/control_names.h"

namespace keyui::download {

inline constexpr int kOkButtonId = 1;
inline constexpr int kCancelButtonId = 2;

using dialogs::namedControl;

}  // namespace keyui::download
