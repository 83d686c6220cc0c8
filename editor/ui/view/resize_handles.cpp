#include "editor/ui/view/resize_handles.h"

#include <algorithm>
#include <array>
#include <cmath>

namespace keyui::view {

namespace {

// The handle areas lie on R, the key's rectangle shrunk by this much on
// every side.
constexpr int kHandleInset = 2;
// How far from its line an edge or corner area reaches.
constexpr int kTolerance = 4;
constexpr int kFewestSteps = 1;
constexpr int kMostSteps = 3;

// The inner rectangle R and its quarter lengths q = W / 4, e = H / 4.
struct HandleFrame {
    int left, top, width, height, q, e;
    int right() const { return left + width; }
    int bottom() const { return top + height; }
};

bool near(int value, int line) { return value >= line - kTolerance && value <= line + kTolerance; }
bool within(int value, int from, int to) { return value >= from - kTolerance && value <= to + kTolerance; }

bool inside(const HandleFrame& r, int x, int y) {
    return x > r.left + kTolerance && x < r.right() - kTolerance && y > r.top + kTolerance &&
           y < r.bottom() - kTolerance;
}
bool topEdge(const HandleFrame& r, int x, int y) { return near(y, r.top) && within(x, r.left + r.q, r.right() - r.q); }
bool bottomEdge(const HandleFrame& r, int x, int y) {
    return near(y, r.bottom()) && within(x, r.left + r.q, r.right() - r.q);
}
bool leftEdge(const HandleFrame& r, int x, int y) {
    return near(x, r.left) && within(y, r.top + r.e, r.bottom() - r.e);
}
bool rightEdge(const HandleFrame& r, int x, int y) {
    return near(x, r.right()) && within(y, r.top + r.e, r.bottom() - r.e);
}
bool bottomLeft(const HandleFrame& r, int x, int y) {
    return (near(x, r.left) && within(y, r.bottom() - r.e, r.bottom())) ||
           (near(y, r.bottom()) && within(x, r.left, r.left + r.q));
}
bool bottomRight(const HandleFrame& r, int x, int y) {
    return (near(x, r.right()) && within(y, r.bottom() - r.e, r.bottom())) ||
           (near(y, r.bottom()) && within(x, r.right() - r.q, r.right()));
}
bool topLeft(const HandleFrame& r, int x, int y) {
    return (near(x, r.left) && within(y, r.top, r.top + r.e)) || (near(y, r.top) && within(x, r.left, r.left + r.q));
}
bool topRight(const HandleFrame& r, int x, int y) {
    return (near(x, r.right()) && within(y, r.top, r.top + r.e)) ||
           (near(y, r.top) && within(x, r.right() - r.q, r.right()));
}

struct HandleArea {
    HandleCode code;
    bool (*contains)(const HandleFrame&, int, int);
};

// In the order of testing: the first area that holds the pointer wins.
constexpr std::array kHandleAreas{
    HandleArea{kHandleInside, inside},
    HandleArea{kHandleTop, topEdge},
    HandleArea{kHandleBottom, bottomEdge},
    HandleArea{kHandleLeft, leftEdge},
    HandleArea{kHandleRight, rightEdge},
    HandleArea{kHandleBottomLeft, bottomLeft},
    HandleArea{kHandleBottomRight, bottomRight},
    HandleArea{kHandleTopLeft, topLeft},
    HandleArea{kHandleTopRight, topRight},
};

struct ResizeRule {
    HandleCode code;
    ResizedExtents extents;
};
constexpr std::array kResizeRules{
    ResizeRule{kHandleRight, {true, false}},
    ResizeRule{kHandleBottom, {false, true}},
    ResizeRule{kHandleBottomRight, {true, true}},
};

}  // namespace

HandleCode handleCodeAt(const kbxdoc::PixelRect& key, int x, int y) {
    if (!key.contains(x, y)) return kNoHandle;
    const int width = key.width - 2 * kHandleInset;
    const int height = key.height - 2 * kHandleInset;
    const HandleFrame frame{key.x + kHandleInset, key.y + kHandleInset, width, height, width / 4, height / 4};
    for (const HandleArea& area : kHandleAreas) {
        if (area.contains(frame, x, y)) return area.code;
    }
    return kNoHandle;
}

ResizedExtents resizedExtents(HandleCode code) {
    for (const ResizeRule& rule : kResizeRules) {
        if (rule.code == code) return rule.extents;
    }
    return ResizedExtents{};
}

double gridStepSize(int pointerOffset, double scale, double pitch, double cap) {
    const double step = scale * pitch;
    const long steps = step > 0 ? std::lround(pointerOffset / step) : kFewestSteps;
    const long n = std::clamp<long>(steps, kFewestSteps, kMostSteps);
    return static_cast<double>(n - 1) * pitch + cap;
}

}  // namespace keyui::view
