// The editor's layout reader over a whole layout file, then the writer over
// what it read, into a fresh document each time.

#include <memory>

#include "editor/document/key_table.h"
#include "editor/document/layer_table.h"
#include "editor/persist/layout_reader.h"
#include "editor/persist/layout_writer.h"
#include "fuzz/targets/fuzz_input.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    auto keyboard = std::make_unique<kbxdoc::KeyboardData>();
    kbxdoc::SelectionFlags selection{};
    kbxdoc::LayerTable layers = kbxdoc::defaultLayerTable();
    kbxdoc::ActiveContext context;
    context.keyboard = keyboard.get();
    context.selection = &selection;
    context.layers = &layers;
    kbxdoc::resetKeyboardData(context);
    kbxdoc::persist::readLayoutText(context, kbxfuzz::textOf(data, size));
    (void)kbxdoc::persist::layoutText(context);
    return 0;
}
