#include "posfunc/input/frames.h"

#include "posfunc/translator/translator.h"

namespace kbxfunc {

void handleFrameMarker(InputState& input, int module) {
    FrameReader& frame = input.frame;
    if (frame.module == module) {
        const std::size_t slot = moduleIndex(Module(module));
        input.moduleBuffers[slot][frame.count] = '\0';
        const int count = int(frame.count);
        frame = FrameReader{};
        if (KbxfuncCallback callback = input.moduleCallbacks[slot]) callback(count);
        return;
    }
    frame.module = module;
    frame.count = 0;
    input.moduleBuffers[moduleIndex(Module(module))][0] = '\0';
}

void addFrameKey(InputState& input, std::uint8_t translatorCode) {
    FrameReader& frame = input.frame;
    if (frame.count >= kMaxFrameCharacters) return;
    const std::uint8_t character = translateScanCode(translatorCode, input.language, input.keyboard);
    if (character == 0) return;
    auto& buffer = input.moduleBuffers[moduleIndex(Module(frame.module))];
    buffer[frame.count++] = char(character);
    buffer[frame.count] = '\0';  // the characters so far stay readable as text
}

}  // namespace kbxfunc
