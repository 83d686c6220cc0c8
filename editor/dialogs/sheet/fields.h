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

// 0 clear, 1 ticked, 2 greyed; any other value shows as greyed on a
// three-state box and ticked on a two-state one.
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
