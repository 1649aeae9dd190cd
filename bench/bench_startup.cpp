// SPDX-License-Identifier: GPL-3.0-or-later
// Start-up to the first painted frame, and peak memory at that moment, of
// Ampera beside an empty Qt main window built in the same tree, and the
// start-up beside a main window that shows some text; medians of repeated
// runs, each run a fresh process; on a screen of a given size in device
// pixels (1920×1080 unless "--device WxH" says otherwise) at the scaling
// QT_SCALE_FACTOR sets.
//
//   bench_startup [--device WxH] [RUNS]
#include "house/catalogue.h"
#include "shell/main_window.h"
#include "shell/startup.h"
#include "ui/application.h"
#include "ui/controls.h"
#include "ui/forms.h"

#include "house_fixture.h"
#include "screen.h"
#include "settle.h"

#include <QApplication>
#include <QLabel>
#include <QMainWindow>
#include <QMenuBar>
#include <QProcess>
#include <QTest>

#include <sys/resource.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <vector>

namespace {

qint64 nowNs() {
    return std::chrono::duration_cast<std::chrono::nanoseconds>(
               std::chrono::steady_clock::now().time_since_epoch())
        .count();
}

// Reports, on the first paint of `window`, the time since the parent
// started this process and the peak resident memory, then quits.
class FirstPaint : public QObject {
  public:
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::Paint && !done_) {
            done_ = true;
            QMetaObject::invokeMethod(
                qApp,
                [] {
                    rusage usage{};
                    getrusage(RUSAGE_SELF, &usage);
                    const qint64 began = qgetenv("BENCH_STARTED_NS").toLongLong();
                    std::printf("%lld %ld\n", static_cast<long long>(nowNs() - began),
                                usage.ru_maxrss);
                    std::fflush(stdout);
                    QCoreApplication::exit(0);
                },
                Qt::QueuedConnection);
        }
        return false;
    }

  private:
    bool done_ = false;
};

using testing::settle;

void clickEverySwitch(const QString& window) {
    ui::Form& room = ui::forms::get(window);
    room.setWindowState(ui::Form::WindowState::Maximized);
    settle();
    for (const char* name :
         {"CmdInterruptor", "CmdCommutador1", "CmdCreumement", "CmdCommutador2"}) {
        if (auto* button = room.find(QString::fromUtf8(name))) {
            QTest::mouseClick(button->inputWidget(), Qt::LeftButton, {}, button->centre());
            settle();
        }
    }
}

// Every room opened, lit and darkened, then every lamp lit so that the
// breaker trips, and re-armed; reports the peak resident memory.
int runTour(QApplication& app) {
    ui::setUpApplication(app);
    shell::prepare();
    shell::MainWindow mainWindow;
    ui::forms::setHost(&mainWindow);
    mainWindow.resize(QGuiApplication::primaryScreen()->size());
    mainWindow.show();
    ui::forms::get("frmPlanta").setWindowState(ui::Form::WindowState::Maximized);
    settle();
    for (int pass = 0; pass < 2; ++pass)
        for (const house::Room& room : house::rooms())
            clickEverySwitch(room.window);
    for (const house::Room& room : house::rooms()) {
        if (ui::forms::loaded(room.window)) {
            ui::Form& form = ui::forms::get(room.window);
            form.setWindowState(ui::Form::WindowState::Maximized);
            const ui::Control& button = form.button(testing::firstSwitch(form));
            if (!form.image(room.indicators.first()).visible())
                QTest::mouseClick(button.inputWidget(), Qt::LeftButton, {}, button.centre());
            settle();
        }
    }
    ui::Control& breaker = ui::forms::get("frmPlanta").pictureBox("PicMagneto", 0);
    QTest::mouseClick(breaker.inputWidget(), Qt::LeftButton, {}, breaker.centre());
    settle();
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    std::printf("0 %ld\n", usage.ru_maxrss);
    ui::forms::reset();
    return 0;
}

// The reference windows: an empty main window, which draws no text and so
// never reads the system's font configuration before its first frame, and
// one with a menu bar and a line of text, which does.
int runReference(QApplication& app, bool withText) {
    FirstPaint watcher;
    QMainWindow window;
    if (withText) {
        window.menuBar()->addMenu(QStringLiteral("&Portal"));
        window.setCentralWidget(new QLabel(QStringLiteral("Ampera")));
    }
    window.installEventFilter(&watcher);
    window.showMaximized();
    return app.exec();
}

int runChild(QApplication& app) {
    FirstPaint watcher;
    ui::setUpApplication(app);
    shell::prepare();
    shell::MainWindow mainWindow;
    mainWindow.installEventFilter(&watcher);
    ui::forms::setHost(&mainWindow);
    shell::showFirstWindow();
    const int result = app.exec();
    ui::forms::reset();
    return result;
}

struct Sample {
    double ms;
    double mb;
};

Sample runOnce(const QString& mode) {
    QProcess child;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("BENCH_STARTED_NS", QString::number(nowNs()));
    child.setProcessEnvironment(env);
    child.start(QCoreApplication::applicationFilePath(), {mode});
    child.waitForFinished(60000);
    const QList<QByteArray> fields = child.readAllStandardOutput().trimmed().split(' ');
    if (fields.size() != 2)
        qFatal("The %s run reported nothing", qPrintable(mode));
    return {fields[0].toDouble() / 1e6, fields[1].toDouble() / 1024};
}

double median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

} // namespace

int main(int argc, char* argv[]) {
    const QSize devicePixels = bench::takeDeviceSize(argc, argv);
    const QString mode = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QString();
    if (mode == QLatin1String("--child-empty") || mode == QLatin1String("--child-text")) {
        QApplication app(argc, argv);
        return runReference(app, mode == QLatin1String("--child-text"));
    }
    if (mode == QLatin1String("--child-ampera")) {
        QApplication app(argc, argv);
        return runChild(app);
    }
    if (mode == QLatin1String("--child-tour")) {
        QApplication app(argc, argv);
        return runTour(app);
    }
    // The runs inherit the screen.
    bench::useScreen(devicePixels);
    QCoreApplication app(argc, argv);
    const int runs = std::max(3, mode.toInt() > 0 ? mode.toInt() : 15);
    std::vector<double> emptyMs, emptyMb, textMs, amperaMs, amperaMb;
    for (int i = 0; i < runs; ++i) {
        const Sample e = runOnce("--child-empty");
        const Sample t = runOnce("--child-text");
        const Sample a = runOnce("--child-ampera");
        emptyMs.push_back(e.ms);
        emptyMb.push_back(e.mb);
        textMs.push_back(t.ms);
        amperaMs.push_back(a.ms);
        amperaMb.push_back(a.mb);
    }
    std::vector<double> tourMb;
    for (int i = 0; i < std::min(runs, 5); ++i)
        tourMb.push_back(runOnce("--child-tour").mb);
    const double eMs = median(emptyMs), aMs = median(amperaMs);
    const double eMb = median(emptyMb), aMb = median(amperaMb);
    std::printf("screen of %dx%d device px, %s\n", devicePixels.width(), devicePixels.height(),
                qPrintable(bench::scaling()));
    std::printf("medians of %d runs            empty Qt window   Ampera   ratio\n", runs);
    std::printf("start-up to first paint (ms)   %15.1f %8.1f %7.2f\n", eMs, aMs, aMs / eMs);
    std::printf("peak memory at start-up (MB)   %15.1f %8.1f %7.2f\n", eMb, aMb, aMb / eMb);
    std::printf("peak memory, full tour (MB)    %15s %8.1f\n", "", median(tourMb));
    const double tMs = median(textMs);
    std::printf("\nfor reference, a Qt main window with a menu bar and a line of text:\n");
    std::printf("start-up to first paint (ms)   %15.1f %8.1f %7.2f\n", tMs, aMs, aMs / tMs);
    return 0;
}
