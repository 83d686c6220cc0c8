#pragma once

// The state of opening, the frame reader, raw capture, the callbacks, the
// keyboard and the language.

#include <array>
#include <cstddef>
#include <cstdint>
#include <memory>

#include "platform/event_loop.h"
#include "platform/key_events.h"
#include "kbxfunc.h"
#include "posfunc/translator/keyboard_state.h"

namespace kbxfunc {

inline constexpr std::size_t kBufferSize = KBXFUNC_BUFFER_SIZE;
// A frame keeps at most this many characters, so that its NUL always fits.
inline constexpr std::size_t kMaxFrameCharacters = kBufferSize - 1;
inline constexpr std::size_t kModuleCount = 6;
inline constexpr int kNoModule = 0;
inline constexpr int kInitialLanguage = 1;  // German

// The modules by their codes 1-6; a module's frame marker is its code + 0x61.
enum class Module : int { track1 = 1, track2, track3, barcode, keylock, functioncard };

// The frame of the module whose data arrives now.
struct FrameReader {
    int module = kNoModule;  // 1-6 while a frame is open
    std::size_t count = 0;   // characters stored in the module's buffer
};

// Raw capture of key codes into the capture buffer.
struct Capture {
    bool armed = false;
    int requested = 0;      // disarms when this many codes are stored
    int reserved = 0;       // the second argument of kbx_capture_data, kept only
    int timeout = 0;        // first wait x 10 ms, later waits in ms; 0 = none
    std::size_t count = 0;  // codes stored
    kbx::platform::TimerId timer = 0;
    std::array<unsigned char, kBufferSize> buffer{};
};

struct InputState {
    bool open = false;  // kbx_open succeeded and kbx_close has not run
    std::unique_ptr<kbx::platform::KeyEventSource> eventSource;  // null without a configured source
    KeyboardState keyboard;
    int language = kInitialLanguage;

    FrameReader frame;
    std::array<std::array<char, kBufferSize>, kModuleCount> moduleBuffers{};
    std::array<KbxfuncCallback, kModuleCount> moduleCallbacks{};

    Capture capture;
    KbxfuncCallback captureCallback = nullptr;
};

// The buffer and callback slot of a module code 1-6.
inline std::size_t moduleIndex(Module module) { return std::size_t(static_cast<int>(module) - 1); }

}  // namespace kbxfunc
