/* The one event loop of a process's thread, for applications that embed the
 * keyboard libraries: timers of the libraries, posted events and watched
 * descriptors all run when the application dispatches. */
#ifndef KBXPLATFORM_H
#define KBXPLATFORM_H

#if defined(KBX_BUILDING_PLATFORM)
#define KBXPLATFORM_EXPORT __attribute__((visibility("default")))
#else
#define KBXPLATFORM_EXPORT
#endif

#include <stddef.h>
#include <stdint.h>

#ifdef __cplusplus
extern "C" {
#endif

/* A descriptor that becomes readable when anything of the calling thread's
 * loop is due (a timer, a posted event, a watched descriptor); -1 on error.
 * Applications poll it, or watch it with their own toolkit. */
KBXPLATFORM_EXPORT int kbx_platform_fd(void);

/* Runs what is due on the calling thread's loop, waiting at most timeout_ms
 * (0: do not wait, negative: wait until something is due). The number of
 * handlers run, or -1 on error. */
KBXPLATFORM_EXPORT int kbx_platform_dispatch(int timeout_ms);

/* ---- for the system's libraries, not for applications ----
 * What every library of a process shares: the loops of its threads, the
 * notifier that stands for message boxes and the raw PS/2 ports. */

/* A handler of the calling thread's loop, called with its context and its
 * timer or watch identifier (0 for a posted event). When release is not null
 * the loop calls it once with the context when it drops the handler. Handlers
 * written in C++ may throw: the exception ends the dispatch and passes to
 * kbx_platform_dispatch_nested's caller. */
typedef void (*KbxPlatformHandler)(void* context, uintptr_t id);
typedef void (*KbxPlatformRelease)(void* context);

/* Starts a timer of `milliseconds`, or restarts `existing` with a new interval
 * and handler: its identifier (never 0), or 0 on error. */
KBXPLATFORM_EXPORT uintptr_t kbx_platform_set_timer(uintptr_t existing, unsigned milliseconds,
                                                    KbxPlatformHandler handler, void* context,
                                                    KbxPlatformRelease release);
/* 1 when the timer ran and is stopped now, 0 when there is no such timer. */
KBXPLATFORM_EXPORT int kbx_platform_kill_timer(uintptr_t id);
/* Runs the handler once at the next dispatch. */
KBXPLATFORM_EXPORT void kbx_platform_post(KbxPlatformHandler handler, void* context, KbxPlatformRelease release);
/* Runs the handler whenever fd is readable: a watch identifier (never 0), or
 * 0 when fd cannot be watched. */
KBXPLATFORM_EXPORT uintptr_t kbx_platform_watch(int fd, KbxPlatformHandler handler, void* context,
                                                KbxPlatformRelease release);
KBXPLATFORM_EXPORT void kbx_platform_unwatch(uintptr_t id);
/* As kbx_platform_dispatch, for the libraries' nested waits: an exception of
 * a handler passes on to the caller. */
KBXPLATFORM_EXPORT int kbx_platform_dispatch_nested(int timeout_ms);
/* Drops every timer, event and watch of the calling thread (tests). */
KBXPLATFORM_EXPORT void kbx_platform_reset_loop(void);

/* The buttons of a message and the answers of kbx_platform_notify. */
enum { KBX_PLATFORM_BUTTONS_OK = 0, KBX_PLATFORM_BUTTONS_OK_CANCEL = 1 };
enum { KBX_PLATFORM_ANSWER_OK = 0, KBX_PLATFORM_ANSWER_CANCEL = 1 };

/* Shows a message (single-byte Windows-1252 texts) with OK or OK and Cancel
 * through the installed notifier; the answer the person gave. */
KBXPLATFORM_EXPORT int kbx_platform_notify(const char* text, size_t text_length, const char* title,
                                           size_t title_length, int buttons);
/* Installs a notifier; a null `show` puts back the default one, which writes
 * "title: text" to standard error and answers OK. */
typedef int (*KbxPlatformShow)(void* context, const char* text, size_t text_length, const char* title,
                               size_t title_length, int buttons);
KBXPLATFORM_EXPORT void kbx_platform_set_notifier(KbxPlatformShow show, void* context);

/* The process's raw PS/2 port at a path, one per path however many libraries
 * open it; null with the path and the system's reason in `error` (cut to
 * error_size) when it cannot be opened. Each open is released once. */
typedef struct KbxPlatformSerioPort KbxPlatformSerioPort;
KBXPLATFORM_EXPORT KbxPlatformSerioPort* kbx_platform_serio_open(const char* path, char* error, size_t error_size);
/* A port over a descriptor of the caller's, which it takes (tests); null
 * when no wake descriptor can be made. */
KBXPLATFORM_EXPORT KbxPlatformSerioPort* kbx_platform_serio_over(int fd);
KBXPLATFORM_EXPORT void kbx_platform_serio_release(KbxPlatformSerioPort* port);
KBXPLATFORM_EXPORT int kbx_platform_serio_descriptor(KbxPlatformSerioPort* port);
/* Readable while bytes kept for the reader wait. */
KBXPLATFORM_EXPORT int kbx_platform_serio_wake_descriptor(KbxPlatformSerioPort* port);
/* Sends a byte and waits up to timeout_ms for the answer: 1 acknowledged. */
KBXPLATFORM_EXPORT int kbx_platform_serio_request(KbxPlatformSerioPort* port, unsigned char byte, int timeout_ms);
KBXPLATFORM_EXPORT void kbx_platform_serio_set_reader(KbxPlatformSerioPort* port, int reading);
/* Moves up to `capacity` of the bytes for the reader into `bytes`: the kept
 * ones first, then those waiting in the port. The number moved; fewer than
 * capacity when no more wait. */
KBXPLATFORM_EXPORT size_t kbx_platform_serio_take(KbxPlatformSerioPort* port, unsigned char* bytes, size_t capacity);
/* 1 when the port went away. */
KBXPLATFORM_EXPORT int kbx_platform_serio_gone(KbxPlatformSerioPort* port);

#ifdef __cplusplus
}
#endif

#endif
