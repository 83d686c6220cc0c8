#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "tests/support/files.h"

namespace kbxtest {

// The outcome of compiling one source text with the compiler's entry point.
struct CompileRun {
    int result = 0;
    std::string log;
    bool imageWritten = false;
    std::vector<unsigned char> image;
    std::vector<int> progress;

    // The image byte at an offset, or -1 past its end.
    int byte(std::size_t offset) const { return offset < image.size() ? image[offset] : -1; }
    int word(std::size_t offset) const {
        return offset + 1 < image.size() ? image[offset] * 256 + image[offset + 1] : -1;
    }
    std::vector<unsigned char> bytes(std::size_t offset, std::size_t count) const;
    // The key slot of a key index.
    int slot(int keyIndex) const;
    // The definition records of a key index: state, mask, attributes, bytes.
    struct Record {
        int state, mask, attributes;
        std::vector<unsigned char> bytes;
        friend bool operator==(const Record&, const Record&) = default;
    };
    std::vector<Record> records(int keyIndex) const;
    // The data of parameter block `number`, empty when the chain has none.
    std::vector<unsigned char> block(int number) const;
};

// Compiles `source` (written as layout.kbf in a fresh folder) into
// layout.kbx with the log kbxc.log.
CompileRun compile(const std::string& source);

// The log lines that report errors ("ERROR (line N): text").
std::vector<std::string> errorLines(const std::string& log);

}  // namespace kbxtest
