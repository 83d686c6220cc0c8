#pragma once

// The layer bar: a tool bar holding the drop-down list 11003 of layer
// names. It lists the layer table from index 0 up to the first definition
// without a name and selects the current layer; choosing an entry reports
// the layer so the active view can show it.

#include <QToolBar>

#include "editor/document/keyboard_data.h"

class QComboBox;

namespace keyui::app {

inline constexpr char kLayerListName[] = "layerList11003";
inline constexpr char kNoLayerText[] = "No Layer";

class LayerBar : public QToolBar {
    Q_OBJECT
public:
    explicit LayerBar(QWidget* parent = nullptr);

    QComboBox* list() const { return list_; }
    // Lists the names again and selects `currentLayer` (nothing when it is
    // not listed).
    void refresh(const kbxdoc::LayerTable& layers, int currentLayer);
    void selectLayer(int layer);

signals:
    void layerChosen(int layer);

private:
    QComboBox* list_ = nullptr;
};

}  // namespace keyui::app
