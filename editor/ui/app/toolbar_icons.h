#pragma once

// The tool bar's icons, drawn by the program itself at 16 x 15 pixels.

#include <QIcon>

#include "editor/ui/app/command_table.h"

namespace keyui::app {

inline constexpr int kToolIconWidth = 16;
inline constexpr int kToolIconHeight = 15;

// A null icon for CommandIcon::None.
QIcon toolBarIcon(CommandIcon icon);

}  // namespace keyui::app
