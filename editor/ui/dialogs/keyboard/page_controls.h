#pragma once

// The controls of the keyboard settings pages, each named after its control
// id ("radio11009", "combo11002", "slider11014", ...) so that tests and
// screenshots find them.

#include <QString>
#include <functional>

#include "editor/ui/dialogs/sheet/control_names.h"

class QCheckBox;
class QComboBox;
class QRadioButton;
class QSlider;
class QWidget;

namespace keyui::dialogs {

QRadioButton* makeRadio(int id, const QString& text, QWidget* parent);
QCheckBox* makeCheck(int id, const QString& text, QWidget* parent);
QComboBox* makeList(int id, QWidget* parent);
// A horizontal slider over [minimum, maximum] with a tick mark every
// `tickInterval` positions.
QSlider* makeSlider(int id, int minimum, int maximum, int tickInterval, QWidget* parent);
// The slider with a label beside it that shows its value as `valueText`
// words it ("40 ms"), following every move; the label is named "value" and
// the slider's id.
QWidget* withValueLabel(QSlider* slider, int id, std::function<QString(int)> valueText, QWidget* parent);

}  // namespace keyui::dialogs
