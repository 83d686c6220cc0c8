#include "tools/kbxdump/image_file.h"

#include <cerrno>
#include <cstring>
#include <limits>

#include "platform/input_file.h"

namespace kbxdump {
namespace {

constexpr char kCannotOpen[] = "cannot open";
constexpr char kCannotRead[] = "cannot read";

std::string withReason(const char* what, int error) { return std::string(what) + ": " + std::strerror(error); }

}  // namespace

FileContents readImageFile(const std::filesystem::path& path, std::size_t limit) {
    FileContents contents;
    // Any length is read only up to the limit, so that the reader can say how
    // a longer file differs from an image; what is no regular file (a FIFO,
    // /dev/zero) is refused before it is read.
    const kbx::OpenedInput opened = kbx::openRegularFile(path, std::numeric_limits<std::size_t>::max());
    if (opened.failure.problem == kbx::InputProblem::cannotOpen) {
        contents.error = withReason(kCannotOpen, opened.failure.systemError);
        return contents;
    }
    // A folder opens but cannot be read, as kbxdump has always said.
    if (opened.failure.systemError == EISDIR) {
        contents.error = withReason(kCannotRead, EISDIR);
        return contents;
    }
    if (opened.failure) {
        contents.error = std::string(kCannotOpen) + ": " + kbx::describe(opened.failure);
        return contents;
    }
    contents.bytes.resize(limit);
    const long long got = kbx::readUpTo(opened.file.get(), contents.bytes.data(), limit);
    if (got < 0) {
        contents.bytes.clear();
        contents.error = withReason(kCannotRead, errno);
        return contents;
    }
    contents.bytes.resize(std::size_t(got));
    return contents;
}

}  // namespace kbxdump
