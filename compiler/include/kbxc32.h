/* Layout compiler: turns a layout source (.kbf) into a keyboard image (.kbx). */
#ifndef KBXC32_H
#define KBXC32_H

#ifndef KBX_CALL
#if defined(_WIN32) && !defined(_WIN64)
#define KBX_CALL __stdcall
#else
#define KBX_CALL
#endif
#endif

#if defined(KBX_BUILDING_LIBRARY)
#define KBXC_EXPORT __attribute__((visibility("default")))
#else
#define KBXC_EXPORT
#endif

#ifdef __cplusplus
extern "C" {
#endif

/* Receives the progress of a compilation as a percentage, 0-100. */
typedef void(KBX_CALL* KbxcProgress)(int percent);

/* Result codes of kbxc. */
enum {
    KBXC_OK = 0,
    KBXC_FAILED = -1,      /* compilation or image writing failed; see the log */
    KBXC_NO_SOURCE = -2,   /* no source file name */
    KBXC_NO_LOG = -3       /* the log file cannot be opened or written; errno says why */
};

/* Compiles `source` (".kbf" added when it has no extension) into `output`
 * (derived from the source when null or without file name) and writes the
 * log to `log` ("kbxc.out" in the current directory when null). Any of the
 * paths and the callback may be null. */
KBXC_EXPORT int KBX_CALL kbxc(const char* source, const char* output, const char* log,
                             KbxcProgress progress);

#ifdef __cplusplus
}
#endif

#endif
