// The layout compiler over a whole source file. The compiler reads its
// source from a file, so each input is written to a scratch folder of this
// process and compiled there, image and log included.

#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <string>
#include <system_error>

#include "compiler/driver.h"
#include "fuzz/targets/fuzz_input.h"

namespace {

// The folder, made on first use and removed with everything in it when the
// process ends normally.
class ScratchFolder {
public:
    ScratchFolder()
        : path_(std::filesystem::temp_directory_path() / ("kbx-fuzz-compiler-" + std::to_string(::getpid()))) {
        std::filesystem::create_directories(path_);
    }
    ~ScratchFolder() {
        std::error_code ignored;
        std::filesystem::remove_all(path_, ignored);
    }
    ScratchFolder(const ScratchFolder&) = delete;
    ScratchFolder& operator=(const ScratchFolder&) = delete;
    const std::filesystem::path& path() const { return path_; }

private:
    std::filesystem::path path_;
};

const std::filesystem::path& scratchFolder() {
    static const ScratchFolder folder;
    return folder.path();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::filesystem::path source = scratchFolder() / "layout.kbf";
    const std::filesystem::path image = scratchFolder() / "layout.kbx";
    const std::filesystem::path log = scratchFolder() / "layout.TXT";
    std::FILE* file = std::fopen(source.c_str(), "wb");
    if (file == nullptr) return 0;
    if (size > 0) std::fwrite(data, 1, size, file);
    std::fclose(file);
    kbxcCompileLayout(source.c_str(), image.c_str(), log.c_str(), nullptr);
    return 0;
}
