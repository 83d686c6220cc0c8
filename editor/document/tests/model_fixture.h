#pragma once

// A document, one view's selection and the layer table, wired into an active
// context, with an observer that records what the model asked to redraw.

#include <memory>
#include <string>
#include <vector>

#include "editor/document/key_table.h"

namespace kbxdoc::testing {

struct RecordingObserver : DocumentObserver {
    std::vector<int> redrawnKeys;
    int fullRedraws = 0;
    int layerListRefreshes = 0;
    void redrawKey(int slot) override { redrawnKeys.push_back(slot); }
    void redrawAll() override { ++fullRedraws; }
    void layerListChanged() override { ++layerListRefreshes; }
};

struct ModelFixture {
    std::unique_ptr<KeyboardData> keyboard = std::make_unique<KeyboardData>();
    SelectionFlags selection{};
    LayerTable layers{};
    RecordingObserver observer;
    ActiveContext context;

    ModelFixture() {
        context.keyboard = keyboard.get();
        context.selection = &selection;
        context.layers = &layers;
        context.observer = &observer;
    }

    KeyRecord& key(int slot) { return keyboard->keys[static_cast<std::size_t>(slot)]; }

    // A laid-out key at a grid position with its rectangle in millimetres.
    KeyRecord& placeKey(int slot, int column, int row, Rect rect) {
        KeyRecord& k = key(slot);
        k.column = static_cast<std::uint8_t>(column);
        k.row = static_cast<std::uint8_t>(row);
        k.templateGeometry = rect;
        k.current = rect;
        return k;
    }

    void select(int slot) { selection[static_cast<std::size_t>(slot)] = 1; }
    void selectAtPoint(int x, int y, bool shift = false) { kbxdoc::selectAtPoint(context, x, y, shift); }
};

// A key with something in every part of its content.
inline void fillContent(KeyRecord& key, const std::string& caption) {
    key.captionSize = 80;
    key.caption = caption;
    key.captionSettings.leftMargin = 1.5;
    key.captionSettings.topMargin = 0.5;
    key.captionSettings.lineSpacing = 2.0;
    key.captionSettings.fontHeight = 4.0;
    key.captionSettings.keyColour = 0x00FF00;
    key.captionSettings.textColour = 0x0000FF;
    key.captionSettings.font.weight = 700;
    key.captionSettings.font.faceName = "Arial";
    for (std::size_t layer = 0; layer < key.layers.size(); ++layer) {
        key.layers[layer].attributes = static_cast<std::uint32_t>(0x15 + layer);
        key.layers[layer].programming = caption + std::to_string(layer);
    }
    key.moduleOption1 = 3;
}

}  // namespace kbxdoc::testing
