#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>

// Names in braces are matched without regard to letter case; only the ASCII
// letters have a case here (code page 437 letters above 127 stay as they are).
namespace kbxc {

constexpr char upperCaseLetter(char c) { return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c; }

constexpr std::uint8_t upperCaseLetter(std::uint8_t c) {
    return static_cast<std::uint8_t>(upperCaseLetter(static_cast<char>(c)));
}

// `upperName` is written in capitals; `text` in any case.
constexpr bool startsWithIgnoringCase(std::string_view text, std::string_view upperName) {
    if (text.size() < upperName.size()) return false;
    for (std::size_t i = 0; i < upperName.size(); ++i) {
        if (upperCaseLetter(text[i]) != upperName[i]) return false;
    }
    return true;
}

constexpr bool equalsIgnoringCase(std::string_view text, std::string_view upperName) {
    return text.size() == upperName.size() && startsWithIgnoringCase(text, upperName);
}

}  // namespace kbxc
