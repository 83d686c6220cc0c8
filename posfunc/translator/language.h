#pragma once

// The keyboard languages of the translator, numbered as the editor's country
// list numbers them.

#include <cstddef>
#include <cstdint>

namespace kbxfunc {

enum class Language : std::uint8_t {
    us = 0,
    german = 1,
    french = 2,
    unitedKingdom = 3,
    swissGerman = 4,
    swissFrench = 5,
    italian = 6,
    spanish = 7,
};

inline constexpr std::size_t kLanguages = 8;

// A language number outside 0-7 is taken as US.
constexpr Language languageFromNumber(int number) {
    return number >= 0 && number < static_cast<int>(kLanguages) ? static_cast<Language>(number) : Language::us;
}

constexpr std::size_t languageIndex(Language language) { return static_cast<std::size_t>(language); }

}  // namespace kbxfunc
