// SPDX-License-Identifier: GPL-3.0-or-later
// Seeded fuzzing of the workshop's two loaders, wiring files and exercise
// files (fault exercises and pupils' records of them included): valid
// files cut short, with bytes changed, values of the wrong
// type, deep nesting, huge arrays and invalid UTF-8. Every one must load or
// be refused with a reason; whatever loads must be a sound circuit.
//
//   AMPERA_FUZZ_FILES  how many mutated files to try (default 12000)
//   AMPERA_FUZZ_SEED   the seed (default 1); a failure prints its file
#include "circuit/checker.h"
#include "circuit/circuit_file.h"
#include "circuit/exercise.h"
#include "circuit/faults.h"
#include "circuit/json.h"

#include "natural_wirings.h"

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QTest>

#include <set>

using namespace circuit;

namespace {

// A pupil's measurements on a fault exercise's installation, with both
// testers in random places, and marks on random lamps, which find a blown
// one or miss.
FaultLog pupilsLog(const Exercise& e, QRandomGenerator& random) {
    FaultLog log;
    Wiring w = Wiring::initial(e);
    const int terminals = int(e.terminals.size());
    for (int i = 0; i < 6; ++i) {
        w.setCombination(int(random.bounded(e.combinations())));
        Measurement m{i % 2 ? Tool::Continuity : Tool::Voltage,
                      int(random.bounded(terminals)),
                      int(random.bounded(terminals)),
                      w.positions,
                      random.bounded(2) == 0,
                      {}};
        m.reading = reading(e, w, {}, m.tool, m.red, m.black, m.breakerOn);
        log.measurements.push_back(m);
    }
    FaultMark mark{FaultMark::Target::Lamp, e.lamps[random.bounded(int(e.lamps.size()))], false};
    mark.right = faultMarked(e, mark) >= 0;
    log.marks.push_back(mark);
    return log;
}

// The valid files every mutation starts from: each exercise's own file and
// wirings of each exercise, from empty to crowded.
std::vector<QByteArray> seeds() {
    std::vector<QByteArray> files;
    QRandomGenerator random(3);
    for (const Exercise& e : builtInExercises()) {
        QFile file(":/exercises/" + e.id + ".json");
        if (!file.open(QIODevice::ReadOnly))
            qFatal("no exercise file for %s", qPrintable(e.id));
        files.push_back(file.readAll());
        for (int size : {0, 3, 8, 20, 7}) {
            Wiring w = Wiring::empty(e);
            const int terminals = int(e.terminals.size());
            while (int(w.conductors.size()) < std::min(size, terminals * (terminals - 1) / 2)) {
                // Half the wirings state colours, half are as old files.
                const Insulation colour =
                    size % 2 ? Insulation::Unstated
                             : insulationColours()[random.bounded(int(insulationColours().size()))];
                const Conductor c{int(random.bounded(terminals)), int(random.bounded(terminals)),
                                  colour};
                if (c.from != c.to && !w.has(c))
                    w.conductors.push_back(c);
            }
            w.setCombination(int(random.bounded(e.combinations())));
            files.push_back(serializeWiring(e, w, testing::repairedLog(e)));
        }
        if (e.findsFaults()) {
            files.push_back(serializeWiring(e, Wiring::initial(e), pupilsLog(e, random)));
            FaultLog done = pupilsLog(e, random);
            const FaultLog right = testing::repairedLog(e);
            done.marks.insert(done.marks.end(), right.marks.begin(), right.marks.end());
            done.repaired = true;
            files.push_back(serializeWiring(e, Wiring::empty(e), done));
        }
    }
    return files;
}

// A value of another type than `v`.
QJsonValue otherType(const QJsonValue& v, QRandomGenerator& random) {
    const QJsonValue choices[] = {QJsonValue(),
                                  QJsonValue(true),
                                  QJsonValue(-1.5),
                                  QJsonValue(1e300),
                                  QJsonValue(2),
                                  QJsonValue("Fase"),
                                  QJsonValue(QJsonArray{}),
                                  QJsonValue(QJsonObject{}),
                                  QJsonValue(QJsonArray{"Fase", "Fase"})};
    for (;;) {
        const QJsonValue c = choices[random.bounded(int(std::size(choices)))];
        if (c.type() != v.type() || c != v)
            return c;
    }
}

// Replaces one value somewhere in the document by a value of another type.
QJsonValue retyped(const QJsonValue& v, QRandomGenerator& random) {
    const bool here = random.bounded(3) == 0;
    if (v.isObject() && !v.toObject().isEmpty() && !here) {
        QJsonObject o = v.toObject();
        const QString key = o.keys()[random.bounded(int(o.size()))];
        o[key] = retyped(o[key], random);
        return o;
    }
    if (v.isArray() && !v.toArray().isEmpty() && !here) {
        QJsonArray a = v.toArray();
        const int i = int(random.bounded(int(a.size())));
        a[i] = retyped(a[i], random);
        return a;
    }
    return otherType(v, random);
}

QByteArray mutate(QByteArray file, QRandomGenerator& random) {
    const int steps = 1 + int(random.bounded(3));
    for (int step = 0; step < steps; ++step) {
        const qsizetype at = file.isEmpty() ? 0 : random.bounded(file.size());
        // A huge array costs a thousand times what another mutation does,
        // so one step in 200 makes one.
        switch (random.bounded(200) == 0 ? 7 : random.bounded(7)) {
        case 0: // cut short
            file.truncate(at);
            break;
        case 1: // bytes changed
            for (int i = 0, n = 1 + int(random.bounded(8)); i < n && !file.isEmpty(); ++i)
                file[random.bounded(file.size())] = char(random.bounded(256));
            break;
        case 2: { // a value of the wrong type
            const QJsonDocument doc = QJsonDocument::fromJson(file);
            if (doc.isObject())
                file = QJsonDocument(retyped(doc.object(), random).toObject()).toJson();
            break;
        }
        case 3: { // deep nesting, where a value may stand
            const int depth = 1 + int(random.bounded(5000));
            const int value = int(file.indexOf(':', at));
            if (value >= 0)
                file.insert(value + 1, QByteArray(depth, '[') + "0" +
                                           QByteArray(random.bounded(2) ? depth : depth / 2, ']'));
            break;
        }
        case 7: { // a huge array, of conductors or of anything
            const int count = 1000 + int(random.bounded(60000));
            const QByteArray element = random.bounded(2) ? QByteArray("[\"Fase\", \"Neutre\"]")
                                                         : QByteArray::number(random.bounded(3));
            QByteArray array = "[" + element;
            for (int i = 1; i < count; ++i)
                array += (random.bounded(50) ? ", " + element
                                             : QByteArray(", [\"Fase\", \"Neutre\", 1]"));
            array += "]";
            const QByteArray key = random.bounded(2) ? "\"conductors\": " : "\"table\": ";
            const int where = int(file.indexOf(key));
            if (where >= 0)
                file.insert(where + key.size(), array + ", \"x\": ");
            else
                file.insert(1, "\"conductors\": " + array + ",");
            break;
        }
        case 4: { // invalid UTF-8 inside a text
            const QByteArray bad[] = {"\xff",         "\xc3\x28",         "\xc0\xaf",
                                      "\xed\xa0\x80", "\xf4\x90\x80\x80", "\xe2\x82"};
            const int quote = int(file.indexOf('"', at));
            if (quote >= 0)
                file.insert(quote + 1, bad[random.bounded(int(std::size(bad)))]);
            break;
        }
        case 5: { // a piece repeated
            const qsizetype length = random.bounded(qMax<qsizetype>(1, file.size() - at));
            file.insert(at, file.mid(at, length));
            break;
        }
        default: // a character JSON gives meaning to
            if (!file.isEmpty())
                file[at] = "{}[]\",:0"[random.bounded(8)];
        }
    }
    return file;
}

// Whatever loads is a circuit the rest of the program can work on safely.
void verifyLoaded(const SavedWiring& saved) {
    const Exercise& e = *saved.exercise;
    const int terminals = int(e.terminals.size());
    std::set<std::pair<int, int>> seen;
    for (const Conductor& c : saved.wiring.conductors) {
        QVERIFY(c.from >= 0 && c.from < terminals && c.to >= 0 && c.to < terminals &&
                c.from != c.to);
        QVERIFY(seen.insert({std::min(c.from, c.to), std::max(c.from, c.to)}).second);
    }
    QCOMPARE(saved.wiring.positions.size(), e.switches.size());
    for (int p : saved.wiring.positions)
        QVERIFY(p == 0 || p == 1);
    const std::optional<SavedWiring> again =
        parseWiring(serializeWiring(e, saved.wiring, saved.log), nullptr);
    QVERIFY(again && again->wiring == saved.wiring && again->log == saved.log);
    // A record names only what the exercise has; a wiring with its faults
    // still in it is the installation.
    for (const Measurement& m : saved.log.measurements)
        QVERIFY(m.red >= 0 && m.red < terminals && m.black >= 0 && m.black < terminals &&
                m.positions.size() == e.switches.size());
    for (const FaultMark& m : saved.log.marks)
        QCOMPARE(m.right, faultMarked(e, m) >= 0);
    QVERIFY(saved.wiring.faults.empty() ||
            (!saved.log.repaired && saved.wiring.conductors.size() == e.installation.size()));
    QCOMPARE(int(check(e, saved.wiring).outcomes.size()), e.combinations());
}

void verifyLoaded(const Exercise& e) {
    // Judged by a table of every combination, or by sequences instead.
    QCOMPARE(int(e.table.size()), e.bySequences ? 0 : e.combinations());
    QCOMPARE(e.sequences.empty(), !e.bySequences);
    for (const Row& row : e.table)
        QCOMPARE(row.size(), e.lamps.size());
    QVERIFY(e.phase >= 0 && e.neutral >= 0 && (!e.outputs().empty() || !e.sockets.empty()));
    // A socket is never without the earth bar it must be joined to.
    QVERIFY(e.sockets.empty() || e.earth >= 0);
    QCOMPARE(int(check(e, Wiring::empty(e)).outcomes.size()), e.combinations());
}

} // namespace

class TestFileFuzz : public QObject {
    Q_OBJECT

  private slots:
    void mutatedFiles() {
        const int files = qEnvironmentVariableIsSet("AMPERA_FUZZ_FILES")
                              ? qEnvironmentVariableIntValue("AMPERA_FUZZ_FILES")
                              : 12000;
        const quint32 seed = qEnvironmentVariableIsSet("AMPERA_FUZZ_SEED")
                                 ? quint32(qEnvironmentVariableIntValue("AMPERA_FUZZ_SEED"))
                                 : 1;
        QRandomGenerator random(seed);
        const std::vector<QByteArray> valid = seeds();
        QTemporaryDir folder;
        QVERIFY(folder.isValid());
        int loaded = 0, refused = 0, records = 0;
        for (int i = 0; i < files; ++i) {
            const QByteArray file = mutate(valid[random.bounded(int(valid.size()))], random);
            auto report = qScopeGuard([&] {
                if (QTest::currentTestFailed())
                    qWarning("file %d of seed %u, in base 64: %s", i, seed,
                             file.toBase64().constData());
            });
            QString wiringError, exerciseError;
            const std::optional<SavedWiring> wiring = parseWiring(file, &wiringError);
            const std::optional<Exercise> exercise = parseExercise(file, &exerciseError);
            QVERIFY(wiring || !wiringError.isEmpty());
            QVERIFY(exercise || !exerciseError.isEmpty());
            if (wiring)
                verifyLoaded(*wiring);
            if (exercise)
                verifyLoaded(*exercise);
            if (QTest::currentTestFailed())
                return;
            loaded += wiring || exercise;
            records += wiring && !wiring->log.measurements.empty();
            refused += !wiring && !exercise;
            // Now and then through a file on disk, as the workshop opens it.
            if (i % 100 == 0) {
                const QString path = folder.filePath("fuzz.ampera");
                QFile out(path);
                QVERIFY(out.open(QIODevice::WriteOnly | QIODevice::Truncate) &&
                        out.write(file) == file.size());
                out.close();
                QString error;
                QCOMPARE(bool(loadWiring(path, &error)), bool(wiring));
            }
        }
        // Mutations that change nothing that matters still load: both
        // outcomes must have been exercised.
        QVERIFY2(loaded > files / 200 && refused > files / 2 && records > 0,
                 qPrintable(QString("%1 loaded (%2 with a pupil's record), %3 refused")
                                .arg(loaded)
                                .arg(records)
                                .arg(refused)));
    }
};

QTEST_GUILESS_MAIN(TestFileFuzz)
#include "tst_file_fuzz.moc"
