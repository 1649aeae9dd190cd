// SPDX-License-Identifier: GPL-3.0-or-later
// The conductors' insulation colours: the checker's criterion against the
// oracle's own rule on every exercise wired right and with each conductor
// in a wrong colour, and on random wirings in random colours; exercises
// that ask nothing of colours; and colours in wiring files, old files
// without them included.
#include "circuit/checker.h"
#include "circuit/circuit_file.h"
#include "circuit/exercise.h"
#include "circuit/library.h"

#include "circuit_oracle.h"
#include "natural_wirings.h"

#include <QRandomGenerator>
#include <QTest>

using namespace circuit;
namespace oracle = testing::circuit_oracle;
using testing::Conductors;
using testing::naturalWiring;

namespace {

const Exercise& exercise(const QString& id) {
    for (const Exercise& e : builtInExercises())
        if (e.id == id)
            return e;
    qFatal("no exercise %s", qPrintable(id));
}

// The conductors in the colours named, "" for one that states none.
Wiring coloured(const Exercise& e, const Conductors& conductors,
                const std::vector<QString>& colours) {
    Wiring w = testing::wiringOf(e, conductors);
    for (size_t c = 0; c < colours.size(); ++c)
        w.conductors[c].colour = insulationNamed(colours[c]).value_or(Insulation::Unstated);
    return w;
}

// The colours an electrician gives: those the oracle asks for, brown on
// the others.
std::vector<QString> rightColours(const Exercise& e, const Conductors& conductors) {
    std::vector<QString> colours = oracle::neededColours(e, conductors);
    for (QString& c : colours)
        c = c.isEmpty() ? QStringLiteral("marró") : c.section(QLatin1Char(' '), 0, 0);
    return colours;
}

Judgement judgementOf(oracle::Mark m) {
    return m == oracle::Mark::Yes  ? Judgement::Met
           : m == oracle::Mark::No ? Judgement::Failed
                                   : Judgement::Unjudged;
}

} // namespace

class TestColours : public QObject {
    Q_OBJECT

  private slots:
    // Every exercise wired right in the right colours is right; each
    // conductor in a wrong colour makes it wrong, named by its terminals.
    void eachConductorInAWrongColour() {
        for (const Exercise& e : builtInExercises()) {
            const Conductors conductors = naturalWiring(e.id);
            const std::vector<QString> right = rightColours(e, conductors);
            const Report r = check(e, coloured(e, conductors, right));
            QVERIFY2(r.verdict == Verdict::Correct, qPrintable(e.id + ": " + r.text));
            QVERIFY2(r.criteria[4].met(), qPrintable(e.id));
            for (size_t c = 0; c < conductors.size(); ++c) {
                std::vector<QString> wrong = right;
                wrong[c] = right[c] == "marró" ? "blau" : right[c] == "blau" ? "negre" : "blau";
                const QByteArray where = (e.id + " " + conductors[c].first + " – " +
                                          conductors[c].second + " " + wrong[c])
                                             .toUtf8();
                QCOMPARE(oracle::colourMark(e, conductors, wrong), oracle::Mark::No);
                const Report bad = check(e, coloured(e, conductors, wrong));
                QVERIFY2(bad.criteria[4].failed(), where);
                QVERIFY2(bad.verdict == Verdict::Colours, where + ": " + bad.text.toUtf8());
                QVERIFY2(bad.text.startsWith("Funciona, però els colors dels conductors"),
                         qPrintable(bad.text));
                QVERIFY2(bad.text.contains(QStringLiteral("«%1» – «%2»")
                                               .arg(conductors[c].first, conductors[c].second)),
                         qPrintable(bad.text));
            }
        }
    }

    // The rule's words: what a wrong conductor needs, and every wrong one
    // named; a wiring wrong otherwise keeps its verdict and is told of the
    // colours after it.
    void theVerdictSaysWhatEachNeeds() {
        const Exercise& e = exercise("presa-de-corrent");
        const Conductors sockets = naturalWiring(e.id);
        std::vector<QString> colours = rightColours(e, sockets);
        for (QString& c : colours)
            c = "marró";
        const Report r = check(e, coloured(e, sockets, colours));
        QCOMPARE(r.verdict, Verdict::Colours);
        QVERIFY2(r.text.contains("va al neutre i ha de ser blau"), qPrintable(r.text));
        QVERIFY2(r.text.contains("va a la terra i ha de ser verd-groc"), qPrintable(r.text));
        QCOMPARE(r.text.count("«Presa, "), 2);

        const Exercise& single = exercise("punt-de-llum");
        Conductors neutralSwitched = testing::onTheNeutral(single.id);
        std::vector<QString> blue(neutralSwitched.size(), "blau");
        const Report both = check(single, coloured(single, neutralSwitched, blue));
        QCOMPARE(both.verdict, Verdict::NeutralSwitched);
        QVERIFY2(both.text.contains(" A més, els colors dels conductors no són els que toquen: "),
                 qPrintable(both.text));
        QVERIFY2(both.text.contains("no és el neutre i no pot ser blau"), qPrintable(both.text));
    }

    // Random wirings in random colours, some stating none: the checker's
    // mark is the oracle's.
    void randomColoursAgreeWithTheOracle() {
        QRandomGenerator random(20261209);
        static const QStringList names = {"", "marró", "negre", "gris", "blau", "verd-groc"};
        for (const Exercise& e : builtInExercises())
            for (int round = 0; round < 60; ++round) {
                Conductors c = naturalWiring(e.id);
                const auto terminal = [&] {
                    return e.terminals[random.bounded(quint32(e.terminals.size()))].name;
                };
                for (int i = int(random.bounded(3)); i > 0; --i) {
                    const QString a = terminal(), b = terminal();
                    if (a != b)
                        c.push_back({a, b});
                }
                std::vector<QString> colours = rightColours(e, c);
                for (QString& colour : colours)
                    if (random.bounded(3) == 0)
                        colour = names[int(random.bounded(quint32(names.size())))];
                const Criterion ours = judgeColours(e, coloured(e, c, colours), nullptr);
                const oracle::Mark theirs = oracle::colourMark(e, c, colours);
                if (ours.judgement != judgementOf(theirs)) {
                    for (size_t i = 0; i < c.size(); ++i)
                        qWarning("  %s -- %s %s", qPrintable(c[i].first), qPrintable(c[i].second),
                                 qPrintable(colours[i]));
                    QFAIL(qPrintable(e.id + ": " + ours.where));
                }
            }
    }

    // "colours": false asks nothing of colours; anything but true or false
    // is refused.
    void anExerciseMayLeaveColoursOut() {
        QFile file(":/exercises/punt-de-llum.json");
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QByteArray json = file.readAll();
        const QByteArray off =
            QByteArray(json).replace("\"format\"", "\"colours\": false, \"format\"");
        QString error;
        const std::optional<Exercise> e = parseExercise(off, &error);
        QVERIFY2(e, qPrintable(error));
        QVERIFY(!e->coloursJudged);
        const Conductors conductors = naturalWiring("punt-de-llum");
        const Report r = check(*e, coloured(*e, conductors, std::vector<QString>(3, "blau")));
        QCOMPARE(r.verdict, Verdict::Correct);
        QCOMPARE(r.criteria[4].judgement, Judgement::Unjudged);
        QVERIFY(exercise("punt-de-llum").coloursJudged);

        const QByteArray bad =
            QByteArray(json).replace("\"format\"", "\"colours\": \"no\", \"format\"");
        QVERIFY(!parseExercise(bad, &error));
        QVERIFY2(error.contains("«colours» ha de ser cert o fals"), qPrintable(error));
    }

    // Colours are the third element of a conductor, written in version 2;
    // a file without them opens, is judged as before and is not judged on
    // colours; a file that states some is judged on every conductor.
    void filesKeepTheColours() {
        const Exercise& e = exercise("punt-de-llum");
        const Conductors conductors = naturalWiring(e.id);
        const Wiring w = coloured(e, conductors, {"marró", "negre", "blau"});
        const QByteArray text = serializeWiring(e, w);
        QVERIFY2(text.contains("\"version\": 2"), text);
        QVERIFY2(text.contains("[\"Fase\", \"Interruptor, born 1\", \"marró\"]"), text);
        QString error;
        const std::optional<SavedWiring> back = parseWiring(text, &error);
        QVERIFY2(back, qPrintable(error));
        QVERIFY(back->wiring.conductors == w.conductors);

        const Wiring plain = testing::wiringOf(e, conductors);
        QVERIFY(serializeWiring(e, plain).contains("\"version\": 1"));
        const QByteArray old = R"({"format": "ampera-circuit", "version": 1,
            "exercise": "punt-de-llum", "conductors": [["Fase", "Interruptor, born 1"],
            ["Interruptor, born 2", "Làmpada, born 1"], ["Làmpada, born 2", "Neutre"]]})";
        const std::optional<SavedWiring> opened = parseWiring(old, &error);
        QVERIFY2(opened, qPrintable(error));
        const Report r = check(e, opened->wiring);
        QCOMPARE(r.verdict, Verdict::Correct);
        QCOMPARE(r.criteria[4].judgement, Judgement::Unjudged);

        // One colour stated: the conductor to the neutral that states none
        // is not blue.
        const QByteArray some = QByteArray(old).replace("\"Interruptor, born 1\"]",
                                                        "\"Interruptor, born 1\", \"marró\"]");
        const Report partly = check(e, parseWiring(some, &error)->wiring);
        QVERIFY(partly.criteria[4].failed());
        QVERIFY2(partly.text.contains("«Làmpada, born 2» – «Neutre» va al neutre"),
                 qPrintable(partly.text));
    }
};

QTEST_GUILESS_MAIN(TestColours)
#include "tst_colours.moc"
