#include "editor/document/key_table.h"

namespace kbxdoc {

namespace {

constexpr int kTableKeyCount = kCurrentKeySlot;

bool isEnlarged(const KeyboardData& keyboard, const KeyRecord& key) {
    return key.current.width > keyboard.capWidth || key.current.height > keyboard.capHeight;
}

// A slot without a size (a free slot or a module pseudo key) is no key on
// the keyboard and so lies under nothing.
bool hasSize(const KeyRecord& key) { return key.current.width != 0 && key.current.height != 0; }

bool centreStrictlyInside(const KeyRecord& key, const Rect& area) {
    const double centreX = key.current.left + key.current.width / 2;
    const double centreY = key.current.top + key.current.height / 2;
    return centreX > area.left && centreX < area.left + area.width && centreY > area.top &&
           centreY < area.top + area.height;
}

}  // namespace

// A key drawn larger than a 1x1 cap hides the keys whose centres it covers;
// they send what it sends, so that pressing any part of it acts the same.
void copyProgrammingUnderEnlargedKeys(const ActiveContext& context) {
    if (context.keyboard == nullptr) return;
    KeyboardData& keyboard = *context.keyboard;
    for (int enlargedSlot = 0; enlargedSlot < kTableKeyCount; ++enlargedSlot) {
        const KeyRecord& enlarged = keyboard.keys[static_cast<std::size_t>(enlargedSlot)];
        if (!hasSize(enlarged) || !isEnlarged(keyboard, enlarged)) continue;
        for (int slot = 0; slot < kTableKeyCount; ++slot) {
            KeyRecord& covered = keyboard.keys[static_cast<std::size_t>(slot)];
            if (slot == enlargedSlot || !hasSize(covered) || !centreStrictlyInside(covered, enlarged.current)) continue;
            covered.layers = enlarged.layers;
        }
    }
}

}  // namespace kbxdoc
