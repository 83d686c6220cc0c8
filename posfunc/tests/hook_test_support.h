#pragma once

// Helpers of the hook, capture and opening tests: fixtures that start every
// test from a fresh library state with no key event source configured, key
// events in the hook's key-data form, and callbacks that record their calls.

#include <gtest/gtest.h>
#include <stdlib.h>

#include <array>
#include <cstdint>
#include <initializer_list>
#include <string>
#include <vector>

#include "platform/channel_protocol.h"
#include "platform/key_events.h"
#include "platform/event_loop.h"
#include "posfunc/input/hook.h"
#include "posfunc/input/module_data.h"
#include "posfunc/input/opening.h"
#include "posfunc/state.h"
#include "posfunc/translator/translator.h"

namespace kbxfunc::testing {

inline constexpr std::uint8_t kTrack1Marker = 0x62;
inline constexpr std::uint8_t kTrack2Marker = 0x63;
inline constexpr std::uint8_t kBarcodeMarker = 0x65;
inline constexpr std::uint8_t kFunctionCardMarker = 0x67;
inline constexpr std::uint8_t kKey1 = 0x02;  // make codes of the digit keys 1, 2, 3
inline constexpr std::uint8_t kKey2 = 0x03;
inline constexpr std::uint8_t kKey3 = 0x04;
inline constexpr std::uint8_t kKeyA = 0x1E;
inline constexpr std::uint8_t kLeftShift = 0x2A;
inline constexpr std::uint8_t kAlt = 0x38;
inline constexpr int kUs = 0;

using kbx::platform::channel::keyData;

inline std::uint32_t down(std::uint8_t scanCode) { return keyData(scanCode, false); }
inline std::uint32_t up(std::uint8_t scanCode) { return keyData(scanCode, true); }

// What the callbacks received, in order. The callbacks are plain function
// pointers, so the record is shared by the whole test program.
inline std::vector<std::string>& calls() {
    static std::vector<std::string> record;
    return record;
}

template <int Tag>
void recordCall(int count) {
    calls().push_back(std::to_string(Tag) + ":" + std::to_string(count));
}

// Module n's callback records "n:count"; the capture callback records "0:count".
inline constexpr std::array<KbxfuncCallback, kModuleCount> kModuleRecorders{
    &recordCall<1>, &recordCall<2>, &recordCall<3>, &recordCall<4>, &recordCall<5>, &recordCall<6>};
inline constexpr KbxfuncCallback kCaptureRecorder = &recordCall<0>;

inline void clearKeyEventVariables() {
    ::unsetenv(kbx::platform::kKeyEventsVariable);
    for (const char* name : kbx::platform::kSimulatedKeyboardVariables) ::unsetenv(name);
}

// Every test starts from a fresh library state and event loop, with no key
// event source configured; the library is not open.
class ClosedLibrary : public ::testing::Test {
protected:
    void SetUp() override {
        clearKeyEventVariables();
        kbx::platform::resetLoopForTests();
        resetStateForTests();
        calls().clear();
    }
    void TearDown() override {
        clearKeyEventVariables();
        resetStateForTests();
        kbx::platform::resetLoopForTests();
    }

    static InputState& input() { return state().input; }
};

// The library open, with a recording callback for every module and for
// capture.
class OpenedLibrary : public ClosedLibrary {
protected:
    void SetUp() override {
        ClosedLibrary::SetUp();
        ASSERT_EQ(openLibrary(state()), 0);
        for (std::size_t m = 0; m < kModuleCount; ++m)
            ASSERT_EQ(setModuleCallback(input(), Module(int(m) + 1), kModuleRecorders[m]), 0);
        ASSERT_EQ(setCaptureCallback(input(), kCaptureRecorder), 0);
    }

    // Feeds key data to the hook; how many events it swallowed.
    static int feed(std::initializer_list<std::uint32_t> events) {
        int swallowed = 0;
        for (std::uint32_t event : events)
            swallowed += hookProcedure(state(), 0, event) == HookResult::swallowed ? 1 : 0;
        return swallowed;
    }
    // A key pressed and released.
    static int press(std::uint8_t scanCode) { return feed({down(scanCode), up(scanCode)}); }

    static std::string text(Module module) { return moduleBuffer(input(), module); }
};

}  // namespace kbxfunc::testing
