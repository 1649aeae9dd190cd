// SPDX-License-Identifier: GPL-3.0-or-later
// What one learner action in the wiring workshop costs, solved and
// repainted, in a main window filling a screen of the device size asked
// for (1920×1080 unless "--device WxH" says otherwise): laying a conductor, a switch click,
// a check of every combination of the intermediate exercise, and a push
// button and a check of every sequence of the staircase timer's exercise.
#include "circuit/exercise.h"
#include "ui/forms.h"
#include "workshop/board_items.h"
#include "workshop/board_view.h"
#include "workshop/workshop_view.h"
#include "workshop/workshop_window.h"

#include "house_fixture.h"
#include "natural_wirings.h"
#include "program.h"

#include <QPushButton>
#include <QTest>

namespace {

using testing::tap;

workshop::WorkshopWindow& bringUp(const QString& id) {
    auto& w = static_cast<workshop::WorkshopWindow&>(ui::forms::get("frmTaller_" + id));
    w.setWindowState(ui::Form::WindowState::Maximized);
    bench::settle();
    return w;
}

QWidget* terminal(workshop::WorkshopWindow& w, const QString& name) {
    for (workshop::BoardItem* item : w.view().board().terminalItems())
        if (item->objectName() == name)
            return item;
    qFatal("no terminal %s", qPrintable(name));
}

// The intermediate exercise wired as the master bedroom is.
workshop::WorkshopWindow& wiredIntermediate() {
    auto& w = bringUp("encreuament");
    if (!w.bench().wiring().conductors.empty())
        return w;
    for (const auto& [a, b] : testing::naturalWiring("encreuament")) {
        tap(terminal(w, a));
        tap(terminal(w, b));
    }
    return w;
}

// One conductor laid by two presses; the next run starts from the board
// as it was.
void BM_WorkshopWiringStep(benchmark::State& state) {
    auto& w = bringUp("commutada");
    QWidget* from = terminal(w, "Commutador 1, born 1");
    QWidget* to = terminal(w, "Commutador 2, born 1");
    for (auto _ : state) {
        tap(from);
        tap(to);
        state.PauseTiming();
        w.bench().undoStack().undo();
        bench::settle();
        state.ResumeTiming();
    }
}

void BM_WorkshopSwitchClick(benchmark::State& state) {
    auto& w = wiredIntermediate();
    QWidget* button = w.view().findChild<QPushButton*>("Creuament");
    for (auto _ : state)
        tap(button);
}

void BM_WorkshopCheckIntermediate(benchmark::State& state) {
    auto& w = wiredIntermediate();
    QWidget* check = w.view().findChild<QPushButton*>("Comprova");
    for (auto _ : state)
        tap(check);
}

// The staircase timer's exercise wired as an electrician lays it.
workshop::WorkshopWindow& wiredStaircase() {
    auto& w = bringUp("automatic-escala");
    if (!w.bench().wiring().conductors.empty())
        return w;
    for (const auto& [a, b] : testing::naturalWiring("automatic-escala")) {
        tap(terminal(w, a));
        tap(terminal(w, b));
    }
    return w;
}

// A push button pressed and let go: two settlings of the timer, a repaint.
void BM_WorkshopPushButtonStaircase(benchmark::State& state) {
    auto& w = wiredStaircase();
    QWidget* button = w.view().findChild<QPushButton*>("Polsador 2");
    for (auto _ : state)
        tap(button);
}

// Every sequence of the exercise, each push button alone included.
void BM_WorkshopCheckStaircase(benchmark::State& state) {
    auto& w = wiredStaircase();
    QWidget* check = w.view().findChild<QPushButton*>("Comprova");
    for (auto _ : state)
        tap(check);
}

} // namespace

BENCHMARK(BM_WorkshopWiringStep)->Apply(bench::fiveRuns);
BENCHMARK(BM_WorkshopSwitchClick)->Apply(bench::fiveRuns);
BENCHMARK(BM_WorkshopCheckIntermediate)->Apply(bench::fiveRuns);
BENCHMARK(BM_WorkshopPushButtonStaircase)->Apply(bench::fiveRuns);
BENCHMARK(BM_WorkshopCheckStaircase)->Apply(bench::fiveRuns);

int main(int argc, char** argv) {
    return bench::runOnProgram(argc, argv, QStringLiteral("workshop action"));
}
