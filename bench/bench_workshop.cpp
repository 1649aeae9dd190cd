// SPDX-License-Identifier: GPL-3.0-or-later
// What one learner action in the wiring workshop costs, solved and
// repainted, in a main window filling a screen of the device size asked
// for (1920×1080 unless "--device WxH" says otherwise): laying a conductor; a
// switch click and a check of every combination on the intermediate and the
// four-point exercises; a push button and a check of every sequence of the
// staircase timer's exercise; a tester's probe placed and a switch click
// with the probes in place on the intermediate fault exercise.
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

// An exercise wired as an electrician lays it.
workshop::WorkshopWindow& wired(const QString& id) {
    auto& w = bringUp(id);
    if (!w.bench().wiring().conductors.empty())
        return w;
    for (const auto& [a, b] : testing::naturalWiring(id)) {
        tap(terminal(w, a));
        tap(terminal(w, b));
    }
    return w;
}

// A click on a switch button, or on "Comprova", of a wired exercise.
void pressRepeatedly(benchmark::State& state, const QString& id, const QString& button) {
    QWidget* target = wired(id).view().findChild<QPushButton*>(button);
    for (auto _ : state)
        tap(target);
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
    pressRepeatedly(state, "encreuament", "Creuament");
}

void BM_WorkshopCheckIntermediate(benchmark::State& state) {
    pressRepeatedly(state, "encreuament", "Comprova");
}

// Four mechanisms: sixteen combinations to check.
void BM_WorkshopSwitchClickFourPoint(benchmark::State& state) {
    pressRepeatedly(state, "quatre-punts", "Creuament 2");
}

void BM_WorkshopCheckFourPoint(benchmark::State& state) {
    pressRepeatedly(state, "quatre-punts", "Comprova");
}

// A push button pressed and let go: two settlings of the timer, a repaint.
void BM_WorkshopPushButtonStaircase(benchmark::State& state) {
    pressRepeatedly(state, "automatic-escala", "Polsador 2");
}

// Every sequence of the exercise, each push button alone included.
void BM_WorkshopCheckStaircase(benchmark::State& state) {
    pressRepeatedly(state, "automatic-escala", "Comprova");
}

// On the intermediate fault exercise, with the voltage tester: the red
// probe moved between two terminals and read (the black one stays), and a
// switch click with both probes in place.
void BM_WorkshopProbe(benchmark::State& state) {
    auto& w = bringUp("avaria-encreuament");
    QWidget* red = w.view().findChild<QPushButton*>("Punta vermella");
    tap(red);
    tap(terminal(w, "Fase"));
    tap(terminal(w, "Neutre"));
    QWidget* ends[] = {terminal(w, "Creuament, born 3"), terminal(w, "Commutador 2, born 1")};
    int next = 0;
    for (auto _ : state) {
        state.PauseTiming();
        tap(red);
        state.ResumeTiming();
        tap(ends[next]);
        next = 1 - next;
    }
}

void BM_WorkshopSwitchClickProbed(benchmark::State& state) {
    auto& w = bringUp("avaria-encreuament");
    tap(w.view().findChild<QPushButton*>("Punta vermella"));
    tap(terminal(w, "Creuament, born 3"));
    tap(terminal(w, "Neutre"));
    pressRepeatedly(state, "avaria-encreuament", "Creuament");
}

} // namespace

BENCHMARK(BM_WorkshopWiringStep)->Apply(bench::fiveRuns);
BENCHMARK(BM_WorkshopSwitchClick)->Apply(bench::fiveRuns);
BENCHMARK(BM_WorkshopCheckIntermediate)->Apply(bench::fiveRuns);
BENCHMARK(BM_WorkshopSwitchClickFourPoint)->Apply(bench::fiveRuns);
BENCHMARK(BM_WorkshopCheckFourPoint)->Apply(bench::fiveRuns);
BENCHMARK(BM_WorkshopPushButtonStaircase)->Apply(bench::fiveRuns);
BENCHMARK(BM_WorkshopCheckStaircase)->Apply(bench::fiveRuns);
BENCHMARK(BM_WorkshopProbe)->Apply(bench::fiveRuns);
BENCHMARK(BM_WorkshopSwitchClickProbed)->Apply(bench::fiveRuns);

int main(int argc, char** argv) {
    return bench::runOnProgram(argc, argv, QStringLiteral("workshop action"));
}
