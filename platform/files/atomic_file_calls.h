#pragma once

// The system calls through which the atomic writer changes the file system,
// gathered in one object so that a test can make each of them fail in turn
// and check that the old file survives and no temporary file stays behind.

#include <sys/types.h>

namespace kbx::files {

struct AtomicWriterCalls {
    int (*openat)(int folder, const char* name, int flags, mode_t mode);
    ssize_t (*write)(int descriptor, const void* bytes, size_t count);
    int (*fsync)(int descriptor);
    int (*fchown)(int descriptor, uid_t owner, gid_t group);
    int (*fchmod)(int descriptor, mode_t mode);
    int (*linkat)(int fromFolder, const char* from, int toFolder, const char* to, int flags);
    int (*renameat)(int fromFolder, const char* from, int toFolder, const char* to);
    int (*close)(int descriptor);
};

// The real calls.
AtomicWriterCalls realAtomicWriterCalls();

// The calls writeFileAtomically makes: the real ones, unless a test has put
// others in their place (and puts the real ones back when it ends).
extern AtomicWriterCalls atomicWriterCallsForTests;

}  // namespace kbx::files
