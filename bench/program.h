// SPDX-License-Identifier: GPL-3.0-or-later
// Starts the program as a learner sees it, on a headless screen of the
// device size asked for ("--device WxH", 1920×1080 without it), runs the
// benchmarks registered in the file and prints their medians.
#pragma once

#include "median_table.h"
#include "screen.h"
#include "settle.h"

#include "shell/main_window.h"
#include "shell/startup.h"
#include "ui/application.h"
#include "ui/forms.h"

#include <QApplication>
#include <QDir>
#include <QStandardPaths>

namespace bench {

using testing::settle;

// An action timed in five runs of its own, reported by their median, in
// microseconds unless the registration says otherwise.
inline void fiveRuns(benchmark::internal::Benchmark* timed) {
    timed->Unit(benchmark::kMicrosecond)->Repetitions(5)->ReportAggregatesOnly();
}

// `what` heads the table: "action", "workshop action".
inline int runOnProgram(int argc, char** argv, const QString& what) {
    const QSize devicePixels = takeDeviceSize(argc, argv);
    useScreen(devicePixels);
    QApplication app(argc, argv);
    // Start from empty workshops: wirings kept by an earlier run stay out.
    QStandardPaths::setTestModeEnabled(true);
    QDir(QStandardPaths::writableLocation(QStandardPaths::AppDataLocation)).removeRecursively();
    ui::setUpApplication(app);
    shell::prepare();
    shell::MainWindow main;
    ui::forms::setHost(&main);
    main.resize(logicalSize(devicePixels));
    main.show();
    settle();
    benchmark::Initialize(&argc, argv);
    MedianTable table(what, devicePixels);
    benchmark::RunSpecifiedBenchmarks(&table);
    benchmark::Shutdown();
    ui::forms::reset();
    return 0;
}

} // namespace bench
