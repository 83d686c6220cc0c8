#include "platform/input_file.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace kbx {
namespace {

constexpr char kNotARegularFile[] = "not a regular file";
constexpr char kLargerThan[] = "larger than ";
constexpr char kBytes[] = " bytes";
constexpr char kCannotRead[] = "cannot read: ";
constexpr std::size_t kReadBlock = 64 * 1024;

InputFailure failed(InputProblem problem, int systemError = 0, std::size_t bound = 0) {
    return InputFailure{problem, systemError, bound};
}

}  // namespace

std::string describe(const InputFailure& failure) {
    switch (failure.problem) {
        case InputProblem::none: return {};
        case InputProblem::cannotOpen: return std::strerror(failure.systemError);
        case InputProblem::notARegularFile: return kNotARegularFile;
        case InputProblem::tooLarge: return kLargerThan + std::to_string(failure.bound) + kBytes;
        case InputProblem::cannotRead: return kCannotRead + std::string(std::strerror(failure.systemError));
    }
    return {};
}

OpenedInput openRegularFile(const std::string& path, std::size_t largest) {
    OpenedInput opened;
    // Without O_NONBLOCK the open of a FIFO waits for a writer, and that of a
    // serial line for its carrier.
    opened.file = platform::UniqueFd(::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY));
    if (!opened.file.isOpen()) {
        opened.failure = failed(InputProblem::cannotOpen, errno);
        return opened;
    }
    struct stat status {};
    if (::fstat(opened.file.get(), &status) != 0) {
        opened.failure = failed(InputProblem::cannotOpen, errno);
    } else if (!S_ISREG(status.st_mode)) {
        opened.failure = failed(InputProblem::notARegularFile, S_ISDIR(status.st_mode) ? EISDIR : 0);
    } else if (std::uintmax_t(status.st_size) > largest) {
        opened.failure = failed(InputProblem::tooLarge, 0, largest);
    } else {
        const int flags = ::fcntl(opened.file.get(), F_GETFL);
        if (flags < 0 || ::fcntl(opened.file.get(), F_SETFL, flags & ~O_NONBLOCK) != 0)
            opened.failure = failed(InputProblem::cannotOpen, errno);
    }
    if (opened.failure) opened.file.reset();
    return opened;
}

long long readUpTo(int descriptor, unsigned char* buffer, std::size_t size) {
    std::size_t done = 0;
    while (done < size) {
        const ssize_t got = ::read(descriptor, buffer + done, size - done);
        if (got < 0 && errno == EINTR) continue;
        if (got < 0) return -1;
        if (got == 0) break;
        done += std::size_t(got);
    }
    return static_cast<long long>(done);
}

InputBytes readRegularFile(const std::string& path, std::size_t largest) {
    InputBytes result;
    const OpenedInput opened = openRegularFile(path, largest);
    if (opened.failure) {
        result.failure = opened.failure;
        return result;
    }
    // Files of the proc file system tell no size, so the size from fstat is
    // only a start: the end of the file decides.
    std::string& bytes = result.bytes;
    while (true) {
        const std::size_t start = bytes.size();
        // One byte beyond the bound tells a file that grew past it.
        const std::size_t block = std::min(kReadBlock, largest + 1 - start);
        bytes.resize(start + block);
        const long long got = readUpTo(opened.file.get(), reinterpret_cast<unsigned char*>(bytes.data() + start), block);
        if (got < 0) {
            result = InputBytes{{}, failed(InputProblem::cannotRead, errno)};
            return result;
        }
        bytes.resize(start + std::size_t(got));
        if (bytes.size() > largest) {
            result = InputBytes{{}, failed(InputProblem::tooLarge, 0, largest)};
            return result;
        }
        if (std::size_t(got) < block) return result;
    }
}

}  // namespace kbx
