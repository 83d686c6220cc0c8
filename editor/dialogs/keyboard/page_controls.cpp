#include "editor/dialogs/keyboard/page_controls.h"

#include <QCheckBox>
#include <QComboBox>
#include <QRadioButton>
#include <QSlider>

namespace keyui::dialogs {

QRadioButton* makeRadio(int id, const QString& text, QWidget* parent) {
    auto* radio = new QRadioButton(text, parent);
    radio->setObjectName(controlName("radio", id));
    return radio;
}

QCheckBox* makeCheck(int id, const QString& text, QWidget* parent) {
    auto* check = new QCheckBox(text, parent);
    check->setObjectName(controlName("check", id));
    return check;
}

QComboBox* makeList(int id, QWidget* parent) {
    auto* list = new QComboBox(parent);
    list->setObjectName(controlName("combo", id));
    list->setEditable(false);
    return list;
}

QSlider* makeSlider(int id, int minimum, int maximum, int tickInterval, QWidget* parent) {
    auto* slider = new QSlider(Qt::Horizontal, parent);
    slider->setObjectName(controlName("slider", id));
    slider->setRange(minimum, maximum);
    slider->setTickInterval(tickInterval);
    slider->setTickPosition(QSlider::TicksBelow);
    return slider;
}

}  // namespace keyui::dialogs
