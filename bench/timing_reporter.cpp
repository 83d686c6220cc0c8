#include "bench/timing_reporter.h"

namespace kbxbench {

void TimingReporter::ReportRuns(const std::vector<Run>& runs) {
    for (const Run& run : runs) {
        if (run.error_occurred) continue;
        const bool mean = run.run_type == Run::RT_Aggregate && run.aggregate_name == "mean";
        if (run.run_type == Run::RT_Iteration || mean) {
            seconds_[run.run_name.function_name] =
                run.GetAdjustedRealTime() / benchmark::GetTimeUnitMultiplier(run.time_unit);
        }
    }
    ConsoleReporter::ReportRuns(runs);
}

std::optional<double> TimingReporter::seconds(std::string_view name) const {
    const auto found = seconds_.find(name);
    if (found == seconds_.end()) return std::nullopt;
    return found->second;
}

}  // namespace kbxbench
