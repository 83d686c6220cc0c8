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

#ifdef __cplusplus
}
#endif

#endif
