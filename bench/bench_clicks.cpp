// SPDX-License-Identifier: GPL-3.0-or-later
// What one learner action costs, handled and repainted, in a main window
// that fills a screen of a given size in device pixels (1920×1080 unless
// "--device WxH" says otherwise) at the scaling QT_SCALE_FACTOR sets: a
// switch click of each circuit, a navigation press, a compass button, a
// trip followed by a re-arm.
#include "house/catalogue.h"
#include "ui/controls.h"
#include "ui/forms.h"
#include "ui/pictures.h"

#include "house_fixture.h"
#include "paint_counter.h"
#include "program.h"

#include <QTest>

#include <benchmark/benchmark.h>

namespace {

ui::Form& bringUp(const QString& window) {
    ui::forms::get("frmPlanta");
    ui::Form& form = ui::forms::get(window);
    form.setWindowState(ui::Form::WindowState::Maximized);
    bench::settle();
    return form;
}

void click(const ui::Control& control) {
    QTest::mouseClick(control.inputWidget(), Qt::LeftButton, {}, control.centre());
    bench::settle();
}

void clickButton(benchmark::State& state, const QString& window, const QString& button) {
    ui::Form& form = bringUp(window);
    ui::Control& control = form.button(button);
    for (auto _ : state)
        click(control);
}

void BM_SingleSwitchClick(benchmark::State& state) {
    clickButton(state, "frmCuina", "CmdInterruptor");
}
void BM_TwoWayClick(benchmark::State& state) {
    clickButton(state, "frmEstudi", "CmdCommutador1");
}
void BM_IntermediateClick(benchmark::State& state) {
    clickButton(state, "frmHab_mat", "CmdCreumement");
}
void BM_CompassClick(benchmark::State& state) {
    ui::Form& plan = bringUp("frmPlanta");
    ui::Control& north = plan.button("CmdNord");
    ui::Control& south = plan.button("CmdSud");
    bool flip = false;
    for (auto _ : state)
        click((flip = !flip) ? north : south);
}

// A press and release on one of the miniature plan's images.
void pressOnPlan(const QString& window, const QString& target) {
    ui::Image& image = ui::forms::get(window).image(target);
    testing::tap(image.inputWidget(), image.centre());
}

void BM_NavigationPress(benchmark::State& state) {
    bringUp("frmCuina");
    bool toHall = true;
    for (auto _ : state) {
        const QString from = toHall ? "frmCuina" : "frmEntrada";
        const QString target = toHall ? "ImgEntrada_ordre" : "ImgCuina_ordre";
        pressOnPlan(from, target);
        toHall = !toHall;
    }
}

// Presses on the miniature plan that go round all nine rooms in turn, so
// that each room comes back after the others have pushed its pictures out
// of the kept renderings: the cost of a room not seen for a while.
void BM_NavigationRoundTheHouse(benchmark::State& state) {
    // Each room's first area on the plan (the dining room has two).
    std::vector<const house::PlanArea*> stops;
    for (const house::Room& room : house::rooms())
        for (const house::PlanArea& area : house::planAreas())
            if (area.window == room.window) {
                stops.push_back(&area);
                break;
            }
    QString from = stops.back()->window;
    bringUp(from);
    std::size_t next = 0;
    for (auto _ : state) {
        const house::PlanArea& stop = *stops[next++ % stops.size()];
        pressOnPlan(from, stop.target);
        from = stop.window;
    }
}

// One room photograph drawn again at the size a maximised room shows it:
// what coming back to a room costs once its pictures have been dropped from
// the kept renderings. Each run asks for a size not kept any more.
void BM_PhotographRendering(benchmark::State& state) {
    ui::Form& kitchen = bringUp("frmCuina");
    const QSize shown = kitchen.pictureBox("Pic_Cuina", 1).inputWidget()->size();
    int run = 0;
    for (auto _ : state) {
        const QSize size = shown + QSize(run++ % 64, 0);
        benchmark::DoNotOptimize(ui::pictures::pixmap("photo_kitchen_dark", size));
    }
}

void BM_TripAndRearm(benchmark::State& state) {
    bringUp("frmCuina");
    for (auto _ : state) {
        state.PauseTiming();
        testing::lightAllBut({"frmCuina"});
        ui::Form& kitchen = bringUp("frmCuina");
        state.ResumeTiming();
        click(kitchen.button("CmdInterruptor")); // the last dark lamp: trips
        click(ui::forms::get("frmPlanta").pictureBox("PicMagneto", 0));
    }
}

void BM_LoadingBarTick(benchmark::State& state) {
    ui::Form& presentation = ui::forms::get("frmPresentació");
    presentation.Show();
    bench::settle();
    testing::PaintCounter counter;
    presentation.surface()->installEventFilter(&counter);
    ui::Timer& timer = presentation.timer("TmrCarrega");
    for (auto _ : state) {
        timer.fire();
        bench::settle();
    }
    state.counters["repaints_per_tick"] =
        benchmark::Counter(double(counter.paints) / double(state.iterations()));
    ui::forms::unload("frmPresentació");
    bench::settle();
}

// Prints one line per benchmark: the median of its repetitions, in wall
// time and in processor time of the program's thread (which other programs
// running on the same machine disturb less).

} // namespace

BENCHMARK(BM_LoadingBarTick)->Apply(bench::fiveRuns);
BENCHMARK(BM_SingleSwitchClick)->Apply(bench::fiveRuns);
BENCHMARK(BM_TwoWayClick)->Apply(bench::fiveRuns);
BENCHMARK(BM_IntermediateClick)->Apply(bench::fiveRuns);
BENCHMARK(BM_NavigationPress)->Apply(bench::fiveRuns);
BENCHMARK(BM_NavigationRoundTheHouse)->Apply(bench::fiveRuns);
BENCHMARK(BM_PhotographRendering)->Apply(bench::fiveRuns);
BENCHMARK(BM_CompassClick)->Apply(bench::fiveRuns);
BENCHMARK(BM_TripAndRearm)->Apply(bench::fiveRuns)->Unit(benchmark::kMillisecond);

int main(int argc, char** argv) {
    return bench::runOnProgram(argc, argv, QStringLiteral("action"));
}
