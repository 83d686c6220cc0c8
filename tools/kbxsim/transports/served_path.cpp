#include "tools/kbxsim/transports/served_path.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <stdexcept>
#include <string>

namespace kbxsim {
namespace {

constexpr char kLockSuffix[] = ".lock";
// A lock file removed by its owner between our open and our lock is opened
// again; more than a few rounds would mean something else is wrong.
constexpr int kLockAttempts = 8;
constexpr mode_t kLockFileMode = 0644;

[[noreturn]] void fail(const std::filesystem::path& path, std::string_view what, int error) {
    throw std::runtime_error(path.string() + ": " + std::string(what) + ": " + std::strerror(error));
}

std::optional<FileIdentity> identityOfDescriptor(int descriptor) {
    struct stat status {};
    if (::fstat(descriptor, &status) != 0) return std::nullopt;
    return FileIdentity{status.st_dev, status.st_ino};
}

}  // namespace

std::optional<FileIdentity> identityOf(const std::filesystem::path& path) {
    struct stat status {};
    if (::lstat(path.c_str(), &status) != 0) return std::nullopt;
    return FileIdentity{status.st_dev, status.st_ino};
}

void removeIfStill(const std::filesystem::path& path, const std::optional<FileIdentity>& identity) {
    if (identity && identityOf(path) == identity) ::unlink(path.c_str());
}

std::optional<sockaddr_un> socketAddressOf(const std::filesystem::path& path) {
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    const std::string text = path.string();
    if (text.empty() || text.size() >= sizeof address.sun_path) return std::nullopt;
    std::copy(text.begin(), text.end(), address.sun_path);
    return address;
}

bool socketAnswers(const std::filesystem::path& path) {
    const std::optional<sockaddr_un> address = socketAddressOf(path);
    if (!address) return false;
    const UniqueDescriptor probe(::socket(AF_UNIX, SOCK_SEQPACKET | SOCK_NONBLOCK | SOCK_CLOEXEC, 0));
    if (!probe.valid()) return false;
    if (::connect(probe.get(), reinterpret_cast<const sockaddr*>(&*address), sizeof *address) == 0) return true;
    // A listener whose queue is full answers later: it is alive all the same.
    return errno == EAGAIN || errno == EINPROGRESS;
}

std::filesystem::path PathLock::lockPathOf(const std::filesystem::path& path) {
    std::filesystem::path lock = path;
    lock += kLockSuffix;
    return lock;
}

PathLock::PathLock(const std::filesystem::path& path) : lockPath_(lockPathOf(path)) {
    for (int attempt = 0; attempt < kLockAttempts; ++attempt) {
        UniqueDescriptor file(::open(lockPath_.c_str(), O_RDWR | O_CREAT | O_NOFOLLOW | O_CLOEXEC, kLockFileMode));
        if (!file.valid()) fail(lockPath_, "cannot make the lock file", errno);
        if (::flock(file.get(), LOCK_EX | LOCK_NB) != 0) {
            if (errno == EWOULDBLOCK) throw std::runtime_error(path.string() + ": " + kServedByAnother);
            fail(lockPath_, "cannot lock", errno);
        }
        // Locked: it counts only if the file is still the one at the path.
        const auto identity = identityOfDescriptor(file.get());
        if (identity && identity == identityOf(lockPath_)) {
            file_ = std::move(file);
            identity_ = identity;
            return;
        }
    }
    fail(lockPath_, "cannot lock", EAGAIN);
}

// Removed while still locked, so that a simulator that opened it meanwhile
// finds its lock on a file that is no longer at the path and opens again.
PathLock::~PathLock() { removeIfStill(lockPath_, identity_); }

}  // namespace kbxsim
