#pragma once

// What the keyboard types, as the key data of the hook (set-1 scan code,
// extended bit, Alt context, key up; see platform/channel_protocol.h): the
// reply text of a read frame, the frame markers of the modules and texts
// typed on a national PC keyboard.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace kbxsim {

using KeyEvents = std::vector<std::uint32_t>;

// National keyboards, numbered as the point-of-sale library numbers them.
enum class KeyboardLanguage : int { us, german, french, uk, swissGerman, swissFrench, italian, spanish };
inline constexpr int kLanguageCount = 8;
inline constexpr KeyboardLanguage kDefaultLanguage = KeyboardLanguage::german;
std::optional<KeyboardLanguage> languageOf(int number);

// The make and break of each character of a read reply: the digits and the
// letters A-F on their keys. A NUL (put in by a fault) is scan code 0, any
// other character the key of its capital letter or digit on a US keyboard,
// and a character without a key is left out.
KeyEvents typeReplyText(std::string_view text);

// The make and break of one key, without modifiers.
KeyEvents keystroke(std::uint8_t makeCode);

// Set-1 bytes as a keyboard sends them (0xE0 before an extended key, bit 7
// for a break) turned into key data; the Alt context follows the Alt keys.
KeyEvents keyEventsOf(const std::vector<std::uint8_t>& scanBytes);

// A text in code page 437 typed on the national keyboard, each character with
// the Shift, AltGr and accent keys it needs (and released after it); a
// character the keyboard has no key for is typed as an Alt code on the keypad.
KeyEvents typeText(std::string_view oemText, KeyboardLanguage language);

// A UTF-8 text (a command line, standard input) in code page 437: the
// characters of Latin-1 that code page 437 has keep their place, others
// become "?"; a byte that is no UTF-8 is taken as it is.
std::string oemFromUtf8(std::string_view text);

}  // namespace kbxsim
