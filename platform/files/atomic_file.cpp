#include "platform/atomic_file.h"

#include <atomic>
#include <cerrno>
#include <climits>
#include <cstdio>
#include <ctime>
#include <dirent.h>
#include <fcntl.h>
#include <optional>
#include <string_view>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include "platform/files/atomic_file_calls.h"

namespace kbx {
namespace files {

AtomicWriterCalls realAtomicWriterCalls() {
    return AtomicWriterCalls{
        [](int folder, const char* name, int flags, mode_t mode) { return ::openat(folder, name, flags, mode); },
        ::write,
        ::fsync,
        ::fchown,
        ::fchmod,
        ::linkat,
        ::renameat,
        ::close,
    };
}

AtomicWriterCalls atomicWriterCallsForTests = realAtomicWriterCalls();

}  // namespace files

namespace {

using files::AtomicWriterCalls;

// The kernel follows at most this many links in one path lookup; a longer
// chain is a loop for us as for it.
constexpr int kMostLinksFollowed = 40;
// Temporary names: ".<target name>.kbx-" and six letters or digits.
constexpr std::string_view kTemporaryMark = ".kbx-";
constexpr std::size_t kUniqueLetters = 6;
constexpr std::string_view kNameAlphabet = "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789";
constexpr int kMostNameAttempts = 100;
// Where files cannot be locked, a temporary file this much older than its
// last write belongs to a writer that was killed.
constexpr time_t kStaleAfterSeconds = 60;
constexpr mode_t kNewFileMode = 0666;  // less the umask, as the kernel applies it
constexpr mode_t kPermissionBits = 07777;
constexpr char kOwnDescriptors[] = "/proc/self/fd/";

std::string folderOf(const std::string& path) {
    const std::size_t slash = path.rfind('/');
    if (slash == std::string::npos) return ".";
    if (slash == 0) return "/";
    return path.substr(0, slash);
}

std::string nameOf(const std::string& path) {
    const std::size_t slash = path.rfind('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

// The file a chain of symbolic links ends at (the path itself when it is no
// link); a missing last link target is the file to create.
std::optional<std::string> finalTarget(std::string path) {
    for (int followed = 0; followed <= kMostLinksFollowed; ++followed) {
        struct stat status {};
        if (::lstat(path.c_str(), &status) != 0) {
            if (errno == ENOENT) return path;
            return std::nullopt;
        }
        if (!S_ISLNK(status.st_mode)) return path;
        char target[PATH_MAX];
        const ssize_t length = ::readlink(path.c_str(), target, sizeof target);
        if (length < 0) return std::nullopt;
        if (std::size_t(length) >= sizeof target) {
            errno = ENAMETOOLONG;
            return std::nullopt;
        }
        const std::string next(target, std::size_t(length));
        path = next.front() == '/' ? next : folderOf(path) + "/" + next;
    }
    errno = ELOOP;
    return std::nullopt;
}

// What a replaced file hands on to its successor.
struct Kept {
    bool exists = false;
    mode_t mode = 0;
    uid_t owner = 0;
    gid_t group = 0;
};

// The target as it is now; false (errno set) when it must not be replaced.
bool inspectTarget(const std::string& target, Kept& kept) {
    struct stat status {};
    if (::lstat(target.c_str(), &status) != 0) return errno == ENOENT;
    if (!S_ISREG(status.st_mode)) {
        errno = S_ISDIR(status.st_mode) ? EISDIR : EINVAL;
        return false;
    }
    kept = Kept{true, mode_t(status.st_mode & kPermissionBits), status.st_uid, status.st_gid};
    return true;
}

// ".<name>.kbx-": the name is shortened where the whole would be longer than
// a file name may be.
std::string temporaryPrefix(const std::string& name) {
    const std::size_t room = NAME_MAX - 1 - kTemporaryMark.size() - kUniqueLetters;
    return "." + name.substr(0, room) + std::string(kTemporaryMark);
}

bool isTemporaryOf(std::string_view entry, std::string_view prefix) {
    return entry.size() == prefix.size() + kUniqueLetters && entry.substr(0, prefix.size()) == prefix;
}

// Whether the writer that made a temporary file has gone: every writer holds
// a lock on its file until the file is in place, and the kernel releases the
// lock of a killed one. Where locks are not available, age tells.
bool writerHasGone(int folder, const char* name, const struct stat& status) {
    const int file = ::openat(folder, name, O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
    if (file < 0) return false;
    const int locked = ::flock(file, LOCK_EX | LOCK_NB);
    const bool lockUnavailable = locked != 0 && errno != EWOULDBLOCK;
    ::close(file);
    if (locked == 0) return true;
    return lockUnavailable && std::time(nullptr) - status.st_mtime > kStaleAfterSeconds;
}

// Removes what killed writers of the same target left in the folder.
void removeStaleTemporaries(int folder, const std::string& prefix) {
    const int listing = ::openat(folder, ".", O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (listing < 0) return;
    DIR* const entries = ::fdopendir(listing);
    if (entries == nullptr) {
        ::close(listing);
        return;
    }
    while (const dirent* entry = ::readdir(entries)) {
        if (!isTemporaryOf(entry->d_name, prefix)) continue;
        struct stat status {};
        if (::fstatat(folder, entry->d_name, &status, AT_SYMLINK_NOFOLLOW) != 0 || !S_ISREG(status.st_mode)) continue;
        if (writerHasGone(folder, entry->d_name, status)) ::unlinkat(folder, entry->d_name, 0);
    }
    ::closedir(entries);
}

std::string uniqueName(const std::string& prefix) {
    static std::atomic<unsigned long long> counter{0};
    timespec now {};
    ::clock_gettime(CLOCK_REALTIME, &now);
    unsigned long long mixed = (static_cast<unsigned long long>(now.tv_nsec) << 16) ^
                               static_cast<unsigned long long>(::getpid()) ^ (++counter * 0x9E3779B97F4A7C15ull);
    std::string name = prefix;
    for (std::size_t i = 0; i < kUniqueLetters; ++i) {
        name += kNameAlphabet[mixed % kNameAlphabet.size()];
        mixed /= kNameAlphabet.size();
    }
    return name;
}

bool writeAll(const AtomicWriterCalls& calls, int descriptor, std::span<const unsigned char> contents) {
    std::size_t done = 0;
    while (done < contents.size()) {
        const ssize_t written = calls.write(descriptor, contents.data() + done, contents.size() - done);
        if (written < 0) {
            if (errno == EINTR) continue;
            return false;
        }
        done += std::size_t(written);
    }
    return true;
}

// One replacement of a target: the open folder, the new file and its
// temporary name. Whatever is left when it goes is closed and removed, and
// errno stays as the failure set it.
class Replacement {
public:
    Replacement(const AtomicWriterCalls& calls, const std::string& target)
        : calls_(calls), name_(nameOf(target)), prefix_(temporaryPrefix(name_)) {
        const std::string folder = folderOf(target);
        folder_ = calls_.openat(AT_FDCWD, folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC, 0);
        // A folder that may be written but not read can still take the file;
        // it cannot be synced then.
        if (folder_ < 0 && errno == EACCES) {
            folder_ = calls_.openat(AT_FDCWD, folder.c_str(), O_PATH | O_DIRECTORY | O_CLOEXEC, 0);
            syncFolder_ = false;
        }
    }
    ~Replacement() {
        const int failure = errno;
        if (file_ >= 0) ::close(file_);
        if (!temporary_.empty()) ::unlinkat(folder_, temporary_.c_str(), 0);
        if (folder_ >= 0) ::close(folder_);
        errno = failure;
    }
    Replacement(const Replacement&) = delete;
    Replacement& operator=(const Replacement&) = delete;

    bool folderOpen() const { return folder_ >= 0; }

    // An unnamed file where the file system makes one, else a named one.
    // What killed writers left is removed first: a writer killed between
    // naming its file and the rename leaves the name, however it made it.
    bool create() {
        removeStaleTemporaries(folder_, prefix_);
        file_ = calls_.openat(folder_, ".", O_TMPFILE | O_WRONLY | O_CLOEXEC, kNewFileMode);
        if (file_ >= 0) {
            lock();
            return true;
        }
        if (errno != EOPNOTSUPP && errno != EISDIR && errno != EINVAL) return false;
        for (int attempt = 0; attempt < kMostNameAttempts; ++attempt) {
            const std::string name = uniqueName(prefix_);
            file_ = calls_.openat(folder_, name.c_str(), O_CREAT | O_EXCL | O_WRONLY | O_CLOEXEC, kNewFileMode);
            if (file_ >= 0) {
                temporary_ = name;
                lock();
                return true;
            }
            if (errno != EEXIST) return false;
        }
        return false;
    }

    // The lock tells other writers that this file is not a killed writer's
    // (see writerHasGone); a file system without locks leaves them the age.
    void lock() { ::flock(file_, LOCK_EX | LOCK_NB); }

    // Owner first: giving a file away clears its set-user and set-group bits.
    bool keep(const Kept& kept) {
        if (!kept.exists) return true;
        if (calls_.fchown(file_, kept.owner, kept.group) != 0 && errno != EPERM) return false;
        return calls_.fchmod(file_, kept.mode) == 0;
    }

    bool fill(std::span<const unsigned char> contents) {
        return writeAll(calls_, file_, contents) && calls_.fsync(file_) == 0;
    }

    // An unnamed file gets its temporary name only now that it is complete.
    bool name() {
        if (!temporary_.empty()) return true;
        const std::string own = kOwnDescriptors + std::to_string(file_);
        for (int attempt = 0; attempt < kMostNameAttempts; ++attempt) {
            const std::string name = uniqueName(prefix_);
            int linked = calls_.linkat(AT_FDCWD, own.c_str(), folder_, name.c_str(), AT_SYMLINK_FOLLOW);
            // Without the proc file system the descriptor itself is linked.
            if (linked != 0 && errno == ENOENT) linked = calls_.linkat(file_, "", folder_, name.c_str(), AT_EMPTY_PATH);
            if (linked == 0) {
                temporary_ = name;
                return true;
            }
            if (errno != EEXIST) return false;
        }
        return false;
    }

    // After the rename, so that the file is locked as long as it has its
    // temporary name.
    bool close() {
        const int descriptor = file_;
        file_ = -1;  // closed even when close reports a failure
        return calls_.close(descriptor) == 0;
    }

    bool moveIntoPlace() {
        if (calls_.renameat(folder_, temporary_.c_str(), folder_, name_.c_str()) != 0) return false;
        temporary_.clear();
        return true;
    }

    bool syncFolder() {
        if (!syncFolder_ || calls_.fsync(folder_) == 0) return true;
        return errno == EINVAL;
    }

private:
    const AtomicWriterCalls& calls_;
    std::string name_;
    std::string prefix_;
    int folder_ = -1;
    bool syncFolder_ = true;
    int file_ = -1;
    std::string temporary_;  // the new file's name while it has one
};

}  // namespace

bool writeFileAtomically(const std::string& path, std::span<const unsigned char> contents) {
    if (path.empty() || path.back() == '/') {
        errno = EISDIR;
        return false;
    }
    const std::optional<std::string> target = finalTarget(path);
    if (!target) return false;
    if (target->back() == '/') {
        errno = EISDIR;
        return false;
    }
    Kept kept;
    if (!inspectTarget(*target, kept)) return false;
    Replacement replacement(files::atomicWriterCallsForTests, *target);
    return replacement.folderOpen() && replacement.create() && replacement.keep(kept) && replacement.fill(contents) &&
           replacement.name() && replacement.moveIntoPlace() && replacement.close() && replacement.syncFolder();
}

}  // namespace kbx
