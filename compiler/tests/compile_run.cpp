#include "compiler/tests/compile_run.h"

#include <filesystem>
#include <sstream>

#include "compiler/driver.h"
#include "format/image_layout.h"

namespace kbxtest {
namespace {

std::vector<int>* progressSink = nullptr;

void recordProgress(int percent) {
    if (progressSink) progressSink->push_back(percent);
}

}  // namespace

std::vector<unsigned char> CompileRun::bytes(std::size_t offset, std::size_t count) const {
    if (offset >= image.size()) return {};
    const std::size_t end = std::min(image.size(), offset + count);
    return {image.begin() + std::ptrdiff_t(offset), image.begin() + std::ptrdiff_t(end)};
}

int CompileRun::slot(int keyIndex) const { return word(kbx::image::keySlotOffset(keyIndex)); }

std::vector<CompileRun::Record> CompileRun::records(int keyIndex) const {
    std::vector<Record> found;
    int offset = slot(keyIndex);
    while (offset >= 256 && std::size_t(offset) + 5 < image.size() && found.size() < 300) {
        Record record{byte(std::size_t(offset) + 2), byte(std::size_t(offset) + 3), byte(std::size_t(offset) + 4), {}};
        for (std::size_t i = std::size_t(offset) + 5; i < image.size() && image[i] != 0; ++i) {
            record.bytes.push_back(image[i]);
        }
        found.push_back(record);
        offset = word(std::size_t(offset));
    }
    return found;
}

std::vector<unsigned char> CompileRun::block(int number) const {
    int offset = word(kbx::image::kChainHeadOffset);
    for (int guard = 0; offset != 302 && offset > 0 && guard < 16; ++guard) {
        if (byte(std::size_t(offset) + 2) == number) {
            return bytes(std::size_t(offset) + 4, std::size_t(byte(std::size_t(offset) + 3)) + 1);
        }
        offset = word(std::size_t(offset));
    }
    return {};
}

CompileRun compile(const std::string& source) {
    TempDir folder;
    writeFile(folder / "layout.kbf", source);
    CompileRun run;
    progressSink = &run.progress;
    const std::string sourcePath = (folder / "layout.kbf").string();
    const std::string imagePath = (folder / "layout.kbx").string();
    const std::string logPath = (folder / "kbxc.log").string();
    run.result = kbxcCompileLayout(sourcePath.c_str(), imagePath.c_str(), logPath.c_str(), recordProgress);
    progressSink = nullptr;
    run.log = readFile(folder / "kbxc.log");
    run.imageWritten = std::filesystem::exists(folder / "layout.kbx");
    if (run.imageWritten) run.image = readBytes(folder / "layout.kbx");
    return run;
}

std::vector<std::string> errorLines(const std::string& log) {
    std::vector<std::string> lines;
    std::istringstream in(log);
    for (std::string line; std::getline(in, line);) {
        if (line.rfind("ERROR (line", 0) == 0) lines.push_back(line);
    }
    return lines;
}

}  // namespace kbxtest
