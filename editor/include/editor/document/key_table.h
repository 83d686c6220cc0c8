#pragma once

// The key-table operations of the layout document. All act on the active
// context they are given; a slot outside 0-200 or a missing key does nothing.

#include <optional>
#include <string_view>

#include "editor/document/active_context.h"

namespace kbxdoc {

KeyRecord* keyBySlot(const ActiveContext& context, int slot);
// The first of slots 0-199 at that grid position, or null.
KeyRecord* keyAt(const ActiveContext& context, int column, int row);
int slotAt(const ActiveContext& context, int column, int row);  // -1 when none

// Geometry adjustment flags: each applies to template and current geometry.
enum AdjustFlags : unsigned {
    kSetLeft = 0x01,
    kAddLeft = 0x02,
    kSetTop = 0x04,
    kAddTop = 0x08,
    kSetWidth = 0x10,
    kAddWidth = 0x20,
    kSetHeight = 0x40,
    kAddHeight = 0x80,
};
void adjustKeyGeometry(const ActiveContext& context, int column, int row, unsigned flags, double x, double y,
                       double width, double height);

bool hasProgramming(const KeyRecord& key, int layer);
// Every layer entry's six attribute fields follow the layer; with no grid
// position given, those of every key of slots 0-199, whose geometry is
// cleared too.
void resetKeyAttributes(const ActiveContext& context, std::optional<std::pair<int, int>> gridPosition);
void clearKeyContent(KeyRecord& key);
void copyKeyContent(KeyRecord& target, const KeyRecord& source);

struct SelectionCount {
    int count = 0;
    int highest = -1;  // -1: nothing selected
};
SelectionCount countSelection(const ActiveContext& context);

// The clipboard of copy, cut and paste: one key record, empty until the
// first copy.
struct KeyClipboard {
    std::optional<KeyRecord> key;
};
// Mouse position in pixels of the view, and whether Shift was held.
void selectAtPoint(const ActiveContext& context, int x, int y, bool shift);
bool copyKey(const ActiveContext& context, KeyClipboard& clipboard);
bool cutKey(const ActiveContext& context, KeyClipboard& clipboard);
bool pasteKey(const ActiveContext& context, const KeyClipboard& clipboard);
bool writeBackCurrentKey(const ActiveContext& context);
void setKeyShape(const ActiveContext& context, double capWidth, double capHeight);

// The first free layer definition gets the name (a reserved name gets
// "temp" appended); its index, or -1 when the name is empty or all 16 are in
// use. An empty name adds nothing and only makes the first free definition
// the context's current layer (a full table leaves it as it is).
int addLayer(ActiveContext& context, std::string_view name);
std::string_view layerName(const LayerTable& layers, int index);

// The reset of the keyboard data (defaults, module option bytes, the
// layout of model 3 without creating a layer name).
void resetKeyboardData(const ActiveContext& context);

// Before every save: keys under an enlarged key take its layer entries.
void copyProgrammingUnderEnlargedKeys(const ActiveContext& context);

}  // namespace kbxdoc
