#pragma once

#include <array>
#include <cstdint>
#include <vector>

#include "compiler/conversion/convert.h"
#include "compiler/definition.h"
#include "compiler/diagnostics.h"
#include "compiler/models.h"

namespace kbxc {

struct HotKey {
    std::uint8_t state;
    std::uint8_t mask;
    std::uint8_t code;
};

// Everything keyboard-wide that the directives set, with the values a
// compilation starts from.
struct KeyboardSettings {
    std::uint8_t model = 1;
    std::uint8_t languageByte = 0;  // interface, lock behaviour, language
    std::uint8_t serialByte = 0;
    std::uint8_t clickVolume = 85;
    std::uint8_t clickDuration = 2;
    std::uint8_t alarmVolume = 255;
    std::uint8_t alarmDuration = 20;
    std::array<HotKey, 2> hotKeys{{{0, 4, 0x54}, {4, 4, 0x54}}};
    std::uint8_t modeA = 0xBF;
    std::uint8_t modeB = 0;
    std::uint8_t modeC = 0;
    std::uint8_t rate = 0x2C;  // 10 per second, 500 ms
    std::vector<std::uint8_t> portSettings;   // parameter block 3
    std::vector<std::uint8_t> portPrefix;     // parameter block 4
    std::vector<std::uint8_t> readerError;    // parameter block 5
    std::vector<std::uint8_t> conversions;    // parameter block 6
    std::vector<std::uint8_t> parameters;     // parameter block 8
    long long memorySize = kDefaultMemory;
    bool hexadecimalBase = false;
    DefinitionBytes defDefaults{0, 0x80, 0};
    bool alternativeController = false;
    ConversionSettings conversion;  // character table, ShiftLock, global ASCII

    static constexpr long long kDefaultMemory = 8000;
};

// The state of one compilation, reset at its start.
struct CompileState {
    KeyboardSettings keyboard;
    std::array<std::vector<KeyDefinition>, kKeyIndexCount> keys;
    bool bigLayout = false;
    std::uint8_t lastAttributes = 0;  // of the most recent key definition
    Diagnostics diagnostics;

    void reset() {
        keyboard = KeyboardSettings{};
        for (auto& list : keys) list.clear();
        bigLayout = false;
        lastAttributes = 0;
        diagnostics.reset();
    }
};

}  // namespace kbxc
