// SPDX-License-Identifier: GPL-3.0-or-later
#include "circuit/fault_record.h"

#include <QJsonArray>
#include <QRegularExpression>

#include <algorithm>

namespace circuit {

namespace {

const QString Voltage = QStringLiteral("tensió");
const QString Continuity = QStringLiteral("continuïtat");

QByteArray terminalJson(const Exercise& e, int t) {
    return jsonQuoted(e.terminals[size_t(t)].name);
}

QByteArray measurementJson(const Exercise& e, const Measurement& m) {
    return "{\"tool\": " + jsonQuoted(m.tool == Tool::Voltage ? Voltage : Continuity) +
           ", \"terminals\": [" + terminalJson(e, m.red) + ", " + terminalJson(e, m.black) +
           "], \"positions\": " + positionsJson(e, m.positions) +
           ", \"breaker\": " + (m.breakerOn ? "true" : "false") +
           ", \"reading\": " + jsonQuoted(m.reading) + "}";
}

QByteArray markJson(const Exercise& e, const FaultMark& mark) {
    QByteArray target;
    switch (mark.target) {
    case FaultMark::Target::Conductor: {
        const Conductor& c = e.installation[size_t(mark.index)];
        target = "\"conductor\": [" + terminalJson(e, c.from) + ", " + terminalJson(e, c.to) + "]";
        break;
    }
    case FaultMark::Target::Lamp:
        target = "\"lamp\": " + jsonQuoted(e.components[size_t(mark.index)].name);
        break;
    case FaultMark::Target::Terminal:
        target = "\"terminal\": " + terminalJson(e, mark.index);
        break;
    }
    return "{" + target + ", \"right\": " + (mark.right ? "true" : "false") + "}";
}

// A list of one item a line.
template <class Item, class Write>
QByteArray listJson(const std::vector<Item>& items, Write write) {
    if (items.empty())
        return "[]";
    QByteArray text = "[";
    for (size_t i = 0; i < items.size(); ++i)
        text += (i ? ",\n    " : "\n    ") + write(items[i]);
    return text + "\n  ]";
}

// Whether the tester could show this: whole volts, and with the breaker
// off nothing; a resistance, continuity or an open circuit with the
// breaker off, and only the refusal with it on.
bool shown(const Measurement& m) {
    static const QRegularExpression volts(QStringLiteral("^(0|[1-9][0-9]{0,5}) V$"));
    static const QRegularExpression ohms(QStringLiteral("^[1-9][0-9]{0,8} Ω$"));
    if (m.tool == Tool::Voltage)
        return m.breakerOn ? volts.match(m.reading).hasMatch() : m.reading == voltsText(0);
    if (m.breakerOn)
        return m.reading == continuityRefusal();
    return m.reading == continuityText(0.0) || m.reading == continuityText(std::nullopt) ||
           ohms.match(m.reading).hasMatch();
}

class RecordReader {
  public:
    RecordReader(JsonReader& r, const Exercise& e) : r_(r), e_(e) {}

    // A terminal by name, or a refusal naming it and `where`.
    std::optional<int> terminal(const QJsonValue& v, const QString& where) {
        const std::optional<int> t = e_.terminal(v.toString());
        if (!t)
            r_.fail(QStringLiteral("%1 nomena «%2», que no és cap born de l'exercici «%3»")
                        .arg(where, v.toString(), e_.id));
        return t;
    }

    bool measurement(const QJsonValue& v, const QString& where, Measurement& m) {
        const QJsonObject o = v.toObject();
        const QString tool = o.value(QLatin1String("tool")).toString();
        if (!v.isObject())
            return r_.fail(QStringLiteral("%1 ha de ser un objecte").arg(where));
        if (tool != Voltage && tool != Continuity)
            return r_.fail(
                QStringLiteral("%1: «tool» ha de ser «tensió» o «continuïtat»").arg(where));
        m.tool = tool == Voltage ? Tool::Voltage : Tool::Continuity;
        const QJsonArray ends = o.value(QLatin1String("terminals")).toArray();
        if (ends.size() != 2 || !ends[0].isString() || !ends[1].isString())
            return r_.fail(
                QStringLiteral("%1: «terminals» ha de ser el parell de borns que toquen les puntes")
                    .arg(where));
        const std::optional<int> red = terminal(ends[0], where);
        const std::optional<int> black = red ? terminal(ends[1], where) : std::nullopt;
        if (!black)
            return false;
        m.red = *red;
        m.black = *black;
        m.positions.assign(e_.switches.size(), 0);
        if (!readPositions(r_, o.value(QLatin1String("positions")), e_,
                           where + QStringLiteral(": "), m.positions))
            return false;
        const QJsonValue breaker = o.value(QLatin1String("breaker"));
        const QJsonValue reading = o.value(QLatin1String("reading"));
        if (!breaker.isBool())
            return r_.fail(QStringLiteral("%1: «breaker» ha de ser cert o fals").arg(where));
        m.breakerOn = breaker.toBool();
        m.reading = reading.toString();
        if (!reading.isString() || !shown(m))
            return r_.fail(QStringLiteral("%1: el comprovador no pot mostrar «%2» amb el "
                                          "magnetotèrmic %3")
                               .arg(where, m.reading,
                                    m.breakerOn ? QStringLiteral("connectat")
                                                : QStringLiteral("desconnectat")));
        return true;
    }

    bool target(const QJsonObject& o, const QString& where, FaultMark& mark) {
        const QJsonValue conductor = o.value(QLatin1String("conductor"));
        const QJsonValue lamp = o.value(QLatin1String("lamp"));
        const QJsonValue pressed = o.value(QLatin1String("terminal"));
        if (int(!conductor.isUndefined()) + int(!lamp.isUndefined()) +
                int(!pressed.isUndefined()) !=
            1)
            return r_.fail(QStringLiteral("%1 ha de nomenar un sol «conductor», «lamp» o "
                                          "«terminal»")
                               .arg(where));
        if (!conductor.isUndefined()) {
            mark.target = FaultMark::Target::Conductor;
            const QJsonArray ends = conductor.toArray();
            if (ends.size() != 2 || !ends[0].isString() || !ends[1].isString())
                return r_.fail(
                    QStringLiteral("%1: «conductor» ha de ser el parell de borns que uneix")
                        .arg(where));
            const std::optional<int> a = terminal(ends[0], where);
            const std::optional<int> b = a ? terminal(ends[1], where) : std::nullopt;
            if (!b)
                return false;
            const auto found = std::find_if(e_.installation.begin(), e_.installation.end(),
                                            [&](const Conductor& c) { return c.joins(*a, *b); });
            if (found == e_.installation.end())
                return r_.fail(QStringLiteral("%1 nomena el conductor «%2» – «%3», que no és de "
                                              "la instal·lació de l'exercici «%4»")
                                   .arg(where, ends[0].toString(), ends[1].toString(), e_.id));
            mark.index = int(found - e_.installation.begin());
            return true;
        }
        if (!lamp.isUndefined()) {
            mark.target = FaultMark::Target::Lamp;
            const std::optional<int> c = e_.component(lamp.toString());
            if (!lamp.isString() || !c || e_.components[size_t(*c)].kind != Kind::Lamp)
                return r_.fail(
                    QStringLiteral("%1 nomena «%2», que no és cap làmpada de l'exercici «%3»")
                        .arg(where, lamp.toString(), e_.id));
            mark.index = *c;
            return true;
        }
        mark.target = FaultMark::Target::Terminal;
        const std::optional<int> t = terminal(pressed, where);
        if (!t)
            return false;
        const Component& owner = e_.components[size_t(e_.terminals[size_t(*t)].component)];
        if (!isSwitch(owner.kind))
            return r_.fail(QStringLiteral("%1 nomena «%2», que no és cap born d'un interruptor")
                               .arg(where, pressed.toString()));
        mark.index = *t;
        return true;
    }

    // What the mark points at, and whether "right" says truly that a
    // fault is there.
    bool mark(const QJsonValue& v, const QString& where, FaultMark& mark) {
        if (!v.isObject())
            return r_.fail(QStringLiteral("%1 ha de ser un objecte").arg(where));
        const QJsonObject o = v.toObject();
        if (!target(o, where, mark))
            return false;
        const QJsonValue right = o.value(QLatin1String("right"));
        if (!right.isBool())
            return r_.fail(QStringLiteral("%1: «right» ha de ser cert o fals").arg(where));
        mark.right = faultMarked(e_, mark) >= 0;
        if (right.toBool() != mark.right)
            return r_.fail(mark.right ? QStringLiteral("%1 diu que no hi ha l'avaria, però hi "
                                                       "és: el fitxer s'ha modificat")
                                            .arg(where)
                                      : QStringLiteral("%1 diu que hi ha trobat l'avaria, però "
                                                       "allà no n'hi ha cap: el fitxer s'ha "
                                                       "modificat")
                                            .arg(where));
        return true;
    }

    template <class Item, class Read>
    bool list(const QJsonObject& file, const char* key, const char* what, int most,
              std::vector<Item>& items, Read read) {
        const QJsonValue v = file.value(QLatin1String(key));
        if (v.isUndefined())
            return true;
        if (!v.isArray())
            return r_.fail(QStringLiteral("«%1» ha de ser una llista").arg(QLatin1String(key)));
        const QJsonArray array = v.toArray();
        if (array.size() > most)
            return r_.fail(QStringLiteral("«%1» no pot tenir més de %2 elements")
                               .arg(QLatin1String(key))
                               .arg(most));
        for (int i = 0; i < array.size(); ++i) {
            Item item;
            if (!(this->*read)(array[i],
                               QStringLiteral("%1 %2").arg(QString::fromUtf8(what)).arg(i + 1),
                               item))
                return false;
            items.push_back(std::move(item));
        }
        return true;
    }

  private:
    JsonReader& r_;
    const Exercise& e_;
};

// Whether two lists hold the same conductors, in any order and either way
// round, whatever their colours.
bool sameConductors(const std::vector<Conductor>& a, const std::vector<Conductor>& b) {
    return a.size() == b.size() && std::all_of(a.begin(), a.end(), [&](const Conductor& c) {
               return std::any_of(b.begin(), b.end(),
                                  [&](const Conductor& d) { return d.joins(c.from, c.to); });
           });
}

} // namespace

QByteArray faultRecordJson(const Exercise& e, const FaultLog& log) {
    return ",\n  \"measurements\": " +
           listJson(log.measurements, [&](const Measurement& m) { return measurementJson(e, m); }) +
           ",\n  \"marks\": " +
           listJson(log.marks, [&](const FaultMark& m) { return markJson(e, m); }) +
           ",\n  \"repaired\": " + (log.repaired ? "true" : "false");
}

bool readFaultRecord(JsonReader& r, const QJsonObject& file, SavedWiring& saved) {
    const Exercise& e = *saved.exercise;
    RecordReader record(r, e);
    FaultLog& log = saved.log;
    if (!record.list(file, "measurements", "la mesura", MaxMeasurements, log.measurements,
                     &RecordReader::measurement) ||
        !record.list(file, "marks", "la marca", MaxMarks, log.marks, &RecordReader::mark))
        return false;
    const QJsonValue repaired = file.value(QLatin1String("repaired"));
    if (!repaired.isUndefined() && !repaired.isBool())
        return r.fail(QStringLiteral("«repaired» ha de ser cert o fals"));
    log.repaired = repaired.toBool();
    const std::vector<bool> found = log.found(e);
    if (log.repaired && std::count(found.begin(), found.end(), false) > 0)
        return r.fail(QStringLiteral("diu que s'ha reparat, però no s'han trobat totes les "
                                     "avaries: el fitxer s'ha modificat"));
    if (log.repaired)
        return true;
    // Until it is repaired the board is the installation as built, which
    // the pupil cannot change; its faults are still in it.
    Wiring& w = saved.wiring;
    if (!sameConductors(w.conductors, e.installation))
        return r.fail(QStringLiteral("no s'ha reparat, però els conductors no són els de la "
                                     "instal·lació de l'exercici: el fitxer s'ha modificat"));
    w.faults = e.faults;
    for (Fault& f : w.faults)
        if (f.kind == FaultKind::OpenConductor) {
            const Conductor& broken = e.installation[size_t(f.conductor)];
            f.conductor = int(
                std::find_if(w.conductors.begin(), w.conductors.end(),
                             [&](const Conductor& c) { return c.joins(broken.from, broken.to); }) -
                w.conductors.begin());
        }
    return true;
}

} // namespace circuit
