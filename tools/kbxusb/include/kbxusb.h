/* USB transport library: passes single protocol bytes to a USB keyboard,
 * tells whether it is reachable and releases it. C calling convention. */
#ifndef KBXUSB_H
#define KBXUSB_H

#if defined(KBX_BUILDING_LIBRARY)
#define KBXUSB_EXPORT __attribute__((visibility("default")))
#else
#define KBXUSB_EXPORT
#endif

#ifdef __cplusplus
extern "C" {
#endif

/* Sends the low 8 bits of byte: 0 when the keyboard accepted it, nonzero
 * otherwise. */
KBXUSB_EXPORT int snddata_USB(int byte);

/* 0 when the keyboard is reachable. */
KBXUSB_EXPORT int Check_USB(void);

/* Releases the keyboard. */
KBXUSB_EXPORT void Close_USB(void);

#ifdef __cplusplus
}
#endif

#endif
