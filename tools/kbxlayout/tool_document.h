#pragma once

// One layout document as the tool works on it: its keyboard data, a view's
// selection and the layer table, wired into an active context.
//
// The layer table is the default one for every run. The tool keeps no
// settings file: reading the editor's "Vyrn.Ini" would make the same command
// write different files on different machines, and the editor's start-up
// writes the defaults into a settings file that has none, which a command-line
// run must not do behind the user's back.

#include <memory>

#include "editor/document/active_context.h"

namespace kbxlayout {

struct ToolDocument {
    std::unique_ptr<kbxdoc::KeyboardData> keyboard;
    kbxdoc::SelectionFlags selection{};
    kbxdoc::LayerTable layers;
    kbxdoc::ActiveContext context;

    // The keyboard data reset as for a new document, the default layer table.
    ToolDocument();
    ToolDocument(const ToolDocument&) = delete;
    ToolDocument& operator=(const ToolDocument&) = delete;
};

}  // namespace kbxlayout
