#include "editor/ui/app/layer_bar.h"

#include <QComboBox>
#include <QCoreApplication>
#include <QSignalBlocker>

#include "editor/document/key_table.h"
#include "editor/ui/core/texts.h"

namespace keyui::app {

namespace {
constexpr char kLayerFontFamily[] = "Arial";
constexpr int kLayerFontPoints = 9;
constexpr int kLayerListWidth = 240;
constexpr int kLayerListDropDownItems = 16;
}  // namespace

LayerBar::LayerBar(QWidget* parent) : QToolBar(tr("Layer"), parent) {
    setObjectName(QStringLiteral("layerBar"));
    setAllowedAreas(Qt::TopToolBarArea);
    list_ = new QComboBox(this);
    list_->setObjectName(QString::fromLatin1(kLayerListName));
    list_->setFont(QFont(QString::fromLatin1(kLayerFontFamily), kLayerFontPoints));
    list_->setPlaceholderText(QString::fromLatin1(kNoLayerText));
    list_->setMinimumWidth(kLayerListWidth);
    list_->setMaxVisibleItems(kLayerListDropDownItems);
    addWidget(list_);
    connect(list_, &QComboBox::activated, this, [this](int index) {
        if (index >= 0) emit layerChosen(index);
    });
}

void LayerBar::refresh(const kbxdoc::LayerTable& layers, int currentLayer) {
    const QSignalBlocker blocker(list_);
    list_->clear();
    for (int index = 0; index < static_cast<int>(layers.size()); ++index) {
        const std::string_view name = kbxdoc::layerName(layers, index);
        if (name.empty()) break;
        list_->addItem(fromAnsi(name));
    }
    selectLayer(currentLayer);
}

void LayerBar::selectLayer(int layer) {
    const QSignalBlocker blocker(list_);
    list_->setCurrentIndex(layer >= 0 && layer < list_->count() ? layer : -1);
}

}  // namespace keyui::app
