#include "editor/ui/view/view_scale.h"

#include <algorithm>
#include <array>
#include <cmath>

namespace keyui::view {

namespace {

// The fixed scales, by zoom mode; whole keyboard has none of its own.
constexpr std::array<double, 2> kFixedScales{kNormalScale, kDoubleScale};

constexpr PixelSize kEmptyKeyboardArea{100, 100};

bool hasSize(double width, double height) { return width != 0 && height != 0; }

int nearestPixel(double value) { return static_cast<int>(std::lround(value)); }

}  // namespace

std::optional<double> zoomScale(ZoomMode mode, PixelSize client, double keyboardWidth, double keyboardHeight) {
    if (!hasSize(keyboardWidth, keyboardHeight)) return std::nullopt;
    const int index = static_cast<int>(mode);
    if (index >= 0 && index < static_cast<int>(kFixedScales.size()))
        return kFixedScales[static_cast<std::size_t>(index)];
    if (mode != ZoomMode::WholeKeyboard) return std::nullopt;
    // A view that is not laid out yet has nothing to fit into; a scale of 0
    // would put every key at one point.
    if (client.width <= 0 || client.height <= 0) return std::nullopt;
    return std::min(client.width / keyboardWidth, client.height / keyboardHeight);
}

PixelSize scrollArea(double scaleX, double scaleY, double keyboardWidth, double keyboardHeight) {
    if (!hasSize(keyboardWidth, keyboardHeight)) return kEmptyKeyboardArea;
    return PixelSize{nearestPixel(keyboardWidth * scaleX), nearestPixel(keyboardHeight * scaleY)};
}

}  // namespace keyui::view
