#pragma once

// A keyboard document with its view's context for the catalogue tests, and
// an observer that counts what it is told.

#include <gtest/gtest.h>

#include <cstdio>
#include <memory>
#include <string>

#include "editor/document/active_context.h"
#include "editor/document/catalogue.h"
#include "editor/document/key_table.h"

namespace kbxdoc::testing {

struct CountingObserver : DocumentObserver {
    int redraws = 0;
    int beeps = 0;
    int layerLists = 0;
    void redrawAll() override { ++redraws; }
    void warningBeep() override { ++beeps; }
    void layerListChanged() override { ++layerLists; }
};

class CatalogueDocument : public ::testing::Test {
protected:
    CatalogueDocument() {
        context.keyboard = keyboard.get();
        context.selection = selection.get();
        context.layers = layers.get();
        context.observer = &observer;
    }

    void layOut(int model) { setModelAndLayOut(context, model, false); }

    // The key named by an identifier such as "G12", or null.
    KeyRecord* key(const std::string& identifier) const {
        if (identifier.size() != 3) return nullptr;
        const int row = identifier[0] - 'A';
        const int column = std::stoi(identifier.substr(1)) - 1;
        KeyRecord* found = keyAt(context, column, row);
        return found != nullptr && found->templateGeometry.width != 0 ? found : nullptr;
    }

    int placedKeys() const {
        int count = 0;
        for (int slot = 0; slot < kCurrentKeySlot; ++slot) {
            if (keyboard->keys[static_cast<std::size_t>(slot)].templateGeometry.width != 0) ++count;
        }
        return count;
    }

    static std::string identifierOf(const KeyRecord& key) {
        char text[8];
        std::snprintf(text, sizeof text, "%c%02d", 'A' + key.row, key.column + 1);
        return text;
    }

    std::unique_ptr<KeyboardData> keyboard = std::make_unique<KeyboardData>();
    std::unique_ptr<SelectionFlags> selection = std::make_unique<SelectionFlags>();
    std::unique_ptr<LayerTable> layers = std::make_unique<LayerTable>();
    CountingObserver observer;
    ActiveContext context;
};

}  // namespace kbxdoc::testing
