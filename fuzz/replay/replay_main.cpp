// Replays a fuzz target's function over every file of the folders it is
// given (its corpus and its regressions), built with the normal compiler and
// without the fuzzing engine. A crash or a sanitizer report fails the run;
// a missing folder counts as empty.

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <system_error>
#include <vector>

#include "fuzz/targets/fuzz_input.h"

namespace {

std::vector<std::filesystem::path> filesIn(const std::filesystem::path& folder) {
    std::vector<std::filesystem::path> files;
    std::error_code error;
    for (std::filesystem::directory_iterator it(folder, error), end; !error && it != end; it.increment(error)) {
        if (it->is_regular_file()) files.push_back(it->path());
    }
    std::sort(files.begin(), files.end());
    return files;
}

std::vector<std::uint8_t> contentsOf(const std::filesystem::path& file) {
    std::ifstream in(file, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

}  // namespace

int main(int argc, char** argv) {
    std::size_t replayed = 0;
    for (int folder = 1; folder < argc; ++folder) {
        for (const std::filesystem::path& file : filesIn(argv[folder])) {
            const std::vector<std::uint8_t> bytes = contentsOf(file);
            std::fprintf(stderr, "%s\n", file.c_str());
            LLVMFuzzerTestOneInput(bytes.data(), bytes.size());
            ++replayed;
        }
    }
    std::printf("%zu inputs replayed\n", replayed);
    return replayed > 0 ? 0 : 1;
}
