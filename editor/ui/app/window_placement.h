#pragma once

// The main window's geometry as the settings file keeps it: the placement
// record of kbxdoc::WindowPlacement, read from and applied to a Qt window.

#include "editor/document/settings_file.h"

class QWidget;

namespace keyui::app {

// Show commands and flags of the placement record.
inline constexpr std::uint32_t kShowHidden = 0;
inline constexpr std::uint32_t kShowNormal = 1;
inline constexpr std::uint32_t kShowMinimised = 2;
inline constexpr std::uint32_t kShowMaximised = 3;
inline constexpr std::uint32_t kPlacementSetMinPosition = 0x1;
inline constexpr std::uint32_t kPlacementRestoreToMaximised = 0x2;

// The window's placement now; a maximised window gets the flags 3 (restore
// to maximised, set the minimised position).
kbxdoc::WindowPlacement placementOf(const QWidget& window);

// How the window is to be shown after a placement was applied.
enum class ShowAs { Normal, Minimised, Maximised };
ShowAs showAsFor(const kbxdoc::WindowPlacement& placement);

// Gives the window the placement's normal rectangle; returns how to show it.
ShowAs applyPlacement(QWidget& window, const kbxdoc::WindowPlacement& placement);
void showWindow(QWidget& window, ShowAs how);

}  // namespace keyui::app
