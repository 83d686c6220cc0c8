#pragma once

#include <array>
#include <cstdint>

namespace kbxc {

// Make codes of the numeric keypad's digit keys 0-9 (Alt codes, N0-N9, #0-#9).
inline constexpr std::array<std::uint8_t, 10> kKeypadDigitMakes{0x52, 0x4F, 0x50, 0x51, 0x4B,
                                                                0x4C, 0x4D, 0x47, 0x48, 0x49};

// The keypad's decimal point key (N., N,, #., #,).
inline constexpr std::uint8_t kKeypadPointMake = 0x53;

}  // namespace kbxc
