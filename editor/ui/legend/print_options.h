#pragma once

// The print options byte, kept for the whole run, and the print modes.

#include <cstdint>

namespace keyui {

enum PrintOption : std::uint8_t {
    kPrintKeyBorder = 0x01,        // the cap's outer frame and bevel
    kPrintCutLines = 0x02,         // one dotted rectangle around all keys (template mode)
    kPrintKeySurround = 0x04,      // the surround of the cap
    kPrintUnusedKeys = 0x08,       // keys without a caption too (sorted mode)
    kPrintNoBackground = 0x10,     // the key colour is not printed as background
    kPrintCuttingDistance = 0x20,  // 1 mm between legends (sorted mode)
    kPrintSelectedOnly = 0x40,     // only the keys selected in the active view
    kPrintScaleToPage = 0x80,      // the whole print scaled to one page
};

enum class PrintMode : int {
    KeyboardTemplate = 0,
    SortedBySize = 1,
};

}  // namespace keyui
