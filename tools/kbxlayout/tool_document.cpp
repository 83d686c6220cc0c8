#include "tools/kbxlayout/tool_document.h"

#include "editor/document/key_table.h"
#include "editor/document/layer_table.h"

namespace kbxlayout {

ToolDocument::ToolDocument()
    : keyboard(std::make_unique<kbxdoc::KeyboardData>()), layers(kbxdoc::defaultLayerTable()) {
    context.keyboard = keyboard.get();
    context.selection = &selection;
    context.layers = &layers;
    kbxdoc::resetKeyboardData(context);
}

}  // namespace kbxlayout
