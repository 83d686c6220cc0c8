// The C boundary of the interface library: each export translates its
// arguments and calls the library's C++ code.
#include "iface/include/kbxi32.h"
#include "iface/session.h"
#include "iface/state.h"

namespace {

kbxi::MessageBuffer callersBuffer(char* message) { return kbxi::MessageBuffer(message, KBXI_MESSAGE_CAPACITY); }

}  // namespace

extern "C" {

KBXI_EXPORT int KBX_CALL kbx_download(const char* path, char* message, KbxiProgress progress) {
    return kbxi::refresh(kbxi::state(), path, callersBuffer(message), 0, 0, progress);
}

KBXI_EXPORT int KBX_CALL kbx_refresh(const char* path, char* message, int refresh_end, unsigned char fill_byte,
                                     KbxiProgress progress) {
    return kbxi::refresh(kbxi::state(), path, callersBuffer(message), refresh_end, fill_byte, progress);
}

KBXI_EXPORT int KBX_CALL kbx_upload(const char* path, char* message, KbxiProgress progress) {
    return kbxi::upload(kbxi::state(), path, callersBuffer(message), progress);
}

KBXI_EXPORT int KBX_CALL get_kbx_header(unsigned char* header, char* message) {
    return kbxi::readKeyboardHeader(kbxi::state(), header, callersBuffer(message));
}

KBXI_EXPORT int KBX_CALL kbx_snd_cmd(int* length, unsigned char* buffer, char* message) {
    return kbxi::sendCommandBytes(kbxi::state(), length, buffer, callersBuffer(message));
}

KBXI_EXPORT unsigned char KBX_CALL kbx_set_interface(unsigned char selector) {
    return kbxi::selectInterface(kbxi::state(), selector);
}

KBXI_EXPORT unsigned char KBX_CALL kbx_get_interface(void) { return kbxi::selectedInterface(kbxi::state()); }

KBXI_EXPORT unsigned char KBX_CALL kbx_chk_interface(void) { return kbxi::checkInterface(kbxi::state()); }

KBXI_EXPORT unsigned char KBX_CALL kbx_echo_check(void) { return kbxi::echoCheck(kbxi::state()); }

KBXI_EXPORT unsigned char KBX_CALL kbx_snd_interface(unsigned char byte) {
    return kbxi::sendInterfaceByte(kbxi::state(), byte);
}

KBXI_EXPORT unsigned char KBX_CALL kbx_snd_direct(unsigned char byte) {
    return kbxi::sendDirectByte(kbxi::state(), byte);
}

KBXI_EXPORT int KBX_CALL kbx_close_USB(void) { return kbxi::closeUsb(kbxi::state()); }

KBXI_EXPORT void KBX_CALL TimeoutTimerProc(void* window, unsigned int message, uintptr_t id, uint32_t time) {
    kbxi::timeoutTimerProc(window, message, id, time);
}

KBXI_EXPORT void KBX_CALL UploadTimerProc(void* window, unsigned int message, uintptr_t id, uint32_t time) {
    kbxi::uploadTimerProc(window, message, id, time);
}

}  // extern "C"
