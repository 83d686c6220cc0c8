#pragma once

#include <cstddef>
#include <cstdint>
#include <utility>

#include "compiler/definition.h"

namespace kbxc {

// The bytes of one conversion: at most kMaxProgrammingBytes; what does not
// fit is dropped silently, and a zero byte (the string's terminator in the
// image) is never stored.
class OutputBuffer {
public:
    // Room for most definitions from the start, so that a conversion
    // seldom grows its buffer byte by byte.
    static constexpr std::size_t kTypicalBytes = 32;

    OutputBuffer() { bytes_.reserve(kTypicalBytes); }

    void append(std::uint8_t byte) {
        if (byte == 0) return;
        if (bytes_.size() >= kMaxProgrammingBytes) {
            truncated_ = true;
            return;
        }
        bytes_.push_back(byte);
    }
    void clear() {
        bytes_.clear();
        truncated_ = false;
    }
    const ProgrammingBytes& bytes() const { return bytes_; }
    ProgrammingBytes take() { return std::move(bytes_); }
    // Whether a byte was dropped for want of room.
    bool truncated() const { return truncated_; }

private:
    ProgrammingBytes bytes_;
    bool truncated_ = false;
};

}  // namespace kbxc
