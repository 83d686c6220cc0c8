#include "tools/kbxlayout/special_keys.h"

#include <array>

namespace kbxlayout {
namespace {

struct KeyToken {
    std::uint16_t key;
    std::string_view token;
};

// Under make/break the compiler sends a make token's code alone; a plain
// modifier name ("{Shift}") there means the same, but a reader of the
// layout sees here what goes out when the key is pressed.
//
// The right Shift sends the left Shift's code: the compiler types every text
// of the shift layer as if the left Shift were down, letting it up (AA) for
// a character typed without Shift and pressing it again afterwards. A right
// Shift (36) would stay down through that, and the numeric block's "7" on
// the shift layer would type "&". The right Alt sends E0 38 on every
// keyboard; the countries with AltGr call it so.
constexpr std::array kModifierKeys{
    KeyToken{kLeftShiftKey, "{MakeShift}"}, KeyToken{kRightShiftKey, "{MakeShift}"},
    KeyToken{kLeftControlKey, "{MakeCtrl}"}, KeyToken{kRightControlKey, "{MakeRCtrl}"},
    KeyToken{kLeftAltKey, "{MakeAlt}"},     KeyToken{kRightAltKey, "{MakeAltGr}"},
};

// "{Return}" is the typing block's Enter (1C); "{Enter}" would send the
// numeric block's (E0 1C).
constexpr std::array kKeyStrokes{
    KeyToken{0x0E, "{BS}"},
    KeyToken{0x0F, "{Tab}"},
    KeyToken{0x1C, "{Return}"},
};

template <std::size_t Size>
std::optional<std::string_view> tokenIn(const std::array<KeyToken, Size>& table, std::uint16_t key) {
    for (const KeyToken& entry : table) {
        if (entry.key == key) return entry.token;
    }
    return std::nullopt;
}

}  // namespace

std::optional<std::string_view> modifierMakeToken(std::uint16_t key) { return tokenIn(kModifierKeys, key); }

std::optional<std::string_view> keyStrokeToken(std::uint16_t key) { return tokenIn(kKeyStrokes, key); }

}  // namespace kbxlayout
