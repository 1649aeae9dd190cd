// SPDX-License-Identifier: GPL-3.0-or-later
// Boards with push buttons, bells, impulse relays and staircase timers,
// judged by sequences: the checker against the oracle's own relays, timers
// and clock, for the wirings a learner gets right and the usual mistakes;
// the devices settling and running down; sequences in exercise files; and
// the wiring files of these exercises.
#include "circuit/checker.h"
#include "circuit/circuit_file.h"
#include "circuit/devices.h"
#include "circuit/exercise.h"

#include "circuit_oracle.h"
#include "natural_wirings.h"

#include <QRandomGenerator>
#include <QTest>

using namespace circuit;
namespace oracle = testing::circuit_oracle;
using testing::Conductors;
using testing::naturalWiring;
using testing::wiringOf;

namespace {

const Exercise& exercise(const QString& id) {
    for (const Exercise& e : builtInExercises())
        if (e.id == id)
            return e;
    qFatal("no exercise %s", qPrintable(id));
}

QString word(Judgement j) {
    return j == Judgement::Met ? "sí" : j == Judgement::Failed ? "no" : "—";
}

QString word(oracle::Mark m) {
    return m == oracle::Mark::Yes ? "sí" : m == oracle::Mark::No ? "no" : "—";
}

// The checker's sequences and marks are the oracle's; its verdict follows.
Report compareWithOracle(const Exercise& e, const Conductors& conductors) {
    const Report r = check(e, wiringOf(e, conductors));
    const oracle::SequenceMarks m = oracle::markSequences(e, conductors);
    const QByteArray id = e.id.toUtf8() + ": " + r.text.toUtf8();
    [&] {
        QCOMPARE(r.sequences.size(), m.passed.size());
        for (size_t i = 0; i < m.passed.size(); ++i)
            QVERIFY2(r.sequences[i].passed == m.passed[i],
                     id + " / " + r.sequences[i].name.toUtf8());
        QStringList ours, theirs;
        for (const Criterion& c : r.criteria)
            ours << word(c.judgement);
        theirs << word(m.works) << word(m.noShort) << word(m.phaseCut) << word(m.fullLight)
               << word(oracle::colourMark(e, conductors, std::vector<QString>(conductors.size())));
        QVERIFY2(ours == theirs,
                 id + " " + ours.join(' ').toUtf8() + " / " + theirs.join(' ').toUtf8());
        const Verdict expected = m.noShort == oracle::Mark::No    ? Verdict::ShortCircuit
                                 : m.works == oracle::Mark::No    ? Verdict::Wrong
                                 : m.phaseCut == oracle::Mark::No ? Verdict::NeutralSwitched
                                                                  : Verdict::Correct;
        QVERIFY2(r.verdict == expected, id);
    }();
    return r;
}

// The phase and the neutral swapped wherever a conductor meets the bars.
Conductors swapped(Conductors c) {
    for (auto& [a, b] : c)
        for (QString* end : {&a, &b})
            *end = *end == "Fase" ? QString("Neutre") : *end == "Neutre" ? QString("Fase") : *end;
    return c;
}

} // namespace

class TestSequences : public QObject {
    Q_OBJECT
  private slots:
    void wirings_data() {
        QTest::addColumn<QString>("id");
        QTest::addColumn<Conductors>("conductors");
        QTest::addColumn<int>("verdict");
        QTest::addColumn<QString>("says");
        QTest::addColumn<QString>("marks");
        for (const char* id : {"timbre", "telerruptor", "automatic-escala"}) {
            const QByteArray name(id);
            QTest::newRow(name + " natural")
                << QString(id) << naturalWiring(id) << int(Verdict::Correct)
                << QString("fa totes les seqüències") << "sí sí sí sí";
            QTest::newRow(name + " not wired") << QString(id) << Conductors{} << int(Verdict::Wrong)
                                               << QString("falla la seqüència") << "no — — —";
            QTest::newRow(name + " direct short")
                << QString(id) << Conductors{{"Fase", "Neutre"}} << int(Verdict::ShortCircuit)
                << QString("Curtcircuit a la seqüència") << "no no — —";
        }
        QTest::newRow("bell switched on the neutral")
            << "timbre" << swapped(naturalWiring("timbre")) << int(Verdict::NeutralSwitched)
            << QString("«Timbre» queda connectat a la fase") << "sí sí no sí";
        QTest::newRow("bell across the push button")
            << "timbre"
            << Conductors{{"Fase", "Polsador, born 1"},
                          {"Polsador, born 1", "Timbre, born 1"},
                          {"Polsador, born 2", "Timbre, born 2"},
                          {"Timbre, born 2", "Neutre"}}
            << int(Verdict::ShortCircuit) << QString("«Dos tocs», després de prémer «Polsador»")
            << "no no — sí";
        QTest::newRow("relay switched on the neutral")
            << "telerruptor" << swapped(naturalWiring("telerruptor"))
            << int(Verdict::NeutralSwitched) << QString("«Làmpada» queda connectat a la fase")
            << "sí sí no sí";
        for (const char* id : {"telerruptor", "automatic-escala"})
            QTest::newRow(QByteArray(id) + " push buttons in series")
                << QString(id) << testing::pushButtonsInSeries(id) << int(Verdict::Wrong)
                << QString("després de prémer «Polsador 2», «Làmpada%1» hauria de fer llum i és "
                           "apagada")
                       .arg(QString(id) == "telerruptor" ? "" : " 1")
                << "no — — —";
        // The push buttons feed the lamp and the coil together: the lamp
        // lights only while a button is held, whatever the relay does.
        Conductors acrossTheLamp = naturalWiring("telerruptor");
        std::erase_if(acrossTheLamp, [](const auto& c) {
            return c.first.startsWith("Telerruptor, contacte") ||
                   c.second.startsWith("Telerruptor, contacte");
        });
        acrossTheLamp.push_back({"Polsador 3, born 2", "Làmpada, born 1"});
        QTest::newRow("relay's coil across the lamp")
            << "telerruptor" << acrossTheLamp << int(Verdict::Wrong)
            << QString("després de prémer «Polsador 2», «Làmpada» hauria de fer llum i és apagada")
            << "no sí sí sí";
        // The timer's own neutral left out: its input never takes current,
        // yet reaches the phase, so it still works; its lamps, not.
        Conductors noLampNeutral = naturalWiring("automatic-escala");
        std::erase_if(noLampNeutral, [](const auto& c) { return c.first == "Làmpada 2, born 2"; });
        QTest::newRow("timer's second lamp without its neutral")
            << "automatic-escala" << noLampNeutral << int(Verdict::Wrong)
            << QString("«Làmpada 2» hauria de fer llum i és apagada") << "no sí sí sí";
    }

    // Each wiring as the oracle judges it, and as a learner reads it.
    void wirings() {
        QFETCH(QString, id);
        QFETCH(Conductors, conductors);
        QFETCH(int, verdict);
        QFETCH(QString, says);
        QFETCH(QString, marks);
        const Report r = compareWithOracle(exercise(id), conductors);
        if (QTest::currentTestFailed())
            return;
        QCOMPARE(int(r.verdict), verdict);
        QVERIFY2(r.text.contains(says), qPrintable(r.text));
        QStringList words;
        for (const Criterion& c : r.criteria)
            words << word(c.judgement);
        // Conductors without colours are not judged on them.
        QCOMPARE(words.takeLast(), QString("—"));
        QCOMPARE(words.join(' '), marks);
    }

    // Near-misses of the natural wirings: the checker agrees with the
    // oracle on every one.
    void randomWirings() {
        QRandomGenerator random(2024);
        int correct = 0, wrong = 0;
        for (const char* id : {"timbre", "telerruptor", "automatic-escala"}) {
            const Exercise& e = exercise(id);
            for (int round = 0; round < 200; ++round) {
                Conductors c = naturalWiring(id);
                for (int i = 0, changes = 1 + int(random.bounded(3)); i < changes; ++i) {
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
                std::erase_if(c, [](const auto& x) { return x.first == x.second; });
                const Report r = compareWithOracle(e, c);
                if (QTest::currentTestFailed()) {
                    for (const auto& [a, b] : c)
                        qWarning("  %s -- %s", qPrintable(a), qPrintable(b));
                    return;
                }
                (r.verdict == Verdict::Correct ? correct : wrong)++;
            }
        }
        // Both sides of the verdict were tried.
        QVERIFY2(correct > 20 && wrong > 100, qPrintable(QString("%1 %2").arg(correct).arg(wrong)));
    }

    // The relay changes only when its coil becomes energised: a second
    // button held with the first changes nothing; and its contact may feed
    // its own coil, which then holds it closed.
    void relayChangesOnRisingEdges() {
        const Exercise& e = exercise("telerruptor");
        Wiring w = wiringOf(e, naturalWiring("telerruptor"));
        DeviceState d = DeviceState::initial(e);
        const auto lit = [&](const Solution& s) { return s.glow(0) == Glow::Full; };
        QVERIFY(!lit(settle(e, w, d)));
        w.positions = {1, 0, 0};
        QVERIFY(lit(settle(e, w, d)));
        w.positions = {1, 1, 0};
        QVERIFY(lit(settle(e, w, d)));
        w.positions = {0, 0, 0};
        QVERIFY(lit(settle(e, w, d)));
        w.positions = {0, 0, 1};
        QVERIFY(!lit(settle(e, w, d)));

        Conductors holding = naturalWiring("telerruptor");
        holding.push_back({"Telerruptor, contacte 2", "Telerruptor, bobina 1"});
        Wiring h = wiringOf(e, holding);
        DeviceState dh = DeviceState::initial(e);
        h.positions = {1, 0, 0};
        settle(e, h, dh);
        h.positions = {0, 0, 0};
        QVERIFY(lit(settle(e, h, dh)));
        QVERIFY(!dh.restless);
        QCOMPARE(dh.positions, std::vector<int>{1});
        // Held on by its own contact, the coil never falls, so no press
        // ever turns it off again.
        h.positions = {0, 1, 0};
        QVERIFY(lit(settle(e, h, dh)));
        const Report r = check(e, h);
        QCOMPARE(int(r.verdict), int(Verdict::Wrong));
        QVERIFY2(r.text.contains("després de prémer «Polsador 1», «Làmpada» hauria de ser apagada"),
                 qPrintable(r.text));
    }

    // The timer keeps its lamps on for its time after the last press, and
    // for as long as a button is held.
    void timerRunsDown() {
        const Exercise& e = exercise("automatic-escala");
        Wiring w = wiringOf(e, naturalWiring("automatic-escala"));
        DeviceState d = DeviceState::initial(e);
        const auto lit = [](const Solution& s) {
            return s.glow(0) == Glow::Full && s.glow(1) == Glow::Full;
        };
        w.positions = {0, 1, 0};
        QVERIFY(lit(settle(e, w, d)));
        QVERIFY(lit(advance(e, w, d, 100)));
        QCOMPARE(d.remaining, std::vector<double>{30});
        w.positions = {0, 0, 0};
        settle(e, w, d);
        QVERIFY(lit(advance(e, w, d, 29.5)));
        QCOMPARE(d.remaining[0], 0.5);
        w.positions = {1, 0, 0};
        settle(e, w, d);
        w.positions = {0, 0, 0};
        settle(e, w, d);
        QVERIFY(lit(advance(e, w, d, 29)));
        const Solution dark = advance(e, w, d, 1);
        QVERIFY(dark.glow(0) == Glow::Off && dark.glow(1) == Glow::Off);
        QCOMPARE(d.positions, std::vector<int>{0});
    }

    // What the program adds to the file's sequences: each push button on
    // its own, toggling the relay's lamp, or lighting the timer's for its
    // time; a bell's exercise has only its file's.
    void ownSequences() {
        QStringList names;
        for (const Sequence& q : exercise("telerruptor").sequences)
            names << q.name;
        QCOMPARE(names, QStringList({"D'un polsador a un altre", "Dos polsadors alhora",
                                     "«Polsador 1» sol", "«Polsador 2» sol", "«Polsador 3» sol"}));
        const Exercise& timer = exercise("automatic-escala");
        QCOMPARE(timer.sequences.size(), size_t(4));
        double waited = 0;
        for (const SequenceStep& step : timer.sequences.back().steps)
            waited += step.seconds;
        QCOMPARE(waited, 31.0);
        QCOMPARE(exercise("timbre").sequences.size(), size_t(2));
    }

    void badSequences_data() {
        QTest::addColumn<QByteArray>("json");
        QTest::addColumn<QString>("says");
        const QByteArray head =
            R"({"format": "ampera-exercise", "version": 1, "id": "x", "title": "X", "instruction": "I",
            "components": [{"kind": "fase", "name": "Fase", "place": [1, 2]},
            {"kind": "neutre", "name": "Neutre", "place": [1, 19]},
            {"kind": "polsador", "name": "Polsador", "place": [14, 7]},
            {"kind": "timbre", "name": "Timbre", "place": [28, 9]}], )";
        const auto with = [&](const QByteArray& steps) {
            return head + R"("sequences": [{"name": "S", "steps": [)" + steps + "]}]}";
        };
        QString sound;
        QVERIFY2(parseExercise(with(R"({"press": "Polsador"}, {"expect": {"Timbre": 0}})"), &sound),
                 qPrintable(sound));
        QTest::newRow("no sequences") << head.chopped(2) + "}"
                                      << "cal «sequences»";
        QTest::newRow("a table instead") << head + R"("table": [[0], [1]]})"
                                         << "no amb «table»";
        QTest::newRow("press of a bell")
            << with(R"({"press": "Timbre"})")
            << "la seqüència 1, pas 1: «press» ha de ser el nom d'un polsador";
        QTest::newRow("expect of a push button") << with(R"({"expect": {"Polsador": 1}})")
                                                 << "«Polsador» no és cap làmpada ni cap timbre";
        QTest::newRow("expect of two")
            << with(R"({"expect": {"Timbre": 2}})") << "l'estat de «Timbre» ha de ser 0 o 1";
        QTest::newRow("wait backwards")
            << with(R"({"press": "Polsador"}, {"wait": -3})") << "pas 2: «wait» ha de ser";
        QTest::newRow("two actions in a step")
            << with(R"({"press": "Polsador", "wait": 3})") << "una sola clau";
        QTest::newRow("unknown action")
            << with(R"({"jump": "Polsador"})") << "acció desconeguda «jump»";
        QTest::newRow("no steps") << with("") << "«steps» ha de ser una llista";
        QTest::newRow("seconds on a lamp")
            << QByteArray(head).replace(R"("name": "Timbre", "place": [28, 9])",
                                        R"("name": "Timbre", "place": [28, 9], "seconds": 5)") +
                   R"("sequences": []})"
            << "«seconds» només el té un automàtic d'escala";
    }

    // A teacher's file with bad sequences is refused, saying where.
    void badSequences() {
        QFETCH(QByteArray, json);
        QFETCH(QString, says);
        QString error;
        QVERIFY(!parseExercise(json, &error));
        QVERIFY2(error.contains(says), qPrintable(error));
    }

    // Files of these exercises are version 2, a push button held is saved
    // at 1, and version 1 files of the older exercises are still so.
    void wiringFiles() {
        const Exercise& e = exercise("timbre");
        Wiring w = wiringOf(e, naturalWiring("timbre"));
        w.positions = {1};
        const QByteArray text = serializeWiring(e, w);
        QVERIFY(text.contains("\"version\": 2"));
        QVERIFY(text.contains("\"Polsador\": 1"));
        const std::optional<SavedWiring> back = parseWiring(text, nullptr);
        QVERIFY(back && back->wiring.positions == w.positions &&
                back->wiring.conductors == w.conductors);
        const Exercise& old = exercise("punt-de-llum");
        QVERIFY(serializeWiring(old, Wiring::empty(old)).contains("\"version\": 1"));
    }
};

QTEST_GUILESS_MAIN(TestSequences)
#include "tst_sequences.moc"
