#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace kbxc {

// The three bytes that head every key definition: which conditions must hold
// (state), which are tested (mask, bit 7 the trigger), and the attributes.
struct DefinitionBytes {
    std::uint8_t state = 0;
    std::uint8_t mask = 0x80;
    std::uint8_t attributes = 0;
    friend bool operator==(const DefinitionBytes&, const DefinitionBytes&) = default;
};

// Condition bits, the same in state and mask.
inline constexpr std::uint8_t kConditionLayer = 0x01;
inline constexpr std::uint8_t kConditionShift = 0x02;
inline constexpr std::uint8_t kConditionControl = 0x04;
inline constexpr std::uint8_t kConditionAlt = 0x08;
inline constexpr std::uint8_t kConditionScrollLock = 0x10;
inline constexpr std::uint8_t kConditionNumLock = 0x20;
inline constexpr std::uint8_t kConditionCapsLock = 0x40;
inline constexpr std::uint8_t kTriggerBit = 0x80;

// Attribute bits.
inline constexpr std::uint8_t kAttributeClick = 0x01;
inline constexpr std::uint8_t kAttributeAutoRepeat = 0x02;
inline constexpr std::uint8_t kAttributeProtected = 0x04;
inline constexpr std::uint8_t kAttributeMakeBreak = 0x08;
inline constexpr std::uint8_t kAttributeNoRestore = 0x10;
inline constexpr std::uint8_t kAttributeSlowOutput = 0x20;
inline constexpr std::uint8_t kAttributeCharacters = 0x40;
inline constexpr std::uint8_t kAttributeStandardSet = 0x1B;

// A programming string holds at most this many bytes (plus the terminating
// zero in the image); no byte of it is zero.
inline constexpr std::size_t kMaxProgrammingBytes = 239;

using ProgrammingBytes = std::vector<std::uint8_t>;

struct KeyDefinition {
    DefinitionBytes bytes;
    ProgrammingBytes program;
};

}  // namespace kbxc
