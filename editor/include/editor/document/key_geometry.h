#pragma once

// Where a key lies on the screen or the page: its pixel rectangle from the
// millimetre geometry, the scales and the drawing origin of the keyboard
// data, and the key under a pixel. Every product is truncated toward zero,
// so drawing, hit testing and repainting agree to the pixel.

#include "editor/document/active_context.h"

namespace kbxdoc {

struct PixelRect {
    int x = 0;
    int y = 0;
    int width = 0;
    int height = 0;
    bool contains(int px, int py) const { return px >= x && py >= y && px < x + width && py < y + height; }
    friend bool operator==(const PixelRect&, const PixelRect&) = default;
};

enum class Geometry { Current, Template };

// origin + truncate(scale * left), ..., truncate(scale * width), ...
PixelRect keyPixelRect(const KeyboardData& keyboard, const KeyRecord& key, Geometry geometry = Geometry::Current);
// The rectangle of a slot in the context's keyboard data; empty for a slot
// outside 0-200 or a context without data.
PixelRect keyPixelRect(const ActiveContext& context, int slot, Geometry geometry = Geometry::Current);

// The first of slots 0-199 whose current pixel rectangle holds the point
// (keyboard pixels: the view's client point plus its scroll position), or -1.
int keyAtPixel(const KeyboardData& keyboard, int x, int y);

// Lends the keyboard data a drawing's scales and origin for as long as it
// lives and puts the earlier values back: the data is shared by every view
// of a document and by printing, each drawing at its own scale. A null
// keyboard lends nothing.
class ScopedDrawingScale {
public:
    ScopedDrawingScale(KeyboardData* keyboard, double scaleX, double scaleY, int originX, int originY);
    ~ScopedDrawingScale();
    ScopedDrawingScale(const ScopedDrawingScale&) = delete;
    ScopedDrawingScale& operator=(const ScopedDrawingScale&) = delete;

private:
    KeyboardData* keyboard_;
    double scaleX_ = 0;
    double scaleY_ = 0;
    int originX_ = 0;
    int originY_ = 0;
};

}  // namespace kbxdoc
