#include "editor/ui/dialogs/keyboard/page_controls.h"

#include <QCheckBox>
#include <QComboBox>
#include <QRadioButton>
#include <QHBoxLayout>
#include <QLabel>
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

QWidget* withValueLabel(QSlider* slider, int id, std::function<QString(int)> valueText, QWidget* parent) {
    auto* row = new QWidget(parent);
    auto* layout = new QHBoxLayout(row);
    layout->setContentsMargins(0, 0, 0, 0);
    auto* value = new QLabel(row);
    value->setObjectName(controlName("value", id));
    // Wide enough for the longest value, so that the slider does not jump.
    value->setMinimumWidth(value->fontMetrics().horizontalAdvance(valueText(slider->maximum())) +
                           value->fontMetrics().averageCharWidth());
    slider->setParent(row);
    layout->addWidget(slider, 1);
    layout->addWidget(value);
    const auto show = [value, text = std::move(valueText)](int position) { value->setText(text(position)); };
    show(slider->value());
    QObject::connect(slider, &QSlider::valueChanged, value, show);
    return row;
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
