// SPDX-License-Identifier: GPL-3.0-or-later
#include "circuit/circuit_file.h"

#include "circuit/fault_record.h"
#include "circuit/json.h"
#include "circuit/library.h"

#include <QDir>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QSaveFile>
#include <QSet>

#include <cmath>

namespace circuit {

namespace {

// "0 o 1", "0, 1 o 2": the positions an actuator may stand in.
QString positionsText(int positions) {
    QStringList numbers;
    for (int p = 0; p + 1 < positions; ++p)
        numbers << QString::number(p);
    return numbers.join(QStringLiteral(", ")) + QStringLiteral(" o %1").arg(positions - 1);
}

// "el conductor 3", or "el conductor 3 de «wiring»" for a list of
// another name than a wiring file's.
QString conductorWhere(const QString& field, int index) {
    const QString where = QStringLiteral("el conductor %1").arg(index + 1);
    return field == QLatin1String("conductors") ? where
                                                : QStringLiteral("%1 de «%2»").arg(where, field);
}

} // namespace

bool readConductors(JsonReader& r, const QJsonValue& v, const Exercise& e, const QString& field,
                    std::vector<Conductor>& out) {
    if (!v.isArray())
        return r.fail(
            QStringLiteral("«%1» ha de ser una llista de parells de noms de borns").arg(field));
    const QJsonArray list = v.toArray();
    QSet<QPair<int, int>> seen;
    for (int i = 0; i < list.size(); ++i) {
        const QString where = conductorWhere(field, i);
        const QJsonArray ends = list[i].toArray();
        if (!list[i].isArray() || ends.size() < 2 || ends.size() > 3 || !ends[0].isString() ||
            !ends[1].isString())
            return r.fail(QStringLiteral("%1 ha de ser un parell de noms de borns i, si de cas, "
                                         "el color del conductor")
                              .arg(where));
        Insulation colour = Insulation::Unstated;
        if (ends.size() == 3) {
            const std::optional<Insulation> named = insulationNamed(ends[2].toString());
            if (!named)
                return r.fail(QStringLiteral("el color del %1 ha de ser «marró», «negre», "
                                             "«gris», «blau» o «verd-groc»")
                                  .arg(where.mid(3)));
            colour = *named;
        }
        int t[2];
        for (int j = 0; j < 2; ++j) {
            const std::optional<int> found = e.terminal(ends[j].toString());
            if (!found)
                return r.fail(QStringLiteral("%1 va a «%2», que no és cap born de l'exercici «%3»")
                                  .arg(where, ends[j].toString(), e.id));
            t[j] = *found;
        }
        if (t[0] == t[1])
            return r.fail(
                QStringLiteral("%1 va del born «%2» a si mateix").arg(where, ends[0].toString()));
        const QPair<int, int> key(std::min(t[0], t[1]), std::max(t[0], t[1]));
        if (seen.contains(key))
            return r.fail(QStringLiteral("%1 repeteix un altre que ja uneix «%2» i «%3»")
                              .arg(where, ends[0].toString(), ends[1].toString()));
        seen.insert(key);
        out.push_back({t[0], t[1], colour});
    }
    return true;
}

bool readPositions(JsonReader& r, const QJsonValue& v, const Exercise& e, const QString& where,
                   std::vector<int>& positions) {
    if (v.isUndefined())
        return true;
    if (!v.isObject())
        return r.fail(QStringLiteral("%1«positions» ha de ser un objecte amb la posició de cada "
                                     "interruptor")
                          .arg(where));
    const QJsonObject o = v.toObject();
    for (auto it = o.begin(); it != o.end(); ++it) {
        const std::optional<int> s = e.switchNamed(it.key());
        if (!s)
            return r.fail(
                QStringLiteral(
                    "%1«positions» nomena «%2», que no és cap interruptor de l'exercici «%3»")
                    .arg(where, it.key(), e.id));
        const int count = describe(e.components[size_t(e.switches[size_t(*s)])].kind)
                              .actuators[size_t(e.switchActuators[size_t(*s)])]
                              .positions;
        const double p = it.value().toDouble(-1);
        if (!it.value().isDouble() || p != std::floor(p) || p < 0 || p >= count)
            return r.fail(QStringLiteral("%1la posició de «%2» ha de ser %3")
                              .arg(where, it.key(), positionsText(count)));
        positions[size_t(*s)] = int(p);
    }
    return true;
}

QByteArray positionsJson(const Exercise& e, const std::vector<int>& positions) {
    QByteArray text = "{";
    for (size_t s = 0; s < e.switches.size(); ++s)
        text += (s ? ", " : "") + jsonQuoted(e.switchName(int(s))) + ": " +
                QByteArray::number(positions[s]);
    return text + "}";
}

namespace {

class WiringReader : public JsonReader {
  public:
    using JsonReader::JsonReader;

    bool header(const QJsonObject& o) {
        if (o.value(QLatin1String("format")).toString() == QLatin1String("ampera-exercise"))
            return fail(QStringLiteral("és un fitxer d'exercici, no el muntatge d'un alumne"));
        return JsonReader::header(o, "ampera-circuit",
                                  QStringLiteral("un fitxer de circuit d'Ampera"),
                                  CircuitFormatVersion);
    }

    const Exercise* exercise(const QJsonObject& o, const ExerciseLookup& lookup) {
        const QJsonValue id = o.value(QLatin1String("exercise"));
        if (!id.isString()) {
            fail(QStringLiteral(
                "el camp «exercise» ha de ser el text de l'identificador d'un exercici"));
            return nullptr;
        }
        const Exercise* e = lookup(id.toString());
        if (!e)
            fail(QStringLiteral("l'exercici «%1» no el coneix aquest programa").arg(id.toString()));
        return e;
    }
};

// The reason a save failed, from what can be seen of its folder.
QString saveFailure(const QString& path) {
    if (QFileInfo(path).isDir())
        return QStringLiteral("és una carpeta");
    const QFileInfo folder(QFileInfo(path).absolutePath());
    if (!folder.exists())
        return QStringLiteral("la carpeta no existeix");
    if (!folder.isWritable())
        return QStringLiteral("no hi ha permís per escriure a la carpeta");
    return QStringLiteral("no s'ha pogut escriure (pot ser que el disc sigui ple)");
}

} // namespace

QByteArray serializeWiring(const Exercise& e, const Wiring& w, const FaultLog& log) {
    // Colours came with the second version of the format.
    const int version = std::max(e.wiringFormatVersion(), w.statesColours() ? 2 : 1);
    QByteArray text =
        "{\n  \"format\": \"ampera-circuit\",\n  \"version\": " + QByteArray::number(version) +
        ",\n  \"exercise\": " + jsonQuoted(e.id) + ",\n  \"conductors\": [";
    for (size_t i = 0; i < w.conductors.size(); ++i) {
        const Conductor& c = w.conductors[i];
        text += (i ? ",\n    [" : "\n    [") + jsonQuoted(e.terminals[size_t(c.from)].name) + ", " +
                jsonQuoted(e.terminals[size_t(c.to)].name) +
                (c.colour == Insulation::Unstated ? QByteArray()
                                                  : ", " + jsonQuoted(insulationName(c.colour))) +
                "]";
    }
    text += w.conductors.empty() ? "],\n  \"positions\": " : "\n  ],\n  \"positions\": ";
    text += positionsJson(e, w.positions);
    if (e.findsFaults())
        text += faultRecordJson(e, log);
    text += "\n}\n";
    return text;
}

std::optional<SavedWiring> parseWiringFor(const QByteArray& json, const ExerciseLookup& lookup,
                                          QString* error) {
    const std::optional<QJsonObject> o = parseJsonObject(json, error);
    if (!o)
        return std::nullopt;
    WiringReader r(error);
    if (!r.header(*o))
        return std::nullopt;
    const Exercise* e = r.exercise(*o, lookup);
    if (!e)
        return std::nullopt;
    SavedWiring saved{e, Wiring::empty(*e), {}};
    if (!readConductors(r, o->value(QLatin1String("conductors")), *e, QStringLiteral("conductors"),
                        saved.wiring.conductors) ||
        !readPositions(r, o->value(QLatin1String("positions")), *e, QString(),
                       saved.wiring.positions))
        return std::nullopt;
    if (e->findsFaults() && !readFaultRecord(r, *o, saved))
        return std::nullopt;
    return saved;
}

std::optional<SavedWiring> parseWiring(const QByteArray& json, QString* error) {
    return parseWiringFor(json, findExercise, error);
}

std::optional<SavedWiring> readWiringFile(const QString& path, QString* reason) {
    const std::optional<QByteArray> bytes = readFile(path, reason);
    if (!bytes)
        return std::nullopt;
    return parseWiring(*bytes, reason);
}

std::optional<SavedWiring> loadWiring(const QString& path, QString* error) {
    QString reason;
    std::optional<SavedWiring> saved = readWiringFile(path, &reason);
    if (!saved && error)
        *error = QStringLiteral("No s'ha pogut obrir «%1»: %2.")
                     .arg(QDir::toNativeSeparators(path), reason);
    return saved;
}

bool saveWiring(const QString& path, const Exercise& exercise, const Wiring& wiring,
                const FaultLog& log, QString* error) {
    return saveAtomically(path, serializeWiring(exercise, wiring, log), error);
}

bool saveAtomically(const QString& path, const QByteArray& text, QString* error) {
    QSaveFile file(path);
    if (file.open(QIODevice::WriteOnly) && file.write(text) == text.size() && file.commit())
        return true;
    if (error)
        *error = QStringLiteral("No s'ha pogut desar «%1»: %2.")
                     .arg(QDir::toNativeSeparators(path), saveFailure(path));
    return false;
}

QString safeFileName(QString name) {
    name.replace(QStringLiteral(": "), QStringLiteral(" - "));
    static const QString refused = QStringLiteral("\\/:*?\"<>|");
    for (QChar& c : name)
        if (c.unicode() < 0x20 || c.unicode() == 0x7f || refused.contains(c))
            c = QLatin1Char('-');
    while (name.endsWith(QLatin1Char('.')) || name.endsWith(QLatin1Char(' ')))
        name.chop(1);
    return name;
}

} // namespace circuit
