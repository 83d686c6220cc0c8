#pragma once

// What the pages share when they move values between the document and their
// controls: 2-bit fields of attribute and condition words on (three-state)
// check boxes, lists selected by the start of an entry, and entries read up
// to their first blank.

#include <cstdint>

#include <QString>
#include <QStringList>

class QCheckBox;
class QComboBox;

namespace keyui::dialogs {

// The word with the 2-bit field at bit `field` replaced by `value` (masked
// to two bits); every other bit kept.
std::uint32_t withField(std::uint32_t word, int field, unsigned value);

// 0 clear, 1 ticked, 2 greyed. A two-state box is ticked for 1 only. A box
// the user has not changed since showField gives back the value it was
// shown with, so a "follow the layer" value on a two-state box, or any
// value the box cannot show, survives an OK unchanged.
void showField(QCheckBox& box, unsigned value);
unsigned fieldOf(const QCheckBox& box);

// Fills the list sorted as a sorted Windows list sorts (letter case
// ignored).
void fillSorted(QComboBox& list, QStringList entries);
// Selects the first entry that begins with `start` (letter case ignored),
// or the first entry when none does.
void selectByStart(QComboBox& list, const QString& start);
// The text before the first blank (the whole text when it has none).
QString textUpToBlank(const QString& text);
// The selected entry's text (the first entry's when none is selected).
QString selectedText(const QComboBox& list);

}  // namespace keyui::dialogs
