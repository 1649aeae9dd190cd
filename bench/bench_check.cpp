// SPDX-License-Identifier: GPL-3.0-or-later
// `ampera --check` on a class's year of wiring files: 1,000 generated files
// (right, on the neutral, faulty, a few unreadable) checked by one
// run of the program, median of repeated runs; the median cost of one file
// read and checked inside the process; and one run on a single file, which
// is mostly the program's start.
//
//   bench_check [RUNS]
#include "circuit/checker.h"
#include "circuit/circuit_file.h"
#include "circuit/exercise.h"

#include "class_files.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QProcess>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <vector>

using namespace circuit;

namespace {

constexpr int Files = 1000;

double median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

// Wall time of one run of the program, in milliseconds.
double runProgram(const QStringList& arguments) {
    QProcess process;
    process.setStandardOutputFile(QProcess::nullDevice());
    QElapsedTimer timer;
    timer.start();
    process.start(QCoreApplication::applicationDirPath() + QStringLiteral("/ampera"), arguments);
    if (!process.waitForFinished(600000) || process.exitStatus() != QProcess::NormalExit ||
        process.exitCode() > 2)
        qFatal("ampera --check did not run as it should");
    return double(timer.nsecsElapsed()) / 1e6;
}

} // namespace

int main(int argc, char* argv[]) {
    QCoreApplication app(argc, argv);
    const int runs = argc > 1 ? std::max(1, atoi(argv[1])) : 7;
    QTemporaryDir folder;
    if (!folder.isValid())
        qFatal("no temporary folder");
    const QStringList files = testing::writeClassFiles(folder.path(), Files);

    std::vector<double> totals, single;
    for (int run = 0; run < runs; ++run) {
        totals.push_back(runProgram(QStringList{QStringLiteral("--check")} + files));
        single.push_back(runProgram({QStringLiteral("--check"), files[1]}));
    }

    // The same work inside one process, file by file.
    std::vector<double> perFile;
    int correct = 0;
    for (int run = 0; run < runs; ++run)
        for (const QString& path : files) {
            QElapsedTimer timer;
            timer.start();
            const std::optional<SavedWiring> saved = readWiringFile(path, nullptr);
            if (saved)
                correct += check(*saved->exercise, saved->wiring).verdict == Verdict::Correct;
            perFile.push_back(double(timer.nsecsElapsed()) / 1e3);
        }

    std::printf("ampera --check, %d generated files (%d correct), medians of %d runs\n", Files,
                correct / runs, runs);
    std::printf("all files in one run (ms)          %9.1f\n", median(totals));
    std::printf("  that run's time per file (ms)    %9.3f\n", median(totals) / Files);
    std::printf("one file read and checked (us)     %9.1f\n", median(perFile));
    std::printf("one run on a single file (ms)      %9.1f\n", median(single));
    return 0;
}
