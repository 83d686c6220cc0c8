#pragma once

// The keys of the typing block that type no character: the modifiers, which
// stay down while their key is held, and the keys that send one key stroke.
// Keys are named by their make code; the right Alt and Control keys carry
// the E0 prefix in the high byte.

#include <cstdint>
#include <optional>
#include <string_view>

namespace kbxlayout {

inline constexpr std::uint16_t kLeftShiftKey = 0x2A;
inline constexpr std::uint16_t kRightShiftKey = 0x36;
inline constexpr std::uint16_t kLeftControlKey = 0x1D;
inline constexpr std::uint16_t kRightControlKey = 0xE01D;
inline constexpr std::uint16_t kLeftAltKey = 0x38;
inline constexpr std::uint16_t kRightAltKey = 0xE038;
inline constexpr std::uint16_t kLockKey = 0x3A;

// The make token a modifier key is programmed with on the make/break layer:
// the keyboard sends its code when the key goes down and the break code when
// it comes up. None for a key that is no modifier.
std::optional<std::string_view> modifierMakeToken(std::uint16_t key);

// The token of a key that sends one key stroke (Backspace, Tab, Enter); none
// for any other key.
std::optional<std::string_view> keyStrokeToken(std::uint16_t key);

}  // namespace kbxlayout
