#include "editor/ui/legend/legend.h"

namespace keyui::legend {

QColor toQColor(std::uint32_t colourValue) {
    constexpr std::uint32_t kChannel = 0xFF;
    return QColor(static_cast<int>(colourValue & kChannel), static_cast<int>((colourValue >> 8) & kChannel),
                  static_cast<int>((colourValue >> 16) & kChannel));
}

}  // namespace keyui::legend
