#include "platform/key_events/set_one_keymap.h"

#include <array>

namespace kbx::platform {
namespace {

constexpr std::size_t kCodesPerHalf = 128;

// Indexed by make code; the row comment is the first code of the row. Taken
// from the kernel's AT keyboard driver (drivers/input/keyboard/atkbd.c): its
// set-2 key table read through its table of untranslated codes, as the
// driver builds its keymap for a translated keyboard.
constexpr std::array<std::uint16_t, kCodesPerHalf> kPlainKeys{
      0,   1,   2,   3,   4,   5,   6,   7,   8,   9,  10,  11,  12,  13,  14,  15,  // 00
     16,  17,  18,  19,  20,  21,  22,  23,  24,  25,  26,  27,  28,  29,  30,  31,  // 10
     32,  33,  34,  35,  36,  37,  38,  39,  40,  41,  42,  43,  44,  45,  46,  47,  // 20
     48,  49,  50,  51,  52,  53,  54,  55,  56,  57,  58,  59,  60,  61,  62,  63,  // 30
     64,  65,  66,  67,  68,  69,  70,  71,  72,  73,  74,  75,  76,  77,  78,  79,  // 40
     80,  81,  82,  83,  99,   0,  86,  87,  88, 117,   0,   0,  95, 183, 184, 185,  // 50
      0,   0,   0,   0, 183, 184, 185, 186, 187, 188, 189, 190, 191, 192, 193,   0,  // 60
     93,   0,   0,  89,   0,   0, 194,  91,  90,  92,   0,  94,   0, 124, 121,   0,  // 70
};

// The codes that follow 0xE0, by make code. The driver knows E0 2A and E0 36
// (the keyboard's own Shift codes) as keys it reports nothing for: 0 here.
constexpr std::array<std::uint16_t, kCodesPerHalf> kExtendedKeys{
      0,   0,   0,   0,   0,   0,   0,   0,   0,   0,   0,   0,   0,   0,   0,   0,  // 00
    165,   0,   0,   0,   0,   0,   0,   0,   0, 163,   0,   0,  96,  97,   0,   0,  // 10
    113, 140, 164,   0, 166,   0,   0,   0,   0,   0,   0,   0,   0,   0, 114,   0,  // 20
    115,   0, 172,   0,   0,  98,   0,  99, 100,   0,   0,   0,   0,   0,   0,   0,  // 30
      0,   0,   0,   0,   0, 119, 119, 102, 103, 104,   0, 105, 112, 106, 118, 107,  // 40
    108, 109, 110, 111,   0,   0,   0,   0,   0,   0,   0, 125, 126, 127, 116, 142,  // 50
      0,   0,   0, 143,   0, 217, 156, 173, 128, 159, 158, 157, 155, 226,   0, 112,  // 60
      0,   0,   0,   0,   0,   0,   0,   0,   0,   0,   0,   0,   0,   0,   0,   0,  // 70
};

// Main block, extended keys, the keys above it: the order in which an
// ordinary keyboard's code for a key is looked for.
constexpr std::uint8_t kLastMainBlockCode = 0x53;

std::optional<SetOneCode> findCode(std::uint16_t linuxKey, bool extended, std::uint8_t first, std::uint8_t last) {
    const auto& keys = extended ? kExtendedKeys : kPlainKeys;
    for (unsigned code = first; code <= last; ++code)
        if (keys[code] == linuxKey) return SetOneCode{std::uint8_t(code), extended};
    return std::nullopt;
}

}  // namespace

std::uint16_t defaultLinuxKeyOf(SetOneCode code) {
    if (code.scanCode > kHighestSetOneMake) return 0;
    return (code.extended ? kExtendedKeys : kPlainKeys)[code.scanCode];
}

std::optional<SetOneCode> setOneCodeOfKey(std::uint16_t linuxKey) {
    if (linuxKey == 0) return std::nullopt;
    if (auto code = findCode(linuxKey, false, 1, kLastMainBlockCode)) return code;
    if (auto code = findCode(linuxKey, true, 1, kHighestSetOneMake)) return code;
    return findCode(linuxKey, false, kLastMainBlockCode + 1, kHighestSetOneMake);
}

}  // namespace kbx::platform
