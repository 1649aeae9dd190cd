// SPDX-License-Identifier: GPL-3.0-or-later
// `ampera --check` run as a teacher runs it, as a child process with no
// display: its verdict lines and criteria (a fault exercise's included),
// its CSV, its exit status, its help and its answer to arguments it does
// not know.
#include "circuit/checker.h"
#include "circuit/circuit_file.h"
#include "circuit/exercise.h"
#include "program_run.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

using namespace circuit;

namespace {

using Run = testing::ProgramRun;

const Exercise& exercise(const QString& id) {
    for (const Exercise& e : builtInExercises())
        if (e.id == id)
            return e;
    qFatal("no built-in exercise %s", qPrintable(id));
}

class TestCheckCommand : public QObject {
    Q_OBJECT

  private slots:
    void initTestCase() {
        QVERIFY2(QFile::exists(testing::programPath()), "build the ampera target first");
        QVERIFY(folder_.isValid());
        write("correct.ampera",
              R"({"format": "ampera-circuit", "version": 1, "exercise": "punt-de-llum",
            "conductors": [["Fase", "Interruptor, born 1"], ["Interruptor, born 2", "Làmpada, born 1"],
                           ["Làmpada, born 2", "Neutre"]]})");
        write(QString::fromUtf8("Ŀluïsa.ampera"),
              R"({"format": "ampera-circuit", "version": 1, "exercise": "punt-de-llum",
            "conductors": [["Fase", "Interruptor, born 1"], ["Interruptor, born 2", "Làmpada, born 1"],
                           ["Làmpada, born 2", "Neutre"]]})");
        write("crossed.ampera",
              R"({"format": "ampera-circuit", "version": 1, "exercise": "commutada",
            "conductors": [["Fase", "Commutador 1, comú"], ["Commutador 1, born 1", "Commutador 2, born 2"],
                           ["Commutador 1, born 2", "Commutador 2, born 1"], ["Commutador 2, comú", "Làmpada, born 1"],
                           ["Làmpada, born 2", "Neutre"]], "positions": {"Commutador 2": 1}})");
        write("short.ampera", R"({"format": "ampera-circuit", "version": 1, "exercise": "commutada",
            "conductors": [["Fase", "Commutador 1, comú"], ["Commutador 1, born 1", "Commutador 2, born 1"],
                           ["Commutador 2, comú", "Neutre"], ["Fase", "Làmpada, born 1"], ["Làmpada, born 2", "Neutre"]]})");
        write("neutral.ampera",
              R"({"format": "ampera-circuit", "version": 1, "exercise": "punt-de-llum",
            "conductors": [["Neutre", "Interruptor, born 1"], ["Interruptor, born 2", "Làmpada, born 1"],
                           ["Làmpada, born 2", "Fase"]]})");
        write("series.ampera",
              R"({"format": "ampera-circuit", "version": 1, "exercise": "dos-llums",
            "conductors": [["Fase", "Interruptor, born 1"], ["Interruptor, born 2", "Làmpada 1, born 1"],
                           ["Làmpada 1, born 2", "Làmpada 2, born 1"], ["Làmpada 2, born 2", "Neutre"]]})");
        write("empty.ampera", R"({"format": "ampera-circuit", "version": 1, "exercise": "commutada",
            "conductors": []})");
        write("no-neutral.ampera",
              R"({"format": "ampera-circuit", "version": 1, "exercise": "punt-de-llum",
            "conductors": [["Fase", "Interruptor, born 1"], ["Interruptor, born 2", "Làmpada, born 1"]]})");
        write("broken.ampera", "{\"format\": \"ampera-circuit\",\n\"version\": 1,\n\"exercise\": ");
        write(
            "stranger.ampera",
            R"({"format": "ampera-circuit", "version": 1, "exercise": "escala", "conductors": []})");
    }

    // One line per file with the workshop's verdict, and under it the four
    // criteria; 0 when every file is correct.
    void correctFiles() {
        const Run run = ampera({"--check", "correct.ampera", "crossed.ampera"});
        QCOMPARE(run.status, 0);
        const QStringList lines = run.out.split('\n');
        QCOMPARE(lines.size(), 13);
        QVERIFY(lines[0].startsWith("correct.ampera: Correcte"));
        QCOMPARE(lines.mid(1, 4),
                 QStringList({"  Funciona en totes les combinacions: sí", "  Cap curtcircuit: sí",
                              "  Els interruptors tallen la fase: sí",
                              "  Les làmpades fan tota la llum: sí"}));
        // A file of conductors without colours is not judged on them.
        QCOMPARE(lines[5], QString("  Colors dels conductors: —"));
        QVERIFY(lines[6].startsWith("crossed.ampera: Correcte"));
        QVERIFY(lines[6].contains("creuats respecte de l'habitació 3"));
        QCOMPARE(lines[12], QString());
        QVERIFY(run.err.isEmpty());
    }

    // Faulty wirings: their verdicts, "no" with the first failing
    // combination, and 1.
    void wrongWirings() {
        const Run run = ampera(
            {"--check", "correct.ampera", "short.ampera", "neutral.ampera", "series.ampera"});
        QCOMPARE(run.status, 1);
        const QStringList lines = run.out.split('\n');
        QCOMPARE(lines.size(), 25);
        QVERIFY(lines[6].startsWith(
            "short.ampera: Curtcircuit en la combinació Commutador 1 = 0, Commutador 2 = 0"));
        QCOMPARE(
            lines[7],
            QString(
                "  Funciona en totes les combinacions: no (Commutador 1 = 0, Commutador 2 = 0)"));
        QCOMPARE(lines[8], QString("  Cap curtcircuit: no (Commutador 1 = 0, Commutador 2 = 0)"));
        QVERIFY(lines[12].startsWith(
            "neutral.ampera: Funciona, però no és segur: s'ha tallat el neutre"));
        QCOMPARE(lines[15], QString("  Els interruptors tallen la fase: no (Interruptor = 0)"));
        QVERIFY(lines[18].startsWith("series.ampera: Les làmpades estan en sèrie"));
        QCOMPARE(lines[22], QString("  Les làmpades fan tota la llum: no (Interruptor = 1)"));
    }

    // Wirings of the socket and double-switch exercises: the socket's own
    // verdicts, and a double switch's buttons named in "positions".
    void socketsAndDoubleSwitches() {
        write("presa.ampera",
              R"({"format": "ampera-circuit", "version": 2, "exercise": "presa-de-corrent",
            "conductors": [["Fase", "Presa, neutre"], ["Neutre", "Presa, fase"], ["Terra", "Presa, terra"]]})");
        write("presa-sense-terra.ampera", R"({"format": "ampera-circuit", "version": 2,
            "exercise": "punt-de-llum-i-presa",
            "conductors": [["Fase", "Interruptor, born 1"], ["Interruptor, born 2", "Làmpada, born 1"],
                           ["Làmpada, born 2", "Neutre"], ["Fase", "Presa, fase"], ["Neutre", "Presa, neutre"]]})");
        write("doble.ampera",
              R"({"format": "ampera-circuit", "version": 2, "exercise": "interruptor-doble",
            "conductors": [["Fase", "Interruptor doble, comú"], ["Interruptor doble, born 1", "Làmpada 1, born 1"],
                           ["Interruptor doble, born 2", "Làmpada 2, born 1"], ["Làmpada 1, born 2", "Neutre"],
                           ["Làmpada 2, born 2", "Neutre"]], "positions": {"Interruptor doble 2": 1}})");
        write("doble-mal.ampera",
              R"({"format": "ampera-circuit", "version": 2, "exercise": "interruptor-doble",
            "conductors": [["Fase", "Interruptor doble, comú"], ["Interruptor doble, born 1", "Làmpada 1, born 1"],
                           ["Interruptor doble, born 1", "Làmpada 2, born 1"], ["Làmpada 1, born 2", "Neutre"],
                           ["Làmpada 2, born 2", "Neutre"]]})");
        const Run run = ampera({"--check", "presa.ampera", "presa-sense-terra.ampera",
                                "doble.ampera", "doble-mal.ampera"});
        QCOMPARE(run.status, 1);
        const QStringList lines = run.out.split('\n');
        QCOMPARE(lines.size(), 25);
        QCOMPARE(lines[0], QString("presa.ampera: Correcte: la presa té tensió i terra i la "
                                   "instal·lació és segura."));
        QCOMPARE(lines.mid(1, 4),
                 QStringList({"  Funciona en totes les combinacions: sí", "  Cap curtcircuit: sí",
                              "  Els interruptors tallen la fase: —",
                              "  Les làmpades fan tota la llum: —"}));
        QCOMPARE(lines[6], QString("presa-sense-terra.ampera: La presa «Presa» no té el born de "
                                   "terra connectat a la terra."));
        QCOMPARE(lines[7], QString("  Funciona en totes les combinacions: no (Interruptor = 0)"));
        QVERIFY(lines[12].startsWith("doble.ampera: Correcte"));
        QCOMPARE(lines[18], QString("doble-mal.ampera: No fa el que demana l'exercici: 2 de 4 "
                                    "combinacions no coincideixen amb la taula (la primera, "
                                    "Interruptor doble 1 = 0, Interruptor doble 2 = 1)."));
        QVERIFY(run.err.isEmpty());
        // The buttons are named one by one; the component's own name is none of them.
        write("doble-nom.ampera", R"({"format": "ampera-circuit", "version": 2,
            "exercise": "interruptor-doble", "conductors": [], "positions": {"Interruptor doble": 1}})");
        const Run named = ampera({"--check", "doble-nom.ampera"});
        QCOMPARE(named.status, 2);
        QVERIFY2(named.out.contains("«Interruptor doble», que no és cap interruptor"),
                 qPrintable(named.out));
    }

    // Boards with push buttons, relays and timers are judged by their
    // sequences; the verdict names the first that fails and what happened.
    void sequenceFiles() {
        write("timbre.ampera", R"({"format": "ampera-circuit", "version": 2, "exercise": "timbre",
            "conductors": [["Fase", "Polsador, born 1"], ["Polsador, born 2", "Timbre, born 1"],
                           ["Timbre, born 2", "Neutre"]]})");
        write("timbre-neutre.ampera",
              R"({"format": "ampera-circuit", "version": 2, "exercise": "timbre",
            "conductors": [["Neutre", "Polsador, born 1"], ["Polsador, born 2", "Timbre, born 1"],
                           ["Timbre, born 2", "Fase"]]})");
        write("escala-serie.ampera", R"({"format": "ampera-circuit", "version": 2,
            "exercise": "automatic-escala",
            "conductors": [["Fase", "Automàtic, fase"], ["Neutre", "Automàtic, neutre"],
                ["Fase", "Polsador 1, born 1"], ["Polsador 1, born 2", "Polsador 2, born 1"],
                ["Polsador 2, born 2", "Polsador 3, born 1"], ["Polsador 3, born 2", "Automàtic, polsadors"],
                ["Automàtic, làmpades", "Làmpada 1, born 1"], ["Automàtic, làmpades", "Làmpada 2, born 1"],
                ["Làmpada 1, born 2", "Neutre"], ["Làmpada 2, born 2", "Neutre"]]})");
        const Run run =
            ampera({"--check", "timbre.ampera", "timbre-neutre.ampera", "escala-serie.ampera"});
        QCOMPARE(run.status, 1);
        const QStringList lines = run.out.split('\n');
        QCOMPARE(lines.size(), 19);
        QVERIFY2(
            lines[0].startsWith("timbre.ampera: Correcte: el muntatge fa totes les seqüències"),
            qPrintable(lines[0]));
        QCOMPARE(lines[6],
                 QString("timbre-neutre.ampera: Funciona, però no és segur: s'ha tallat el "
                         "neutre en lloc de la fase, i «Timbre» queda connectat a la fase "
                         "quan no sona (seqüència «Un toc», en repòs)."));
        QCOMPARE(lines[9],
                 QString("  Els interruptors tallen la fase: no (seqüència «Un toc», en repòs)"));
        QCOMPARE(lines[12],
                 QString("escala-serie.ampera: No fa el que demana l'exercici: falla la "
                         "seqüència «Una pulsació nova torna a començar el temps»: després "
                         "de prémer «Polsador 2», «Làmpada 1» hauria de fer llum i és "
                         "apagada."));
        QCOMPARE(lines[13], QString("  Funciona en totes les combinacions: no (seqüència «Una "
                                    "pulsació nova torna a començar el temps»)"));
    }

    // What cannot be judged, because no lamp ever lights, is "—" and never
    // "sí"; a lamp with no neutral is said to be one, in the text and in
    // the CSV alike.
    void unjudgedCriteria() {
        const Run run = ampera({"--check", "empty.ampera", "no-neutral.ampera"});
        QCOMPARE(run.status, 1);
        const QStringList lines = run.out.split('\n');
        QCOMPARE(
            lines.mid(0, 12),
            QStringList({"empty.ampera: La làmpada no s'encén en cap combinació.",
                         "  Funciona en totes les combinacions: no (Commutador 1 = 0, "
                         "Commutador 2 = 0)",
                         "  Cap curtcircuit: —", "  Els interruptors tallen la fase: —",
                         "  Les làmpades fan tota la llum: —", "  Colors dels conductors: —",
                         "no-neutral.ampera: La làmpada no s'encén en cap combinació. Quan "
                         "és apagada, la làmpada queda a la tensió de la fase (combinació "
                         "Interruptor = 1), perquè no té el neutre connectat.",
                         "  Funciona en totes les combinacions: no (Interruptor = 1)",
                         "  Cap curtcircuit: —", "  Els interruptors tallen la fase: —",
                         "  Les làmpades fan tota la llum: —", "  Colors dels conductors: —"}));
        const Run csv = ampera({"--check", "--csv-separator", ";", "empty.ampera"});
        QCOMPARE(csv.out.split('\n').value(1),
                 QString("empty.ampera;commutada;Incorrecte;La làmpada no s'encén en cap "
                         "combinació.;no (Commutador 1 = 0, Commutador 2 = 0);—;—;—;—;;;"));
    }

    // A file that cannot be read or is invalid gets its reason, the others
    // are still checked, and the status is 2.
    void badFiles() {
        const Run run = ampera(
            {"--check", "broken.ampera", "missing.ampera", "stranger.ampera", "short.ampera"});
        QCOMPARE(run.status, 2);
        const QStringList lines = run.out.split('\n');
        QCOMPARE(
            lines[0],
            QString("broken.ampera: error: no és JSON vàlid: falta tancar un objecte a la línia 3, "
                    "columna 13"));
        QCOMPARE(lines[1], QString("missing.ampera: error: no existeix"));
        QCOMPARE(
            lines[2],
            QString("stranger.ampera: error: l'exercici «escala» no el coneix aquest programa"));
        QVERIFY(lines[3].startsWith("short.ampera: Curtcircuit"));
    }

    // A teacher's exercise file is validated as the program would load it.
    void exerciseFiles() {
        QFile builtIn(":/exercises/punt-de-llum.json");
        QVERIFY(builtIn.open(QIODevice::ReadOnly));
        const QByteArray exercise = builtIn.readAll();
        write("rebedor.json", QByteArray(exercise)
                                  .replace("\"punt-de-llum\"", "\"rebedor\"")
                                  .replace("\"Punt de llum simple\"", "\"El rebedor\""));
        write("garatge.json", QByteArray(exercise).replace("\"frmCuina\"", "\"frmGaratge\""));
        const Run run = ampera({"--check", "rebedor.json", "garatge.json", "correct.ampera"});
        QCOMPARE(run.status, 2);
        const QStringList lines = run.out.split('\n');
        QCOMPARE(lines[0], QString("rebedor.json: exercici vàlid: El rebedor"));
        QVERIFY2(
            lines[1].startsWith("garatge.json: error: «room» ha de ser una estança de la casa"),
            qPrintable(lines[1]));
        QVERIFY(lines[2].startsWith("correct.ampera: Correcte"));
        QCOMPARE(ampera({"--check", "rebedor.json"}).status, 0);
        // Every fault that does not hide the others, one a line.
        write("faults.json", QByteArray(exercise)
                                 .replace("\"frmCuina\"", "\"frmGaratge\"")
                                 .replace("\"punt-de-llum\"", "\"Punt\"")
                                 .replace("\"version\": 1,", "\"version\": 1, \"complement\": 2,"));
        const Run faults = ampera({"--check", "faults.json"});
        QCOMPARE(faults.status, 2);
        const QStringList faultLines = faults.out.split('\n');
        QCOMPARE(faultLines.size(), 4);
        QVERIFY2(faultLines[0].startsWith("faults.json: error: «room» ha de ser una estança"),
                 qPrintable(faults.out));
        QCOMPARE(faultLines[1],
                 QString("faults.json: error: l'identificador «Punt» només pot tenir minúscules, "
                         "xifres i guions"));
        QCOMPARE(faultLines[2], QString("faults.json: error: «complement» ha de ser cert o fals"));
        const Run csv = ampera({"--check", "--csv", "faults.json"});
        QVERIFY2(csv.out.split('\n').value(1).contains(
                     "i guions; «complement» ha de ser cert o fals\",,,,,"),
                 qPrintable(csv.out));
    }

    // One row per file, the criteria as columns, quoted where a field has
    // a comma; every row as wide as the heading.
    void csv() {
        const Run run =
            ampera({"--check", "--csv", "correct.ampera", "short.ampera", "missing.ampera"});
        QCOMPARE(run.status, 2);
        QCOMPARE(
            run.out.split('\n'),
            QStringList(
                {"fitxer,exercici,resultat,veredicte,Funciona en totes les combinacions,Cap "
                 "curtcircuit,Els interruptors tallen la fase,Les làmpades fan tota la llum,Colors "
                 "dels conductors,Avaria trobada,Marques errònies,Mesures",
                 "correct.ampera,punt-de-llum,Correcte," + verdict("correct.ampera") +
                     ",sí,sí,sí,sí,—,,,",
                 "short.ampera,commutada,Incorrecte," + verdict("short.ampera") +
                     ",\"no (Commutador 1 = 0, Commutador 2 = 0)\",\"no (Commutador 1 = 0, "
                     "Commutador 2 = "
                     "0)\",—,sí,—,,,",
                 "missing.ampera,,Error,error: no existeix,,,,,,,,", ""}));
        // With semicolons, commas need no quotes and semicolons do.
        const Run semicolons =
            ampera({"--check", "--csv-separator", ";", "short.ampera", "missing.ampera"});
        QCOMPARE(semicolons.status, 2);
        const QStringList rows = semicolons.out.split('\n');
        QVERIFY(rows[0].startsWith("fitxer;exercici;resultat;veredicte;Funciona"));
        QVERIFY2(rows[1].startsWith("short.ampera;commutada;Incorrecte;") &&
                     rows[1].endsWith(";no (Commutador 1 = 0, Commutador 2 = 0);no (Commutador 1 "
                                      "= 0, Commutador 2 = 0);—;sí;—;;;"),
                 qPrintable(rows[1]));
        QCOMPARE(rows[2], QString("missing.ampera;;Error;error: no existeix;;;;;;;;"));
    }

    // The teachers' exercises are known too, and bad ones reported.
    void teachersExercise() {
#ifdef Q_OS_WIN
        QSKIP("Windows finds the data folders as the user's known folders, which a child "
              "process cannot be given; the packages' test puts an exercise there instead");
#endif
        QFile builtIn(":/exercises/punt-de-llum.json");
        QVERIFY(builtIn.open(QIODevice::ReadOnly));
        QVERIFY(QDir(folder_.path()).mkpath("data/ampera/exercicis"));
        write("data/ampera/exercicis/escala.json",
              builtIn.readAll().replace("\"punt-de-llum\"", "\"escala\""));
        write("data/ampera/exercicis/trencat.json", "{");
        const Run run = ampera({"--check", "stranger.ampera"}, folder_.filePath("data"));
        QCOMPARE(run.status, 1);
        QVERIFY2(run.out.startsWith("stranger.ampera: La làmpada no s'encén en cap combinació."),
                 qPrintable(run.out));
        // A bad exercise file is named on the error stream, with its fault.
        QVERIFY2(run.err.startsWith("ampera: s'ha deixat de banda l'exercici «" +
                                    folder_.filePath("data/ampera/exercicis/trencat.json") +
                                    "»: no és JSON vàlid"),
                 qPrintable(run.err));
    }

    // A pupil's file of a fault exercise: the verdict and the five
    // criteria, then whether every fault was found, the wrong marks and
    // the measurements; 0 only once every fault is found and repaired and
    // the wiring is right. The CSV has the three columns on every row.
    void faultFiles() {
        const Exercise& e = exercise("avaria-punt-de-llum");
        FaultLog log;
        for (const int position : {0, 1})
            log.measurements.push_back({Tool::Voltage,
                                        *e.terminal("Fase"),
                                        *e.terminal("Làmpada, born 1"),
                                        {position},
                                        true,
                                        "0 V"});
        log.marks = {{FaultMark::Target::Lamp, *e.component("Làmpada"), false}};
        write("cercant.ampera", serializeWiring(e, Wiring::initial(e), log));
        log.marks.push_back({FaultMark::Target::Conductor, 1, true});
        write("trobada.ampera", serializeWiring(e, Wiring::initial(e), log));
        log.repaired = true;
        Wiring mended = Wiring::initial(e);
        mended.faults.clear();
        write("reparada.ampera", serializeWiring(e, mended, log));
        mended.conductors.pop_back();
        write("reparada-mal.ampera", serializeWiring(e, mended, log));

        const Run searching = ampera({"--check", "cercant.ampera"});
        QCOMPARE(searching.status, 1);
        QStringList lines = searching.out.split('\n');
        QCOMPARE(lines.size(), 10);
        QCOMPARE(lines[0], QString("cercant.ampera: La làmpada no s'encén en cap combinació."));
        QCOMPARE(lines.mid(6), QStringList({"  Avaria trobada: no (0 de 1)",
                                            "  Marques errònies: 1", "  Mesures: 2", ""}));
        const Run found = ampera({"--check", "trobada.ampera"});
        QCOMPARE(found.status, 1);
        QVERIFY2(found.out.contains("  Avaria trobada: sí\n  Marques errònies: 1\n  Mesures: 2\n"),
                 qPrintable(found.out));
        const Run repaired = ampera({"--check", "reparada.ampera", "correct.ampera"});
        QCOMPARE(repaired.status, 0);
        lines = repaired.out.split('\n');
        QVERIFY2(lines[0].startsWith("reparada.ampera: Correcte"), qPrintable(lines[0]));
        QCOMPARE(lines[6], QString("  Avaria trobada: sí"));
        QVERIFY2(lines[9].startsWith("correct.ampera: Correcte"), qPrintable(lines[9]));
        QCOMPARE(lines.size(), 16);
        QCOMPARE(ampera({"--check", "reparada-mal.ampera"}).status, 1);

        const Run csv =
            ampera({"--check", "--csv", "cercant.ampera", "reparada.ampera", "correct.ampera"});
        const QStringList rows = csv.out.split('\n');
        QVERIFY2(rows[1].startsWith("cercant.ampera,avaria-punt-de-llum,Incorrecte,") &&
                     rows[1].endsWith(",no (0 de 1),1,2"),
                 qPrintable(rows[1]));
        QVERIFY2(rows[2].startsWith("reparada.ampera,avaria-punt-de-llum,Correcte,") &&
                     rows[2].endsWith(",sí,1,2"),
                 qPrintable(rows[2]));
        QVERIFY2(rows[3].endsWith(",sí,sí,sí,sí,—,,,"), qPrintable(rows[3]));

        // A file edited to claim the mark was right is refused; a fault
        // exercise's own file validates as any exercise.
        write("editada.ampera", serializeWiring(e, Wiring::initial(e),
                                                {{}, {{FaultMark::Target::Lamp, 3, false}}, false})
                                    .replace("\"right\": false", "\"right\": true"));
        const Run edited = ampera({"--check", "editada.ampera"});
        QCOMPARE(edited.status, 2);
        QVERIFY2(edited.out.contains("la marca 1 diu que hi ha trobat l'avaria, però allà no n'hi "
                                     "ha cap"),
                 qPrintable(edited.out));
        QFile own(":/exercises/avaria-encreuament.json");
        QVERIFY(own.open(QIODevice::ReadOnly));
        write("avaria.json", own.readAll());
        const Run valid = ampera({"--check", "avaria.json"});
        QCOMPARE(valid.status, 0);
        QCOMPARE(valid.out, QString("avaria.json: exercici vàlid: Avaria en un encreuament\n"));
    }

    // Two faults, one found: "no (1 de 2)".
    void partlyFound() {
#ifdef Q_OS_WIN
        QSKIP("Windows finds the data folders as the user's known folders, which a child "
              "process cannot be given");
#endif
        QFile builtIn(":/exercises/avaria-dos-llums.json");
        QVERIFY(builtIn.open(QIODevice::ReadOnly));
        const QByteArray json =
            builtIn.readAll()
                .replace("\"avaria-dos-llums\"", "\"dues-avaries\"")
                .replace(R"({"kind": "làmpada-fosa", "component": "Làmpada 2"})",
                         R"({"kind": "làmpada-fosa", "component": "Làmpada 2"},
                            {"kind": "conductor-obert", "conductor": ["Fase", "Interruptor, born 1"]})");
        QString error;
        const std::optional<Exercise> e = parseExercise(json, &error);
        QVERIFY2(e && e->faults.size() == 2, qPrintable(error));
        QVERIFY(QDir(folder_.path()).mkpath("faults/ampera/exercicis"));
        write("faults/ampera/exercicis/dues-avaries.json", json);
        FaultLog log;
        log.marks = {{FaultMark::Target::Lamp, *e->component("Làmpada 2"), true},
                     {FaultMark::Target::Lamp, *e->component("Làmpada 1"), false}};
        write("dues.ampera", serializeWiring(*e, Wiring::initial(*e), log));
        const Run run = ampera({"--check", "dues.ampera"}, folder_.filePath("faults"));
        QCOMPARE(run.status, 1);
        QVERIFY2(run.out.contains("  Avaria trobada: no (1 de 2)\n  Marques errònies: 1\n  "
                                  "Mesures: 0\n"),
                 qPrintable(run.out));
    }

    void commandLine_data() {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<int>("status");
        QTest::addColumn<QString>("out");
        QTest::addColumn<QString>("err");
        QTest::newRow("help") << QStringList{"--help"} << 0 << "Ús: ampera"
                              << "";
        QTest::newRow("help after check")
            << QStringList{"--check", "--help"} << 0 << "Estat de sortida de --check: 0"
            << "";
        QTest::newRow("version") << QStringList{"--version"} << 0 << "ampera 0."
                                 << "";
        QTest::newRow("unknown option")
            << QStringList{"--check", "--quiet", "correct.ampera"} << 2 << ""
            << "ampera: l'opció «--quiet» no existeix\nPer veure com s'usa: ampera --help";
        QTest::newRow("a file that is no wiring, without --check")
            << QStringList{"notes.txt"} << 2 << ""
            << "no sé què fer amb «notes.txt»";
        QTest::newRow("two wirings without --check")
            << QStringList{"correct.ampera", "correct.ampera"} << 2 << ""
            << "no sé què fer amb «correct.ampera»";
        QTest::newRow("csv without --check") << QStringList{"--csv", "correct.ampera"} << 2 << ""
                                             << "--csv només va amb --check";
        QTest::newRow("separator of two characters")
            << QStringList{"--check", "--csv-separator", ";;", "correct.ampera"} << 2 << ""
            << "--csv-separator vol un sol caràcter";
        QTest::newRow("separator missing") << QStringList{"--check", "--csv-separator"} << 2 << ""
                                           << "--csv-separator vol un sol caràcter";
        QTest::newRow("no file") << QStringList{"--check"} << 2 << ""
                                 << "--check necessita almenys un fitxer";
        // A name with a letter outside Windows' 8-bit code pages arrives whole.
        QTest::newRow("a pupil's name in the file's")
            << QStringList{"--check", QString::fromUtf8("Ŀluïsa.ampera")} << 0
            << QString::fromUtf8("Ŀluïsa.ampera: Correcte") << "";
        QTest::newRow("a file named like an option")
            << QStringList{"--check", "--", "--csv"} << 2 << "--csv: error: no existeix"
            << "";
    }

    // Help and version in Catalan, and a clear word for anything else.
    void commandLine() {
        QFETCH(QStringList, arguments);
        QFETCH(int, status);
        QFETCH(QString, out);
        QFETCH(QString, err);
        const Run run = ampera(arguments);
        QCOMPARE(run.status, status);
        QVERIFY2(run.out.contains(out), qPrintable(run.out));
        QVERIFY2(err.isEmpty() ? run.err.isEmpty() : run.err.contains(err), qPrintable(run.err));
    }

  private:
    void write(const QString& name, const QByteArray& text) {
        QFile file(folder_.filePath(name));
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(text);
    }

    QString verdict(const QString& name) {
        const std::optional<SavedWiring> saved = loadWiring(folder_.filePath(name), nullptr);
        const QString text = circuit::check(*saved->exercise, saved->wiring).text;
        return text.contains(',') ? '"' + text + '"' : text;
    }

    // Runs the program in the files' folder with no display of any kind;
    // `data` stands for the user's data folder.
    Run ampera(const QStringList& arguments, const QString& data = QString()) {
        return testing::runProgram(arguments, folder_.path(), data);
    }

    QTemporaryDir folder_;
};

} // namespace

QTEST_GUILESS_MAIN(TestCheckCommand)
#include "tst_check_command.moc"
