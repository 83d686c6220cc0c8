// The C boundary of the interface library: each export translates its
// arguments and calls the library's C++ code.
#include "kbxi32.h"
#include "iface/session.h"
#include "iface/state.h"

namespace {

kbxi::MessageBuffer callersBuffer(char* message) { return kbxi::MessageBuffer(message, KBXI_MESSAGE_CAPACITY); }

kbxi::KeyboardDevice& keyboardDevice() { return kbxi::state().keyboardDevice; }

int deviceSwitch(kbxi::DeviceRequest request) { return keyboardDevice().switchRequest(request); }

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

KBXI_EXPORT int KBX_CALL vdd_translate_on(void) { return deviceSwitch(kbxi::DeviceRequest::translateOn); }

KBXI_EXPORT int KBX_CALL vdd_translate_off(void) { return deviceSwitch(kbxi::DeviceRequest::translateOff); }

KBXI_EXPORT int KBX_CALL vdd_kbd_capture(void) { return deviceSwitch(kbxi::DeviceRequest::capture); }

KBXI_EXPORT int KBX_CALL vdd_kbd_release(void) { return deviceSwitch(kbxi::DeviceRequest::release); }

KBXI_EXPORT int KBX_CALL vdd_kbd_clr(void) { return deviceSwitch(kbxi::DeviceRequest::clear); }

KBXI_EXPORT uint32_t KBX_CALL vdd_EF_available(void) { return keyboardDevice().replyAvailable(); }

KBXI_EXPORT unsigned char KBX_CALL vdd_EF_get(void) { return keyboardDevice().nextReply(); }

KBXI_EXPORT int KBX_CALL vdd_sendbyte(unsigned char byte) { return keyboardDevice().sendByte(byte); }

KBXI_EXPORT void KBX_CALL TimeoutTimerProc(void* window, unsigned int message, uintptr_t id, uint32_t time) {
    kbxi::timeoutTimerProc(window, message, id, time);
}

KBXI_EXPORT void KBX_CALL UploadTimerProc(void* window, unsigned int message, uintptr_t id, uint32_t time) {
    kbxi::uploadTimerProc(window, message, id, time);
}

}  // extern "C"
