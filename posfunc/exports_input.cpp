// The C boundary of opening, binding, module input, raw capture and the
// language: each export translates its arguments and calls the library's
// C++ code.
#include "kbxfunc.h"
#include "posfunc/input/capture.h"
#include "posfunc/input/hook.h"
#include "posfunc/input/module_data.h"
#include "posfunc/input/opening.h"
#include "posfunc/state.h"

namespace {

using kbxfunc::Module;

kbxfunc::InputState& input() { return kbxfunc::state().input; }

}  // namespace

extern "C" {

KBXFUNC_EXPORT int KBX_CALL kbx_open(void) { return kbxfunc::openLibrary(kbxfunc::state()); }
KBXFUNC_EXPORT int KBX_CALL kbx_close(void) { return kbxfunc::closeLibrary(kbxfunc::state()); }
KBXFUNC_EXPORT int KBX_CALL load_kbxi32(void) { return kbxfunc::state().kbxi.load(); }
KBXFUNC_EXPORT void KBX_CALL unload_kbxi32(void) { kbxfunc::state().kbxi.unload(); }

KBXFUNC_EXPORT int KBX_CALL kbx_msr_callback_track1(KbxfuncCallback callback) {
    return kbxfunc::setModuleCallback(input(), Module::track1, callback);
}
KBXFUNC_EXPORT int KBX_CALL kbx_msr_callback_track2(KbxfuncCallback callback) {
    return kbxfunc::setModuleCallback(input(), Module::track2, callback);
}
KBXFUNC_EXPORT int KBX_CALL kbx_msr_callback_track3(KbxfuncCallback callback) {
    return kbxfunc::setModuleCallback(input(), Module::track3, callback);
}
KBXFUNC_EXPORT int KBX_CALL kbx_callback_barcode(KbxfuncCallback callback) {
    return kbxfunc::setModuleCallback(input(), Module::barcode, callback);
}
KBXFUNC_EXPORT int KBX_CALL kbx_callback_keylock(KbxfuncCallback callback) {
    return kbxfunc::setModuleCallback(input(), Module::keylock, callback);
}
KBXFUNC_EXPORT int KBX_CALL kbx_callback_functioncard(KbxfuncCallback callback) {
    return kbxfunc::setModuleCallback(input(), Module::functioncard, callback);
}
KBXFUNC_EXPORT int KBX_CALL kbx_callback_data_capture(KbxfuncCallback callback) {
    return kbxfunc::setCaptureCallback(input(), callback);
}

KBXFUNC_EXPORT char* KBX_CALL kbx_msr_get_track1(void) { return kbxfunc::moduleBuffer(input(), Module::track1); }
KBXFUNC_EXPORT char* KBX_CALL kbx_msr_get_track2(void) { return kbxfunc::moduleBuffer(input(), Module::track2); }
KBXFUNC_EXPORT char* KBX_CALL kbx_msr_get_track3(void) { return kbxfunc::moduleBuffer(input(), Module::track3); }
KBXFUNC_EXPORT char* KBX_CALL kbx_get_barcode(void) { return kbxfunc::moduleBuffer(input(), Module::barcode); }
KBXFUNC_EXPORT char* KBX_CALL kbx_get_keylock(void) { return kbxfunc::moduleBuffer(input(), Module::keylock); }
KBXFUNC_EXPORT char* KBX_CALL kbx_get_functioncard(void) {
    return kbxfunc::moduleBuffer(input(), Module::functioncard);
}

KBXFUNC_EXPORT unsigned char KBX_CALL kbx_get_char_track1(int position) {
    return kbxfunc::moduleCharacter(input(), Module::track1, position);
}
KBXFUNC_EXPORT unsigned char KBX_CALL kbx_get_char_track2(int position) {
    return kbxfunc::moduleCharacter(input(), Module::track2, position);
}
KBXFUNC_EXPORT unsigned char KBX_CALL kbx_get_char_track3(int position) {
    return kbxfunc::moduleCharacter(input(), Module::track3, position);
}
KBXFUNC_EXPORT unsigned char KBX_CALL kbx_get_char_barcode(int position) {
    return kbxfunc::moduleCharacter(input(), Module::barcode, position);
}
KBXFUNC_EXPORT unsigned char KBX_CALL kbx_get_char_keylock(int position) {
    return kbxfunc::moduleCharacter(input(), Module::keylock, position);
}
KBXFUNC_EXPORT unsigned char KBX_CALL kbx_get_char_functioncard(int position) {
    return kbxfunc::moduleCharacter(input(), Module::functioncard, position);
}

KBXFUNC_EXPORT int KBX_CALL kbx_capture_data(int count, int reserved, int timeout) {
    return kbxfunc::armCapture(input(), count, reserved, timeout);
}
KBXFUNC_EXPORT unsigned char* KBX_CALL kbx_get_data_capture(void) { return kbxfunc::captureBuffer(input()); }

KBXFUNC_EXPORT int KBX_CALL kbx_set_language(int language) { return kbxfunc::setLanguage(input(), language); }
KBXFUNC_EXPORT int KBX_CALL kbx_get_language(void) { return input().language; }

KBXFUNC_EXPORT intptr_t KBX_CALL KeybrdHook(int code, uintptr_t, intptr_t key_data) {
    return intptr_t(kbxfunc::hookProcedure(kbxfunc::state(), code, static_cast<std::uint32_t>(key_data)));
}

KBXFUNC_EXPORT void KBX_CALL CaptureTimerProc(void* window, unsigned int message, uintptr_t id, uint32_t time) {
    kbxfunc::captureTimerProc(window, message, id, time);
}

}  // extern "C"
