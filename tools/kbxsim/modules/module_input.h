#pragma once

// Module input on demand, typed as a layout sends it: each module's data
// between two presses of its frame marker key.
//
//   swipe T1 [T2 [T3]]   card tracks 1-3 (markers 0x62, 0x63, 0x64), each
//                        non-empty track framed on its own; "-" or "" is an
//                        empty track, a track with blanks is quoted "..."
//   barcode TEXT         barcode (marker 0x65)
//   keylock N            key lock position (marker 0x66)
//   card in TEXT         function card inserted (marker 0x67)
//   card out [TEXT]      function card removed (marker 0x67, usually empty)
//   type TEXT            ordinary keys, no markers
//
// TEXT is the rest of the line after one blank, taken as it is.

#include <cstdint>
#include <string>
#include <string_view>

#include "kbxsim/key_typing.h"

namespace kbxsim {

enum class Module : std::uint8_t { track1, track2, track3, barcode, keylock, functionCard };

std::uint8_t markerOf(Module module);

// The marker, the text typed on the national keyboard, the marker.
KeyEvents framed(Module module, std::string_view oemText, KeyboardLanguage language);

// The tracks that are not empty, each framed.
KeyEvents swipe(std::string_view track1, std::string_view track2, std::string_view track3, KeyboardLanguage language);

struct ModuleInput {
    KeyEvents events;
    std::string error;  // empty when the line was understood
};

// One command line (UTF-8) as above.
ModuleInput parseModuleInput(std::string_view line, KeyboardLanguage language);

// The command words, for help and messages.
inline constexpr std::string_view kModuleInputCommands = "swipe, barcode, keylock, card in, card out, type";

}  // namespace kbxsim
