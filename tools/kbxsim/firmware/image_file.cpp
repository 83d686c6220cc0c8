#include "tools/kbxsim/firmware/image_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <span>

// An image file's layout is not the protocol under test, so unlike its
// protocol bytes the simulated keyboard takes it from format/.
#include "format/image_layout.h"
#include "tools/kbxsim/transports/unique_descriptor.h"

namespace kbxsim {
namespace {

constexpr std::string_view kCannotOpen = "cannot open the image: ";
constexpr std::string_view kCannotRead = "cannot read the image: ";
constexpr std::string_view kNoMagic = "not a keyboard image (no \"Vyrn\" at the start)";
constexpr std::string_view kTooLong = "longer than the keyboard memory (8192 bytes)";
constexpr std::string_view kCannotWrite = "cannot write the image: ";
constexpr std::string_view kTemporarySuffix = ".kbxsim-XXXXXX";
constexpr mode_t kImageFileMode = 0644;

std::string systemError(std::string_view what) { return std::string(what) + std::strerror(errno); }

// Writes all of `bytes` to `descriptor`; false with errno set on failure.
bool writeAll(int descriptor, const std::vector<std::uint8_t>& bytes) {
    std::size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t written = ::write(descriptor, bytes.data() + done, bytes.size() - done);
        if (written < 0 && errno == EINTR) continue;
        if (written <= 0) return false;
        done += static_cast<std::size_t>(written);
    }
    return true;
}

// A new, empty file beside `path` named `path` + kTemporarySuffix, opened for
// writing; its name is left in `name`. Negative with errno set on failure.
int createTemporaryBeside(const std::filesystem::path& path, std::string& name) {
    name = path.string() + std::string(kTemporarySuffix);
    return ::mkstemp(name.data());
}

}  // namespace

// Reads the file as it is, never a folder or a device whose reading fails.
std::string loadImage(const std::filesystem::path& path, KeyboardMemory& memory) {
    const UniqueDescriptor file(::open(path.c_str(), O_RDONLY | O_CLOEXEC));
    if (!file.valid()) return systemError(kCannotOpen);
    struct stat information {};
    if (::fstat(file.get(), &information) != 0) return systemError(kCannotOpen);
    if (S_ISDIR(information.st_mode)) {
        errno = EISDIR;
        return systemError(kCannotOpen);
    }
    // One byte more than fits, so that a longer file is noticed.
    std::vector<std::uint8_t> bytes(kMemorySize + 1);
    std::size_t length = 0;
    while (length < bytes.size()) {
        const ssize_t got = ::read(file.get(), bytes.data() + length, bytes.size() - length);
        if (got < 0 && errno == EINTR) continue;
        if (got < 0) return systemError(kCannotRead);
        if (got == 0) break;
        length += static_cast<std::size_t>(got);
    }
    bytes.resize(length);

    const std::string_view magic = kbx::image::kMagic;
    if (bytes.size() < magic.size() || !std::equal(magic.begin(), magic.end(), bytes.begin())) {
        return std::string(kNoMagic);
    }
    if (bytes.size() > kMemorySize) return std::string(kTooLong);
    memory.place(kFirstWritableAddress, std::span(bytes).subspan(kFirstWritableAddress));
    memory.updateChecksum();
    return {};
}

std::vector<std::uint8_t> savedImage(const KeyboardMemory& memory) {
    const std::string_view magic = kbx::image::kMagic;
    std::vector<std::uint8_t> bytes(magic.begin(), magic.end());
    const auto contents = memory.bytes();
    bytes.insert(bytes.end(), contents.begin() + kFirstWritableAddress, contents.begin() + memory.savedImageEnd());
    return bytes;
}

std::string checkImageCanBeSaved(const std::filesystem::path& path) {
    struct stat information {};
    if (::stat(path.c_str(), &information) == 0 && S_ISDIR(information.st_mode)) {
        errno = EISDIR;
        return systemError(kCannotWrite);
    }
    std::string temporary;
    const UniqueDescriptor probe(createTemporaryBeside(path, temporary));
    if (!probe.valid()) return systemError(kCannotWrite);
    ::unlink(temporary.c_str());
    return {};
}

std::string saveImage(const std::filesystem::path& path, const KeyboardMemory& memory) {
    std::string temporary;
    const int descriptor = createTemporaryBeside(path, temporary);
    if (descriptor < 0) return systemError(kCannotWrite);
    const bool written = ::fchmod(descriptor, kImageFileMode) == 0 && writeAll(descriptor, savedImage(memory));
    const int savedErrno = errno;
    const bool closed = ::close(descriptor) == 0;
    if (!written || !closed || ::rename(temporary.c_str(), path.c_str()) != 0) {
        if (!written) errno = savedErrno;
        const std::string message = systemError(kCannotWrite);
        ::unlink(temporary.c_str());
        return message;
    }
    return {};
}

}  // namespace kbxsim
