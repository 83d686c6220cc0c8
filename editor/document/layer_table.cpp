#include "editor/document/layer_table.h"

#include <algorithm>
#include <array>
#include <string>

#include "editor/document/key_table.h"

namespace kbxdoc {

namespace {

struct DefaultLayer {
    std::string_view name;
    std::uint32_t conditions;
    std::uint32_t defaultAttributes;
};

// Definitions 0-5; the others start empty.
constexpr std::array kDefaultLayers{
    DefaultLayer{kDefaultLayerName, 0x8A80, 0x10},
    DefaultLayer{"Shift-Layer", 0x8A81, 0x10},
    DefaultLayer{"Control-Layer", 0x8A86, 0x10},
    DefaultLayer{"ALT-Layer", 0x8A9A, 0x10},
    DefaultLayer{"StdKey-Layer", 0x4AAA, 0x514},
    DefaultLayer{"AlwaysActive", 0xAAAA, 0x11},
};

constexpr std::array<std::string_view, 10> kReservedLayerNames{
    "START",     "Normal-Layer", "Shift-Layer",  "Control-Layer", "Alt-Layer",
    "StdKey-Layer", "FN-Key-Layer", "ALT-Layer", "StdKey-Layer",  "StdKey-Layer",
};

int firstFreeDefinition(const LayerTable& layers) {
    const auto free = std::find_if(layers.begin(), layers.end(),
                                   [](const LayerDefinition& definition) { return definition.name.empty(); });
    return free == layers.end() ? -1 : static_cast<int>(free - layers.begin());
}

}  // namespace

LayerTable defaultLayerTable() {
    LayerTable table{};
    for (std::size_t i = 0; i < kDefaultLayers.size(); ++i) {
        table[i].name = kDefaultLayers[i].name;
        table[i].conditions = kDefaultLayers[i].conditions;
        table[i].defaultAttributes = kDefaultLayers[i].defaultAttributes;
    }
    return table;
}

bool isReservedLayerName(std::string_view name) {
    return std::find(kReservedLayerNames.begin(), kReservedLayerNames.end(), name) != kReservedLayerNames.end();
}

// A new layer takes the first free definition and becomes listed in the layer
// bar. An empty name adds nothing: it only makes the first free definition
// (where the next layer would go) the context's current layer, and is refused
// with -1 like a full table. A full table leaves the current layer alone.
int addLayer(ActiveContext& context, std::string_view name) {
    if (context.layers == nullptr) return -1;
    LayerTable& layers = *context.layers;
    const int index = firstFreeDefinition(layers);
    if (index < 0) return -1;
    if (name.empty()) {
        context.currentLayer = index;
        return -1;
    }
    std::string stored(name);
    if (isReservedLayerName(name)) stored += kTemporaryLayerSuffix;
    layers[static_cast<std::size_t>(index)].name = stored;
    if (context.observer != nullptr) context.observer->layerListChanged();
    return index;
}

std::string_view layerName(const LayerTable& layers, int index) {
    if (index < 0 || index >= kLayerCount) return {};
    return layers[static_cast<std::size_t>(index)].name.view();
}

}  // namespace kbxdoc
