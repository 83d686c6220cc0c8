#pragma once

// What applications read and register: the module buffers, their bytes,
// the callbacks, the capture buffer and the language.

#include "posfunc/input/input_state.h"

namespace kbxfunc {

// Callback setters: 1 and nothing stored while the library is not open.
int setModuleCallback(InputState& input, Module module, KbxfuncCallback callback);
int setCaptureCallback(InputState& input, KbxfuncCallback callback);

char* moduleBuffer(InputState& input, Module module);
// The byte at `position` of the module's buffer; 0 outside 0-511.
unsigned char moduleCharacter(const InputState& input, Module module, int position);

unsigned char* captureBuffer(InputState& input);

// 1 for a language outside 0-7 (unchanged), else 0.
int setLanguage(InputState& input, int language);

}  // namespace kbxfunc
