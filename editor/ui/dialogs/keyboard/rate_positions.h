#pragma once

// How the typematic values sit on the sliders of the page
// "Tastenwiederholung", and the slow-key mode of a list entry.

#include <QString>

namespace keyui::dialogs {

inline constexpr int kRatePositionCount = 4;  // positions 0-3
inline constexpr int kFirstDelayPosition = 1;
inline constexpr int kLastDelayPosition = 4;

// 2 -> 0, 10 -> 1, 30 -> 3, any other rate -> 2.
int ratePosition(int rate);
// Position x 10, position 0 giving 2: 2, 10, 20, 30.
int rateOfPosition(int position);
// Delay / 250, kept within the slider's positions 1-4.
int delayPosition(int delayMilliseconds);
// Position x 250: 250, 500, 750, 1000.
int delayOfPosition(int position);
// The entry's text before the blank that precedes its first "-"
// ("VERY SLOW - Sehr langsam" gives "VERY SLOW"); the whole text when it has
// no "-".
QString slowKeyModeOf(const QString& entry);

}  // namespace keyui::dialogs
