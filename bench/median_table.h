// SPDX-License-Identifier: GPL-3.0-or-later
// Prints one line per benchmark: the median of its repetitions, wall time
// and processor time in milliseconds, with its counters, under a title that
// says what was measured, on how many device pixels and at what scaling.
#pragma once

#include "screen.h"

#include <QSize>
#include <QString>

#include <benchmark/benchmark.h>

#include <cstdio>

class MedianTable : public benchmark::BenchmarkReporter {
  public:
    MedianTable(QString what, QSize devicePixels) : what_(std::move(what)), pixels_(devicePixels) {}

    bool ReportContext(const Context&) override {
        const QString title = QStringLiteral("%1 at %2x%3 device px, %4 (median)")
                                  .arg(what_)
                                  .arg(pixels_.width())
                                  .arg(pixels_.height())
                                  .arg(bench::scaling());
        std::printf("%-46s %12s %12s\n", qPrintable(title), "time", "cpu");
        return true;
    }
    void ReportRuns(const std::vector<Run>& runs) override {
        for (const Run& run : runs) {
            if (run.aggregate_name != "median")
                continue;
            const double perMs = run.time_unit == benchmark::kMillisecond ? 1.0 : 1000.0;
            std::printf("%-46s %9.2f ms %9.2f ms", run.run_name.function_name.c_str(),
                        run.GetAdjustedRealTime() / perMs, run.GetAdjustedCPUTime() / perMs);
            for (const auto& [name, counter] : run.counters)
                std::printf("  %s %.2f", name.c_str(), counter.value);
            std::printf("\n");
        }
    }

  private:
    QString what_;
    QSize pixels_;
};
