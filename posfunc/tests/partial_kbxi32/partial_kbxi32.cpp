// An interface library with the twelve entry points the point-of-sale
// library takes, built once whole and once without each of three of them
// (KBX_MISSING names the one left out), so that tests see which code
// load_kbxi32 reports.
#include <cstdint>

#define KBX_ENTRY extern "C" __attribute__((visibility("default")))

#if KBX_MISSING != 1
KBX_ENTRY int vdd_sendbyte(unsigned char) { return 1; }
#endif
KBX_ENTRY int vdd_kbd_capture() { return 1; }
KBX_ENTRY std::uint32_t vdd_EF_available() { return 0; }
KBX_ENTRY int vdd_kbd_clr() { return 1; }
KBX_ENTRY int vdd_kbd_release() { return 1; }
KBX_ENTRY unsigned char vdd_EF_get() { return 0xFF; }
KBX_ENTRY int kbx_download(const char*, char*, void (*)(int)) { return 0; }
#if KBX_MISSING != 8
KBX_ENTRY int kbx_upload(const char*, char*, void (*)(int)) { return 0; }
#endif
KBX_ENTRY unsigned char kbx_set_interface(unsigned char) { return 0; }
KBX_ENTRY unsigned char kbx_get_interface() { return 0; }
KBX_ENTRY unsigned char kbx_chk_interface() { return 0; }
#if KBX_MISSING != 12
KBX_ENTRY unsigned char kbx_snd_interface(unsigned char) { return 0; }
#endif
