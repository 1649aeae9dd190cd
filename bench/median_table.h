// Prints one line per benchmark: the median of its repetitions, in
// milliseconds, with its counters.
#pragma once

#include <benchmark/benchmark.h>

#include <cstdio>

class MedianTable : public benchmark::BenchmarkReporter {
public:
    explicit MedianTable(const char* heading) : heading_(heading) {}
    bool ReportContext(const Context&) override {
        std::printf("%-34s %12s\n", heading_, "time");
        return true;
    }
    void ReportRuns(const std::vector<Run>& runs) override {
        for (const Run& run : runs) {
            if (run.aggregate_name != "median")
                continue;
            const double ms = run.GetAdjustedRealTime() /
                              (run.time_unit == benchmark::kMillisecond ? 1.0 : 1000.0);
            std::printf("%-34s %9.2f ms", run.run_name.function_name.c_str(), ms);
            for (const auto& [name, counter] : run.counters)
                std::printf("  %s %.2f", name.c_str(), counter.value);
            std::printf("\n");
        }
    }

private:
    const char* heading_;
};
