// A stand-in for the keyboard interface library that exports only the first
// FAKE_ENTRY_COUNT of the entry points the version query resolves, in the
// query's order, so that a test finds each one missing in turn. Built once
// per count; the entries answer as a library without a keyboard would.
#include "kbxi32.h"

#define FAKE_EXPORT extern "C" __attribute__((visibility("default")))

#if FAKE_ENTRY_COUNT >= 1
FAKE_EXPORT int KBX_CALL kbx_snd_cmd(int*, unsigned char*, char*) { return 1; }
#endif
#if FAKE_ENTRY_COUNT >= 2
FAKE_EXPORT int KBX_CALL get_kbx_header(unsigned char*, char*) { return 1; }
#endif
#if FAKE_ENTRY_COUNT >= 3
FAKE_EXPORT unsigned char KBX_CALL kbx_chk_interface(void) { return 1; }
#endif
#if FAKE_ENTRY_COUNT >= 4
FAKE_EXPORT unsigned char KBX_CALL kbx_set_interface(unsigned char) { return 0; }
#endif
#if FAKE_ENTRY_COUNT >= 5
FAKE_EXPORT int KBX_CALL kbx_close_USB(void) { return 0; }
#endif
