#pragma once

// The customer display tests' base: the recording interface library, the
// display opened, and the display sequences sent so far.

#include <chrono>
#include <string>
#include <vector>

#include "posfunc/display/customer_display.h"
#include "posfunc/display/display_update.h"
#include "posfunc/tests/command_recording.h"

namespace kbxfunc::test {

// Bytes as they are written in the display tests: text characters and codes.
inline Bytes bytesOf(std::initializer_list<int> values) {
    Bytes bytes;
    for (int value : values) bytes.push_back(static_cast<std::uint8_t>(value));
    return bytes;
}

inline Bytes textBytes(std::string_view text) { return Bytes(text.begin(), text.end()); }

class DisplayTest : public RecordingTest {
protected:
    void SetUp() override {
        RecordingTest::SetUp();
        ASSERT_EQ(openDisplay(state()), 0);
        recording().sent.clear();
        recording().calls.clear();
    }

    // Writes a text (a copy, so that the in-place conversion has a buffer).
    int write(std::string text, int row, int column) { return displayText(state(), text.data(), row, column); }
    int command(std::string keyword, int value = 0) { return displayText(state(), keyword.data(), 0, value); }

    // The display sequences sent: each from 0xEC to its 0x00.
    static std::vector<Bytes> sequences() {
        std::vector<Bytes> result;
        for (std::uint8_t byte : sent()) {
            if (byte == 0xEC || result.empty()) result.emplace_back();
            result.back().push_back(byte);
        }
        return result;
    }

    // Runs the thread's loop until `done` holds (at most two seconds).
    static bool runUntil(const std::function<bool()>& done) {
        return kbx::platform::runUntil(done, std::chrono::milliseconds(2000));
    }
    static void runFor(std::chrono::milliseconds duration) {
        kbx::platform::runUntil([] { return false; }, duration);
    }
};

}  // namespace kbxfunc::test
