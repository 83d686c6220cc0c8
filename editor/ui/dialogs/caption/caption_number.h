#pragma once

// The numbers of the caption options' edits, read as C's atof reads them:
// leading blanks skipped, then as much of a number as the text begins with
// ("1,5" is 1, the comma ends it); a text that does not begin with a number
// gives 0. Infinity and not-a-number give 0 too, and a number beyond
// +-kLargestCaptionLength millimetres is held there: no margin or spacing can
// then overflow the drawing's pixel arithmetic or the layout file's lines.

#include <QString>

namespace keyui::dialogs {

inline constexpr double kLargestCaptionLength = 1000.0;  // mm, far beyond any keyboard

double captionNumber(const QString& text);
// The edits' initial text, "%.2lf" with a decimal point whatever the locale.
QString captionNumberText(double value);

}  // namespace keyui::dialogs
