#pragma once

// The numbers of the caption options' edits, read as C's atof reads them:
// leading blanks skipped, then as much of a number as the text begins with
// ("1,5" is 1, the comma ends it); a text that does not begin with a number
// gives 0. Infinity and not-a-number give 0 too, so no margin or spacing can
// make the drawing's pixel arithmetic overflow.

#include <QString>

namespace keyui::dialogs {

double captionNumber(const QString& text);
// The edits' initial text, "%.2lf" with a decimal point whatever the locale.
QString captionNumberText(double value);

}  // namespace keyui::dialogs
