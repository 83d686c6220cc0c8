// The point-of-sale library's keyboard hook and national translator over a
// stream of key events, from a fresh library state each time. The first byte
// of an input picks the language; then every event is two bytes: the scan
// code and the top byte of the key data (extended, reserved, Alt context,
// previous state and key-up bits). An event whose top byte has all four
// reserved bits set instead arms a capture of as many key codes as its scan
// code says.

#include <stdlib.h>

#include <cstdint>
#include <cstring>

#include "fuzz/targets/fuzz_input.h"
#include "platform/channel_protocol.h"
#include "platform/event_loop.h"
#include "platform/key_events.h"
#include "posfunc/input/capture.h"
#include "posfunc/input/hook.h"
#include "posfunc/input/module_data.h"
#include "posfunc/input/opening.h"
#include "posfunc/state.h"
#include "posfunc/translator/translator.h"

namespace {

constexpr std::uint8_t kReservedBits = 0x1E;  // bits 25-28 of the key data
constexpr int kTopByteShift = 24;

void KBX_CALL countChecked(int count) {
    if (count < 0 || count > KBXFUNC_BUFFER_SIZE) __builtin_trap();
}

void freshLibrary() {
    ::unsetenv(kbx::platform::kKeyEventsVariable);
    for (const char* name : kbx::platform::kSimulatedKeyboardVariables) ::unsetenv(name);
    kbx::platform::resetLoopForTests();
    kbxfunc::resetStateForTests();
    kbxfunc::FuncState& state = kbxfunc::state();
    kbxfunc::openLibrary(state);
    for (std::size_t m = 1; m <= kbxfunc::kModuleCount; ++m)
        kbxfunc::setModuleCallback(state.input, kbxfunc::Module(int(m)), countChecked);
    kbxfunc::setCaptureCallback(state.input, countChecked);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0) return 0;
    freshLibrary();
    kbxfunc::FuncState& state = kbxfunc::state();
    kbxfunc::setLanguage(state.input, data[0] % kbxfunc::kLanguageCount);
    kbxfunc::KeyboardState keyboard{};
    for (std::size_t at = 1; at + 1 < size; at += 2) {
        const std::uint8_t scanCode = data[at];
        const std::uint8_t top = data[at + 1];
        if ((top & kReservedBits) == kReservedBits) {
            kbxfunc::armCapture(state.input, scanCode, 0, 0);
            continue;
        }
        const std::uint32_t keyData = kbx::platform::channel::keyData(scanCode, false) |
                                      (std::uint32_t(top) << kTopByteShift);
        kbxfunc::hookProcedure(state, 0, keyData);
        kbxfunc::translateScanCode(scanCode, data[0], keyboard);
        for (std::size_t m = 1; m <= kbxfunc::kModuleCount; ++m) {
            const char* buffer = kbxfunc::moduleBuffer(state.input, kbxfunc::Module(int(m)));
            if (::strnlen(buffer, KBXFUNC_BUFFER_SIZE) == KBXFUNC_BUFFER_SIZE) __builtin_trap();
        }
    }
    kbxfunc::closeLibrary(state);
    return 0;
}
