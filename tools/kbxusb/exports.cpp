// The C boundary of the USB transport library.
#include "kbxusb.h"
#include "tools/kbxusb/usb_keyboard.h"

extern "C" {

KBXUSB_EXPORT int snddata_USB(int byte) { return kbxusb::usbKeyboard().send(std::uint8_t(byte & 0xFF)); }

KBXUSB_EXPORT int Check_USB(void) { return kbxusb::usbKeyboard().check(); }

KBXUSB_EXPORT void Close_USB(void) { kbxusb::usbKeyboard().close(); }

}  // extern "C"
