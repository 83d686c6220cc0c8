// How long the editor's open and save of a fully programmed layout take, as
// a ratio to copying the same file line by line (fgets/fputs). The layout is
// a Tarn (21 x 7 keys) with a caption on every key and all 16 layers named
// and programmed with 178 characters on every key. Both are measured in the
// same run; the ratio is printed last.
#include <benchmark/benchmark.h>

#include <optional>

#include "bench/programmed_layout.h"
#include "bench/timing_reporter.h"
#include <stdlib.h>

#include <array>
#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <functional>
#include <map>
#include <memory>
#include <stdexcept>
#include <string>
#include <system_error>
#include <vector>

#include "editor/document/catalogue.h"
#include "editor/document/key_table.h"
#include "editor/document/layer_table.h"
#include "editor/persist/layout_reader.h"
#include "editor/persist/layout_writer.h"

namespace {

constexpr int kTarn = 14;
constexpr std::size_t kLineBufferSize = 1024;  // longer than any line the writer makes
constexpr char kCopyName[] = "LineCopy";
constexpr char kOpenSaveName[] = "OpenAndSave";
constexpr unsigned kAnyField = 2;

// One layout document with the default layer table.
struct BenchDocument {
    std::unique_ptr<kbxdoc::KeyboardData> keyboard = std::make_unique<kbxdoc::KeyboardData>();
    kbxdoc::SelectionFlags selection{};
    kbxdoc::LayerTable layers = kbxdoc::defaultLayerTable();
    kbxdoc::ActiveContext context;
    BenchDocument() {
        context.keyboard = keyboard.get();
        context.selection = &selection;
        context.layers = &layers;
        kbxdoc::resetKeyboardData(context);
    }
};

class BenchFiles {
public:
    BenchFiles() {
        std::string pattern = (std::filesystem::temp_directory_path() / "kbxdocbench-XXXXXX").string();
        if (mkdtemp(pattern.data()) == nullptr) throw std::system_error(errno, std::generic_category(), "mkdtemp");
        folder_ = pattern;
        BenchDocument document;
        kbxdoc::setModelAndLayOut(document.context, kTarn, true);
        kbxbench::nameEveryLayer(document.layers);
        kbxbench::programEveryKey(*document.keyboard, " ");
        if (!kbxdoc::saveLayout(document.context, source())) throw std::runtime_error("cannot write " + source());
        size_ = std::filesystem::file_size(source());
        // What is measured must be the whole layout: reading it back gives
        // all 16 layers and the same file.
        BenchDocument reread;
        if (!kbxdoc::loadLayout(reread.context, source()) || reread.layers != document.layers ||
            kbxdoc::persist::layoutText(reread.context) != kbxdoc::persist::layoutText(document.context))
            throw std::runtime_error("the layout does not read back as written: " + source());
    }
    ~BenchFiles() {
        std::error_code ignored;
        std::filesystem::remove_all(folder_, ignored);
    }
    BenchFiles(const BenchFiles&) = delete;
    BenchFiles& operator=(const BenchFiles&) = delete;

    std::string source() const { return (folder_ / "tarn.kbf").string(); }
    std::string saved() const { return (folder_ / "saved.kbf").string(); }
    std::string copied() const { return (folder_ / "copied.kbf").string(); }
    std::uintmax_t size() const { return size_; }

private:
    std::filesystem::path folder_;
    std::uintmax_t size_ = 0;
};

bool copyLines(const std::string& from, const std::string& to) {
    std::FILE* in = std::fopen(from.c_str(), "r");
    if (in == nullptr) return false;
    std::FILE* out = std::fopen(to.c_str(), "w");
    if (out == nullptr) {
        std::fclose(in);
        return false;
    }
    std::array<char, kLineBufferSize> line{};
    bool written = true;
    while (std::fgets(line.data(), int(line.size()), in) != nullptr) written &= std::fputs(line.data(), out) >= 0;
    std::fclose(in);
    return (std::fclose(out) == 0) && written;
}

void lineCopy(benchmark::State& state, const BenchFiles& files) {
    for (auto _ : state) {
        if (!copyLines(files.source(), files.copied())) {
            state.SkipWithError("cannot copy the layout");
            break;
        }
    }
    state.SetBytesProcessed(std::int64_t(state.iterations()) * std::int64_t(files.size()));
}

void openAndSave(benchmark::State& state, const BenchFiles& files) {
    BenchDocument document;
    for (auto _ : state) {
        if (!kbxdoc::loadLayout(document.context, files.source()) ||
            !kbxdoc::saveLayout(document.context, files.saved())) {
            state.SkipWithError("cannot open or save the layout");
            break;
        }
    }
    state.SetBytesProcessed(std::int64_t(state.iterations()) * std::int64_t(files.size()));
}

// The console report, and the ratio of the two benchmarks at its end.
class RatioReporter : public kbxbench::TimingReporter {
public:

    void printRatio(std::uintmax_t bytes) const {
        const std::optional<double> copy = seconds(kCopyName);
        const std::optional<double> openSave = seconds(kOpenSaveName);
        if (!copy || !openSave || *copy <= 0) {
            std::printf("open and save / line copy: not measured\n");
            return;
        }
        std::printf("open and save / line copy: %.2f (open and save %.3f ms, line copy %.3f ms, %ju bytes)\n",
                    *openSave / *copy, *openSave * 1e3, *copy * 1e3, bytes);
    }
};

}  // namespace

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;

    const BenchFiles files;
    benchmark::RegisterBenchmark(kCopyName, lineCopy, std::cref(files))->Unit(benchmark::kMillisecond);
    benchmark::RegisterBenchmark(kOpenSaveName, openAndSave, std::cref(files))->Unit(benchmark::kMillisecond);

    RatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    reporter.printRatio(files.size());
    benchmark::Shutdown();
    return 0;
}
