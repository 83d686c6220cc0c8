#include "posfunc/translator/translator.h"

namespace kbxfunc {

// Gives no characters yet.
std::uint8_t translateScanCode(std::uint8_t, int, KeyboardState&) { return 0; }

}  // namespace kbxfunc
