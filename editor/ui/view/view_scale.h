#pragma once

// How many pixels a millimetre of the keyboard takes in a view and how large
// the scrolled area is, from the zoom mode, the client size and the
// keyboard's outline. Free of Qt so that it can be checked on its own.

#include <optional>

namespace keyui {

enum class ZoomMode : int {
    Normal = 0,         // 100 %: 3 pixels per mm
    Double = 1,         // 200 %: 6 pixels per mm
    WholeKeyboard = 2,  // fits the client area
};

}  // namespace keyui

namespace keyui::view {

inline constexpr double kNormalScale = 3.0;  // pixels per mm at 100 %
inline constexpr double kDoubleScale = 6.0;  // pixels per mm at 200 %

struct PixelSize {
    int width = 0;
    int height = 0;
    friend bool operator==(const PixelSize&, const PixelSize&) = default;
};

// The scale of a zoom mode, the same for x and y; none when it cannot be
// computed (a keyboard of size 0, or a whole-keyboard fit into an empty
// client area), in which case the view keeps the scale it had.
std::optional<double> zoomScale(ZoomMode mode, PixelSize client, double keyboardWidth, double keyboardHeight);

// The scrolled area: the keyboard outline at that scale, each side to the
// nearest pixel; 100 x 100 for a keyboard of size 0.
PixelSize scrollArea(double scaleX, double scaleY, double keyboardWidth, double keyboardHeight);

}  // namespace keyui::view
