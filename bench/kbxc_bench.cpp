// How long kbxc takes for a source of 100,000 lines, as a ratio to the floor
// that its two passes over the file set: reading the same file twice line by
// line into a 200-byte buffer. Both are measured in the same run; the ratio
// is printed at the end.
#include <benchmark/benchmark.h>
#include <stdlib.h>

#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <functional>
#include <map>
#include <stdexcept>
#include <string>
#include <system_error>
#include <vector>

#include "bench/synthetic_layout.h"
#include "bench/timing_reporter.h"
#include "compiler/include/kbxc32.h"

namespace {

constexpr std::size_t kSourceLines = 100'000;
constexpr int kLineBufferSize = 200;  // the compiler's line buffer
constexpr int kPasses = 2;
constexpr char kReadName[] = "TwoPassRead";
constexpr char kCompileName[] = "Kbxc";

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
    std::size_t size() const { return size_; }

private:
    std::filesystem::path folder_;
    std::size_t size_ = 0;
};

void KBX_CALL ignoreProgress(int) {}

std::size_t readLines(const std::string& path) {
    std::FILE* in = std::fopen(path.c_str(), "r");
    if (in == nullptr) return 0;
    char buffer[kLineBufferSize];
    std::size_t lines = 0;
    while (std::fgets(buffer, sizeof buffer, in) != nullptr) ++lines;
    std::fclose(in);
    return lines;
}

void twoPassRead(benchmark::State& state, const BenchFiles& files) {
    for (auto _ : state) {
        for (int pass = 0; pass < kPasses; ++pass) benchmark::DoNotOptimize(readLines(files.source()));
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
        const std::optional<double> read = seconds(kReadName);
        const std::optional<double> compiled = seconds(kCompileName);
        if (!read || !compiled || *read <= 0) {
            std::printf("kbxc / two-pass read: not measured\n");
            return;
        }
        std::printf("kbxc / two-pass read: %.2f (kbxc %.2f ms, reading twice %.2f ms, %zu lines)\n",
                    *compiled / *read, *compiled * 1e3, *read * 1e3, kSourceLines);
    }
};

}  // namespace

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;

    const BenchFiles files;
    benchmark::RegisterBenchmark(kReadName, twoPassRead, std::cref(files))->Unit(benchmark::kMillisecond);
    benchmark::RegisterBenchmark(kCompileName, compile, std::cref(files))->Unit(benchmark::kMillisecond);

    RatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    reporter.printRatio();
    benchmark::Shutdown();
    return 0;
}
