#pragma once

// The customer display's images, geometry, timing and timers.

#include <array>
#include <cstdint>

#include "platform/event_loop.h"
#include "kbxfunc.h"

namespace kbxfunc {

inline constexpr int kDisplayImageRows = 7;
inline constexpr int kDisplayImageColumns = 50;  // plus a terminating NUL in each row

// One picture of the display: rows of characters, each row NUL-terminated.
using DisplayImage = std::array<std::array<std::uint8_t, kDisplayImageColumns + 1>, kDisplayImageRows>;

// How texts are converted before they are shown.
enum class DisplayCharacters : std::uint8_t {
    Unchanged = 0,
    GermanDisplay = 1,  // the display's own codes for the German letters
    OemToAnsi = 2,
    AnsiToOem = 3,
};

struct DisplayState {
    bool open = false;
    DisplayImage target{};  // what the application wants shown
    DisplayImage shown{};   // what has been sent to the display

    std::uint8_t rows = 2;      // 0-5
    std::uint8_t columns = 24;  // 0-49
    int blockSize = 7;          // characters per block
    int blockDelayMs = 20;      // interval of the update timer
    int keyDelayMs = 5;         // quiet time after a keyboard event before updates go on
    int refreshIntervalMs = 0;  // 0: no periodic rewrite

    DisplayCharacters characters = DisplayCharacters::AnsiToOem;
    bool displayOn = true;
    bool cursorShown = false;
    bool cursorBlinking = false;

    // The display's write position as last set: the column on the first row,
    // 64 + column on the second, kCursorUnknown when it must be set again.
    int cursorRegister = 0;

    kbx::platform::TimerId updateTimer = 0;
    kbx::platform::TimerId keyDelayTimer = 0;
    kbx::platform::TimerId refreshTimer = 0;
    KbxfuncDisplayComplete complete = nullptr;
};

inline constexpr int kCursorUnknown = -1;
// A shown byte that no text holds: the byte counts as not yet sent.
inline constexpr std::uint8_t kUnsentMark = 0x01;

}  // namespace kbxfunc
