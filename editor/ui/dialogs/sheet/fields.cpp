#include "editor/ui/dialogs/sheet/fields.h"

#include <algorithm>

#include <QCheckBox>
#include <QComboBox>
#include <QVariant>

namespace keyui::dialogs {

std::uint32_t withField(std::uint32_t word, int field, unsigned value) {
    const std::uint32_t mask = 3u << field;
    return (word & ~mask) | ((static_cast<std::uint32_t>(value) & 3u) << field);
}

namespace {

// The value a box was shown with and the state that showed it.
constexpr char kShownValue[] = "kbxShownField";
constexpr char kShownState[] = "kbxShownState";

Qt::CheckState stateFor(const QCheckBox& box, unsigned value) {
    if (value == 1) return Qt::Checked;
    if (value == 0 || !box.isTristate()) return Qt::Unchecked;
    return Qt::PartiallyChecked;
}

}  // namespace

void showField(QCheckBox& box, unsigned value) {
    const Qt::CheckState state = stateFor(box, value);
    box.setCheckState(state);
    box.setProperty(kShownValue, value);
    box.setProperty(kShownState, static_cast<int>(state));
}

unsigned fieldOf(const QCheckBox& box) {
    const QVariant shown = box.property(kShownValue);
    if (shown.isValid() && box.property(kShownState).toInt() == static_cast<int>(box.checkState()))
        return shown.toUInt();
    switch (box.checkState()) {
        case Qt::Unchecked: return 0;
        case Qt::Checked: return 1;
        case Qt::PartiallyChecked: return 2;
    }
    return 0;
}

void fillSorted(QComboBox& list, QStringList entries) {
    std::stable_sort(entries.begin(), entries.end(), [](const QString& a, const QString& b) {
        return QString::compare(a, b, Qt::CaseInsensitive) < 0;
    });
    list.clear();
    list.addItems(entries);
}

void selectByStart(QComboBox& list, const QString& start) {
    for (int i = 0; i < list.count(); ++i) {
        if (list.itemText(i).startsWith(start, Qt::CaseInsensitive)) {
            list.setCurrentIndex(i);
            return;
        }
    }
    list.setCurrentIndex(list.count() > 0 ? 0 : -1);
}

QString textUpToBlank(const QString& text) {
    const qsizetype blank = text.indexOf(QLatin1Char(' '));
    return blank < 0 ? text : text.left(blank);
}

QString selectedText(const QComboBox& list) {
    if (list.count() == 0) return {};
    return list.itemText(list.currentIndex() < 0 ? 0 : list.currentIndex());
}

}  // namespace keyui::dialogs
