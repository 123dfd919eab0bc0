#pragma once
// The clerk's speed targets and a reporter that prints, after the usual output, one line per
// benchmark with its median (or mean, for a single run) against the target.

#include <benchmark/benchmark.h>

#include <map>
#include <string>
#include <vector>

namespace bench {

// A benchmark's target in milliseconds travels as the counter "target_ms" (none when 0);
// the start-up's memory target as "target_rss_MB" beside the measured "rss_MB".
class TargetReporter : public benchmark::ConsoleReporter {
public:
    void ReportRuns(const std::vector<Run>& runs) override;
    void Finalize() override;

private:
    struct Line {
        double ms = 0, targetMs = 0, rssMB = 0, targetRssMB = 0;
        bool median = false;
    };
    std::vector<std::string> order_;
    std::map<std::string, Line> lines_;
};

}  // namespace bench
