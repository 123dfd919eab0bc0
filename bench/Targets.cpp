#include "Targets.h"

#include <cstdio>

namespace bench {

namespace {

double counter(const benchmark::BenchmarkReporter::Run& run, const char* name) {
    const auto c = run.counters.find(name);
    return c == run.counters.end() ? 0.0 : static_cast<double>(c->second.value);
}

}  // namespace

void TargetReporter::ReportRuns(const std::vector<Run>& runs) {
    ConsoleReporter::ReportRuns(runs);
    for (const Run& run : runs) {
        if (run.error_occurred) continue;
        const bool median = run.run_type == Run::RT_Aggregate && run.aggregate_name == "median";
        if (run.run_type == Run::RT_Aggregate && !median) continue;
        const std::string name = run.run_name.function_name;
        auto found = lines_.find(name);
        if (found == lines_.end()) {
            order_.push_back(name);
            found = lines_.emplace(name, Line{}).first;
        }
        Line& line = found->second;
        if (line.median && !median) continue;  // a median stands for its repetitions
        const double ms = run.GetAdjustedRealTime() * benchmark::GetTimeUnitMultiplier(benchmark::kMillisecond) /
                          benchmark::GetTimeUnitMultiplier(run.time_unit);
        line = Line{ms, counter(run, "target_ms"), counter(run, "rss_MB"), counter(run, "target_rss_MB"), median};
    }
}

void TargetReporter::Finalize() {
    ConsoleReporter::Finalize();
    std::printf("\n%-32s %10s %10s  %s\n", "benchmark", "ms", "target", "");
    for (const std::string& name : order_) {
        const Line& l = lines_[name];
        const char* verdict = l.targetMs <= 0 ? "" : l.ms <= l.targetMs ? "met" : "MISSED";
        char target[32] = "-";
        if (l.targetMs > 0) std::snprintf(target, sizeof target, "%.0f", l.targetMs);
        std::printf("%-32s %10.2f %10s  %s", name.c_str(), l.ms, target, verdict);
        if (l.rssMB > 0) std::printf("   resident %.1f MB", l.rssMB);
        if (l.targetRssMB > 0) std::printf(" (target %.0f MB: %s)", l.targetRssMB, l.rssMB <= l.targetRssMB ? "met" : "MISSED");
        std::printf("\n");
    }
    std::fflush(stdout);
}

}  // namespace bench
