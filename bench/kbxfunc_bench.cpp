// How long the point-of-sale library's keyboard hook takes per key event, as
// a ratio to a loop that only copies the events. One million events: half of
// them module frames (marker, 24 digit presses, marker), half ordinary
// letter presses that the hook lets through. Both are measured in the same
// run; the ratio and the hook's events per second are printed last.
#include <benchmark/benchmark.h>
#include <stdlib.h>

#include <cstdint>
#include <cstdio>
#include <optional>
#include <vector>

#include "bench/timing_reporter.h"
#include "platform/channel_protocol.h"
#include "platform/key_events.h"
#include "posfunc/input/hook.h"
#include "posfunc/input/module_data.h"
#include "posfunc/input/opening.h"
#include "posfunc/state.h"

namespace {

constexpr char kCopyName[] = "CopyEvents";
constexpr char kHookName[] = "HookProcedure";
constexpr std::size_t kEventCount = 1'000'000;
constexpr std::size_t kPressesPerFrame = 24;      // + 2 markers = 50 events
constexpr std::size_t kPressesPassedOn = 25;      // 50 events
constexpr std::uint8_t kTrack1Marker = 0x62;
constexpr std::uint8_t kFirstDigit = 0x02;        // keys 1 ... 0
constexpr std::uint8_t kDigitKeys = 10;
constexpr std::uint8_t kFirstLetter = 0x10;       // q w e r t y u i o p
constexpr std::uint8_t kLetterKeys = 10;

using kbx::platform::channel::keyData;

std::vector<std::uint32_t> keyStream() {
    std::vector<std::uint32_t> events;
    events.reserve(kEventCount);
    while (events.size() < kEventCount) {
        events.push_back(keyData(kTrack1Marker, false));
        for (std::size_t i = 0; i < kPressesPerFrame; ++i) {
            const auto digit = std::uint8_t(kFirstDigit + i % kDigitKeys);
            events.push_back(keyData(digit, false));
            events.push_back(keyData(digit, true));
        }
        events.push_back(keyData(kTrack1Marker, false));
        for (std::size_t i = 0; i < kPressesPassedOn; ++i) {
            const auto letter = std::uint8_t(kFirstLetter + i % kLetterKeys);
            events.push_back(keyData(letter, false));
            events.push_back(keyData(letter, true));
        }
    }
    events.resize(kEventCount);
    return events;
}

std::size_t& framesCompleted() {
    static std::size_t count = 0;
    return count;
}
void countFrame(int) { ++framesCompleted(); }

void copyEvents(benchmark::State& state, const std::vector<std::uint32_t>& events) {
    std::vector<std::uint32_t> copy(events.size());
    for (auto _ : state) {
        for (std::size_t i = 0; i < events.size(); ++i) copy[i] = events[i];
        benchmark::DoNotOptimize(copy.data());
        benchmark::ClobberMemory();
    }
    state.SetItemsProcessed(std::int64_t(state.iterations()) * std::int64_t(events.size()));
}

void hookProcedure(benchmark::State& state, const std::vector<std::uint32_t>& events) {
    kbxfunc::resetStateForTests();
    if (kbxfunc::openLibrary(kbxfunc::state()) != 0 ||
        kbxfunc::setModuleCallback(kbxfunc::state().input, kbxfunc::Module::track1, &countFrame) != 0) {
        state.SkipWithError("cannot open the library");
        return;
    }
    std::size_t swallowed = 0;
    for (auto _ : state) {
        for (std::uint32_t event : events)
            swallowed += kbxfunc::hookProcedure(kbxfunc::state(), 0, event) == kbxfunc::HookResult::swallowed;
        benchmark::DoNotOptimize(swallowed);
    }
    if (swallowed != std::size_t(state.iterations()) * events.size() / 2 || framesCompleted() == 0)
        state.SkipWithError("the hook did not swallow the frames only");
    state.SetItemsProcessed(std::int64_t(state.iterations()) * std::int64_t(events.size()));
    kbxfunc::closeLibrary(kbxfunc::state());
}

class RatioReporter : public kbxbench::TimingReporter {
public:
    void printRatio() const {
        const std::optional<double> copy = seconds(kCopyName);
        const std::optional<double> hook = seconds(kHookName);
        if (!copy || !hook || *copy <= 0 || *hook <= 0) {
            std::printf("hook / copy: not measured\n");
            return;
        }
        std::printf("hook / copy: %.1f (hook %.3f ms, copy %.3f ms per %zu events; hook %.1f million events/s)\n",
                    *hook / *copy, *hook * 1e3, *copy * 1e3, kEventCount, double(kEventCount) / *hook / 1e6);
    }
};

}  // namespace

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    // The hook is measured by itself, without a key event source.
    ::unsetenv(kbx::platform::kKeyEventsVariable);
    for (const char* name : kbx::platform::kSimulatedKeyboardVariables) ::unsetenv(name);

    const std::vector<std::uint32_t> events = keyStream();
    benchmark::RegisterBenchmark(kCopyName, copyEvents, std::cref(events))->Unit(benchmark::kMillisecond);
    benchmark::RegisterBenchmark(kHookName, hookProcedure, std::cref(events))->Unit(benchmark::kMillisecond);

    RatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    reporter.printRatio();
    benchmark::Shutdown();
    return 0;
}
