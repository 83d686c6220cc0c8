#include "platform/atomic_file.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace kbx {
namespace {

std::string folderOf(const std::string& path) {
    const std::size_t slash = path.rfind('/');
    if (slash == std::string::npos) return ".";
    if (slash == 0) return "/";
    return path.substr(0, slash);
}

bool writeAll(int descriptor, std::span<const unsigned char> contents) {
    std::size_t done = 0;
    while (done < contents.size()) {
        const ssize_t written = ::write(descriptor, contents.data() + done, contents.size() - done);
        if (written < 0) {
            if (errno == EINTR) continue;
            return false;
        }
        done += std::size_t(written);
    }
    return true;
}

}  // namespace

bool writeFileAtomically(const std::string& path, std::span<const unsigned char> contents) {
    if (path.empty() || path.back() == '/') {
        errno = EISDIR;
        return false;
    }
    std::string temporary = folderOf(path) + "/.kbx-XXXXXX";
    const int descriptor = ::mkstemp(temporary.data());
    if (descriptor < 0) return false;
    // A new file gets the permissions an ordinary creation would give it.
    const mode_t mask = ::umask(0);
    ::umask(mask);
    ::fchmod(descriptor, 0666 & ~mask);
    const bool written = writeAll(descriptor, contents) && ::fsync(descriptor) == 0;
    const int savedErrno = errno;
    const bool closed = ::close(descriptor) == 0;
    if (!written || !closed || ::rename(temporary.c_str(), path.c_str()) != 0) {
        const int failure = written && closed ? errno : savedErrno;
        ::unlink(temporary.c_str());
        errno = failure;
        return false;
    }
    return true;
}

}  // namespace kbx
