#pragma once

// The resize handles of the one selected key: which part of the key the
// pointer is over, and the grid-step sizes a drag of the right or bottom
// edge gives. Free of Qt; pixel rectangles are those of key_geometry.h.

#include "editor/document/key_geometry.h"

namespace keyui {

// Resize handle codes of the pointer over the one selected key.
enum HandleCode : int {
    kNoHandle = 0,
    kHandleInside = 1,
    kHandleLeft = 2,
    kHandleRight = 3,
    kHandleTop = 4,
    kHandleBottom = 5,
    kHandleTopLeft = 6,
    kHandleTopRight = 7,
    kHandleBottomLeft = 8,
    kHandleBottomRight = 9,
};

}  // namespace keyui

namespace keyui::view {

// The handle code of a pointer over a key
// whose pixel rectangle is `key`, both in keyboard pixels; 0 when the
// pointer is not over the key.
HandleCode handleCodeAt(const kbxdoc::PixelRect& key, int x, int y);

// Which extents a drag with that handle code changes.
struct ResizedExtents {
    bool width = false;
    bool height = false;
};
ResizedExtents resizedExtents(HandleCode code);

// The size along one axis for a pointer `pointerOffset` pixels behind the
// key's left (or top) edge: the nearest whole number of grid steps n,
// limited to 1-3, gives (n - 1) * pitch + cap, in mm.
double gridStepSize(int pointerOffset, double scale, double pitch, double cap);

// Values at most this many millimetres are not stored by a resize.
inline constexpr double kSmallestResizedExtent = 2.0;

}  // namespace keyui::view
