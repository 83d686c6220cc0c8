/* Keyboard interface library: downloads keyboard images into the keyboard's
 * memory, uploads the memory into image files, reads the image header and
 * sends command bytes, over the keyboard port, a serial port or USB.
 *
 * Every call that takes a message buffer uses it both ways: on entry it holds
 * the interface string ("AT", "USB", "COM1", "COM2:9600,O,8", optionally with
 * "CHECK"), on return the call's message. Buffers hold at least
 * KBXI_MESSAGE_CAPACITY bytes. */
#ifndef KBXI32_H
#define KBXI32_H

#include <stdint.h>

#ifndef KBX_CALL
#if defined(_WIN32) && !defined(_WIN64)
#define KBX_CALL __stdcall
#else
#define KBX_CALL
#endif
#endif

#if defined(KBX_BUILDING_LIBRARY)
#define KBXI_EXPORT __attribute__((visibility("default")))
#else
#define KBXI_EXPORT
#endif

#define KBXI_MESSAGE_CAPACITY 128
/* kbx_snd_cmd's byte buffer receives up to 256 reply bytes and a NUL. */
#define KBXI_COMMAND_CAPACITY 257
#define KBXI_HEADER_SIZE 8

#ifdef __cplusplus
extern "C" {
#endif

/* Receives a percentage, 0-100. */
typedef void(KBX_CALL* KbxiProgress)(int percent);

/* Writes the image file into the keyboard: the number of bytes sent, or
 * -1 no file, -5 transfer failed, -6 not an image, -7 file not found, or the
 * interface string's code (-10, -23 ... -31, -47). */
KBXI_EXPORT int KBX_CALL kbx_download(const char* path, char* message, KbxiProgress progress);

/* As kbx_download, and fills the keyboard memory from the image's end up to
 * refresh_end with fill_byte: the larger of image length and refresh end. */
KBXI_EXPORT int KBX_CALL kbx_refresh(const char* path, char* message, int refresh_end, unsigned char fill_byte,
                                     KbxiProgress progress);

/* Reads the keyboard memory into an image file: its length, 0 or a negative
 * code. */
KBXI_EXPORT int KBX_CALL kbx_upload(const char* path, char* message, KbxiProgress progress);

/* Reads the first KBXI_HEADER_SIZE bytes of the keyboard memory: 0 success,
 * 1 failure, or the interface string's negative code. */
KBXI_EXPORT int KBX_CALL get_kbx_header(unsigned char* header, char* message);

/* Sends *length bytes of buffer; on return *length and buffer hold the
 * reply (serial only, at most 256 bytes and a NUL). 0, the failed byte's
 * send result, or the interface string's negative code. */
KBXI_EXPORT int KBX_CALL kbx_snd_cmd(int* length, unsigned char* buffer, char* message);

/* Chooses the keyboard-port transport: 0 automatic, 1 direct port,
 * 2 keyboard device, 3 driver, 4 USB. 0 accepted, 1 unknown selector. */
KBXI_EXPORT unsigned char KBX_CALL kbx_set_interface(unsigned char selector);

/* The chosen keyboard-port transport 1-4, or 0. */
KBXI_EXPORT unsigned char KBX_CALL kbx_get_interface(void);

/* Link tests: 0 when the keyboard answers. */
KBXI_EXPORT unsigned char KBX_CALL kbx_chk_interface(void);
KBXI_EXPORT unsigned char KBX_CALL kbx_echo_check(void);

/* Sends one byte framed (as protocol bytes go) or raw: 0 when accepted. */
KBXI_EXPORT unsigned char KBX_CALL kbx_snd_interface(unsigned char byte);
KBXI_EXPORT unsigned char KBX_CALL kbx_snd_direct(unsigned char byte);

/* Releases the USB library; always 0. */
KBXI_EXPORT int KBX_CALL kbx_close_USB(void);

/* The keyboard device's requests, also used by the point-of-sale library.
 * The five switches return -1 when the device cannot be opened, else 1. */
KBXI_EXPORT int KBX_CALL vdd_translate_on(void);
KBXI_EXPORT int KBX_CALL vdd_translate_off(void);
KBXI_EXPORT int KBX_CALL vdd_kbd_capture(void);
KBXI_EXPORT int KBX_CALL vdd_kbd_release(void);
KBXI_EXPORT int KBX_CALL vdd_kbd_clr(void);
/* Nonzero when a reply byte of the keyboard waits (0 without the device). */
KBXI_EXPORT uint32_t KBX_CALL vdd_EF_available(void);
/* The next reply byte; 0xFF without the device. */
KBXI_EXPORT unsigned char KBX_CALL vdd_EF_get(void);
/* Sends one byte to the keyboard through the device. */
KBXI_EXPORT int KBX_CALL vdd_sendbyte(unsigned char byte);

/* Timer procedures of the library's waits: each stops the shared timer. */
KBXI_EXPORT void KBX_CALL TimeoutTimerProc(void* window, unsigned int message, uintptr_t id, uint32_t time);
KBXI_EXPORT void KBX_CALL UploadTimerProc(void* window, unsigned int message, uintptr_t id, uint32_t time);

#ifdef __cplusplus
}
#endif

#endif
