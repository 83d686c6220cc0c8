#include "editor/document/key_geometry.h"

namespace kbxdoc {

namespace {
constexpr int kHitTestedSlots = kLastModuleSlot + 1;  // slots 0-199; 200 is the working copy

int truncated(double value) { return static_cast<int>(value); }
}  // namespace

PixelRect keyPixelRect(const KeyboardData& keyboard, const KeyRecord& key, Geometry geometry) {
    const Rect& rect = geometry == Geometry::Current ? key.current : key.templateGeometry;
    return PixelRect{
        keyboard.originX + truncated(keyboard.scaleX * rect.left),
        keyboard.originY + truncated(keyboard.scaleY * rect.top),
        truncated(keyboard.scaleX * rect.width),
        truncated(keyboard.scaleY * rect.height),
    };
}

PixelRect keyPixelRect(const ActiveContext& context, int slot, Geometry geometry) {
    if (context.keyboard == nullptr || slot < 0 || slot >= kKeySlotCount) return PixelRect{};
    return keyPixelRect(*context.keyboard, context.keyboard->keys[static_cast<std::size_t>(slot)], geometry);
}

int keyAtPixel(const KeyboardData& keyboard, int x, int y) {
    for (int slot = 0; slot < kHitTestedSlots; ++slot) {
        if (keyPixelRect(keyboard, keyboard.keys[static_cast<std::size_t>(slot)]).contains(x, y)) return slot;
    }
    return -1;
}

ScopedDrawingScale::ScopedDrawingScale(KeyboardData* keyboard, double scaleX, double scaleY, int originX, int originY)
    : keyboard_(keyboard) {
    if (keyboard_ == nullptr) return;
    scaleX_ = keyboard_->scaleX;
    scaleY_ = keyboard_->scaleY;
    originX_ = keyboard_->originX;
    originY_ = keyboard_->originY;
    keyboard_->scaleX = scaleX;
    keyboard_->scaleY = scaleY;
    keyboard_->originX = originX;
    keyboard_->originY = originY;
}

ScopedDrawingScale::~ScopedDrawingScale() {
    if (keyboard_ == nullptr) return;
    keyboard_->scaleX = scaleX_;
    keyboard_->scaleY = scaleY_;
    keyboard_->originX = originX_;
    keyboard_->originY = originY_;
}

}  // namespace kbxdoc
