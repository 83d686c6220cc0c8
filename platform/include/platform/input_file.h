#pragma once

// Opening and reading the files the system takes in (layout sources, layout
// files, keyboard images) so that a name that leads elsewhere cannot hang or
// flood a program: the open does not wait (a FIFO without a writer would block
// it), the opened descriptor is checked to be a regular file (checking the
// path first would leave a window in which it could be swapped), and no more
// than a bound is read.

#include <cstddef>
#include <string>

#include "platform/unique_fd.h"

namespace kbx {

// Larger than any layout, source or image the system makes; a file beyond it
// is refused rather than read into memory.
inline constexpr std::size_t kLargestInputFile = 16 * 1024 * 1024;

enum class InputProblem {
    none,
    cannotOpen,       // the system's reason in `systemError`
    notARegularFile,  // a folder (`systemError` EISDIR), FIFO, device or socket
    tooLarge,         // more than the bound
    cannotRead,       // the system's reason in `systemError`
};

struct InputFailure {
    InputProblem problem = InputProblem::none;
    int systemError = 0;
    std::size_t bound = 0;  // for tooLarge

    explicit operator bool() const { return problem != InputProblem::none; }
};

// "No such file or directory", "not a regular file", "larger than 16777216
// bytes", "cannot read: Input/output error".
std::string describe(const InputFailure& failure);

struct OpenedInput {
    platform::UniqueFd file;  // open for blocking reads when no failure
    InputFailure failure;
};

// Opens `path` for reading when it is a regular file of at most `largest`
// bytes (symbolic links followed).
OpenedInput openRegularFile(const std::string& path, std::size_t largest = kLargestInputFile);

// Reads from `descriptor` until `size` bytes are in `buffer` or the file
// ends: the count read, or -1 with errno set.
long long readUpTo(int descriptor, unsigned char* buffer, std::size_t size);

struct InputBytes {
    std::string bytes;
    InputFailure failure;
};

// The whole of a regular file of at most `largest` bytes; a file that grows
// beyond it while it is read is refused too.
InputBytes readRegularFile(const std::string& path, std::size_t largest = kLargestInputFile);

}  // namespace kbx
