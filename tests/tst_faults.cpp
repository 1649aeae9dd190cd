// SPDX-License-Identifier: GPL-3.0-or-later
// Fault finding: the testers' readings against the oracle's on every
// built-in fault exercise, every pair of terminals, every combination of
// the switches and the breaker on and off; every kind of fault on every
// exercise solved as the oracle solves it; the fault exercises refused
// for what they name wrong; a pupil's record of measurements and marks
// kept in the wiring file, and refused when edited.
#include "circuit/checker.h"
#include "circuit/circuit_file.h"
#include "circuit/devices.h"
#include "circuit/exercise.h"
#include "circuit/faults.h"
#include "circuit/solver.h"

#include "circuit_oracle.h"
#include "natural_wirings.h"

#include <QFile>
#include <QSet>
#include <QTest>

#include <cmath>

using namespace circuit;
namespace oracle = testing::circuit_oracle;
using testing::Conductors;

namespace {

const Exercise& exercise(const QString& id) {
    for (const Exercise& e : builtInExercises())
        if (e.id == id)
            return e;
    qFatal("no built-in exercise %s", qPrintable(id));
}

QByteArray exerciseFile(const QString& id) {
    QFile file(":/exercises/" + id + ".json");
    if (!file.open(QIODevice::ReadOnly))
        qFatal("no exercise file %s", qPrintable(id));
    return file.readAll();
}

std::vector<const Exercise*> faultExercises() {
    std::vector<const Exercise*> list;
    for (const Exercise& e : builtInExercises())
        if (e.findsFaults())
            list.push_back(&e);
    return list;
}

// The oracle's names for a board's faults.
oracle::Faults namedFaults(const Exercise& e, const Wiring& w) {
    oracle::Faults named;
    for (const Fault& f : w.faults) {
        const auto name = [&](int t) { return e.terminals[size_t(t)].name; };
        switch (f.kind) {
        case FaultKind::OpenConductor:
            named.open.push_back({name(w.conductors[size_t(f.conductor)].from),
                                  name(w.conductors[size_t(f.conductor)].to)});
            break;
        case FaultKind::BlownLamp:
            named.blown << e.components[size_t(f.component)].name;
            break;
        case FaultKind::OpenContact:
            named.dead.push_back({e.components[size_t(f.component)].name,
                                  describe(e.components[size_t(f.component)].kind)
                                      .terminals[size_t(e.terminals[size_t(f.terminal)].local)]
                                      .local});
            break;
        }
    }
    return named;
}

Conductors namesOf(const Exercise& e, const Wiring& w) {
    Conductors c;
    for (const Conductor& conductor : w.conductors)
        c.push_back(
            {e.terminals[size_t(conductor.from)].name, e.terminals[size_t(conductor.to)].name});
    return c;
}

// The solver and the oracle agree on the faulty board in every
// combination and with every device's contact open and closed: every
// terminal's voltage and every load.
void compareFaultyBoard(const Exercise& e, const Wiring& faulty, const oracle::Faults& faults,
                        const QByteArray& what) {
    Wiring w = faulty;
    const Conductors names = namesOf(e, w);
    for (int k = 0; k < e.combinations(); ++k) {
        w.setCombination(k);
        for (int d = 0; d < (1 << e.devices.size()); ++d) {
            std::vector<int> devices;
            for (size_t i = 0; i < e.devices.size(); ++i)
                devices.push_back((d >> i) & 1);
            const Solution s = solve(e, w, devices);
            const oracle::State o =
                oracle::simulate(e, names, oracle::positionsOf(e, k), devices, faults);
            const QByteArray where = what + " in " + e.combinationText(k).toUtf8();
            QVERIFY2(s.shortCircuit == o.shortCircuit, where);
            for (size_t t = 0; t < e.terminals.size(); ++t) {
                QVERIFY2(std::isnan(s.volts[t]) == std::isnan(o.volts[t]), where);
                if (!std::isnan(o.volts[t]))
                    QVERIFY2(std::abs(s.volts[t] - o.volts[t]) < 1e-6, where);
            }
            for (size_t c = 0; c < e.components.size(); ++c)
                QVERIFY2((s.shortCircuit ? Glow::Off : s.load(int(c))) ==
                             (o.parts[c] == oracle::Light::Full   ? Glow::Full
                              : o.parts[c] == oracle::Light::Weak ? Glow::Weak
                                                                  : Glow::Off),
                         where + ", " + e.components[c].name.toUtf8());
        }
    }
}

// A board's every possible fault, one at a time: each conductor broken,
// each lamp blown, each fixed contact of each switch dead.
std::vector<Fault> everyFault(const Exercise& e, const Wiring& w) {
    std::vector<Fault> faults;
    for (int c = 0; c < int(w.conductors.size()); ++c)
        faults.push_back({FaultKind::OpenConductor, c, -1, -1});
    for (int lamp : e.lamps)
        faults.push_back({FaultKind::BlownLamp, -1, lamp, -1});
    for (int c = 0; c < int(e.components.size()); ++c) {
        if (!isSwitch(e.components[size_t(c)].kind))
            continue;
        for (const Actuator& a : describe(e.components[size_t(c)].kind).actuators)
            for (const Blade& blade : a.blades)
                for (int rest : blade.restsOn)
                    if (rest != Blade::Open) {
                        const Fault f{FaultKind::OpenContact, -1, c, e.terminalOf(c, rest)};
                        if (std::find(faults.begin(), faults.end(), f) == faults.end())
                            faults.push_back(f);
                    }
    }
    return faults;
}

// A pupil at work on a fault exercise: measures with both testers here
// and there, switching, marks a wrong place and then every fault.
FaultLog session(const Exercise& e) {
    FaultLog log;
    Wiring w = Wiring::initial(e);
    for (int k = 0; k < e.combinations(); ++k) {
        w.setCombination(k);
        for (const Tool tool : {Tool::Voltage, Tool::Continuity})
            for (const bool on : {true, false}) {
                Measurement m{tool, e.phase, e.terminalOf(e.lamps.back(), 0), w.positions, on, {}};
                m.reading = reading(e, w, {}, tool, m.red, m.black, on);
                log.measurements.push_back(m);
            }
    }
    log.marks.push_back({FaultMark::Target::Terminal, e.terminalOf(e.switches.front(), 0), false});
    for (const Fault& f : e.faults)
        log.marks.push_back(testing::markOn(f));
    return log;
}

} // namespace

class TestFaults : public QObject {
    Q_OBJECT

  private slots:
    // The four built-in fault exercises start from their installation with
    // its faults, which the checker finds wrong; mended, it is right.
    void builtInFaultExercises() {
        QStringList ids;
        for (const Exercise* e : faultExercises())
            ids << e->id;
        QCOMPARE(ids, QStringList({"avaria-punt-de-llum", "avaria-commutada", "avaria-encreuament",
                                   "avaria-dos-llums"}));
        for (const Exercise* e : faultExercises()) {
            const Wiring start = Wiring::initial(*e);
            QCOMPARE(start.conductors, e->installation);
            QCOMPARE(start.faults, e->faults);
            QCOMPARE(start.positions, std::vector<int>(e->switches.size(), 0));
            const Report broken = check(*e, start);
            QVERIFY2(broken.verdict != Verdict::Correct, qPrintable(e->id));
            Wiring mended = start;
            mended.faults.clear();
            const Report r = check(*e, mended);
            QVERIFY2(r.verdict == Verdict::Correct, qPrintable(e->id + ": " + r.text));
            QVERIFY2(r.criteria[4].met(), qPrintable(e->id));
        }
        // A board that is no fault exercise starts empty.
        QCOMPARE(Wiring::initial(exercise("commutada")).conductors.size(), size_t(0));
        QVERIFY(!exercise("commutada").findsFaults());
    }

    // Both testers on every pair of terminals of every fault exercise, in
    // every combination, breaker on and off, faulty and mended: the
    // program reads what the oracle reads.
    void readingsAgreeWithTheOracle() {
        int readings = 0;
        QSet<QString> seen;
        for (const Exercise* ep : faultExercises()) {
            const Exercise& e = *ep;
            const QByteArray json = exerciseFile(e.id);
            const Conductors installation = oracle::installationOf(json);
            for (const bool mended : {false, true}) {
                const oracle::Faults faults = mended ? oracle::Faults{} : oracle::faultsOf(json);
                Wiring w = Wiring::initial(e);
                if (mended)
                    w.faults.clear();
                const std::vector<int> devices(e.devices.size(), 0);
                for (int k = 0; k < e.combinations(); ++k) {
                    w.setCombination(k);
                    const std::vector<int> positions = oracle::positionsOf(e, k);
                    const oracle::State state =
                        oracle::simulate(e, installation, positions, {}, faults);
                    for (int a = 0; a < int(e.terminals.size()); ++a)
                        for (int b = a; b < int(e.terminals.size()); ++b)
                            for (const bool on : {true, false}) {
                                const QString& red = e.terminals[size_t(a)].name;
                                const QString& black = e.terminals[size_t(b)].name;
                                const QString where = e.id + (mended ? " mended" : "") + ", " +
                                                      e.combinationText(k) + ", " + red + " – " +
                                                      black +
                                                      (on ? ", breaker on" : ", breaker off");
                                for (const Tool tool : {Tool::Voltage, Tool::Continuity}) {
                                    const QString ours = reading(e, w, devices, tool, a, b, on);
                                    const QString theirs =
                                        tool == Tool::Voltage
                                            ? oracle::voltageReading(state, red, black, on, e)
                                            : oracle::continuityReading(e, installation, positions,
                                                                        faults, red, black, on);
                                    if (ours != theirs)
                                        QFAIL(qPrintable(QString("%1: %2, the oracle %3")
                                                             .arg(where, ours, theirs)));
                                    seen.insert(ours);
                                }
                                readings += 2;
                            }
                }
            }
        }
        qInfo("%d readings compared", readings);
        // Every kind of reading came up.
        for (const char* shown : {"230 V", "0 V", "Continuïtat", "882 Ω", "441 Ω", "Circuit obert",
                                  "Desconnecta el magnetotèrmic abans de mesurar la continuïtat"})
            QVERIFY2(seen.contains(QString::fromUtf8(shown)), shown);
    }

    // The numbers a pupil learns: a lamp reads 882 Ω, two in series
    // 1763 Ω, two in parallel 441 Ω; ideal joins read continuity.
    void continuityOfLampsInSeriesAndParallel() {
        const Exercise& e = exercise("dos-llums");
        const auto t = [&](const char* name) { return *e.terminal(name); };
        Wiring parallel = testing::wiringOf(e, testing::naturalWiring("dos-llums"));
        parallel.positions = {1};
        QCOMPARE(continuityText(continuityOhms(e, parallel, {}, t("Fase"), t("Neutre"))),
                 QString("441 Ω"));
        QCOMPARE(continuityText(continuityOhms(e, parallel, {}, t("Fase"), t("Làmpada 2, born 1"))),
                 QString("Continuïtat"));
        QCOMPARE(continuityText(continuityOhms(e, parallel, {}, t("Làmpada 1, born 1"),
                                               t("Làmpada 1, born 2"))),
                 QString("441 Ω"));
        parallel.positions = {0};
        QCOMPARE(continuityText(continuityOhms(e, parallel, {}, t("Fase"), t("Neutre"))),
                 QString("Circuit obert"));
        QCOMPARE(
            continuityText(continuityOhms(e, parallel, {}, t("Interruptor, born 2"), t("Neutre"))),
            QString("441 Ω"));
        const Wiring series = testing::wiringOf(e, {{"Fase", "Interruptor, born 1"},
                                                    {"Interruptor, born 2", "Làmpada 1, born 1"},
                                                    {"Làmpada 1, born 2", "Làmpada 2, born 1"},
                                                    {"Làmpada 2, born 2", "Neutre"}});
        QCOMPARE(
            continuityText(continuityOhms(e, series, {}, t("Interruptor, born 2"), t("Neutre"))),
            QString("1763 Ω"));
        QCOMPARE(continuityText(continuityOhms(e, series, {}, t("Làmpada 1, born 2"), t("Neutre"))),
                 QString("882 Ω"));
        QCOMPARE(continuityRefusal(),
                 QString("Desconnecta el magnetotèrmic abans de mesurar la continuïtat"));
        // With the breaker on the voltage follows the switch while the
        // probes stay; a terminal joined to no supply reads 0 V even
        // against the phase.
        Wiring w = parallel;
        const auto volts = [&] {
            return reading(e, w, {}, Tool::Voltage, t("Làmpada 2, born 1"), t("Neutre"), true);
        };
        QCOMPARE(volts(), QString("0 V"));
        w.positions = {1};
        QCOMPARE(volts(), QString("230 V"));
        QCOMPARE(reading(e, w, {}, Tool::Voltage, t("Làmpada 2, born 1"), t("Neutre"), false),
                 QString("0 V"));
        const Wiring loose = testing::wiringOf(e, {{"Fase", "Interruptor, born 1"}});
        QCOMPARE(reading(e, loose, {}, Tool::Voltage, t("Fase"), t("Làmpada 1, born 1"), true),
                 QString("0 V"));
        QCOMPARE(reading(e, loose, {}, Tool::Voltage, t("Fase"), t("Neutre"), true),
                 QString("230 V"));
    }

    // Every kind of fault, on every built-in exercise wired right, every
    // kind of component included: the solver honours it as the oracle does.
    void everyFaultOnEveryExercise() {
        int boards = 0;
        for (const Exercise& e : builtInExercises()) {
            const Wiring right = testing::wiringOf(e, testing::naturalWiring(e.id));
            for (const Fault& f : everyFault(e, right)) {
                Wiring w = right;
                w.faults = {f};
                compareFaultyBoard(e, w, namedFaults(e, w), e.id.toUtf8());
                if (QTest::currentTestFailed())
                    return;
                ++boards;
            }
        }
        qInfo("%d faulty boards compared", boards);
    }

    // A lamp blown never lights; a dead contact never joins in any position.
    void faultsAreThere() {
        const Exercise& e = exercise("avaria-dos-llums");
        Wiring w = Wiring::initial(e);
        w.positions = {1};
        const Solution s = solve(e, w);
        QCOMPARE(s.glow(0), Glow::Full);
        QCOMPARE(s.glow(1), Glow::Off);
        const Exercise& x = exercise("avaria-encreuament");
        Wiring cross = Wiring::initial(x);
        const int dead = *x.terminal("Creuament, born 3");
        for (int k = 0; k < x.combinations(); ++k) {
            cross.setCombination(k);
            const std::vector<int> groups = joinedGroups(x, cross, {});
            QVERIFY(groups[size_t(dead)] != groups[size_t(*x.terminal("Creuament, born 1"))]);
            QVERIFY(groups[size_t(dead)] != groups[size_t(*x.terminal("Creuament, born 2"))]);
        }
    }

    // The fault exercise of the exercise files' documentation loads.
    void documentedFaultExercise() {
        QFile page(QFINDTESTDATA("../docs/exercicis.md"));
        QVERIFY(page.open(QIODevice::ReadOnly));
        const QByteArray doc = page.readAll();
        const qsizetype start =
            doc.lastIndexOf("```json\n", doc.indexOf("\"avaria-passadis\"")) + 8;
        QString error;
        const std::optional<Exercise> e =
            parseExercise(doc.mid(start, doc.indexOf("```", start) - start), &error);
        QVERIFY2(e, qPrintable(error));
        QCOMPARE(e->installation.size(), size_t(5));
        QCOMPARE(e->faults, (std::vector<Fault>{{FaultKind::OpenConductor, 2, -1, -1}}));
    }

    void badFaultExercises_data() {
        QTest::addColumn<QByteArray>("json");
        QTest::addColumn<QString>("says");
        const QByteArray base = exerciseFile("avaria-commutada");
        const QByteArray faults =
            R"("faults": [
    {"kind": "conductor-obert", "conductor": ["Commutador 2, born 2", "Commutador 1, born 2"]}
  ],)";
        QVERIFY(base.contains(faults));
        const auto with = [&](const QByteArray& replacement) {
            return QByteArray(base).replace(faults, replacement);
        };
        const QByteArray wiringStart = "\"wiring\": [";
        const qsizetype from = base.indexOf(wiringStart);
        const qsizetype to = base.indexOf("\n  ],", from) + 5;
        const QByteArray withoutWiring = QByteArray(base).remove(from, to - from);

        QTest::newRow("faults without wiring")
            << withoutWiring << "«faults» necessita «wiring», la instal·lació on són les avaries";
        QTest::newRow("wiring without faults") << with("") << "«wiring» només serveix amb «faults»";
        QTest::newRow("faults not a list")
            << with(R"("faults": {},)") << "«faults» ha de ser una llista d'entre 1 i 8 avaries";
        QTest::newRow("no faults") << with(R"("faults": [],)") << "ha de ser una llista d'entre 1";
        QTest::newRow("unknown kind of fault")
            << with(R"("faults": [{"kind": "curtcircuit"}],)")
            << "l'avaria 1: «kind» ha de ser «conductor-obert», «làmpada-fosa» o «contacte-obert»";
        QTest::newRow("a conductor not in the wiring")
            << with(R"("faults": [{"kind": "conductor-obert", "conductor": ["Fase", "Neutre"]}],)")
            << "l'avaria 1: cap conductor de «wiring» no uneix «Fase» i «Neutre»";
        QTest::newRow("a conductor of unknown terminals")
            << with(
                   R"("faults": [{"kind": "conductor-obert", "conductor": ["Fase", "Làmpada, born 9"]}],)")
            << "cap conductor de «wiring» no uneix «Fase» i «Làmpada, born 9»";
        QTest::newRow("a conductor not a pair")
            << with(R"("faults": [{"kind": "conductor-obert", "conductor": "Fase"}],)")
            << "l'avaria 1: «conductor» ha de ser el parell de borns que uneix";
        QTest::newRow("an unknown component")
            << with(R"("faults": [{"kind": "làmpada-fosa", "component": "Làmpada 3"}],)")
            << "l'avaria 1: «Làmpada 3» no és cap component de l'exercici";
        QTest::newRow("blowing a switch")
            << with(R"("faults": [{"kind": "làmpada-fosa", "component": "Commutador 1"}],)")
            << "l'avaria 1: «Commutador 1» no és cap làmpada";
        QTest::newRow("a dead contact on a lamp")
            << with(
                   R"("faults": [{"kind": "contacte-obert", "component": "Làmpada", "terminal": "born 1"}],)")
            << "«Làmpada» no és cap interruptor, commutador, creuament ni polsador";
        QTest::newRow("a dead contact on the pivot")
            << with(
                   R"("faults": [{"kind": "contacte-obert", "component": "Commutador 2", "terminal": "comú"}],)")
            << "l'avaria 1: «terminal» ha de ser un contacte fix de «Commutador 2»: «born 1» i "
               "«born 2»";
        QTest::newRow("a dead contact nowhere")
            << with(
                   R"("faults": [{"kind": "contacte-obert", "component": "Commutador 2", "terminal": "born 7"}],)")
            << "un contacte fix de «Commutador 2»";
        QTest::newRow("a fault repeated")
            << with(R"("faults": [{"kind": "làmpada-fosa", "component": "Làmpada"},
            {"kind": "conductor-obert", "conductor": ["Fase", "Commutador 1, comú"]},
            {"kind": "làmpada-fosa", "component": "Làmpada"}],)")
            << "l'avaria 3 repeteix l'avaria 1";
        QTest::newRow("a wiring to an unknown terminal")
            << QByteArray(base).replace("[\"Làmpada, born 2\", \"Neutre\", \"blau\"]",
                                        "[\"Làmpada, born 3\", \"Neutre\", \"blau\"]")
            << "el conductor 5 de «wiring» va a «Làmpada, born 3», que no és cap born de "
               "l'exercici «avaria-commutada»";
        QTest::newRow("a wiring to itself")
            << QByteArray(base).replace("[\"Làmpada, born 2\", \"Neutre\", \"blau\"]",
                                        "[\"Neutre\", \"Neutre\"]")
            << "el conductor 5 de «wiring» va del born «Neutre» a si mateix";
        QTest::newRow("a wiring repeated")
            << QByteArray(base).replace("[\"Làmpada, born 2\", \"Neutre\", \"blau\"]",
                                        "[\"Neutre\", \"Làmpada, born 2\"], [\"Làmpada, born 2\", "
                                        "\"Neutre\"]")
            << "el conductor 6 de «wiring» repeteix un altre que ja uneix «Làmpada, born 2» i "
               "«Neutre»";
        QTest::newRow("a wiring's colour unknown")
            << QByteArray(base).replace("\"Neutre\", \"blau\"]", "\"Neutre\", \"lila\"]")
            << "el color del conductor 5 de «wiring» ha de ser «marró»";
        QTest::newRow("wiring not a list")
            << QByteArray(base)
                   .remove(from, to - from)
                   .replace("\"faults\"", "\"wiring\": 3, \"faults\"")
            << "«wiring» ha de ser una llista de parells de noms de borns";
    }

    // A fault exercise that names what is not there is refused, saying
    // what, as any bad exercise file; every fault is told at once.
    void badFaultExercises() {
        QFETCH(QByteArray, json);
        QFETCH(QString, says);
        QString error;
        QVERIFY(!parseExercise(json, &error));
        QVERIFY2(error.contains(says), qPrintable(error));
    }

    // A dead contact may be any fixed contact of any switch kind: a
    // double switch's, a push button's, an intermediate switch's.
    void deadContactsOfEveryKind() {
        struct Case {
            const char* exercise;
            const char* component;
            const char* terminal;
            bool fixed;
        };
        for (const Case& c : {Case{"interruptor-doble", "Interruptor doble", "born 2", true},
                              Case{"interruptor-doble", "Interruptor doble", "comú", false},
                              Case{"timbre", "Polsador", "born 2", true},
                              Case{"timbre", "Polsador", "born 1", false},
                              Case{"encreuament", "Creuament", "born 4", true},
                              Case{"encreuament", "Creuament", "born 1", false},
                              Case{"punt-de-llum", "Interruptor", "born 2", true}}) {
            QByteArray json = exerciseFile(c.exercise);
            const QByteArray wiring =
                "\"wiring\": [[\"Fase\", \"Neutre\"]], \"faults\": [{\"kind\": \"contacte-obert\", "
                "\"component\": \"" +
                QByteArray(c.component) + "\", \"terminal\": \"" + QByteArray(c.terminal) +
                "\"}], \"format\"";
            json.replace("\"format\"", wiring);
            QString error;
            const std::optional<Exercise> e = parseExercise(json, &error);
            QVERIFY2(bool(e) == c.fixed, qPrintable(QString(c.exercise) + ": " + error));
            if (e) {
                QCOMPARE(e->faults.size(), size_t(1));
                QCOMPARE(e->terminals[size_t(e->faults[0].terminal)].name,
                         QString(c.component) + ", " + c.terminal);
            }
        }
    }

    // A pupil's file keeps every measurement and mark in order: not yet
    // repaired, it opens as the installation with its faults; repaired, as
    // whatever the pupil wired since.
    void recordsRoundTrip() {
        for (const Exercise* ep : faultExercises()) {
            const Exercise& e = *ep;
            FaultLog log = session(e);
            QCOMPARE(log.found(e), std::vector<bool>(e.faults.size(), true));
            Wiring w = Wiring::initial(e);
            w.setCombination(e.combinations() - 1);
            QString error;
            const QByteArray text = serializeWiring(e, w, log);
            QVERIFY2(text.contains("\"version\": 2"), text);
            std::optional<SavedWiring> back = parseWiring(text, &error);
            QVERIFY2(back, qPrintable(error));
            QVERIFY(back->wiring == w);
            QVERIFY(back->log == log);
            QCOMPARE(back->wiring.faults, e.faults);

            log.repaired = true;
            w.faults.clear();
            w.conductors.pop_back();
            back = parseWiring(serializeWiring(e, w, log), &error);
            QVERIFY2(back, qPrintable(error));
            QVERIFY(back->wiring == w);
            QVERIFY(back->log == log);
            QVERIFY(back->wiring.faults.empty());
        }
        // The faults never appear in the file; a plain exercise's file
        // has no record.
        const Exercise& plain = exercise("commutada");
        QVERIFY(!serializeWiring(plain, Wiring::empty(plain), session(exercise("avaria-commutada")))
                     .contains("measurements"));
    }

    // The record as a person reads it, one measurement and one mark a line.
    void recordAsWritten() {
        const Exercise& e = exercise("avaria-punt-de-llum");
        FaultLog log;
        log.measurements = {
            {Tool::Voltage, *e.terminal("Fase"), *e.terminal("Làmpada, born 1"), {1}, true, "0 V"},
            {Tool::Continuity,
             *e.terminal("Interruptor, born 2"),
             *e.terminal("Làmpada, born 1"),
             {0},
             false,
             "Circuit obert"}};
        log.marks = {{FaultMark::Target::Lamp, *e.component("Làmpada"), false},
                     {FaultMark::Target::Conductor, 1, true}};
        QCOMPARE(serializeWiring(e, Wiring::initial(e), log), QByteArray(R"({
  "format": "ampera-circuit",
  "version": 2,
  "exercise": "avaria-punt-de-llum",
  "conductors": [
    ["Fase", "Interruptor, born 1", "marró"],
    ["Interruptor, born 2", "Làmpada, born 1", "negre"],
    ["Làmpada, born 2", "Neutre", "blau"]
  ],
  "positions": {"Interruptor": 0},
  "measurements": [
    {"tool": "tensió", "terminals": ["Fase", "Làmpada, born 1"], "positions": {"Interruptor": 1}, "breaker": true, "reading": "0 V"},
    {"tool": "continuïtat", "terminals": ["Interruptor, born 2", "Làmpada, born 1"], "positions": {"Interruptor": 0}, "breaker": false, "reading": "Circuit obert"}
  ],
  "marks": [
    {"lamp": "Làmpada", "right": false},
    {"conductor": ["Interruptor, born 2", "Làmpada, born 1"], "right": true}
  ],
  "repaired": false
}
)"));
        // The pupil's example in the format's documentation is such a file.
        QFile page(QFINDTESTDATA("../docs/circuit-format.md"));
        QVERIFY(page.open(QIODevice::ReadOnly));
        const QByteArray doc = page.readAll();
        const qsizetype start = doc.indexOf("```json\n", doc.indexOf("```json\n") + 1) + 8;
        QString error;
        const std::optional<SavedWiring> documented =
            parseWiring(doc.mid(start, doc.indexOf("```", start) - start), &error);
        QVERIFY2(documented, qPrintable(error));
        QCOMPARE(documented->exercise->id, QString("avaria-commutada"));
        QVERIFY(!documented->log.measurements.empty() && !documented->log.marks.empty());
        for (const Measurement& m : documented->log.measurements) {
            Wiring w = Wiring::initial(*documented->exercise);
            w.positions = m.positions;
            QCOMPARE(reading(*documented->exercise, w, {}, m.tool, m.red, m.black, m.breakerOn),
                     m.reading);
        }
    }

    void editedRecords_data() {
        QTest::addColumn<QByteArray>("json");
        QTest::addColumn<QString>("says");
        const Exercise& e = exercise("avaria-punt-de-llum");
        FaultLog log;
        log.measurements = {
            {Tool::Voltage, *e.terminal("Fase"), *e.terminal("Neutre"), {1}, true, "230 V"},
            {Tool::Continuity,
             *e.terminal("Fase"),
             *e.terminal("Neutre"),
             {1},
             false,
             "Circuit obert"}};
        log.marks = {{FaultMark::Target::Lamp, *e.component("Làmpada"), false}};
        const QByteArray file = serializeWiring(e, Wiring::initial(e), log);
        QString error;
        QVERIFY2(parseWiring(file, &error), qPrintable(error));
        const auto edited = [&](const char* from, const char* to) {
            QByteArray text = file;
            if (!text.contains(from))
                qFatal("no %s in the file", from);
            return text.replace(from, to);
        };
        QTest::newRow("a probe on no terminal")
            << edited("[\"Fase\", \"Neutre\"], \"positions\": {\"Interruptor\": 1}, \"breaker\": "
                      "true",
                      "[\"Fase\", \"Làmpada, born 3\"], \"positions\": {\"Interruptor\": 1}, "
                      "\"breaker\": true")
            << "la mesura 1 nomena «Làmpada, born 3», que no és cap born de l'exercici "
               "«avaria-punt-de-llum»";
        QTest::newRow("an unknown tool")
            << edited("\"tensió\"", "\"amperímetre\"")
            << "la mesura 1: «tool» ha de ser «tensió» o «continuïtat»";
        QTest::newRow("one probe")
            << edited("[\"Fase\", \"Neutre\"], \"positions\": {\"Interruptor\": 1}, \"breaker\": "
                      "false",
                      "[\"Fase\"], \"positions\": {\"Interruptor\": 1}, \"breaker\": false")
            << "la mesura 2: «terminals» ha de ser el parell de borns";
        QTest::newRow("a switch that is not there")
            << edited("\"positions\": {\"Interruptor\": 1}, \"breaker\": true",
                      "\"positions\": {\"Commutador\": 1}, \"breaker\": true")
            << "la mesura 1: «positions» nomena «Commutador», que no és cap interruptor";
        QTest::newRow("a reading no tester shows")
            << edited("\"230 V\"", "\"molta\"")
            << "la mesura 1: el comprovador no pot mostrar «molta» amb el magnetotèrmic connectat";
        QTest::newRow("volts with the breaker off")
            << edited("\"breaker\": true, \"reading\": \"230 V\"",
                      "\"breaker\": false, \"reading\": \"230 V\"")
            << "el comprovador no pot mostrar «230 V» amb el magnetotèrmic desconnectat";
        QTest::newRow("continuity with the breaker on")
            << edited("\"breaker\": false, \"reading\": \"Circuit obert\"",
                      "\"breaker\": true, \"reading\": \"Circuit obert\"")
            << "la mesura 2: el comprovador no pot mostrar «Circuit obert»";
        QTest::newRow("breaker not a truth value")
            << edited("\"breaker\": true", "\"breaker\": 1")
            << "la mesura 1: «breaker» ha de ser cert o fals";
        QTest::newRow("measurements not a list")
            << edited("\"measurements\": [", "\"measurements\": 3, \"x\": [")
            << "«measurements» ha de ser una llista";
        QTest::newRow("a mark on a conductor not there")
            << edited("{\"lamp\": \"Làmpada\", \"right\": false}",
                      "{\"conductor\": [\"Fase\", \"Neutre\"], \"right\": false}")
            << "la marca 1 nomena el conductor «Fase» – «Neutre», que no és de la instal·lació de "
               "l'exercici «avaria-punt-de-llum»";
        QTest::newRow("a mark on no lamp")
            << edited("{\"lamp\": \"Làmpada\"", "{\"lamp\": \"Interruptor\"")
            << "la marca 1 nomena «Interruptor», que no és cap làmpada de l'exercici";
        QTest::newRow("a mark on a lamp's terminal")
            << edited("{\"lamp\": \"Làmpada\"", "{\"terminal\": \"Làmpada, born 1\"")
            << "la marca 1 nomena «Làmpada, born 1», que no és cap born d'un interruptor";
        QTest::newRow("a mark on nothing")
            << edited("{\"lamp\": \"Làmpada\", ", "{")
            << "la marca 1 ha de nomenar un sol «conductor», «lamp» o «terminal»";
        QTest::newRow("a mark on two things")
            << edited("{\"lamp\": \"Làmpada\", ",
                      "{\"lamp\": \"Làmpada\", \"terminal\": \"Fase\", ")
            << "la marca 1 ha de nomenar un sol";
        QTest::newRow("a wrong mark made right")
            << edited("\"right\": false", "\"right\": true")
            << "la marca 1 diu que hi ha trobat l'avaria, però allà no n'hi ha cap: el fitxer "
               "s'ha modificat";
        QTest::newRow("a right mark made wrong")
            << edited("{\"lamp\": \"Làmpada\"",
                      "{\"conductor\": [\"Làmpada, born 1\", \"Interruptor, born 2\"]")
            << "la marca 1 diu que no hi ha l'avaria, però hi és: el fitxer s'ha modificat";
        QTest::newRow("repaired before it was found")
            << edited("\"repaired\": false", "\"repaired\": true")
            << "diu que s'ha reparat, però no s'han trobat totes les avaries";
        QTest::newRow("repaired not a truth value")
            << edited("\"repaired\": false", "\"repaired\": \"no\"")
            << "«repaired» ha de ser cert o fals";
        // A record no longer than the bench keeps: a file stays small.
        FaultLog crowded = log;
        crowded.marks.assign(MaxMarks + 1, log.marks.front());
        QTest::newRow("too many marks")
            << serializeWiring(e, Wiring::initial(e), crowded)
            << QString("«marks» no pot tenir més de %1 elements").arg(MaxMarks);
        QTest::newRow("the installation changed before the repair")
            << edited(",\n    [\"Làmpada, born 2\", \"Neutre\", \"blau\"]", "")
            << "no s'ha reparat, però els conductors no són els de la instal·lació de l'exercici";
    }

    // A record edited to name what does not exist, or to claim what is not
    // so, is refused with a reason naming the measurement or the mark.
    void editedRecords() {
        QFETCH(QByteArray, json);
        QFETCH(QString, says);
        QString error;
        QVERIFY(!parseWiring(json, &error));
        QVERIFY2(error.contains(says), qPrintable(error));
    }
};

QTEST_GUILESS_MAIN(TestFaults)
#include "tst_faults.moc"
