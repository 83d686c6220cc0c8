#pragma once

#include <cstdint>
#include <utility>

#include "compiler/definition.h"

namespace kbxc {

// The bytes of one conversion: at most kMaxProgrammingBytes; what does not
// fit is dropped silently, and a zero byte (the string's terminator in the
// image) is never stored.
class OutputBuffer {
public:
    void append(std::uint8_t byte) {
        if (byte == 0 || bytes_.size() >= kMaxProgrammingBytes) return;
        bytes_.push_back(byte);
    }
    void clear() { bytes_.clear(); }
    const ProgrammingBytes& bytes() const { return bytes_; }
    ProgrammingBytes take() { return std::move(bytes_); }

private:
    ProgrammingBytes bytes_;
};

}  // namespace kbxc
