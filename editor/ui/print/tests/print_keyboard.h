#pragma once

// A keyboard to print in tests: the model layouts of the catalogue, or keys
// placed by hand on an otherwise empty keyboard.

#include <memory>
#include <string>

#include "editor/document/active_context.h"
#include "editor/document/catalogue.h"
#include "editor/document/key_table.h"

namespace keyui::print::testing {

struct PrintKeyboard {
    std::unique_ptr<kbxdoc::KeyboardData> keyboard = std::make_unique<kbxdoc::KeyboardData>();
    std::unique_ptr<kbxdoc::SelectionFlags> selection = std::make_unique<kbxdoc::SelectionFlags>();
    std::unique_ptr<kbxdoc::LayerTable> layers = std::make_unique<kbxdoc::LayerTable>();
    kbxdoc::ActiveContext context{keyboard.get(), selection.get(), layers.get()};

    PrintKeyboard() { kbxdoc::resetKeyboardData(context); }

    void layOutModel(int model) { kbxdoc::setModelAndLayOut(context, model, false); }

    // Frees every slot and makes the keyboard `width` x `height` mm.
    void clearKeys(double width = 100, double height = 100) {
        for (kbxdoc::KeyRecord& key : keyboard->keys) {
            key.templateGeometry = {};
            key.current = {};
        }
        keyboard->width = width;
        keyboard->height = height;
    }

    kbxdoc::KeyRecord& key(int slot) { return keyboard->keys[static_cast<std::size_t>(slot)]; }

    kbxdoc::KeyRecord& addKey(int slot, kbxdoc::Rect geometry, std::string caption = "A") {
        kbxdoc::KeyRecord& k = key(slot);
        k.templateGeometry = geometry;
        k.current = geometry;
        k.captionSize = 80;
        k.caption = std::move(caption);
        return k;
    }

    void select(int slot) { (*selection)[static_cast<std::size_t>(slot)] = 1; }
};

}  // namespace keyui::print::testing
