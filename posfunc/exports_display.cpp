// The C boundary of the customer display and its timer procedures.

#include "posfunc/display/customer_display.h"
#include "posfunc/display/display_update.h"
#include "kbxfunc.h"
#include "posfunc/state.h"

using kbxfunc::state;

extern "C" {

KBXFUNC_EXPORT int KBX_CALL kbx_display_open(void) { return kbxfunc::openDisplay(state()); }
KBXFUNC_EXPORT int KBX_CALL kbx_display_close(void) { return kbxfunc::closeDisplay(state()); }
KBXFUNC_EXPORT int KBX_CALL kbx_display(char* text, int row, int value) {
    return kbxfunc::displayText(state(), text, row, value);
}
KBXFUNC_EXPORT int KBX_CALL kbx_vba_display(int row, int value, char* text) {
    return kbxfunc::displayText(state(), text, row, value);
}
KBXFUNC_EXPORT int KBX_CALL kbx_display_data(const char* text) {
    return kbxfunc::sendRawDisplaySequence(state(), text);
}
KBXFUNC_EXPORT int KBX_CALL kbx_callback_displaycomplete(KbxfuncDisplayComplete callback) {
    return kbxfunc::setDisplayComplete(state(), callback);
}

KBXFUNC_EXPORT void KBX_CALL TimerProc(void* window, unsigned int message, uintptr_t id, uint32_t time) {
    kbxfunc::updateTimerProc(window, message, id, time);
}
KBXFUNC_EXPORT void KBX_CALL KeyTimerProc(void* window, unsigned int message, uintptr_t id, uint32_t time) {
    kbxfunc::keyTimerProc(window, message, id, time);
}
KBXFUNC_EXPORT void KBX_CALL RefreshTimerProc(void* window, unsigned int message, uintptr_t id, uint32_t time) {
    kbxfunc::refreshTimerProc(window, message, id, time);
}

}  // extern "C"
