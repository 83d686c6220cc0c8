#pragma once

// Running the kbxlayout program of the build tree as a child process.

#include <filesystem>
#include <string>
#include <vector>

#include "tests/support/process.h"

namespace kbxlayout::testing {

inline std::filesystem::path programPath() { return std::filesystem::path(KBX_BIN_DIR) / "kbxlayout"; }

inline kbxtest::ProcessResult runKbxlayout(const std::vector<std::string>& arguments,
                                           const kbxtest::ProcessOptions& options = {}) {
    return kbxtest::runProgram(programPath(), arguments, options);
}

// The program with its standard output on /dev/full.
inline kbxtest::ProcessResult runKbxlayoutIntoAFullDevice(const std::vector<std::string>& arguments) {
    return kbxtest::runProgram(programPath(), arguments, kbxtest::withOutputTo("/dev/full"));
}

// The example layout of the source tree: a programmed Kesp with layers,
// captions and module keys.
inline std::filesystem::path exampleLayout() {
    return std::filesystem::path(KBX_SOURCE_DIR) / "data" / "examples" / "bakery.kbf";
}

}  // namespace kbxlayout::testing
