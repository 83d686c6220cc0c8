// How long kbxc takes for a valid layout of 100,000 lines, as a ratio to the
// floor that its work sets: reading the same file twice line by line (its two
// passes) and writing an image of the same size durably (temporary file,
// fsync, rename). Both are measured in the same run; the ratio is printed at
// the end.
#include <benchmark/benchmark.h>
#include <stdlib.h>

#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <exception>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <optional>
#include <stdexcept>
#include <string>
#include <system_error>
#include <vector>

#include "bench/synthetic_layout.h"
#include "bench/timing_reporter.h"
#include "kbxc32.h"
#include "platform/atomic_file.h"

namespace {

constexpr std::size_t kSourceLines = 100'000;
constexpr int kLineBufferSize = 4096;  // as long as the longest line the compiler reads whole
constexpr int kPasses = 2;
constexpr char kFloorName[] = "ReadTwiceWriteImage";
constexpr char kCompileName[] = "Kbxc";
constexpr char kCompiled[] = "OK\n";

std::vector<unsigned char> fileBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void KBX_CALL ignoreProgress(int) {}

// The synthetic source, its image and log in a folder of their own.
class BenchFiles {
public:
    BenchFiles() {
        std::string pattern = (std::filesystem::temp_directory_path() / "kbxbench-XXXXXX").string();
        if (mkdtemp(pattern.data()) == nullptr) throw std::system_error(errno, std::generic_category(), "mkdtemp");
        folder_ = pattern;
        const std::string text = kbxbench::syntheticLayout(kSourceLines);
        std::FILE* out = std::fopen(source().c_str(), "wb");
        if (out == nullptr || std::fwrite(text.data(), 1, text.size(), out) != text.size())
            throw std::runtime_error("cannot write " + source());
        std::fclose(out);
        size_ = text.size();
        // What is measured must be a whole compilation: no error, an image.
        const int result = kbxc(source().c_str(), image().c_str(), log().c_str(), &ignoreProgress);
        const std::vector<unsigned char> logText = fileBytes(log());
        if (result != KBXC_OK || std::string(logText.begin(), logText.end()) != kCompiled ||
            !std::filesystem::exists(image()))
            throw std::runtime_error("the synthetic layout does not compile, see " + log());
        imageBytes_ = fileBytes(image());
    }
    ~BenchFiles() {
        std::error_code ignored;
        std::filesystem::remove_all(folder_, ignored);
    }
    BenchFiles(const BenchFiles&) = delete;
    BenchFiles& operator=(const BenchFiles&) = delete;

    std::string source() const { return (folder_ / "synthetic.kbf").string(); }
    std::string image() const { return (folder_ / "synthetic.kbx").string(); }
    std::string log() const { return (folder_ / "synthetic.TXT").string(); }
    std::string floorImage() const { return (folder_ / "floor.kbx").string(); }
    std::size_t size() const { return size_; }
    const std::vector<unsigned char>& imageBytes() const { return imageBytes_; }

private:
    std::filesystem::path folder_;
    std::size_t size_ = 0;
    std::vector<unsigned char> imageBytes_;
};

std::size_t readLines(const std::string& path) {
    std::FILE* in = std::fopen(path.c_str(), "r");
    if (in == nullptr) return 0;
    char buffer[kLineBufferSize];
    std::size_t lines = 0;
    while (std::fgets(buffer, sizeof buffer, in) != nullptr) ++lines;
    std::fclose(in);
    return lines;
}

void readTwiceWriteImage(benchmark::State& state, const BenchFiles& files) {
    for (auto _ : state) {
        for (int pass = 0; pass < kPasses; ++pass) benchmark::DoNotOptimize(readLines(files.source()));
        if (!kbx::writeFileAtomically(files.floorImage(), files.imageBytes())) {
            state.SkipWithError(("cannot write " + files.floorImage()).c_str());
            break;
        }
    }
    state.SetBytesProcessed(std::int64_t(state.iterations()) * kPasses * std::int64_t(files.size()));
}

void compile(benchmark::State& state, const BenchFiles& files) {
    for (auto _ : state) {
        const int result = kbxc(files.source().c_str(), files.image().c_str(), files.log().c_str(), &ignoreProgress);
        if (result != KBXC_OK) {
            state.SkipWithError(("kbxc failed, see " + files.log()).c_str());
            break;
        }
    }
    state.SetBytesProcessed(std::int64_t(state.iterations()) * kPasses * std::int64_t(files.size()));
}

// The console report, and the ratio of the two benchmarks at its end.
class RatioReporter : public kbxbench::TimingReporter {
public:
    void printRatio() const {
        const std::optional<double> floor = seconds(kFloorName);
        const std::optional<double> compiled = seconds(kCompileName);
        if (!floor || !compiled || *floor <= 0) {
            std::printf("kbxc / (read twice + write image): not measured\n");
            return;
        }
        std::printf("kbxc / (read twice + write image): %.2f (kbxc %.2f ms, floor %.2f ms, %zu lines)\n",
                    *compiled / *floor, *compiled * 1e3, *floor * 1e3, kSourceLines);
    }
};

void runBenchmarks() {
    const BenchFiles files;
    benchmark::RegisterBenchmark(kFloorName, readTwiceWriteImage, std::cref(files))->Unit(benchmark::kMillisecond);
    benchmark::RegisterBenchmark(kCompileName, compile, std::cref(files))->Unit(benchmark::kMillisecond);

    RatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    reporter.printRatio();
}

}  // namespace

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    try {
        runBenchmarks();
    } catch (const std::exception& failure) {
        std::fprintf(stderr, "kbxc_bench: %s\n", failure.what());
        return 1;
    }
    benchmark::Shutdown();
    return 0;
}
