#pragma once

#include <span>
#include <string>

namespace kbx {

// Writes `contents` to a new file in the target's folder and renames it over
// the target, so that readers see the old file or the whole new one and an
// older file survives any failure.
//
// - A symbolic link is followed to its final target, which is written; the
//   link stays. A dangling link creates the file it names.
// - A file that is replaced keeps its mode and, where the process may give
//   them (EPERM from fchown is no failure), its owner and group. A new file
//   gets 0666 less the process's umask, applied by the kernel at creation.
// - A target that exists and is not a regular file is refused and left as it
//   is: errno EISDIR for a folder, EINVAL for a FIFO, device or socket.
// - The new file is unnamed (O_TMPFILE) until it is complete and synced; it
//   then gets the name ".<target name>.kbx-XXXXXX" for the rename (where the
//   file system cannot make unnamed files, it has that name from the start).
//   The writer holds a lock on its file until the file is in place; files of
//   the same target that no writer holds any longer (left by a killed one;
//   older than a minute where locks are not available) are removed first.
// - After the rename the file is closed and the folder synced. When either
//   fails the new file is in place but may not survive a power loss: the
//   result is false with that call's errno (a file system that cannot sync
//   folders, EINVAL, counts as success).
//
// False (with errno set) on failure; no temporary file is left then.
bool writeFileAtomically(const std::string& path, std::span<const unsigned char> contents);

}  // namespace kbx
