// SPDX-License-Identifier: GPL-3.0-or-later
// Random use cannot break the wiring workshop. A seeded learner works every
// exercise through real events: presses on terminals and conductors, drags
// from terminal to terminal, Delete and Escape, the switch buttons by mouse
// and keyboard, the breaker, "Comprova", "Esborra-ho tot", undo and redo by
// button and shortcut, presses on the bare board. After every action a model
// kept apart from the program (the conductors with their undo history, the
// switch positions, the breaker, the terminal waiting for its pair, the
// selected conductor), together with the independent circuit oracle, checks
// what the bench holds and what the board tells assistive tools. Qt must
// print no warning. On the fault-finding exercises the learner also picks
// the testers and probes, marks and repairs, and the model reads the
// testers by the oracle's rules until the repair. AMPERA_WORKSHOP_ACTIONS
// sets the actions per exercise.
#include "circuit_oracle.h"
#include "house_fixture.h"

#include "workshop/board_items.h"
#include "workshop/board_view.h"
#include "workshop/clock.h"
#include "workshop/workshop_view.h"
#include "workshop/workshop_window.h"

#include <QAccessible>
#include <QFile>
#include <QLabel>
#include <QPushButton>

#include <algorithm>
#include <optional>
#include <random>

using circuit::Conductor;
using workshop::BoardItem;

namespace {

QStringList warnings;

void recordWarnings(QtMsgType type, const QMessageLogContext&, const QString& message) {
    if (type != QtDebugMsg && type != QtInfoMsg && !testing::isOffscreenNotice(message))
        warnings << message;
}

// Time that never passes: the timers stay as the last press left them.
class StillClock : public workshop::Clock {
  public:
    using Clock::Clock;
    void setRunning(bool running) override { running_ = running; }
    bool running() const override { return running_; }

  private:
    bool running_ = false;
};

// What the learner's actions must have done, worked out without the program.
struct Model {
    const circuit::Exercise& exercise;
    std::vector<std::vector<Conductor>> history{{}};
    size_t at = 0;
    std::vector<int> positions = std::vector<int>(exercise.switches.size(), 0);
    bool tripped = false;
    bool breakerOn = true; // switched off by hand when false
    int pending = -1;
    int selected = -1;
    // A colour chosen on the palette for the next conductor.
    std::optional<circuit::Insulation> chosen{};
    // Fault finding, until the repair: the faults by the oracle's reading
    // of the exercise file, the tester in use (or marking), the probes, the
    // marks and the faults found, by their names.
    testing::circuit_oracle::Faults faults{};
    bool locked = false;
    enum class Tool { Voltage, Continuity, Mark } tool = Tool::Voltage;
    int red = -1, black = -1;
    bool blackNext = false;
    size_t marks = 0;
    QStringList found{};

    static QByteArray fileOf(const QString& id) {
        QFile file(":/exercises/" + id + ".json");
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }
    void startFaultFinding() {
        if (!exercise.findsFaults())
            return;
        history = {exercise.installation};
        faults = testing::circuit_oracle::faultsOf(fileOf(exercise.id));
        locked = true;
    }
    int faultCount() const {
        return int(faults.open.size() + faults.blown.size() + faults.dead.size());
    }
    QString terminalName(int t) const { return exercise.terminals[size_t(t)].name; }
    // A mark on what is named; right where a fault is. The record keeps
    // room for the mark that finds each fault, and no more.
    void mark(const QString& what, bool right) {
        const bool finds = right && !found.contains(what);
        if (finds || marks < size_t(circuit::MaxMarks - faultCount()))
            ++marks;
        if (finds)
            found << what;
    }
    void markConductor(int c) {
        const QString a = terminalName(conductors()[size_t(c)].from);
        const QString b = terminalName(conductors()[size_t(c)].to);
        const bool right = std::any_of(faults.open.begin(), faults.open.end(), [&](const auto& f) {
            return (f.first == a && f.second == b) || (f.first == b && f.second == a);
        });
        mark(a + " – " + b, right);
    }
    void markTerminal(int t) {
        const circuit::Terminal& terminal = exercise.terminals[size_t(t)];
        const QString component = exercise.components[size_t(terminal.component)].name;
        const QString local = terminalName(t).mid(component.size() + 2);
        const bool right = std::any_of(faults.dead.begin(), faults.dead.end(), [&](const auto& f) {
            return f.first == component && f.second == local;
        });
        mark(terminalName(t), right);
    }
    void markLamp(const QString& lamp) { mark(lamp, faults.blown.contains(lamp)); }
    void repair() {
        if (!locked || found.size() < faultCount())
            return;
        locked = false;
        faults = {};
        red = black = -1;
        solve();
    }
    // The tester's reading as the oracle gives it, in the reading's name.
    QString reading() const {
        if (red < 0 || black < 0 || tool == Tool::Mark)
            return QStringLiteral("Sense lectura");
        namespace oracle = testing::circuit_oracle;
        const bool live = breakerOn && !tripped;
        if (tool == Tool::Voltage)
            return oracle::voltageReading(
                oracle::simulate(exercise, named(), positions, {}, faults), terminalName(red),
                terminalName(black), live, exercise);
        if (live)
            return QStringLiteral("Sense lectura");
        return oracle::continuityReading(exercise, named(), positions, faults, terminalName(red),
                                         terminalName(black), false);
    }
    // The relays and timers, moved by the oracle's rules; no time passes.
    testing::circuit_oracle::LiveBoard live{exercise};
    testing::circuit_oracle::State current{};

    const std::vector<Conductor>& conductors() const { return history[at]; }

    // The colour of a conductor drawn without a choice on the palette: blue
    // to or from a neutral, green-and-yellow to or from an earth.
    circuit::Insulation usual(int from, int to) const {
        auto by = [&](int t) {
            const QString& n = exercise.terminals[size_t(t)].name;
            if (n == "Neutre" || n.endsWith(", neutre"))
                return circuit::Insulation::Blue;
            if (n == "Terra" || n.endsWith(", terra"))
                return circuit::Insulation::GreenYellow;
            return circuit::Insulation::Brown;
        };
        return by(from) != circuit::Insulation::Brown ? by(from) : by(to);
    }
    std::vector<QString> colourNames() const {
        std::vector<QString> names;
        for (const Conductor& c : conductors())
            names.push_back(circuit::insulationName(c.colour));
        return names;
    }
    testing::Conductors named() const {
        testing::Conductors result;
        for (const Conductor& c : conductors())
            result.emplace_back(exercise.terminals[size_t(c.from)].name,
                                exercise.terminals[size_t(c.to)].name);
        return result;
    }
    const testing::circuit_oracle::State& state() const { return current; }
    // Whether the oracle, by its own rule, finds the wiring right: it
    // works, shorts nowhere, and no switch cuts a lamp's neutral side.
    bool correct() const {
        using testing::circuit_oracle::Mark;
        if (exercise.bySequences) {
            const auto marks = testing::circuit_oracle::markSequences(exercise, named());
            return marks.works == Mark::Yes && marks.noShort != Mark::No &&
                   marks.phaseCut != Mark::No && coloursRight();
        }
        const auto marks = testing::circuit_oracle::mark(exercise, named());
        return marks.works.mark == Mark::Yes && marks.noShort.mark != Mark::No &&
               marks.phaseCut.mark != Mark::No && coloursRight();
    }
    bool coloursRight() const {
        return testing::circuit_oracle::colourMark(exercise, named(), colourNames()) !=
               testing::circuit_oracle::Mark::No;
    }
    // A short trips the breaker, which stays tripped until it is pressed.
    void solve() {
        if (const auto settled = live.settle(named(), positions))
            current = *settled;
        tripped = tripped || current.shortCircuit;
    }
    bool momentary(int s) const {
        return circuit::isMomentary(exercise.components[size_t(exercise.switches[size_t(s)])].kind);
    }
    void edit(std::vector<Conductor> after) {
        history.resize(at + 1);
        history.push_back(std::move(after));
        ++at;
        wiringChanged();
    }
    void wiringChanged() {
        selected = -1;
        solve();
    }
    void pressTerminal(int t) {
        selected = -1;
        if (locked) {
            if (tool == Tool::Mark) {
                markTerminal(t);
            } else {
                (blackNext ? black : red) = t;
                blackNext = !blackNext;
            }
            return;
        }
        if (pending < 0 || pending == t) {
            pending = pending == t ? -1 : t;
            return;
        }
        const Conductor added{pending, t, chosen ? *chosen : usual(pending, t)};
        pending = -1;
        chosen.reset();
        if (std::none_of(conductors().begin(), conductors().end(),
                         [&](const Conductor& c) { return c.joins(added.from, added.to); })) {
            auto after = conductors();
            after.push_back(added);
            edit(std::move(after));
        }
    }
    // A swatch of the palette pressed: the selected conductor takes the
    // colour and stays selected; with none selected, the next one will.
    void choose(circuit::Insulation colour) {
        if (selected < 0) {
            chosen = colour;
            return;
        }
        const int c = selected;
        if (conductors()[size_t(c)].colour != colour) {
            auto after = conductors();
            after[size_t(c)].colour = colour;
            edit(std::move(after));
        }
        selected = c;
    }
    void remove(int index) {
        auto after = conductors();
        after.erase(after.begin() + index);
        edit(std::move(after));
    }
};

QString glowText(testing::circuit_oracle::Light light) {
    switch (light) {
    case testing::circuit_oracle::Light::Full:
        return QStringLiteral("encesa");
    case testing::circuit_oracle::Light::Weak:
        return QStringLiteral("encesa feble");
    case testing::circuit_oracle::Light::Off:
        break;
    }
    return QStringLiteral("apagada");
}

QString description(QWidget* widget) {
    return QAccessible::queryAccessibleInterface(widget)->text(QAccessible::Description);
}

// How far a point on the board lies from every pressable thing but
// `except`, by the learner's eye: terminal rings, switch buttons, lamps,
// bells, relays and timers, and conductors' centre lines, in widget pixels.
qreal clearance(const workshop::BoardView& board, QPointF at, const QWidget* except) {
    qreal nearest = 1e9;
    auto fromCentre = [&](const QWidget* item) {
        const QPointF d = at - QRectF(item->geometry()).center();
        return std::hypot(d.x(), d.y()) - item->width() / 2.0;
    };
    for (const BoardItem* t : board.terminalItems())
        nearest = std::min(nearest, fromCentre(t));
    for (const BoardItem* lamp : board.lampItems())
        nearest = std::min(nearest, fromCentre(lamp));
    std::vector<const QWidget*> boxes(board.switchButtons().begin(), board.switchButtons().end());
    boxes.insert(boxes.end(), board.partItems().begin(), board.partItems().end());
    for (const QWidget* b : boxes) {
        const QRectF r = b->geometry();
        nearest =
            std::min(nearest, std::hypot(std::max({r.left() - at.x(), 0.0, at.x() - r.right()}),
                                         std::max({r.top() - at.y(), 0.0, at.y() - r.bottom()})));
    }
    for (const BoardItem* c : board.conductorItems()) {
        if (c == except)
            continue;
        const circuit::Route& route = board.routes()[size_t(c->index())];
        // Runs are level or upright: the nearest point is the clamped one.
        for (int i = 1; i < route.size(); ++i) {
            const QPointF a = board.toWidget(route[i - 1]), b = board.toWidget(route[i]);
            const QPointF p(std::clamp(at.x(), std::min(a.x(), b.x()), std::max(a.x(), b.x())),
                            std::clamp(at.y(), std::min(a.y(), b.y()), std::max(a.y(), b.y())));
            nearest = std::min(nearest, std::hypot(p.x() - at.x(), p.y() - at.y()));
        }
    }
    return nearest;
}

// The point of a conductor farthest from everything else, where a press
// can mean only it; none when the conductor is hidden under others.
std::optional<QPoint> clearPointOn(const workshop::BoardView& board, int conductor) {
    const circuit::Route& route = board.routes()[size_t(conductor)];
    const BoardItem* item = board.conductorItems()[size_t(conductor)];
    std::optional<QPoint> best;
    qreal bestClearance = 2;
    for (int i = 1; i < route.size(); ++i)
        for (qreal t = 0; t <= 1; t += 0.05) {
            const QPointF p = board.toWidget(route[i - 1] + t * QPointF(route[i] - route[i - 1]));
            const qreal c = clearance(board, p.toPoint(), item);
            if (c > bestClearance)
                bestClearance = c, best = p.toPoint();
        }
    return best;
}

} // namespace

class WorkshopRandomUse : public QObject {
    Q_OBJECT
    std::unique_ptr<testing::HouseFixture> house;
    std::mt19937_64 random{20261208};

    int below(int n) { return int(std::uniform_int_distribution<int>(0, n - 1)(random)); }

    template <class T = QWidget>
    static T* widget(workshop::WorkshopWindow& w, const QString& name) {
        return w.view().findChild<T*>(name);
    }

    // One random action, done through real events and done to the model.
    QString act(workshop::WorkshopWindow& w, Model& m) {
        workshop::BoardView& board = w.view().board();
        const auto& terminals = board.terminalItems();
        const auto& conductors = board.conductorItems();
        const int kind = below(100);
        if (kind < 40) {
            const int t = below(int(terminals.size()));
            testing::tap(terminals[size_t(t)]);
            m.pressTerminal(terminals[size_t(t)]->index());
            return "press terminal " + terminals[size_t(t)]->objectName();
        }
        if (kind < 50) {
            BoardItem* from = terminals[size_t(below(int(terminals.size())))];
            BoardItem* to = terminals[size_t(below(int(terminals.size())))];
            QTest::mousePress(from, Qt::LeftButton, {}, from->rect().center());
            QTest::mouseRelease(from, Qt::LeftButton, {},
                                from->mapFromParent(to->geometry().center()));
            const bool locked = m.locked;
            m.pressTerminal(from->index());
            if (!locked && to != from && m.pending == from->index())
                m.pressTerminal(to->index());
            return "drag " + from->objectName() + " to " + to->objectName();
        }
        if (kind < 66 && !conductors.empty()) {
            const int c = below(int(conductors.size()));
            const std::optional<QPoint> at = clearPointOn(board, c);
            if (!at)
                return "nothing";
            BoardItem* item = conductors[size_t(c)];
            testing::tap(&board, *at);
            if (m.locked) {
                // The installation is not the learner's to change yet.
                if (m.tool == Model::Tool::Mark)
                    m.markConductor(c);
                QTest::keyClick(item, Qt::Key_Delete);
                return QStringLiteral("press conductor %1 of the installation").arg(c);
            }
            m.pending = -1;
            m.selected = c;
            m.chosen.reset();
            if (below(2)) {
                QTest::keyClick(item, Qt::Key_Delete);
                m.remove(c);
                return QStringLiteral("delete conductor %1").arg(c);
            }
            return QStringLiteral("select conductor %1").arg(c);
        }
        if (kind < 78 && !board.switchButtons().empty()) {
            const int s = below(int(board.switchButtons().size()));
            QPushButton* button = board.switchButtons()[size_t(s)];
            // Return gives a push button a short press that ends on a timer.
            const int way = below(m.momentary(s) ? 2 : 3);
            if (way == 0)
                testing::tap(button);
            else
                QTest::keyClick(button, way == 1 ? Qt::Key_Space : Qt::Key_Return);
            if (m.momentary(s)) {
                m.positions[size_t(s)] = 1;
                m.solve();
                m.positions[size_t(s)] = 0;
            } else {
                m.positions[size_t(s)] = 1 - m.positions[size_t(s)];
            }
            m.solve();
            return QStringLiteral("switch %1").arg(s);
        }
        if (kind < 81 && m.locked)
            return testFaults(w, m);
        if (kind < 81) {
            const auto& colours = circuit::insulationColours();
            const circuit::Insulation colour = colours[size_t(below(int(colours.size())))];
            testing::tap(widget(w, "Color " + circuit::insulationName(colour)));
            m.choose(colour);
            return "colour " + circuit::insulationName(colour);
        }
        if (kind < 84) {
            testing::tap(widget(w, "Magnetotèrmic"));
            // Re-armed when down, switched off by hand when on.
            if (m.tripped || !m.breakerOn) {
                m.tripped = false;
                m.breakerOn = true;
                m.solve();
            } else {
                m.breakerOn = false;
            }
            return "breaker";
        }
        if (kind < 87) {
            testing::tap(widget(w, "Comprova"));
            const QString verdict = widget<QLabel>(w, "Resultat")->text();
            if (verdict.isEmpty())
                return "check: no verdict";
            // The oracle judges no hidden faults; the repaired board, as any.
            if (m.locked)
                return "check of the installation";
            if (verdict.startsWith("Correcte") != m.correct())
                return "check: the oracle disagrees with \"" + verdict + "\"";
            return "check";
        }
        if (kind < 89) {
            testing::tap(widget(w, "Esborra-ho tot"));
            if (!m.conductors().empty() && !m.locked)
                m.edit({});
            return "clear all";
        }
        if (kind < 95) {
            const bool undo = below(2);
            if (below(2)) {
                QWidget* button = widget(w, undo ? "Desfés" : "Refés");
                if (button->isEnabled())
                    testing::tap(button);
            } else {
                QTest::keyClick(&board, Qt::Key_Z,
                                undo ? Qt::ControlModifier
                                     : Qt::ControlModifier | Qt::ShiftModifier);
            }
            if (undo && m.at > 0)
                --m.at, m.wiringChanged();
            else if (!undo && m.at + 1 < m.history.size())
                ++m.at, m.wiringChanged();
            return undo ? "undo" : "redo";
        }
        if (kind < 97) {
            QTest::keyClick(&board, Qt::Key_Escape);
            m.pending = m.selected = -1;
            return "escape";
        }
        // A press on the bare board lets go of the terminal and the conductor.
        for (int attempt = 0; attempt < 20; ++attempt) {
            const QPoint at(below(board.width()), below(board.height()));
            if (clearance(board, at, nullptr) > workshop::BoardView::Reach + 1) {
                testing::tap(&board, at);
                m.pending = m.selected = -1;
                return "press the board";
            }
        }
        return "nothing";
    }

    // A tester or a probe chosen, a lamp pressed (marked while marking), or
    // "Repara".
    QString testFaults(workshop::WorkshopWindow& w, Model& m) {
        const int what = below(7);
        if (what < 3) {
            static const char* const tools[] = {"Comprovador de tensió",
                                                "Comprovador de continuïtat", "Marca l'avaria"};
            testing::tap(widget(w, QString::fromUtf8(tools[what])));
            m.tool = Model::Tool(what);
            return QString::fromUtf8(tools[what]);
        }
        if (what < 5) {
            auto* probe = widget<QPushButton>(w, what == 3 ? "Punta vermella" : "Punta negra");
            testing::tap(probe);
            if (probe->isEnabled())
                m.blackNext = what == 4;
            return probe->objectName();
        }
        if (what == 5) {
            const auto& lamps = w.view().board().lampItems();
            BoardItem* lamp = lamps[size_t(below(int(lamps.size())))];
            testing::tap(lamp);
            if (m.tool == Model::Tool::Mark)
                m.markLamp(lamp->objectName());
            return "press lamp " + lamp->objectName();
        }
        testing::tap(widget(w, "Repara"));
        m.repair();
        return "repair";
    }

    // Everything the model knows, against the program.
    static void verify(workshop::WorkshopWindow& w, const Model& m, const QString& step) {
        const workshop::Workbench& bench = w.bench();
        workshop::BoardView& board = w.view().board();
        const QByteArray where = step.toUtf8();
        QVERIFY2(warnings.isEmpty(), qPrintable(step + ": " + warnings.join('\n')));
        QVERIFY2(bench.wiring().conductors == m.conductors(), where);
        QVERIFY2(bench.wiring().positions == m.positions, where);
        QVERIFY2(bench.tripped() == m.tripped, where);
        QVERIFY2(bench.breakerOn() == m.breakerOn, where);
        QVERIFY2(bench.locked() == m.locked, where);
        if (bench.exercise().findsFaults()) {
            QVERIFY2(bench.log().marks.size() == m.marks, where);
            QVERIFY2(bench.probe(workshop::Workbench::Probe::Red) == m.red, where);
            QVERIFY2(bench.probe(workshop::Workbench::Probe::Black) == m.black, where);
        }
        if (m.locked) {
            const QString reading = QAccessible::queryAccessibleInterface(widget(w, "Lectura"))
                                        ->text(QAccessible::Name);
            QVERIFY2(reading == m.reading(),
                     where + ": " + reading.toUtf8() + ", not " + m.reading().toUtf8());
            return;
        }
        QVERIFY2(board.pendingTerminal() == m.pending, where);
        QVERIFY2(board.selectedConductor() == m.selected, where);
        QVERIFY2(board.conductorItems().size() == m.conductors().size(), where);
        for (const circuit::Route& route : board.routes()) {
            QVERIFY2(route.size() >= 2, where);
            for (int i = 1; i < route.size(); ++i)
                QVERIFY2(route[i].x() == route[i - 1].x() || route[i].y() == route[i - 1].y(),
                         where);
        }
        const auto state = m.state();
        for (BoardItem* lamp : board.lampItems()) {
            const auto light = m.tripped || !m.breakerOn ? testing::circuit_oracle::Light::Off
                                                         : state.lamps[size_t(lamp->index())];
            QVERIFY2(description(lamp) == glowText(light), where + ": " +
                                                               description(lamp).toUtf8() +
                                                               ", not " + glowText(light).toUtf8());
        }
        QVERIFY2(widget(w, "Desfés")->isEnabled() == (m.at > 0), where);
        QVERIFY2(widget(w, "Refés")->isEnabled() == (m.at + 1 < m.history.size()), where);
    }

  private slots:
    void initTestCase() {
        house = std::make_unique<testing::HouseFixture>();
        qInstallMessageHandler(recordWarnings);
    }

    void everyExerciseTakesAnyActionInAnyOrder_data() {
        QTest::addColumn<QString>("id");
        for (const char* id :
             {"punt-de-llum", "commutada", "encreuament", "quatre-punts", "dos-llums",
              "presa-de-corrent", "punt-de-llum-i-presa", "interruptor-doble", "timbre",
              "telerruptor", "automatic-escala", "avaria-punt-de-llum", "avaria-commutada",
              "avaria-encreuament", "avaria-dos-llums"})
            QTest::newRow(id) << QString(id);
    }

    void everyExerciseTakesAnyActionInAnyOrder() {
        QFETCH(QString, id);
        house->reset();
        warnings.clear();
        house->chooseMenu("mnuTaller_" + id);
        auto& w = static_cast<workshop::WorkshopWindow&>(house->window("frmTaller_" + id));
        w.bench().setClock(new StillClock(&w.bench()));
        Model m{w.bench().exercise()};
        m.startFaultFinding();
        m.solve();
        const int actions = qEnvironmentVariableIntValue("AMPERA_WORKSHOP_ACTIONS");
        QStringList steps;
        for (int i = 0; i < (actions > 0 ? actions : 1500); ++i) {
            steps << act(w, m);
            // A check that shows no verdict, or one the oracle disputes.
            QVERIFY2(!steps.last().startsWith("check: "), qPrintable(id + ": " + steps.last()));
            house->settle();
            verify(w, m,
                   QStringLiteral("%1 after: %2").arg(id, steps.mid(steps.size() - 8).join(", ")));
            if (QTest::currentTestFailed())
                return;
        }
        // Undoing every change leaves the board the exercise started with;
        // redoing them all brings back the last wiring.
        QWidget* undo = widget(w, "Desfés");
        while (undo->isEnabled())
            testing::tap(undo);
        QVERIFY(w.bench().wiring().conductors == m.history.front());
        QWidget* redo = widget(w, "Refés");
        while (redo->isEnabled())
            testing::tap(redo);
        QVERIFY(w.bench().wiring().conductors == m.history.back());
    }
};

QTEST_MAIN(WorkshopRandomUse)
#include "tst_workshop_random.moc"
