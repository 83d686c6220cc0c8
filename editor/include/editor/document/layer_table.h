#pragma once

// The application-wide layer table: its defaults and the reserved layer
// names. Adding a layer and reading a name are key-table operations
// (key_table.h).

#include <string_view>

#include "editor/document/keyboard_data.h"

namespace kbxdoc {

// The table used when the settings file holds no layer definitions.
LayerTable defaultLayerTable();

// Names a layer dialog keeps fixed; a new layer given one of them exactly
// (letter case included) is stored with kTemporaryLayerSuffix appended.
bool isReservedLayerName(std::string_view name);
inline constexpr std::string_view kTemporaryLayerSuffix = "temp";

// The name of layer definition 0 when a new layout creates it.
inline constexpr std::string_view kDefaultLayerName = "Normal-Layer";

}  // namespace kbxdoc
