// SPDX-License-Identifier: GPL-3.0-or-later
// Wiring files, the exercise library and autosave: every exercise survives
// a save and an open, every kind of bad file is refused with its reason in
// Catalan, teachers' exercise files are found in order and bad ones listed,
// and a save killed at any moment leaves the old file or the new one.
#include "circuit/autosave.h"
#include "circuit/circuit_file.h"
#include "circuit/json.h"
#include "circuit/library.h"

#include "natural_wirings.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QRandomGenerator>
#include <QScopeGuard>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <QThread>

#ifndef Q_OS_WIN
#include <sys/stat.h>
#endif

#include <cstdio>

using namespace circuit;

namespace {

// The environment variable that turns this program into the child of the
// crash test, saving into the file it names until it is killed.
constexpr char SaveLoop[] = "AMPERA_SAVE_LOOP";

const Exercise& builtIn(const QString& id) {
    for (const Exercise& e : builtInExercises())
        if (e.id == id)
            return e;
    qFatal("no built-in exercise %s", qPrintable(id));
}

// A random wiring of the exercise: distinct conductors between distinct
// terminals, in any direction, and random positions.
Wiring randomWiring(const Exercise& e, QRandomGenerator& random, int conductors) {
    Wiring w = Wiring::empty(e);
    const int terminals = int(e.terminals.size());
    while (int(w.conductors.size()) < conductors) {
        const Conductor c{int(random.bounded(terminals)), int(random.bounded(terminals))};
        if (c.from != c.to && !w.has(c))
            w.conductors.push_back(c);
    }
    w.setCombination(int(random.bounded(e.combinations())));
    return w;
}

bool sameWiring(const Wiring& a, const Wiring& b) {
    return a.conductors == b.conductors && a.positions == b.positions;
}

void writeFile(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size())
        qFatal("cannot write %s", qPrintable(path));
}

// The versions the crash test's child saves, in turn.
std::vector<Wiring> versions() {
    QRandomGenerator random(77);
    const Exercise& e = builtIn("encreuament");
    std::vector<Wiring> list;
    for (int i = 0; i < 8; ++i)
        list.push_back(randomWiring(e, random, 4 + 6 * i));
    return list;
}

[[noreturn]] void saveForever(const QString& path) {
    const Exercise& e = builtIn("encreuament");
    const std::vector<Wiring> list = versions();
    for (size_t i = 0;; i = (i + 1) % list.size()) {
        if (!saveWiring(path, e, list[i], {}, nullptr))
            qFatal("the crash test's child could not save");
        // Tells the parent that saving is under way.
        if (i == 0) {
            std::fputs("saving\n", stdout);
            std::fflush(stdout);
        }
    }
}

} // namespace

class TestCircuitFiles : public QObject {
    Q_OBJECT

  private slots:
    void initTestCase() {
        QStandardPaths::setTestModeEnabled(true);
        QVERIFY(folder_.isValid());
    }

    // Every exercise, with no conductor, its natural-sized wirings and many
    // random ones, reads back as the same circuit, from text and from disk.
    void roundTrip() {
        QRandomGenerator random(2024);
        for (const Exercise& e : library().exercises) {
            std::vector<Wiring> wirings{Wiring::empty(e)};
            for (int i = 0; i < 50; ++i)
                wirings.push_back(randomWiring(e, random, 1 + int(random.bounded(12))));
            for (const Wiring& w : wirings) {
                QString error;
                const std::optional<SavedWiring> read =
                    parseWiring(serializeWiring(e, w, testing::repairedLog(e)), &error);
                QVERIFY2(read, qPrintable(error));
                QCOMPARE(read->exercise, findExercise(e.id));
                QVERIFY(sameWiring(read->wiring, w));
            }
            const QString path = folder_.filePath(e.id + ".ampera");
            QString error;
            QVERIFY2(saveWiring(path, e, wirings.back(), testing::repairedLog(e), &error),
                     qPrintable(error));
            const std::optional<SavedWiring> loaded = loadWiring(path, &error);
            QVERIFY2(loaded, qPrintable(error));
            QVERIFY(sameWiring(loaded->wiring, wirings.back()));
        }
    }

    // Names the program proposes for files are taken on Windows and on a
    // FAT memory stick.
    void safeFileNames_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("safe");
        QTest::newRow("a title") << "Taller: Commutada"
                                 << "Taller - Commutada";
        QTest::newRow("refused characters") << "a:b*c?d\"e<f>g|h/i\\j"
                                            << "a-b-c-d-e-f-g-h-i-j";
        QTest::newRow("control characters") << "a\tb\nc"
                                            << "a-b-c";
        QTest::newRow("trailing dots and spaces") << "Exercici 3. . "
                                                  << "Exercici 3";
        QTest::newRow("accents kept") << "Làmpada i interruptor"
                                      << "Làmpada i interruptor";
    }

    void safeFileNames() {
        QFETCH(QString, name);
        QFETCH(QString, safe);
        QCOMPARE(safeFileName(name), safe);
    }

    // The file as a person reads it: terminal and switch names, indented.
    void writesNamesAndIndents() {
        const Exercise& e = builtIn("commutada");
        Wiring w = Wiring::empty(e);
        w.conductors = {{*e.terminal("Fase"), *e.terminal("Commutador 1, comú")}};
        w.positions = {0, 1};
        QCOMPARE(serializeWiring(e, w), QByteArray(R"({
  "format": "ampera-circuit",
  "version": 1,
  "exercise": "commutada",
  "conductors": [
    ["Fase", "Commutador 1, comú"]
  ],
  "positions": {"Commutador 1": 0, "Commutador 2": 1}
}
)"));
    }

    // The examples in the documentation are files the program reads.
    void documentedExamples() {
        auto example = [](const char* page) {
            QFile file(QFINDTESTDATA(QString("../docs/") + page));
            if (!file.open(QIODevice::ReadOnly))
                qFatal("no %s", page);
            const QByteArray text = file.readAll();
            const qsizetype start = text.indexOf("```json\n") + 8;
            return text.mid(start, text.indexOf("```", start) - start);
        };
        QString error;
        const std::optional<Exercise> exercise = parseExercise(example("exercicis.md"), &error);
        QVERIFY2(exercise, qPrintable(error));
        QCOMPARE(exercise->switches.size(), size_t(2));
        QCOMPARE(exercise->lamps.size(), size_t(2));
        const std::optional<SavedWiring> wiring = parseWiring(example("circuit-format.md"), &error);
        QVERIFY2(wiring, qPrintable(error));
        QCOMPARE(wiring->wiring.positions, (std::vector<int>{0, 1}));
    }

    // Positions may be left out or given in part (the rest are 0), and
    // unknown fields are ignored.
    void readsWhatMayBeLeftOut() {
        const QByteArray json =
            R"({"version": 1, "format": "ampera-circuit", "exercise": "encreuament",
            "conductors": [["Creuament, born 4", "Commutador 2, born 2"]],
            "positions": {"Creuament": 1}, "author": {"name": "Anna"}})";
        QString error;
        std::optional<SavedWiring> read = parseWiring(json, &error);
        QVERIFY2(read, qPrintable(error));
        QCOMPARE(read->exercise->id, QString("encreuament"));
        QCOMPARE(read->wiring.positions, (std::vector<int>{0, 1, 0}));
        const Exercise& e = *read->exercise;
        QCOMPARE(e.terminals[size_t(read->wiring.conductors.at(0).from)].name,
                 QString("Creuament, born 4"));
        read = parseWiring(
            R"({"format": "ampera-circuit", "version": 1, "exercise": "punt-de-llum", "conductors": []})",
            &error);
        QVERIFY2(read, qPrintable(error));
        QCOMPARE(read->wiring.positions, std::vector<int>{0});
    }

    void badFiles_data() {
        QTest::addColumn<QByteArray>("json");
        QTest::addColumn<QString>("says");
        const QByteArray head =
            R"({"format": "ampera-circuit", "version": 1, "exercise": "commutada", )";
        QTest::newRow("not JSON")
            << QByteArray("{\"format\": \"ampera-circuit\",\n\"version\": 1,,}")
            << "no és JSON vàlid: falta tancar un objecte a la línia 2, columna";
        QTest::newRow("invalid UTF-8") << QByteArray("{\"format\": \"ampera-circuit\xff\xfe\"}")
                                       << "no és JSON vàlid: hi ha text que no és UTF-8 vàlid";
        QTest::newRow("not an object")
            << QByteArray("[\"ampera-circuit\"]") << "no és un objecte JSON";
        QTest::newRow("no format")
            << QByteArray(R"({"version": 1, "exercise": "commutada", "conductors": []})")
            << "no és un fitxer de circuit d'Ampera";
        QTest::newRow("an exercise file")
            << QByteArray(R"({"format": "ampera-exercise", "version": 1})")
            << "és un fitxer d'exercici";
        QTest::newRow("newer version")
            << QByteArray(
                   R"({"format": "ampera-circuit", "version": 3, "exercise": "commutada", "conductors": []})")
            << "és de la versió 3 del format, més nova que la que coneix aquest programa (2)";
        QTest::newRow("version not a whole number")
            << QByteArray(
                   R"({"format": "ampera-circuit", "version": 1.5, "exercise": "commutada", "conductors": []})")
            << "«version» ha de ser un enter positiu";
        QTest::newRow("version a text")
            << QByteArray(
                   R"({"format": "ampera-circuit", "version": "1", "exercise": "commutada", "conductors": []})")
            << "«version» ha de ser un enter positiu";
        QTest::newRow("unknown exercise")
            << QByteArray(
                   R"({"format": "ampera-circuit", "version": 1, "exercise": "escala", "conductors": []})")
            << "l'exercici «escala» no el coneix aquest programa";
        QTest::newRow("exercise a number")
            << QByteArray(
                   R"({"format": "ampera-circuit", "version": 1, "exercise": 3, "conductors": []})")
            << "«exercise» ha de ser el text";
        QTest::newRow("no conductors") << head + "\"positions\": {}}"
                                       << "«conductors» ha de ser una llista";
        QTest::newRow("conductors an object") << head + "\"conductors\": {}}"
                                              << "«conductors» ha de ser una llista";
        QTest::newRow("conductor of four")
            << head + R"("conductors": [["Fase", "Neutre", "blau", "blau"]]})"
            << "el conductor 1 ha de ser un parell de noms de borns";
        QTest::newRow("colour unknown")
            << head +
                   R"("conductors": [["Fase", "Commutador 1, comú"], ["Fase", "Neutre", "vermell"]]})"
            << "el color del conductor 2 ha de ser «marró», «negre», «gris», «blau» o «verd-groc»";
        QTest::newRow("colour a number")
            << head + R"("conductors": [["Fase", "Commutador 1, comú", 3]]})"
            << "el color del conductor 1 ha de ser";
        QTest::newRow("conductor of numbers")
            << head + R"("conductors": [[0, 1]]})"
            << "el conductor 1 ha de ser un parell de noms de borns";
        QTest::newRow("unknown terminal")
            << head +
                   R"("conductors": [["Fase", "Commutador 1, comú"], ["Fase", "Làmpada, born 3"]]})"
            << "el conductor 2 va a «Làmpada, born 3», que no és cap born de l'exercici "
               "«commutada»";
        QTest::newRow("terminal of another exercise")
            << head + R"("conductors": [["Fase", "Creuament, born 1"]]})"
            << "que no és cap born";
        QTest::newRow("to itself")
            << head + R"("conductors": [["Làmpada, born 1", "Làmpada, born 1"]]})"
            << "el conductor 1 va del born «Làmpada, born 1» a si mateix";
        QTest::newRow("duplicated")
            << head + R"("conductors": [["Fase", "Neutre"], ["Fase", "Neutre"]]})"
            << "el conductor 2 repeteix un altre que ja uneix «Fase» i «Neutre»";
        QTest::newRow("duplicated the other way")
            << head + R"("conductors": [["Fase", "Neutre"], ["Neutre", "Fase"]]})"
            << "el conductor 2 repeteix";
        QTest::newRow("positions a list") << head + R"("conductors": [], "positions": [0, 1]})"
                                          << "«positions» ha de ser un objecte";
        QTest::newRow("position of a lamp")
            << head + R"("conductors": [], "positions": {"Làmpada": 1}})"
            << "«positions» nomena «Làmpada», que no és cap interruptor";
        QTest::newRow("unknown switch")
            << head + R"("conductors": [], "positions": {"Creuament": 1}})"
            << "«positions» nomena «Creuament»";
        QTest::newRow("position 2")
            << head + R"("conductors": [], "positions": {"Commutador 2": 2}})"
            << "la posició de «Commutador 2» ha de ser 0 o 1";
        QTest::newRow("position between two")
            << head + R"("conductors": [], "positions": {"Commutador 2": 0.5}})"
            << "la posició de «Commutador 2» ha de ser 0 o 1";
        QTest::newRow("position a text")
            << head + R"("conductors": [], "positions": {"Commutador 2": "1"}})"
            << "la posició de «Commutador 2» ha de ser 0 o 1";
        QTest::newRow("position true")
            << head + R"("conductors": [], "positions": {"Commutador 2": true}})"
            << "la posició de «Commutador 2» ha de ser 0 o 1";
        QTest::newRow("too large")
            << head + "\"conductors\": []" + QByteArray(MaxFileBytes, ' ') + "}"
            << "és massa gran (més d'1 MiB)";
    }

    // Each kind of bad file is refused, with its fault said in Catalan; read
    // from disk, the message also names the file.
    void badFiles() {
        QFETCH(QByteArray, json);
        QFETCH(QString, says);
        QString error;
        QVERIFY(!parseWiring(json, &error));
        QVERIFY2(error.contains(says), qPrintable(error));
        const QString path = folder_.filePath("bad.ampera");
        writeFile(path, json);
        QVERIFY(!loadWiring(path, &error));
        QVERIFY2(
            error.startsWith("No s'ha pogut obrir «" + QDir::toNativeSeparators(path) + "»: ") &&
                error.contains(says),
            qPrintable(error));
    }

    // Files that cannot be read at all: missing, a folder, a pipe (which
    // would never end; Windows has none in its file system), and one that
    // grows past the limit.
    void unreadableFiles() {
        QStringList cases = {"missing.ampera", "folder.ampera", "large.ampera"};
        QStringList says = {"no existeix", "és una carpeta", "és massa gran"};
        QVERIFY(QDir(folder_.path()).mkdir("folder.ampera"));
#ifndef Q_OS_WIN
        cases << "pipe.ampera";
        says << "no és un fitxer normal";
        QCOMPARE(mkfifo(QFile::encodeName(folder_.filePath("pipe.ampera")).constData(), 0600), 0);
#endif
        writeFile(folder_.filePath("large.ampera"), QByteArray(MaxFileBytes + 1, '['));
        for (int i = 0; i < cases.size(); ++i) {
            QString error;
            const QString path = folder_.filePath(cases[i]);
            QVERIFY(!loadWiring(path, &error));
            QVERIFY2(error.contains(QDir::toNativeSeparators(path)) && error.contains(says[i]),
                     qPrintable(error));
        }
    }

    // A save that cannot be made says so, naming the file, and leaves
    // nothing behind.
    void failedSave() {
        const Exercise& e = builtIn("punt-de-llum");
        const QString path = folder_.filePath("no-such-folder/a.ampera");
        QString error;
        QVERIFY(!saveWiring(path, e, Wiring::empty(e), {}, &error));
        QVERIFY2(error.contains(QDir::toNativeSeparators(path)) &&
                     error.contains("la carpeta no existeix"),
                 qPrintable(error));
        QVERIFY(!QFile::exists(path));
        QVERIFY(!saveWiring(folder_.path(), e, Wiring::empty(e), {}, &error));
        QVERIFY2(error.contains("és una carpeta"), qPrintable(error));
    }

    // The teachers' folders: the user's exercises before the system's, an
    // identifier already taken left out, bad files listed with why, and
    // the wiring files of teachers' exercises read like any other.
    void teachersExercises() {
#ifdef Q_OS_WIN
        // Windows' data folder for the whole machine (ProgramData) cannot be
        // pointed elsewhere: the test uses it, and clears it afterwards.
        const QString systemData =
            QStandardPaths::standardLocations(QStandardPaths::GenericDataLocation).value(1);
#else
        QTemporaryDir system;
        const QString systemData = system.path();
        qputenv("XDG_DATA_DIRS", QFile::encodeName(systemData));
#endif
        const QString userFolder =
            QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) +
            "/ampera/exercicis";
        const QString systemFolder = systemData + "/ampera/exercicis";
        // The folders go whether the test passes or not, so that a failure
        // leaves nothing to the next run in the same home.
        auto cleanUp = [&] {
            QDir(QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) + "/ampera")
                .removeRecursively();
            QDir(systemData + "/ampera").removeRecursively();
            qunsetenv("XDG_DATA_DIRS");
            reloadLibrary();
        };
        auto onFailure = qScopeGuard(cleanUp);
        QVERIFY(QDir().mkpath(userFolder) && QDir().mkpath(systemFolder));
        QFile builtInFile(":/exercises/punt-de-llum.json");
        QVERIFY(builtInFile.open(QIODevice::ReadOnly));
        const QByteArray exercise = builtInFile.readAll();
        auto withId = [&](const QByteArray& id, const QByteArray& title) {
            return QByteArray(exercise)
                .replace("\"punt-de-llum\"", "\"" + id + "\"")
                .replace("\"Punt de llum simple\"", "\"" + title + "\"");
        };
        writeFile(userFolder + "/b-escala.json", withId("escala", "Escala de l'usuari"));
        writeFile(userFolder + "/a-rebedor.json", withId("rebedor", "Rebedor"));
        writeFile(userFolder + "/copia.json", withId("commutada", "Còpia"));
        writeFile(userFolder + "/trencat.json", "{\"format\": ");
        writeFile(userFolder + "/notes.txt", "not an exercise");
        writeFile(systemFolder + "/escala.json", withId("escala", "Escala del sistema"));
        writeFile(systemFolder + "/garatge.json", withId("garatge", "Garatge"));
        reloadLibrary();
        const Library& l = library();
        QStringList ids;
        for (const Exercise& e : l.exercises)
            ids << e.id;
        QCOMPARE(ids, QStringList({"punt-de-llum", "commutada", "encreuament", "quatre-punts",
                                   "dos-llums", "presa-de-corrent", "punt-de-llum-i-presa",
                                   "interruptor-doble", "timbre", "telerruptor", "automatic-escala",
                                   "avaria-punt-de-llum", "avaria-commutada", "avaria-encreuament",
                                   "avaria-dos-llums", "rebedor", "escala", "garatge"}));
        QCOMPARE(findExercise("escala")->title, QString("Escala de l'usuari"));
        QCOMPARE(int(l.rejected.size()), 3);
        QCOMPARE(l.rejected[0].file, QDir::toNativeSeparators(userFolder + "/copia.json"));
        QVERIFY2(
            l.rejected[0].reason.contains("l'identificador «commutada» ja és d'un altre exercici"),
            qPrintable(l.rejected[0].reason));
        QCOMPARE(l.rejected[1].file, QDir::toNativeSeparators(userFolder + "/trencat.json"));
        QVERIFY(l.rejected[1].reason.startsWith("no és JSON vàlid"));
        QCOMPARE(l.rejected[2].file, QDir::toNativeSeparators(systemFolder + "/escala.json"));
        QString error;
        const std::optional<SavedWiring> read = parseWiring(
            R"({"format": "ampera-circuit", "version": 1, "exercise": "garatge", "conductors": [["Fase", "Neutre"]]})",
            &error);
        QVERIFY2(read, qPrintable(error));
        QCOMPARE(read->exercise, findExercise("garatge"));
        onFailure.dismiss();
        cleanUp();
        QCOMPARE(library().exercises.size(), builtInExercises().size());
    }

    // The workshop's own copy of each wiring: kept where the data folder
    // is, read back the same; nothing from a missing, bad or foreign file.
    void autosave() {
        const Exercise& e = builtIn("encreuament");
        const QString path = autosavePath(e);
        QVERIFY(path.endsWith("/taller/encreuament.ampera"));
        QVERIFY(path.startsWith(QStandardPaths::writableLocation(QStandardPaths::AppDataLocation)));
        QDir(QFileInfo(path).absolutePath()).removeRecursively();
        QVERIFY(!restoredWiring(e));
        QRandomGenerator random(5);
        const Wiring w = randomWiring(e, random, 9);
        storeWiring(e, w);
        std::optional<Wiring> restored = restoredWiring(e);
        QVERIFY(restored && sameWiring(*restored, w));
        storeWiring(e, Wiring::empty(e));
        restored = restoredWiring(e);
        QVERIFY(restored && sameWiring(*restored, Wiring::empty(e)));

        writeFile(path, serializeWiring(builtIn("commutada"), Wiring::empty(builtIn("commutada"))));
        QTest::ignoreMessage(QtWarningMsg,
                             QRegularExpression("l'exercici «commutada» no el coneix"));
        QVERIFY(!restoredWiring(e));
        writeFile(path, "{\"format\": \"ampera-circuit\", ");
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression("no és JSON vàlid"));
        QVERIFY(!restoredWiring(e));
        QDir(QFileInfo(path).absolutePath()).removeRecursively();
    }

    // A child process saves one version after another and is killed at a
    // random moment, 200 times: the file is always one whole version.
    void killedWhileSaving() {
        const QString path = folder_.filePath("killed.ampera");
        const Exercise& e = builtIn("encreuament");
        const std::vector<Wiring> list = versions();
        QVERIFY(saveWiring(path, e, list[0], {}, nullptr));
        QRandomGenerator random(9);
        int changes = 0;
        size_t last = 0;
        for (int round = 0; round < 200; ++round) {
            QProcess child;
            QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
            environment.insert(SaveLoop, path);
            child.setProcessEnvironment(environment);
            child.start(QCoreApplication::applicationFilePath(), {});
            QVERIFY(child.waitForStarted());
            QVERIFY(child.waitForReadyRead(60000));
            QThread::usleep(random.bounded(0, 10000));
            child.kill();
            QVERIFY(child.waitForFinished());
            QString error;
            const std::optional<SavedWiring> read = loadWiring(path, &error);
            QVERIFY2(read, qPrintable(QString("round %1: %2").arg(round).arg(error)));
            const auto found = std::find_if(list.begin(), list.end(), [&](const Wiring& w) {
                return sameWiring(w, read->wiring);
            });
            QVERIFY(found != list.end());
            changes += size_t(found - list.begin()) != last;
            last = size_t(found - list.begin());
        }
        qInfo("%d of 200 rounds found another version than the round before", changes);
    }

  private:
    QTemporaryDir folder_;
};

int main(int argc, char* argv[]) {
    if (qEnvironmentVariableIsSet(SaveLoop))
        saveForever(qEnvironmentVariable(SaveLoop));
    QCoreApplication app(argc, argv);
    TestCircuitFiles test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_circuit_files.moc"
