#pragma once

// A reset layout document with the default layer table, wired into an active
// context, with the line reader's state and helpers to write and read it.

#include <memory>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "editor/document/key_table.h"
#include "editor/document/layer_table.h"
#include "editor/persist/layout_reader.h"
#include "editor/persist/layout_writer.h"
#include "editor/persist/metadata_lines.h"

namespace kbxdoc::testing {

struct PersistDocument {
    std::unique_ptr<KeyboardData> keyboard = std::make_unique<KeyboardData>();
    SelectionFlags selection{};
    LayerTable layers = defaultLayerTable();
    ActiveContext context;
    persist::ReaderState state;

    PersistDocument() {
        context.keyboard = keyboard.get();
        context.selection = &selection;
        context.layers = &layers;
        resetKeyboardData(context);
    }

    // The key of an identifier such as "A01"; fails the test when missing.
    KeyRecord& key(std::string_view identifier) {
        KeyRecord* found = persist::keyOfIdentifier(context, identifier);
        if (found == nullptr) throw std::runtime_error("no key " + std::string(identifier));
        return *found;
    }
    KeyRecord& slot(int index) { return keyboard->keys[static_cast<std::size_t>(index)]; }

    void read(std::string_view line) { readLayoutLine(context, line, state); }
    void readAll(const std::vector<std::string>& lines) {
        for (const std::string& line : lines) read(line);
    }

    std::string text() const { return persist::layoutText(context); }
    std::vector<std::string> lines() const {
        std::vector<std::string> result;
        const std::string all = text();
        std::size_t start = 0;
        while (start < all.size()) {
            const std::size_t end = all.find("\r\n", start);
            result.push_back(all.substr(start, end - start));
            if (end == std::string::npos) break;
            start = end + 2;
        }
        return result;
    }
    bool writes(std::string_view line) const {
        for (const std::string& written : lines()) {
            if (written == line) return true;
        }
        return false;
    }
};

}  // namespace kbxdoc::testing
