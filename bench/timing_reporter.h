#pragma once

#include <benchmark/benchmark.h>

#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace kbxbench {

// The console report of a benchmark program, keeping the time per iteration
// of each benchmark in seconds (the mean when repetitions are asked for), so
// that the program can print its ratio at the end.
class TimingReporter : public benchmark::ConsoleReporter {
public:
    void ReportRuns(const std::vector<Run>& runs) override;
    // The seconds per iteration of a benchmark that ran without error.
    std::optional<double> seconds(std::string_view name) const;

private:
    std::map<std::string, double, std::less<>> seconds_;
};

}  // namespace kbxbench
