#include "posfunc/input/module_data.h"

#include "posfunc/translator/translator.h"

namespace kbxfunc {

int setModuleCallback(InputState& input, Module module, KbxfuncCallback callback) {
    if (!input.open) return 1;
    input.moduleCallbacks[moduleIndex(module)] = callback;
    return 0;
}

int setCaptureCallback(InputState& input, KbxfuncCallback callback) {
    if (!input.open) return 1;
    input.captureCallback = callback;
    return 0;
}

char* moduleBuffer(InputState& input, Module module) { return input.moduleBuffers[moduleIndex(module)].data(); }

unsigned char moduleCharacter(const InputState& input, Module module, int position) {
    if (position < 0 || std::size_t(position) >= kBufferSize) return 0;
    return static_cast<unsigned char>(input.moduleBuffers[moduleIndex(module)][std::size_t(position)]);
}

unsigned char* captureBuffer(InputState& input) { return input.capture.buffer.data(); }

int setLanguage(InputState& input, int language) {
    // Negative numbers are refused too: the tables have no row for them.
    if (language < 0 || language >= kLanguageCount) return 1;
    input.language = language;
    return 0;
}

}  // namespace kbxfunc
