// The C boundary of the device commands.

#include "posfunc/commands/byte_transport.h"
#include "posfunc/commands/device_commands.h"
#include "posfunc/commands/direct_byte.h"
#include "posfunc/commands/interface_keyword.h"
#include "kbxfunc.h"
#include "posfunc/state.h"

using kbxfunc::deviceCommand;
using kbxfunc::runDeviceCommand;
using kbxfunc::state;

extern "C" {

KBXFUNC_EXPORT int KBX_CALL kbx_msr_autoinput_on(void) {
    return runDeviceCommand(state(), deviceCommand("kbx_msr_autoinput_on"));
}
KBXFUNC_EXPORT int KBX_CALL kbx_msr_autoinput_off(void) {
    return runDeviceCommand(state(), deviceCommand("kbx_msr_autoinput_off"));
}
KBXFUNC_EXPORT int KBX_CALL kbx_msr_read_data(void) {
    return runDeviceCommand(state(), deviceCommand("kbx_msr_read_data"));
}
KBXFUNC_EXPORT int KBX_CALL kbx_msr_delete_data(void) {
    return runDeviceCommand(state(), deviceCommand("kbx_msr_delete_data"));
}
KBXFUNC_EXPORT int KBX_CALL kbx_msr_cancel_read(void) {
    return runDeviceCommand(state(), deviceCommand("kbx_msr_cancel_read"));
}
KBXFUNC_EXPORT int KBX_CALL kbx_fc_autoinput_on(void) {
    return runDeviceCommand(state(), deviceCommand("kbx_fc_autoinput_on"));
}
KBXFUNC_EXPORT int KBX_CALL kbx_fc_autoinput_off(void) {
    return runDeviceCommand(state(), deviceCommand("kbx_fc_autoinput_off"));
}
KBXFUNC_EXPORT int KBX_CALL kbx_fc_read_data(void) {
    return runDeviceCommand(state(), deviceCommand("kbx_fc_read_data"));
}
KBXFUNC_EXPORT int KBX_CALL kbx_kl_autoinput_on(void) {
    return runDeviceCommand(state(), deviceCommand("kbx_kl_autoinput_on"));
}
KBXFUNC_EXPORT int KBX_CALL kbx_kl_autoinput_off(void) {
    return runDeviceCommand(state(), deviceCommand("kbx_kl_autoinput_off"));
}
KBXFUNC_EXPORT int KBX_CALL kbx_kl_read_data(void) {
    return runDeviceCommand(state(), deviceCommand("kbx_kl_read_data"));
}
KBXFUNC_EXPORT int KBX_CALL kbx_bar_autoinput_on(void) {
    return runDeviceCommand(state(), deviceCommand("kbx_bar_autoinput_on"));
}
KBXFUNC_EXPORT int KBX_CALL kbx_bar_autoinput_off(void) {
    return runDeviceCommand(state(), deviceCommand("kbx_bar_autoinput_off"));
}
KBXFUNC_EXPORT int KBX_CALL kbx_bar_read_data(void) {
    return runDeviceCommand(state(), deviceCommand("kbx_bar_read_data"));
}
KBXFUNC_EXPORT int KBX_CALL kbx_kvk_mode1(void) { return runDeviceCommand(state(), deviceCommand("kbx_kvk_mode1")); }
KBXFUNC_EXPORT int KBX_CALL kbx_kvk_mode2(void) { return runDeviceCommand(state(), deviceCommand("kbx_kvk_mode2")); }
KBXFUNC_EXPORT int KBX_CALL kbx_kvk_read_data(void) {
    return runDeviceCommand(state(), deviceCommand("kbx_kvk_read_data"));
}
KBXFUNC_EXPORT int KBX_CALL kbx_beep(void) { return runDeviceCommand(state(), deviceCommand("kbx_beep")); }
KBXFUNC_EXPORT int KBX_CALL kbx_fat_finger_on(void) {
    return runDeviceCommand(state(), deviceCommand("kbx_fat_finger_on"));
}
KBXFUNC_EXPORT int KBX_CALL kbx_fat_finger_off(void) {
    return runDeviceCommand(state(), deviceCommand("kbx_fat_finger_off"));
}

KBXFUNC_EXPORT int KBX_CALL kbx_msr_set_tracks(unsigned char tracks) {
    return kbxfunc::setReaderTracks(state(), tracks);
}
KBXFUNC_EXPORT int KBX_CALL kbx_msr_set_leds(unsigned char ledState) {
    return kbxfunc::setReaderLeds(state(), ledState);
}
KBXFUNC_EXPORT unsigned char KBX_CALL kbx_barcode_config(const char* text) {
    return kbxfunc::sendBarcodeConfig(state(), text);
}
KBXFUNC_EXPORT unsigned char KBX_CALL kbx_barcode_data(const char* text) {
    return kbxfunc::sendBarcodeData(state(), text);
}
KBXFUNC_EXPORT unsigned char KBX_CALL kbx_snd_data(unsigned char byte) {
    return static_cast<unsigned char>(kbxfunc::sendCommandByte(state(), byte));
}
KBXFUNC_EXPORT int KBX_CALL sendbyte(unsigned char byte) { return kbxfunc::sendDirectByte(state(), byte); }
KBXFUNC_EXPORT int KBX_CALL kbx_sendstring(const char* text) { return kbxfunc::sendDirectString(state(), text); }
KBXFUNC_EXPORT int KBX_CALL kbx_set_interface(const char* keyword) {
    return kbxfunc::setInterfaceByKeyword(state(), keyword);
}

}  // extern "C"
