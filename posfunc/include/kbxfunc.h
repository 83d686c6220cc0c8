/* Point-of-sale function library: the data of the keyboard's modules
 * (magnetic stripe tracks, barcodes, key-lock positions, function-card
 * events) as it arrives, the modules' commands, the beeper, the reader LEDs,
 * raw bytes and strings to the keyboard, and the customer display.
 *
 * The keyboard sends module data as keystrokes framed by marker scan codes;
 * the library's keyboard hook takes them out of the input stream while it is
 * open (kbx_open), translates them with a national keyboard table and hands
 * each completed frame to the application through the module's buffer and
 * callback. Commands go to the keyboard through the keyboard interface
 * library, which this library loads at run time.
 *
 * Threads: the hook, the capture and key-delay timers and so the module
 * callbacks run on the thread that opened the library (kbx_open); the
 * display's update and refresh timers, and so the display-complete callback,
 * run on the thread that called kbx_display_open and the display commands.
 * Each runs from inside that thread's event loop (kbx_platform_fd and
 * kbx_platform_dispatch of kbxplatform.h); call the library from one thread.
 * Callbacks are called from inside the hook procedure or a timer procedure;
 * they must not close the library.
 *
 * This header and kbxi32.h both declare kbx_set_interface (with different
 * arguments); a translation unit includes one of them. */
#ifndef KBXFUNC_H
#define KBXFUNC_H

#include <stdint.h>

#ifndef KBX_CALL
#if defined(_WIN32) && !defined(_WIN64)
#define KBX_CALL __stdcall
#else
#define KBX_CALL
#endif
#endif

#if defined(KBX_BUILDING_LIBRARY)
#define KBXFUNC_EXPORT __attribute__((visibility("default")))
#else
#define KBXFUNC_EXPORT
#endif

/* Each module buffer and the capture buffer hold this many bytes. */
#define KBXFUNC_BUFFER_SIZE 512

#ifdef __cplusplus
extern "C" {
#endif

/* Receives the number of characters of a completed frame, or the number of
 * captured key codes (0 after the capture's time-out). */
typedef void(KBX_CALL* KbxfuncCallback)(int count);
/* Receives 1 when the customer display shows everything written to it. */
typedef int(KBX_CALL* KbxfuncDisplayComplete)(int complete);

/* ---- opening and binding: 0 success, 1 failure ---- */
KBXFUNC_EXPORT int KBX_CALL kbx_open(void);
KBXFUNC_EXPORT int KBX_CALL kbx_close(void);
/* 0, 99 when the interface library cannot be loaded, or 1-12: the first of
 * its entry points that is missing. */
KBXFUNC_EXPORT int KBX_CALL load_kbxi32(void);
KBXFUNC_EXPORT void KBX_CALL unload_kbxi32(void);

/* ---- module input: callbacks (1 while the library is not open) ---- */
KBXFUNC_EXPORT int KBX_CALL kbx_msr_callback_track1(KbxfuncCallback callback);
KBXFUNC_EXPORT int KBX_CALL kbx_msr_callback_track2(KbxfuncCallback callback);
KBXFUNC_EXPORT int KBX_CALL kbx_msr_callback_track3(KbxfuncCallback callback);
KBXFUNC_EXPORT int KBX_CALL kbx_callback_barcode(KbxfuncCallback callback);
KBXFUNC_EXPORT int KBX_CALL kbx_callback_keylock(KbxfuncCallback callback);
KBXFUNC_EXPORT int KBX_CALL kbx_callback_functioncard(KbxfuncCallback callback);
KBXFUNC_EXPORT int KBX_CALL kbx_callback_data_capture(KbxfuncCallback callback);

/* The module's buffer (KBXFUNC_BUFFER_SIZE bytes, NUL-terminated text). */
KBXFUNC_EXPORT char* KBX_CALL kbx_msr_get_track1(void);
KBXFUNC_EXPORT char* KBX_CALL kbx_msr_get_track2(void);
KBXFUNC_EXPORT char* KBX_CALL kbx_msr_get_track3(void);
KBXFUNC_EXPORT char* KBX_CALL kbx_get_barcode(void);
KBXFUNC_EXPORT char* KBX_CALL kbx_get_keylock(void);
KBXFUNC_EXPORT char* KBX_CALL kbx_get_functioncard(void);

/* One byte of the module's buffer; 0 outside positions 0-511. */
KBXFUNC_EXPORT unsigned char KBX_CALL kbx_get_char_track1(int position);
KBXFUNC_EXPORT unsigned char KBX_CALL kbx_get_char_track2(int position);
KBXFUNC_EXPORT unsigned char KBX_CALL kbx_get_char_track3(int position);
KBXFUNC_EXPORT unsigned char KBX_CALL kbx_get_char_barcode(int position);
KBXFUNC_EXPORT unsigned char KBX_CALL kbx_get_char_keylock(int position);
KBXFUNC_EXPORT unsigned char KBX_CALL kbx_get_char_functioncard(int position);

/* Raw capture of `count` key codes; the first wait lasts timeout x 10 ms,
 * each later one timeout ms (0: no time-out). Always 0. */
KBXFUNC_EXPORT int KBX_CALL kbx_capture_data(int count, int reserved, int timeout);
KBXFUNC_EXPORT unsigned char* KBX_CALL kbx_get_data_capture(void);

/* 0 US, 1 German, 2 French, 3 United Kingdom, 4 Swiss German, 5 Swiss
 * French, 6 Italian, 7 Spanish. Setting: 0, or 1 above 7. */
KBXFUNC_EXPORT int KBX_CALL kbx_set_language(int language);
KBXFUNC_EXPORT int KBX_CALL kbx_get_language(void);

/* ---- device commands: 0 success, 1 failure unless noted ---- */
KBXFUNC_EXPORT int KBX_CALL kbx_msr_autoinput_on(void);
KBXFUNC_EXPORT int KBX_CALL kbx_msr_autoinput_off(void);
KBXFUNC_EXPORT int KBX_CALL kbx_msr_read_data(void);
KBXFUNC_EXPORT int KBX_CALL kbx_msr_delete_data(void);
KBXFUNC_EXPORT int KBX_CALL kbx_msr_cancel_read(void);
KBXFUNC_EXPORT int KBX_CALL kbx_msr_set_tracks(unsigned char tracks);
KBXFUNC_EXPORT int KBX_CALL kbx_msr_set_leds(unsigned char state);
KBXFUNC_EXPORT int KBX_CALL kbx_fc_autoinput_on(void);
KBXFUNC_EXPORT int KBX_CALL kbx_fc_autoinput_off(void);
KBXFUNC_EXPORT int KBX_CALL kbx_fc_read_data(void);
KBXFUNC_EXPORT int KBX_CALL kbx_kl_autoinput_on(void);
KBXFUNC_EXPORT int KBX_CALL kbx_kl_autoinput_off(void);
KBXFUNC_EXPORT int KBX_CALL kbx_kl_read_data(void);
KBXFUNC_EXPORT int KBX_CALL kbx_bar_autoinput_on(void);
KBXFUNC_EXPORT int KBX_CALL kbx_bar_autoinput_off(void);
KBXFUNC_EXPORT int KBX_CALL kbx_bar_read_data(void);
KBXFUNC_EXPORT int KBX_CALL kbx_kvk_mode1(void);
KBXFUNC_EXPORT int KBX_CALL kbx_kvk_mode2(void);
KBXFUNC_EXPORT int KBX_CALL kbx_kvk_read_data(void);
KBXFUNC_EXPORT int KBX_CALL kbx_beep(void);
KBXFUNC_EXPORT int KBX_CALL kbx_fat_finger_on(void);
KBXFUNC_EXPORT int KBX_CALL kbx_fat_finger_off(void);
/* The failed byte's send result, else that of the closing 0x00. */
KBXFUNC_EXPORT unsigned char KBX_CALL kbx_barcode_config(const char* text);
KBXFUNC_EXPORT unsigned char KBX_CALL kbx_barcode_data(const char* text);
/* One byte through the interface library: its send result. */
KBXFUNC_EXPORT unsigned char KBX_CALL kbx_snd_data(unsigned char byte);
/* One byte straight to the keyboard, waiting for its answer. */
KBXFUNC_EXPORT int KBX_CALL sendbyte(unsigned char byte);
/* 1 when every byte was sent, 0 when the library gave up. */
KBXFUNC_EXPORT int KBX_CALL kbx_sendstring(const char* text);
/* "AUTO", "USB", "2000", "NT", "W95", "W98", "ME": the interface library's
 * result; 1 for any other text. */
KBXFUNC_EXPORT int KBX_CALL kbx_set_interface(const char* keyword);

/* ---- customer display: 0 success, 1 failure ---- */
KBXFUNC_EXPORT int KBX_CALL kbx_display_open(void);
KBXFUNC_EXPORT int KBX_CALL kbx_display_close(void);
/* Row 1..rows: writes text at column `value`. The display's character
 * conversion is made in place in the caller's buffer: each byte it changes
 * is rewritten there, so a text whose bytes it leaves alone (plain ASCII)
 * may be read-only, such as a string literal. Row 0 or above rows: text is
 * a command keyword. */
KBXFUNC_EXPORT int KBX_CALL kbx_display(char* text, int row, int value);
KBXFUNC_EXPORT int KBX_CALL kbx_vba_display(int row, int value, char* text);
KBXFUNC_EXPORT int KBX_CALL kbx_display_data(const char* text);
KBXFUNC_EXPORT int KBX_CALL kbx_callback_displaycomplete(KbxfuncDisplayComplete callback);

/* ---- for the system, not for applications ---- */
/* The keyboard hook procedure: 1 swallows the event, 0 lets it through. */
KBXFUNC_EXPORT intptr_t KBX_CALL KeybrdHook(int code, uintptr_t virtual_key, intptr_t key_data);
KBXFUNC_EXPORT void KBX_CALL TimerProc(void* window, unsigned int message, uintptr_t id, uint32_t time);
KBXFUNC_EXPORT void KBX_CALL KeyTimerProc(void* window, unsigned int message, uintptr_t id, uint32_t time);
KBXFUNC_EXPORT void KBX_CALL RefreshTimerProc(void* window, unsigned int message, uintptr_t id, uint32_t time);
KBXFUNC_EXPORT void KBX_CALL CaptureTimerProc(void* window, unsigned int message, uintptr_t id, uint32_t time);

#ifdef __cplusplus
}
#endif

#endif
