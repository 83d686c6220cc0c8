#pragma once

// A path in the file system that one simulated keyboard serves: the link to
// its line or its keyboard channel's socket. A second simulator must not take
// over a path that a live one serves, and a simulator removes at its end only
// what is still its own.

#include <sys/types.h>
#include <sys/un.h>

#include <filesystem>
#include <optional>

#include "tools/kbxsim/transports/unique_descriptor.h"

namespace kbxsim {

// Why a path is refused: a live simulator serves it.
inline constexpr char kServedByAnother[] = "another kbxsim serves this path";

// Which file a path names: its device and inode, not followed when a link.
struct FileIdentity {
    dev_t device = 0;
    ino_t inode = 0;
    bool operator==(const FileIdentity&) const = default;
};

std::optional<FileIdentity> identityOf(const std::filesystem::path& path);

// Removes `path` when it still names the file `identity` says.
void removeIfStill(const std::filesystem::path& path, const std::optional<FileIdentity>& identity);

// The address of the Unix socket at `path`; nothing when the path is empty
// or too long for an address.
std::optional<sockaddr_un> socketAddressOf(const std::filesystem::path& path);

// Whether a listener answers at the Unix socket `path`: a live simulator's
// channel. A socket file left by one that ended refuses the connection.
bool socketAnswers(const std::filesystem::path& path);

// An exclusive lock (flock) on the file PATH.lock beside `path`, held while
// the simulator lives; the kernel lets it go when the process ends, however
// it ends. The lock file goes with its owner.
class PathLock {
public:
    // Throws std::runtime_error when another simulator holds the path, or the
    // lock file cannot be made.
    explicit PathLock(const std::filesystem::path& path);
    ~PathLock();
    PathLock(const PathLock&) = delete;
    PathLock& operator=(const PathLock&) = delete;

    static std::filesystem::path lockPathOf(const std::filesystem::path& path);

private:
    std::filesystem::path lockPath_;
    UniqueDescriptor file_;
    std::optional<FileIdentity> identity_;
};

}  // namespace kbxsim
