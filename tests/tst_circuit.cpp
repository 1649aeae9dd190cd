// SPDX-License-Identifier: GPL-3.0-or-later
// The workshop's circuit model checked against an independent oracle: the
// solver's nodes, voltages and lamps, and the checker's verdict and marks,
// for the wirings a learner gets right and the faults that matter; and the
// exercise reader's answer to every kind of bad exercise file.
#include "circuit/board.h"
#include "circuit/checker.h"
#include "circuit/exercise.h"
#include "circuit/json.h"
#include "circuit/router.h"
#include "circuit/solver.h"

#include "circuit_oracle.h"
#include "natural_wirings.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QRandomGenerator>
#include <QSet>
#include <QTest>

#include <algorithm>
#include <cmath>

using namespace circuit;
namespace oracle = testing::circuit_oracle;
using testing::Conductors;
using testing::naturalWiring;
using testing::onTheNeutral;
using testing::wiringOf;

namespace {

const Exercise& exercise(const QString& id) {
    for (const Exercise& e : builtInExercises())
        if (e.id == id)
            return e;
    qFatal("no built-in exercise %s", qPrintable(id));
}

Conductors without(Conductors c, int index) {
    c.erase(c.begin() + index);
    return c;
}

Conductors replaced(Conductors c, int index, const std::pair<QString, QString>& conductor) {
    c[size_t(index)] = conductor;
    return c;
}

Conductors append(Conductors c, const std::pair<QString, QString>& conductor) {
    c.push_back(conductor);
    return c;
}

Glow glowOf(oracle::Light light) {
    return light == oracle::Light::Full   ? Glow::Full
           : light == oracle::Light::Weak ? Glow::Weak
                                          : Glow::Off;
}

Potential potentialOf(double volts) {
    if (std::isnan(volts))
        return Potential::None;
    if (std::abs(volts - MainsVolts) < 1e-6)
        return Potential::Phase;
    return std::abs(volts) < 1e-6 ? Potential::Neutral : Potential::Between;
}

// The solver agrees with the oracle in every combination: the short, every
// terminal's voltage and potential, every lamp.
void compareSolutions(const Exercise& e, const Conductors& conductors) {
    Wiring w = wiringOf(e, conductors);
    for (int k = 0; k < e.combinations(); ++k) {
        w.setCombination(k);
        const Solution s = solve(e, w);
        const oracle::State o = oracle::simulate(e, conductors, oracle::positionsOf(e, k));
        const QByteArray where = e.id.toUtf8() + " in " + e.combinationText(k).toUtf8();
        QVERIFY2(s.shortCircuit == o.shortCircuit, where);
        for (size_t t = 0; t < e.terminals.size(); ++t) {
            const QByteArray terminal = where + ", terminal " + e.terminals[t].name.toUtf8();
            QVERIFY2(std::isnan(s.volts[t]) == std::isnan(o.volts[t]), terminal);
            if (!std::isnan(o.volts[t]))
                QVERIFY2(std::abs(s.volts[t] - o.volts[t]) < 1e-6, terminal);
            QVERIFY2(s.potential[t] == (o.onEarth[t] ? Potential::Earth : potentialOf(o.volts[t])),
                     terminal);
        }
        QVERIFY2(s.shortToEarth == o.shortToEarth, where);
        QVERIFY2(s.earthFault == o.earthFault, where);
        for (size_t i = 0; i < e.sockets.size(); ++i) {
            QVERIFY2(s.sockets[i].powered == o.socketPowered[i], where);
            QVERIFY2(s.sockets[i].earthed == o.socketEarthed[i], where);
        }
        const Outcome outcome = outcomeOf(e, s);
        for (size_t i = 0; i < e.lamps.size(); ++i)
            QVERIFY2(outcome.lamps[i] == glowOf(o.lamps[i]),
                     where + ", lamp " + QByteArray::number(int(i)));
        QVERIFY2(outcome.liveWhileOff == o.liveWhileOff, where);
    }
}

// The checker's criterion says what the oracle's mark says.
bool agrees(const Criterion& c, const oracle::Judged& j) {
    const Judgement expected = j.mark == oracle::Mark::Yes  ? Judgement::Met
                               : j.mark == oracle::Mark::No ? Judgement::Failed
                                                            : Judgement::Unjudged;
    return c.judgement == expected &&
           c.firstFailure == (j.first < 0 ? std::nullopt : std::optional<int>(j.first));
}

// The checker's marks are the oracle's, and its verdict follows from them.
Report compareReports(const Exercise& e, const Conductors& conductors) {
    const Report r = check(e, wiringOf(e, conductors));
    const oracle::Marks m = oracle::mark(e, conductors);
    const QByteArray id = e.id.toUtf8() + ": " + r.text.toUtf8();
    [&] {
        QVERIFY2(agrees(r.criteria[0], m.works), id);
        QVERIFY2(agrees(r.criteria[1], m.noShort), id);
        QVERIFY2(agrees(r.criteria[2], m.phaseCut), id);
        QVERIFY2(agrees(r.criteria[3], m.fullLight), id);
        QVERIFY2(r.complement == m.complement, id);
        Verdict expected = Verdict::Wrong;
        if (m.noShort.mark == oracle::Mark::No)
            expected = Verdict::ShortCircuit;
        else if (m.earthFaultAt >= 0)
            expected = Verdict::EarthFault;
        else if (m.socketFails)
            expected = Verdict::Socket;
        else if (m.works.mark == oracle::Mark::Yes)
            expected =
                m.phaseCut.mark != oracle::Mark::No ? Verdict::Correct : Verdict::NeutralSwitched;
        else if (m.fullLight.mark == oracle::Mark::No)
            expected = Verdict::Series;
        else if (!m.everFull)
            expected = Verdict::NeverLit;
        else if (m.alwaysFull)
            expected = Verdict::AlwaysLit;
        QVERIFY2(r.verdict == expected, id);
        QCOMPARE(r.text.startsWith("Correcte"), expected == Verdict::Correct);
        if (expected == Verdict::ShortCircuit) {
            QVERIFY2(r.text.contains("Curtcircuit"), id);
            QVERIFY2(r.text.contains(e.combinationText(m.noShort.first)), id);
            QVERIFY2(r.text.contains("toca la terra") ==
                         m.states[size_t(m.noShort.first)].shortToEarth,
                     id);
        }
        if (expected == Verdict::NeutralSwitched)
            QVERIFY2(r.text.contains("neutre"), id);
        // A lamp with no neutral is said plainly, with where it is live.
        const bool unconnected = m.unconnectedLamp >= 0 && expected != Verdict::ShortCircuit;
        QVERIFY2(r.text.contains("no té el neutre connectat") == unconnected, id);
        if (unconnected)
            QVERIFY2(r.text.contains("(combinació " + e.combinationText(m.unconnectedAt) + ")"),
                     id);
    }();
    return r;
}

// A random exercise file: the phase, the neutral, lamps and switches laid
// anywhere they fit, often right against another component or the board's
// edge, with a random table.
QByteArray randomExercise(QRandomGenerator& random) {
    std::vector<Component> placed;
    QJsonArray components;
    const auto place = [&](const char* kind, Kind k, const QString& name) {
        Component c{k, name, {}, random.bounded(2) == 1};
        for (int attempt = 0; attempt < 40; ++attempt) {
            c.place = QPoint(int(random.bounded(board::Width)), int(random.bounded(board::Height)));
            const QSize size = board::footprint(c).size();
            if (!placed.empty() && random.bounded(4) == 0) {
                // Against a side of one already laid, or against an edge.
                const QRect other =
                    board::footprint(placed[random.bounded(quint32(placed.size()))]);
                const int side = int(random.bounded(3));
                c.place.setX(side == 0   ? other.left() + other.width() + 1
                             : side == 1 ? other.left() - size.width() - 1
                                         : (random.bounded(2) ? 0 : board::Width - size.width()));
            }
            const QRect f = board::footprint(c);
            const bool inside = f.left() >= 0 && f.top() >= 0 &&
                                f.left() + f.width() <= board::Width &&
                                f.top() + f.height() <= board::Height;
            if (inside && std::none_of(placed.begin(), placed.end(), [&](const Component& o) {
                    return board::footprint(o)
                        .adjusted(0, 0, 1, 1)
                        .intersects(f.adjusted(0, 0, 1, 1));
                })) {
                placed.push_back(c);
                components.append(QJsonObject{{"kind", kind},
                                              {"name", name},
                                              {"place", QJsonArray{c.place.x(), c.place.y()}},
                                              {"mirrored", c.mirrored}});
                return true;
            }
        }
        return false;
    };
    place("fase", Kind::Phase, "Fase");
    place("neutre", Kind::Neutral, "Neutre");
    const int lamps = 1 + int(random.bounded(3));
    for (int i = 0; i < lamps; ++i)
        place("làmpada", Kind::Lamp, QString("Làmpada %1").arg(i + 1));
    int switches = 0;
    for (int i = 0, wanted = int(random.bounded(5)); i < wanted; ++i) {
        const int kind = int(random.bounded(3));
        switches += place(kind == 0   ? "interruptor"
                          : kind == 1 ? "commutador"
                                      : "creuament",
                          kind == 0   ? Kind::Switch
                          : kind == 1 ? Kind::TwoWay
                                      : Kind::Intermediate,
                          QString("Mecanisme %1").arg(i + 1));
    }
    QJsonArray table;
    for (int k = 0; k < 1 << switches; ++k) {
        QJsonArray row;
        for (int i = 0; i < lamps; ++i)
            row.append(int(random.bounded(2)));
        table.append(row);
    }
    return QJsonDocument(QJsonObject{{"format", "ampera-exercise"},
                                     {"version", 1},
                                     {"id", "atzar"},
                                     {"title", "Atzar"},
                                     {"instruction", "Connecta-ho."},
                                     {"components", components},
                                     {"table", table}})
        .toJson();
}

// The first point of the route, its two ends aside, on or within a
// component's outline.
std::optional<QPoint> overAComponent(const Exercise& e, const Route& route) {
    for (int i = 1; i < route.size(); ++i) {
        const QPoint d = route[i] - route[i - 1];
        const QPoint step(d.x() > 0 ? 1 : d.x() < 0 ? -1 : 0, d.y() > 0 ? 1 : d.y() < 0 ? -1 : 0);
        for (QPoint p = route[i - 1];; p += step) {
            const bool end = p == route.first() || p == route.last();
            for (const Component& c : e.components)
                if (!end && board::takes(c, p))
                    return p;
            if (p == route[i])
                break;
        }
    }
    return std::nullopt;
}

// Whether two components lie side by side with no grid step between, or
// one against the board's edge.
bool touches(const Exercise& e) {
    for (const Component& c : e.components) {
        const QRect f = board::footprint(c).adjusted(0, 0, 1, 1);
        if (f.left() == 0 || f.top() == 0 || f.right() == board::Width ||
            f.bottom() == board::Height)
            return true;
        for (const Component& other : e.components)
            if (&other != &c &&
                f.adjusted(-1, -1, 1, 1).intersects(board::footprint(other).adjusted(0, 0, 1, 1)))
                return true;
    }
    return false;
}

} // namespace

class TestCircuit : public QObject {
    Q_OBJECT

  private slots:
    // What every part of the program takes on trust about a kind: names
    // that files and assistive tools can tell apart, terminals on the
    // outline that conductors leave outwards, leads and contacts inside the
    // body, and blades, loads and buttons that refer to what there is.
    void kindDescriptions() {
        QSet<QString> fileNames;
        for (int k = 0; k < int(kinds().size()); ++k) {
            const KindSpec& kind = kinds()[size_t(k)];
            const QByteArray what = kind.fileName.toUtf8();
            QCOMPARE(int(kind.kind), k);
            QVERIFY2(!fileNames.contains(kind.fileName), what);
            fileNames.insert(kind.fileName);
            const QRect footprint(QPoint(0, 0), kind.size);
            const QRectF body = QRectF(kind.body);
            QVERIFY2(footprint.contains(kind.body), what);
            QSet<QString> locals;
            for (const TerminalSpec& t : kind.terminals) {
                QVERIFY2(!locals.contains(t.local), what);
                locals.insert(t.local);
                QVERIFY2(kind.terminals.size() == 1 || !t.local.isEmpty(), what);
                const bool onOutline = t.point.x() == 0 || t.point.x() == kind.size.width() ||
                                       t.point.y() == 0 || t.point.y() == kind.size.height();
                QVERIFY2(onOutline, what + " " + t.local.toUtf8());
                QCOMPARE(std::abs(t.exit.x()) + std::abs(t.exit.y()), 1);
                QVERIFY2(!footprint.adjusted(0, 0, 1, 1).contains(t.point + t.exit), what);
                QVERIFY2(body.adjusted(-0.01, -0.01, 0.01, 0.01).contains(t.inner), what);
            }
            const int terminals = int(kind.terminals.size());
            const auto valid = [&](int t) { return t >= 0 && t < terminals; };
            for (const Load& load : kind.loads)
                QVERIFY2(valid(load.a) && valid(load.b) && load.a != load.b, what);
            for (const Actuator& a : kind.actuators) {
                QVERIFY2(a.positions >= 2, what);
                QVERIFY2(a.button.isEmpty() || footprint.contains(a.button), what);
                for (const Blade& blade : a.blades) {
                    QVERIFY2(valid(blade.pivot), what);
                    QCOMPARE(int(blade.restsOn.size()), a.positions);
                    for (int rest : blade.restsOn)
                        QVERIFY2(rest == Blade::Open || (valid(rest) && rest != blade.pivot), what);
                }
            }
            // What has actuators is moved either by the learner or by the circuit.
            QCOMPARE(isSwitch(kind.kind) || isDevice(kind.kind), !kind.actuators.empty());
            QVERIFY2(!(isSwitch(kind.kind) && isDevice(kind.kind)), what);
        }
    }

    // A mirrored component is its kind's drawing flipped left to right:
    // terminals, the way conductors leave them, and the button.
    void mirroredComponents() {
        for (const KindSpec& kind : kinds()) {
            const Component plain{kind.kind, "C", {5, 3}}, flipped{kind.kind, "C", {5, 3}, true};
            const QRect f = board::footprint(plain);
            QCOMPARE(board::footprint(flipped), f);
            for (int t = 0; t < int(kind.terminals.size()); ++t) {
                const QPoint a = board::terminalPoint(plain, t),
                             b = board::terminalPoint(flipped, t);
                QCOMPARE(a.y(), b.y());
                QCOMPARE(a.x() - f.left(), f.left() + f.width() - b.x());
                QCOMPARE(board::terminalExit(flipped, t).x(), -board::terminalExit(plain, t).x());
                QVERIFY(!board::takes(flipped, b + board::terminalExit(flipped, t)));
            }
            for (int a = 0; a < int(kind.actuators.size()); ++a) {
                if (kind.actuators[size_t(a)].button.isEmpty())
                    continue;
                const QRect button = board::buttonArea(flipped, a);
                const QRect unflipped = board::buttonArea(plain, a);
                QVERIFY(f.contains(button));
                QCOMPARE(button.size(), unflipped.size());
                QCOMPARE(button.left() - f.left(),
                         f.width() - (unflipped.left() - f.left()) - button.width());
            }
        }
    }

    void wirings_data() {
        QTest::addColumn<QString>("id");
        QTest::addColumn<Conductors>("conductors");
        QTest::addColumn<int>("verdict");
        QTest::addColumn<QString>("says");  // part of the verdict's text
        QTest::addColumn<QString>("marks"); // the four criteria, as printed

        for (const Exercise& e : builtInExercises()) {
            // Sockets have rows of their own below; tst_sequences judges
            // the boards of push buttons.
            if (!e.sockets.empty() || e.bySequences)
                continue;
            const QByteArray id = e.id.toUtf8();
            const bool plural = e.lamps.size() > 1;
            QTest::newRow(id + " natural") << e.id << naturalWiring(e.id) << int(Verdict::Correct)
                                           << (e.roomName.isEmpty() || !e.complementAccepted
                                                   ? QString("segura.")
                                                   : "el mateix muntatge que el de " + e.roomName)
                                           << "sí sí sí sí";
            QTest::newRow(id + " on the neutral")
                << e.id << onTheNeutral(e.id) << int(Verdict::NeutralSwitched)
                << QString("s'ha tallat el neutre") << "sí sí no sí";
            // Nothing lights: nothing about safety or brightness can be told.
            QTest::newRow(id + " not wired") << e.id << Conductors{} << int(Verdict::NeverLit)
                                             << QString("cap combinació") << "no — — —";
            QTest::newRow(id + " direct short")
                << e.id << Conductors{{"Fase", "Neutre"}} << int(Verdict::ShortCircuit)
                << QString("Curtcircuit en la combinació") << "no no — —";
            // The switch does cut the phase, but the lamp has no neutral.
            Conductors open = naturalWiring(e.id);
            std::erase_if(open, [](const auto& c) { return c.second == "Neutre"; });
            QTest::newRow(id + " no return to the neutral")
                << e.id << open << int(Verdict::NeverLit)
                << (plural ? "Quan és apagada, «Làmpada 1» queda a la tensió de la fase"
                           : "Quan és apagada, la làmpada queda a la tensió de la fase")
                << "no — — —";
            // The phase straight to the lamps, past every switch: no lamp is
            // ever switched off, so nothing says where the switches cut.
            Conductors bypass = naturalWiring(e.id);
            for (const QString& lamp :
                 plural ? QStringList{"Làmpada 1", "Làmpada 2"} : QStringList{"Làmpada"})
                bypass.push_back({"Fase", lamp + ", born 1"});
            QTest::newRow(id + " bypassed")
                << e.id << bypass << int(Verdict::AlwaysLit) << QString("sempre") << "no sí — sí";
        }
        QTest::newRow("commutada crossed")
            << "commutada"
            << replaced(replaced(naturalWiring("commutada"), 1,
                                 {"Commutador 1, born 1", "Commutador 2, born 2"}),
                        2, {"Commutador 1, born 2", "Commutador 2, born 1"})
            << int(Verdict::Correct)
            << QString("Els travessers van creuats respecte de l'habitació 3") << "sí sí sí sí";
        QTest::newRow("encreuament crossed")
            << "encreuament"
            << replaced(replaced(naturalWiring("encreuament"), 1,
                                 {"Commutador 1, born 1", "Creuament, born 2"}),
                        2, {"Commutador 1, born 2", "Creuament, born 1"})
            << int(Verdict::Correct) << QString("creuats respecte de l'habitació de matrimoni")
            << "sí sí sí sí";
        // The switch joins the phase to the neutral with no lamp between,
        // only when it is closed; the lamp is never switched off.
        QTest::newRow("punt-de-llum short when closed")
            << "punt-de-llum"
            << Conductors{{"Fase", "Interruptor, born 1"},
                          {"Interruptor, born 2", "Neutre"},
                          {"Fase", "Làmpada, born 1"},
                          {"Làmpada, born 2", "Neutre"}}
            << int(Verdict::ShortCircuit) << QString("Curtcircuit en la combinació Interruptor = 1")
            << "no no — sí";
        QTest::newRow("encreuament short where it should light")
            << "encreuament"
            << replaced(naturalWiring("encreuament"), 5, {"Commutador 2, comú", "Neutre"})
            << int(Verdict::ShortCircuit)
            << QString("Curtcircuit en la combinació Commutador 1 = 0, Creuament = 0, Commutador 2 "
                       "= 1")
            << "no no — —";
        QTest::newRow("dos-llums in series")
            << "dos-llums"
            << Conductors{{"Fase", "Interruptor, born 1"},
                          {"Interruptor, born 2", "Làmpada 1, born 1"},
                          {"Làmpada 1, born 2", "Làmpada 2, born 1"},
                          {"Làmpada 2, born 2", "Neutre"}}
            << int(Verdict::Series)
            << QString("en sèrie: fan poca llum (combinació Interruptor = 1)") << "no sí sí no";
        QTest::newRow("dos-llums one lamp left out")
            << "dos-llums" << without(naturalWiring("dos-llums"), 2) << int(Verdict::Wrong)
            << QString("1 de 2 combinacions no coincideixen amb la taula (la primera, Interruptor "
                       "= 1)")
            << "no sí sí sí";
        // One lamp works as it should; the other has no neutral, which is
        // said, and is no switched neutral.
        QTest::newRow("dos-llums one lamp without its neutral")
            << "dos-llums" << without(naturalWiring("dos-llums"), 4) << int(Verdict::Wrong)
            << QString("Quan és apagada, «Làmpada 2» queda a la tensió de la fase (combinació "
                       "Interruptor = 1), perquè no té el neutre connectat.")
            << "no sí sí sí";
        QTest::newRow("commutada one traveller missing")
            << "commutada" << without(naturalWiring("commutada"), 2) << int(Verdict::Wrong)
            << QString("1 de 4 combinacions no coincideixen amb la taula (la primera, Commutador 1 "
                       "= 1, "
                       "Commutador 2 = 1)")
            << "no sí sí sí";
        earthAndSocketWirings();
        doubleSwitchWirings();
        // A two-way switch used as a single one: lit only when both are 0.
        QTest::newRow("encreuament without the intermediate")
            << "encreuament"
            << Conductors{{"Fase", "Commutador 1, comú"},
                          {"Commutador 1, born 1", "Commutador 2, born 1"},
                          {"Commutador 2, comú", "Làmpada, born 1"},
                          {"Làmpada, born 2", "Neutre"}}
            << int(Verdict::Wrong) << QString("No fa el que demana l'exercici") << "no sí sí sí";
    }

  private:
    // The socket either way round, and its typical faults: no earth, the
    // earth used as the neutral, the phase on the earth.
    static void earthAndSocketWirings() {
        for (const char* id : {"presa-de-corrent", "punt-de-llum-i-presa"}) {
            const QByteArray name(id);
            const bool lamp = name == "punt-de-llum-i-presa";
            const Conductors natural = naturalWiring(id);
            const int phaseToSocket = lamp ? 3 : 0, neutralToSocket = phaseToSocket + 1;
            QTest::newRow(name + " natural")
                << id << natural << int(Verdict::Correct)
                << QString(lamp ? "la làmpada fa el que demana l'exercici en totes les "
                                  "combinacions, la presa té tensió i terra"
                                : "Correcte: la presa té tensió i terra i la instal·lació és "
                                  "segura.")
                << (lamp ? "sí sí sí sí" : "sí sí — —");
            QTest::newRow(name + " socket swapped")
                << id
                << replaced(replaced(natural, phaseToSocket, {"Fase", "Presa, neutre"}),
                            neutralToSocket, {"Neutre", "Presa, fase"})
                << int(Verdict::Correct) << QString("Correcte")
                << (lamp ? "sí sí sí sí" : "sí sí — —");
            QTest::newRow(name + " without earth")
                << id << without(natural, int(natural.size()) - 1) << int(Verdict::Socket)
                << QString("La presa «Presa» no té el born de terra connectat a la terra.")
                << (lamp ? "no sí sí sí" : "no sí — —");
            QTest::newRow(name + " earth as the neutral")
                << id << replaced(natural, neutralToSocket, {"Terra", "Presa, neutre"})
                << int(Verdict::Socket)
                << QString("no té la tensió de la xarxa entre els borns de fase i de neutre")
                << (lamp ? "no sí sí sí" : "no — — —");
            QTest::newRow(name + " phase on the earth")
                << id << append(natural, {"Fase", "Terra"}) << int(Verdict::ShortCircuit)
                << QString("la fase toca la terra") << "no no — —";
        }
        QTest::newRow("presa-de-corrent earth joined to the neutral")
            << "presa-de-corrent" << append(naturalWiring("presa-de-corrent"), {"Terra", "Neutre"})
            << int(Verdict::EarthFault) << QString("La terra no pot anar unida al neutre")
            << "no sí — —";
        // The lamp returns by the earth: it lights, yet that is no installation.
        QTest::newRow("punt-de-llum-i-presa lamp returning by the earth")
            << "punt-de-llum-i-presa"
            << replaced(naturalWiring("punt-de-llum-i-presa"), 2, {"Làmpada, born 2", "Terra"})
            << int(Verdict::EarthFault) << QString("(combinació Interruptor = 1)") << "no sí sí sí";
    }

    static void doubleSwitchWirings() {
        // Both lamps on born 1: button 1 lights both, button 2 none.
        QTest::newRow("interruptor-doble both lamps on one born")
            << "interruptor-doble"
            << replaced(naturalWiring("interruptor-doble"), 2,
                        {"Interruptor doble, born 1", "Làmpada 2, born 1"})
            << int(Verdict::Wrong)
            << QString("la primera, Interruptor doble 1 = 0, Interruptor doble 2 = 1")
            << "no sí sí sí";
        QTest::newRow("interruptor-doble buttons swapped")
            << "interruptor-doble"
            << replaced(replaced(naturalWiring("interruptor-doble"), 1,
                                 {"Interruptor doble, born 2", "Làmpada 1, born 1"}),
                        2, {"Interruptor doble, born 1", "Làmpada 2, born 1"})
            << int(Verdict::Wrong) << QString("2 de 4 combinacions") << "no sí sí sí";
    }

  private slots:
    // Each wiring: the solver matches the oracle in every combination, the
    // checker's marks and verdict match the oracle's, and the verdict and
    // the marks say what the learner and the teacher need to read.
    void wirings() {
        QFETCH(QString, id);
        QFETCH(Conductors, conductors);
        QFETCH(int, verdict);
        QFETCH(QString, says);
        QFETCH(QString, marks);
        const Exercise& e = exercise(id);
        compareSolutions(e, conductors);
        if (QTest::currentTestFailed())
            return;
        const Report r = compareReports(e, conductors);
        if (QTest::currentTestFailed())
            return;
        QCOMPARE(int(r.verdict), verdict);
        QVERIFY2(r.text.contains(says), qPrintable(r.text));
        QStringList words;
        for (const Criterion& c : r.criteria)
            words << (c.met() ? "sí" : c.failed() ? "no" : "—");
        // No conductor states a colour: the colours are not judged, and the
        // verdict stands as it did before conductors had colours.
        QCOMPARE(words.takeLast(), QString("—"));
        QCOMPARE(words.join(' '), marks);
        // A wiring that works marks no row of the table; any other, some.
        const bool works = r.verdict == Verdict::Correct || r.verdict == Verdict::NeutralSwitched;
        QCOMPARE(std::count(r.differs.begin(), r.differs.end(), true) == 0, works);
    }

    // The natural wirings give the rooms' truth tables: the study's for the
    // two-way switches, the master bedroom's for the intermediate one.
    void naturalWiringsGiveTheRoomsTables() {
        const std::vector<std::pair<QString, std::vector<int>>> rooms = {
            {"commutada", {1, 0, 0, 1}},
            {"encreuament", {0, 1, 1, 0, 1, 0, 0, 1}},
            {"punt-de-llum", {0, 1}}};
        for (const auto& [id, lit] : rooms) {
            const oracle::Marks m = oracle::mark(exercise(id), naturalWiring(id));
            for (size_t k = 0; k < lit.size(); ++k)
                QCOMPARE(m.states[k].lamps[0] == oracle::Light::Full, lit[k] == 1);
            const Report r = check(exercise(id), wiringOf(exercise(id), naturalWiring(id)));
            QVERIFY(!r.complement);
            for (size_t k = 0; k < lit.size(); ++k)
                QCOMPARE(r.expected[k][0], lit[k] == 1);
        }
    }

    // Random wirings, many of them near-misses of the natural one: the
    // solver and the checker agree with the oracle on every one.
    void randomWirings() {
        QRandomGenerator random(1314);
        for (const Exercise& e : builtInExercises()) {
            const Conductors base = naturalWiring(e.id);
            for (int round = 0; round < 300; ++round) {
                Conductors c = base;
                const int changes = 1 + int(random.bounded(4));
                for (int i = 0; i < changes; ++i) {
                    const auto terminal = [&] {
                        return e.terminals[random.bounded(quint32(e.terminals.size()))].name;
                    };
                    const int what = int(random.bounded(3));
                    if (what == 0 && !c.empty())
                        c.erase(c.begin() + random.bounded(int(c.size())));
                    else if (what == 1 && !c.empty())
                        c[random.bounded(quint32(c.size()))].second = terminal();
                    else
                        c.push_back({terminal(), terminal()});
                }
                compareSolutions(e, c);
                if (!QTest::currentTestFailed() && !e.bySequences)
                    compareReports(e, c);
                if (QTest::currentTestFailed()) {
                    for (const auto& [a, b] : c)
                        qWarning("  %s -- %s", qPrintable(a), qPrintable(b));
                    return;
                }
            }
        }
    }

    // Random exercises, crowded and against the edges: every one the
    // reader accepts has every terminal joined to every other by a route
    // along the grid that crosses no component; the ones it refuses for
    // that reason say which terminal has no way out.
    void routesOfRandomExercises() {
        QRandomGenerator random(2718);
        int accepted = 0, crowded = 0, walledIn = 0;
        for (int round = 0; round < 400; ++round) {
            const QByteArray json = randomExercise(random);
            QString error;
            const std::optional<Exercise> e = parseExercise(json, &error);
            if (!e) {
                QVERIFY2(error.startsWith("cap conductor no pot arribar al born «"),
                         qPrintable(error));
                ++walledIn;
                continue;
            }
            ++accepted;
            crowded += touches(*e);
            std::vector<Route> laid;
            for (int from = 0; from < int(e->terminals.size()); ++from)
                for (int to = from + 1; to < int(e->terminals.size()); ++to) {
                    const Route r = route(*e, from, to, laid);
                    const QByteArray where = e->terminals[size_t(from)].name.toUtf8() + " to " +
                                             e->terminals[size_t(to)].name.toUtf8() + " in\n" +
                                             json;
                    QVERIFY2(r.first() ==
                                 board::terminalPoint(
                                     e->components[size_t(e->terminals[size_t(from)].component)],
                                     e->terminals[size_t(from)].local),
                             where);
                    for (int i = 1; i < r.size(); ++i)
                        QVERIFY2(r[i].x() == r[i - 1].x() || r[i].y() == r[i - 1].y(), where);
                    const std::optional<QPoint> over = overAComponent(*e, r);
                    QVERIFY2(!over, where + QByteArray(" crosses a component at ") +
                                        QByteArray::number(over ? over->x() : 0) + "," +
                                        QByteArray::number(over ? over->y() : 0));
                    if (laid.size() < 12)
                        laid.push_back(r);
                }
        }
        // The random layouts must have tried both sides of the rule.
        QVERIFY2(accepted > 100 && crowded > 50 && walledIn > 100,
                 qPrintable(QString("%1 accepted, %2 crowded, %3 walled in")
                                .arg(accepted)
                                .arg(crowded)
                                .arg(walledIn)));
    }

    void badExercises_data() {
        QTest::addColumn<QByteArray>("json");
        QTest::addColumn<QString>("says");
        const QByteArray head =
            R"({"format": "ampera-exercise", "version": 1, "id": "x", "title": "X", "instruction": "I", )";
        const QByteArray parts =
            R"("components": [{"kind": "fase", "name": "Fase", "place": [1, 2]},
            {"kind": "neutre", "name": "Neutre", "place": [1, 19]},
            {"kind": "interruptor", "name": "Interruptor", "place": [14, 7]},
            {"kind": "làmpada", "name": "Làmpada", "place": [28, 9]}], )";
        const QByteArray table = R"("table": [[0], [1]]})";
        QString sound;
        QVERIFY2(parseExercise(head + parts + table, &sound), qPrintable(sound));

        QTest::newRow("not JSON")
            << QByteArray("{\n  \"format\": \"ampera-exercise\",\n  \"version\" 1}")
            << "no és JSON vàlid: falten els dos punts després d'un nom a la línia 3, columna";
        QTest::newRow("not an object") << QByteArray("[1, 2]") << "no és un objecte JSON";
        QTest::newRow("another format")
            << QByteArray(R"({"format": "ampera-circuit", "version": 1})")
            << "no és un exercici d'Ampera";
        QTest::newRow("newer version")
            << QByteArray(head).replace("\"version\": 1", "\"version\": 2") + parts + table
            << "més nova";
        QTest::newRow("version not a number")
            << QByteArray(head).replace("\"version\": 1", "\"version\": \"1\"") + parts + table
            << "«version» ha de ser un enter positiu";
        QTest::newRow("bad id") << QByteArray(head).replace("\"id\": \"x\"", "\"id\": \"../x\"") +
                                       parts + table
                                << "l'identificador «../x»";
        QTest::newRow("no title") << QByteArray(head).replace("\"title\": \"X\",", "") + parts +
                                         table
                                  << "el camp «title» ha de ser un text no buit";
        QTest::newRow("no components") << head + table << "«components» ha de ser una llista";
        QTest::newRow("component not an object")
            << head + R"("components": [3], )" + table << "component 1: ha de ser un objecte";
        QTest::newRow("unknown kind")
            << head + QByteArray(parts).replace("\"neutre\"", "\"endoll\"") + table
            << "component 2: tipus desconegut «endoll»";
        QTest::newRow("place not a pair")
            << head + QByteArray(parts).replace("[14, 7]", "[14]") + table
            << "component 3: «place» ha de ser un parell d'enters";
        QTest::newRow("place out of range")
            << head + QByteArray(parts).replace("[14, 7]", "[1e300, 7]") + table
            << "component 3: «place» ha de ser un parell d'enters";
        QTest::newRow("off the board")
            << head + QByteArray(parts).replace("[28, 9]", "[42, 9]") + table
            << "queda fora del tauler";
        QTest::newRow("overlapping")
            << head + QByteArray(parts).replace("[28, 9]", "[16, 8]") + table
            << "«Interruptor» i «Làmpada» es trepitgen";
        // A terminal no conductor can reach.
        QTest::newRow("terminal against the edge")
            << head + QByteArray(parts).replace("[28, 9]", "[0, 9]") + table
            << "cap conductor no pot arribar al born «Làmpada, born 1», que dona a la vora del "
               "tauler: deixa un pas lliure entre «Làmpada» i la vora";
        QTest::newRow("terminals face to face")
            << head + QByteArray(parts).replace("[28, 9]", "[19, 9]") + table
            << "cap conductor no pot arribar al born «Interruptor, born 2», que toca «Làmpada»: "
               "deixa un pas lliure entre «Interruptor» i «Làmpada»; cap conductor no pot arribar "
               "al born «Làmpada, born 1», que toca «Interruptor»";
        QTest::newRow("terminal walled in")
            << head + R"("components": [{"kind": "fase", "name": "Fase", "place": [0, 7]},
            {"kind": "làmpada", "name": "Làmpada", "place": [1, 10]},
            {"kind": "neutre", "name": "Neutre", "place": [0, 15]},
            {"kind": "interruptor", "name": "Interruptor", "place": [14, 7]}], )" +
                   table
            << "cap conductor no pot arribar al born «Làmpada, born 1»: els components que "
               "l'envolten li tanquen el pas";
        QTest::newRow("same name")
            << head + QByteArray(parts).replace("\"Làmpada\"", "\"Interruptor\"") + table
            << "dos components es diuen «Interruptor»";
        QTest::newRow("same terminal name")
            << head +
                   QByteArray(parts).replace("\"name\": \"Fase\"",
                                             "\"name\": \"Interruptor, born 1\"") +
                   table
            << "dos borns es diuen «Interruptor, born 1»";
        QTest::newRow("two phases")
            << head + QByteArray(parts).replace("\"neutre\"", "\"fase\"") + table
            << "una sola fase i un sol neutre";
        QTest::newRow("no lamp") << head +
                                        QByteArray(parts).replace("\"làmpada\"",
                                                                  "\"interruptor\"") +
                                        R"("table": [[], [], [], []]})"
                                 << "hi falta alguna làmpada";
        QTest::newRow("table too short") << head + parts + R"("table": [[0]]})"
                                         << "«table» ha de tenir 2 files";
        QTest::newRow("table cell not 0 or 1") << head + parts + R"("table": [[0], [2]]})"
                                               << "la fila 1 de «table» només pot tenir 0 o 1";
        QTest::newRow("complement not a truth value")
            << head + parts + R"("complement": "sí", "table": [[0], [1]]})"
            << "«complement» ha de ser cert o fals";
        // Sent there after a right check, the learner would find no window:
        // the room must be one of the house's.
        QTest::newRow("unknown room")
            << QByteArray(head).replace("\"instruction\": \"I\", ",
                                        "\"instruction\": \"I\", \"room\": \"frmGaratge\", ") +
                   parts + table
            << "«room» ha de ser una estança de la casa (frmCuina, ";
        QTest::newRow("too large") << QByteArray(MaxFileBytes + 1, ' ') << "massa gran";
    }

    // Each bad exercise file is refused, with its fault said in Catalan.
    void badExercises() {
        QFETCH(QByteArray, json);
        QFETCH(QString, says);
        QString error;
        QVERIFY(!parseExercise(json, &error));
        QVERIFY2(error.contains(says), qPrintable(error));
    }
};

QTEST_GUILESS_MAIN(TestCircuit)
#include "tst_circuit.moc"
