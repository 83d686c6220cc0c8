#include "editor/document/key_table.h"

#include "editor/document/key_geometry.h"

namespace kbxdoc {

namespace {

// Slots that are keys of the table (the current-key copy is not one).
constexpr int kTableKeyCount = kCurrentKeySlot;
// Keys at most this many millimetres wide and high take a new 1x1 cap shape.
constexpr double kLargestResizedCap = 15.0;

bool validSlot(int slot) { return slot >= 0 && slot < kKeySlotCount; }

void redrawKey(const ActiveContext& context, int slot) {
    if (context.observer != nullptr) context.observer->redrawKey(slot);
}

// Each of the four pairs of flags sets or moves one edge or extent.
struct GeometryAdjustment {
    unsigned setFlag;
    unsigned addFlag;
    double Rect::*field;
};
constexpr std::array kGeometryAdjustments{
    GeometryAdjustment{kSetLeft, kAddLeft, &Rect::left},
    GeometryAdjustment{kSetTop, kAddTop, &Rect::top},
    GeometryAdjustment{kSetWidth, kAddWidth, &Rect::width},
    GeometryAdjustment{kSetHeight, kAddHeight, &Rect::height},
};

void adjustRect(Rect& rect, unsigned flags, const std::array<double, 4>& values) {
    for (std::size_t i = 0; i < kGeometryAdjustments.size(); ++i) {
        const GeometryAdjustment& adjustment = kGeometryAdjustments[i];
        if ((flags & adjustment.setFlag) != 0) rect.*adjustment.field = values[i];
        if ((flags & adjustment.addFlag) != 0) rect.*adjustment.field += values[i];
    }
}

void resetAttributes(KeyRecord& key) {
    for (LayerEntry& entry : key.layers) entry.attributes = (entry.attributes & ~kAttributeFieldsMask) | kAllFollowLayer;
}

// The slot of the only selected key, or -1 unless exactly one is selected.
int singleSelectedSlot(const ActiveContext& context) {
    const SelectionCount selection = countSelection(context);
    if (selection.count != 1 || context.keyboard == nullptr) return -1;
    return selection.highest;
}

}  // namespace

KeyRecord* keyBySlot(const ActiveContext& context, int slot) {
    if (context.keyboard == nullptr || !validSlot(slot)) return nullptr;
    return &context.keyboard->keys[static_cast<std::size_t>(slot)];
}

int slotAt(const ActiveContext& context, int column, int row) {
    if (context.keyboard == nullptr) return -1;
    for (int slot = 0; slot < kTableKeyCount; ++slot) {
        const KeyRecord& key = context.keyboard->keys[static_cast<std::size_t>(slot)];
        if (key.column == column && key.row == row) return slot;
    }
    return -1;
}

KeyRecord* keyAt(const ActiveContext& context, int column, int row) {
    return keyBySlot(context, slotAt(context, column, row));
}

void adjustKeyGeometry(const ActiveContext& context, int column, int row, unsigned flags, double x, double y,
                       double width, double height) {
    KeyRecord* key = keyAt(context, column, row);
    if (key == nullptr) return;
    const std::array<double, 4> values{x, y, width, height};
    adjustRect(key->templateGeometry, flags, values);
    adjustRect(key->current, flags, values);
}

bool hasProgramming(const KeyRecord& key, int layer) {
    if (layer < 0 || layer >= kLayerCount) return false;
    return !key.layers[static_cast<std::size_t>(layer)].programming.empty();
}

void resetKeyAttributes(const ActiveContext& context, std::optional<std::pair<int, int>> gridPosition) {
    if (gridPosition) {
        if (KeyRecord* key = keyAt(context, gridPosition->first, gridPosition->second)) resetAttributes(*key);
        return;
    }
    if (context.keyboard == nullptr) return;
    for (int slot = 0; slot < kTableKeyCount; ++slot) {
        KeyRecord& key = context.keyboard->keys[static_cast<std::size_t>(slot)];
        resetAttributes(key);
        key.templateGeometry = Rect{};
        key.current = Rect{};
    }
}

void clearKeyContent(KeyRecord& key) {
    key.captionSize = 0;
    key.caption.clear();
    key.captionSettings = CaptionSettings{};
    for (LayerEntry& entry : key.layers) entry.programming.clear();
}

void copyKeyContent(KeyRecord& target, const KeyRecord& source) {
    if (&target == &source) return;
    KeyRecord copy = source;
    copy.column = target.column;
    copy.row = target.row;
    copy.templateGeometry = target.templateGeometry;
    copy.current.left = target.current.left;
    copy.current.top = target.current.top;
    if (copy.captionSize == 0) {
        copy.caption.clear();
    } else if (copy.caption.size() >= copy.captionSize) {
        copy.caption.resize(copy.captionSize - 1);  // the new buffer holds what fits
    }
    target = std::move(copy);
}

SelectionCount countSelection(const ActiveContext& context) {
    SelectionCount result;
    if (context.selection == nullptr) return result;
    for (int slot = 0; slot < kKeySlotCount; ++slot) {
        if ((*context.selection)[static_cast<std::size_t>(slot)] == 0) continue;
        ++result.count;
        result.highest = slot;
    }
    return result;
}

void selectAtPoint(const ActiveContext& context, int x, int y, bool shift) {
    if (context.keyboard == nullptr || context.selection == nullptr) return;
    SelectionFlags& selection = *context.selection;
    if (!shift) {
        for (int slot = 0; slot < kKeySlotCount; ++slot) {
            std::uint8_t& flag = selection[static_cast<std::size_t>(slot)];
            if (flag == 0) continue;
            redrawKey(context, slot);
            flag = 0;
        }
    }
    const KeyboardData& keyboard = *context.keyboard;
    const int hit = keyAtPixel(keyboard, x + context.scrollX, y + context.scrollY);
    if (hit >= 0) {
        std::uint8_t& flag = selection[static_cast<std::size_t>(hit)];
        flag = (shift && flag != 0) ? 0 : 1;
        redrawKey(context, hit);
    }
    const int single = singleSelectedSlot(context);
    if (single >= 0 && single != kCurrentKeySlot) {
        context.keyboard->keys[kCurrentKeySlot] = keyboard.keys[static_cast<std::size_t>(single)];
    }
}

bool copyKey(const ActiveContext& context, KeyClipboard& clipboard) {
    const KeyRecord* key = keyBySlot(context, singleSelectedSlot(context));
    if (key == nullptr) return false;
    if (!clipboard.key) clipboard.key.emplace();
    copyKeyContent(*clipboard.key, *key);
    return true;
}

bool cutKey(const ActiveContext& context, KeyClipboard& clipboard) {
    const int slot = singleSelectedSlot(context);
    KeyRecord* key = keyBySlot(context, slot);
    if (key == nullptr) return false;
    redrawKey(context, slot);
    copyKey(context, clipboard);
    clearKeyContent(*key);
    redrawKey(context, slot);
    return true;
}

bool pasteKey(const ActiveContext& context, const KeyClipboard& clipboard) {
    if (!clipboard.key) return false;
    const int slot = singleSelectedSlot(context);
    KeyRecord* key = keyBySlot(context, slot);
    if (key == nullptr) return false;
    redrawKey(context, slot);
    copyKeyContent(*key, *clipboard.key);
    redrawKey(context, slot);
    return true;
}

bool writeBackCurrentKey(const ActiveContext& context) {
    const int slot = singleSelectedSlot(context);
    KeyRecord* key = keyBySlot(context, slot);
    if (key == nullptr) return false;
    redrawKey(context, slot);
    if (slot != kCurrentKeySlot) *key = context.keyboard->keys[kCurrentKeySlot];
    redrawKey(context, slot);
    return true;
}

void setKeyShape(const ActiveContext& context, double capWidth, double capHeight) {
    if (context.keyboard == nullptr) return;
    KeyboardData& keyboard = *context.keyboard;
    keyboard.capWidth = capWidth;
    keyboard.capHeight = capHeight;
    for (KeyRecord& key : keyboard.keys) {
        const Rect& shape = key.templateGeometry;
        const bool sized = shape.width != 0 && shape.height != 0;
        if (!sized || shape.width > kLargestResizedCap || shape.height > kLargestResizedCap) continue;
        key.templateGeometry.width = capWidth;
        key.templateGeometry.height = capHeight;
        key.current.width = capWidth;
        key.current.height = capHeight;
    }
    if (context.observer != nullptr) context.observer->redrawAll();
}

}  // namespace kbxdoc
