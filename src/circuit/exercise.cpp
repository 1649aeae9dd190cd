// SPDX-License-Identifier: GPL-3.0-or-later
#include "circuit/exercise.h"

#include "circuit/board.h"
#include "circuit/json.h"
#include "house/catalogue.h"

#include <QFile>
#include <QJsonArray>
#include <QJsonObject>
#include <QRegularExpression>

#include <algorithm>
#include <cmath>

namespace circuit {

namespace {

constexpr int MaxSwitches = 6;
constexpr int MaxComponents = 16;

std::optional<Kind> kindNamed(const QString& name) {
    for (const KindSpec& k : kinds())
        if (name == k.fileName)
            return k.kind;
    return std::nullopt;
}

// Collects the first error met while reading a file.
class Reader : public JsonReader {
  public:
    using JsonReader::JsonReader;

    bool text(const QJsonObject& o, const char* key, QString& out, bool required = true) {
        const QJsonValue v = o.value(QLatin1String(key));
        if (v.isUndefined() && !required)
            return true;
        if (!v.isString() || v.toString().trimmed().isEmpty())
            return fail(
                QStringLiteral("el camp «%1» ha de ser un text no buit").arg(QLatin1String(key)));
        out = v.toString();
        return true;
    }

    bool point(const QJsonValue& v, QPoint& out, const QString& where) {
        const QJsonArray a = v.toArray();
        if (!v.isArray() || a.size() != 2 || !isInteger(a[0]) || !isInteger(a[1]))
            return fail(QStringLiteral("%1: «place» ha de ser un parell d'enters").arg(where));
        out = QPoint(a[0].toInt(), a[1].toInt());
        return true;
    }
};

bool readComponent(Reader& r, const QJsonValue& v, int index, Component& out) {
    const QString where = QStringLiteral("component %1").arg(index + 1);
    if (!v.isObject())
        return r.fail(QStringLiteral("%1: ha de ser un objecte").arg(where));
    const QJsonObject o = v.toObject();
    QString kind;
    if (!r.text(o, "kind", kind) || !r.text(o, "name", out.name))
        return false;
    const std::optional<Kind> k = kindNamed(kind);
    if (!k)
        return r.fail(QStringLiteral("%1: tipus desconegut «%2»").arg(where, kind));
    out.kind = *k;
    if (!r.point(o.value(QLatin1String("place")), out.place, where))
        return false;
    const QJsonValue mirrored = o.value(QLatin1String("mirrored"));
    if (!mirrored.isUndefined() && !mirrored.isBool())
        return r.fail(QStringLiteral("%1: «mirrored» ha de ser cert o fals").arg(where));
    out.mirrored = mirrored.toBool();
    const QRect f = board::footprint(out);
    if (f.left() < 0 || f.top() < 0 || f.left() + f.width() > board::Width ||
        f.top() + f.height() > board::Height)
        return r.fail(QStringLiteral("%1 («%2») queda fora del tauler de %3 × %4")
                          .arg(where, out.name)
                          .arg(board::Width)
                          .arg(board::Height));
    return true;
}

bool readComponents(Reader& r, const QJsonValue& v, Exercise& e) {
    const QJsonArray list = v.toArray();
    if (!v.isArray() || list.isEmpty() || list.size() > MaxComponents)
        return r.fail(QStringLiteral("«components» ha de ser una llista d'entre 1 i %1 components")
                          .arg(MaxComponents));
    // Each component's faults are told; a faulty one is left out of the
    // checks against the others.
    bool ok = true;
    for (int i = 0; i < list.size(); ++i) {
        Component c;
        if (!readComponent(r, list[i], i, c)) {
            ok = false;
            continue;
        }
        bool fits = true;
        if (e.component(c.name))
            fits = r.fail(QStringLiteral("dos components es diuen «%1»").arg(c.name));
        for (const Component& other : e.components)
            if (board::footprint(other)
                    .adjusted(0, 0, 1, 1)
                    .intersects(board::footprint(c).adjusted(0, 0, 1, 1)))
                fits = r.fail(QStringLiteral("«%1» i «%2» es trepitgen").arg(other.name, c.name));
        if (fits)
            e.components.push_back(c);
        ok = ok && fits;
    }
    return ok;
}

// Gives each component its terminals and finds the phase, the neutral, the
// earth, the switches, the lamps and the sockets. A socket needs the earth;
// an exercise needs a lamp or a socket.
bool indexComponents(Reader& r, Exercise& e) {
    bool ok = true, twoSupplies = false, twoEarths = false;
    for (int i = 0; i < int(e.components.size()); ++i) {
        const Component& c = e.components[size_t(i)];
        e.firstTerminals.push_back(int(e.terminals.size()));
        const std::vector<TerminalSpec>& specs = describe(c.kind).terminals;
        for (int t = 0; t < int(specs.size()); ++t) {
            const QString& local = specs[size_t(t)].local;
            const QString name = local.isEmpty() ? c.name : c.name + QStringLiteral(", ") + local;
            if (e.terminal(name))
                ok = r.fail(QStringLiteral("dos borns es diuen «%1»").arg(name));
            e.terminals.push_back({i, t, name});
        }
        const int last = int(e.terminals.size()) - 1;
        if (c.kind == Kind::Phase || c.kind == Kind::Neutral) {
            int& slot = c.kind == Kind::Phase ? e.phase : e.neutral;
            twoSupplies = twoSupplies || slot >= 0;
            slot = last;
        }
        const std::vector<Actuator>& actuators = describe(c.kind).actuators;
        for (int a = 0; a < int(actuators.size()); ++a)
            if (!actuators[size_t(a)].button.isEmpty()) {
                e.switches.push_back(i);
                e.switchActuators.push_back(a);
            }
        if (c.kind == Kind::Lamp)
            e.lamps.push_back(i);
        if (c.kind == Kind::Socket)
            e.sockets.push_back(i);
        if (c.kind == Kind::Earth) {
            twoEarths = twoEarths || e.earth >= 0;
            e.earth = last;
        }
    }
    if (twoSupplies)
        ok = r.fail(QStringLiteral("hi ha d'haver una sola fase i un sol neutre"));
    if (e.phase < 0 || e.neutral < 0)
        ok = r.fail(QStringLiteral("hi falta la fase o el neutre"));
    if (twoEarths)
        ok = r.fail(QStringLiteral("hi ha d'haver una sola terra"));
    if (!e.sockets.empty() && e.earth < 0)
        ok = r.fail(QStringLiteral("hi ha preses però falta la terra"));
    if (e.lamps.empty() && e.sockets.empty())
        ok = r.fail(QStringLiteral("hi falta alguna làmpada"));
    if (e.switches.size() > size_t(MaxSwitches))
        ok = r.fail(QStringLiteral("hi ha més de %1 interruptors").arg(MaxSwitches));
    return ok;
}

// Why no conductor can reach a terminal, naming what stands in its way.
QString unreachableText(const Exercise& e, int t) {
    const Terminal& terminal = e.terminals[size_t(t)];
    const Component& c = e.components[size_t(terminal.component)];
    const QPoint first =
        board::terminalPoint(c, terminal.local) + board::terminalExit(c, terminal.local);
    const QString none =
        QStringLiteral("cap conductor no pot arribar al born «%1»").arg(terminal.name);
    if (!QRect(0, 0, board::Width + 1, board::Height + 1).contains(first))
        return QStringLiteral("%1, que dona a la vora del tauler: deixa un pas lliure entre «%2» i "
                              "la vora")
            .arg(none, c.name);
    for (const Component& other : e.components)
        if (board::takes(other, first))
            return QStringLiteral("%1, que toca «%2»: deixa un pas lliure entre «%3» i «%2»")
                .arg(none, other.name, c.name);
    return QStringLiteral("%1: els components que l'envolten li tanquen el pas").arg(none);
}

// A terminal that no conductor can reach would have its conductors drawn
// straight through the components.
bool checkReachable(Reader& r, const Exercise& e) {
    bool ok = true;
    for (int t : board::unreachableTerminals(e))
        ok = r.fail(unreachableText(e, t));
    return ok;
}

bool readTable(Reader& r, const QJsonValue& v, Exercise& e) {
    const QJsonArray rows = v.toArray();
    if (!v.isArray() || rows.size() != e.combinations())
        return r.fail(QStringLiteral("«table» ha de tenir %1 files, una per combinació")
                          .arg(e.combinations()));
    for (int k = 0; k < rows.size(); ++k) {
        const QJsonArray cells = rows[k].toArray();
        if (!rows[k].isArray() || cells.size() != int(e.lamps.size()))
            return r.fail(
                QStringLiteral("la fila %1 de «table» ha de tenir un valor per làmpada").arg(k));
        Row row;
        for (const QJsonValue& cell : cells) {
            if (!Reader::isInteger(cell) || (cell.toInt() != 0 && cell.toInt() != 1))
                return r.fail(QStringLiteral("la fila %1 de «table» només pot tenir 0 o 1").arg(k));
            row.push_back(cell.toInt() == 1);
        }
        e.table.push_back(row);
    }
    return true;
}

// The room windows of the house, which an exercise may send the learner
// to once the wiring is right.
QStringList roomWindows() {
    QStringList windows;
    for (const house::Room& room : house::rooms())
        windows << room.window;
    return windows;
}

// Every fault that does not hide the others is told: a teacher mends a
// file in one go. The table is read only against sound components, whose
// switches and lamps give its shape.
bool readExercise(Reader& r, const QJsonObject& o, Exercise& e) {
    if (!r.header(o, "ampera-exercise", QStringLiteral("un exercici d'Ampera"), 1))
        return false;
    bool ok = r.text(o, "id", e.id);
    ok = r.text(o, "title", e.title) && ok;
    ok = r.text(o, "instruction", e.instruction) && ok;
    ok = r.text(o, "menu", e.menuText, false) && ok;
    ok = r.text(o, "room", e.room, false) && ok;
    ok = r.text(o, "roomName", e.roomName, false) && ok;
    if (!e.room.isEmpty() && !roomWindows().contains(e.room))
        ok = r.fail(QStringLiteral("«room» ha de ser una estança de la casa (%1), i «%2» no "
                                   "ho és")
                        .arg(roomWindows().join(QStringLiteral(", ")), e.room));
    if (e.menuText.isEmpty())
        e.menuText = QString(e.title).replace(QLatin1Char('&'), QStringLiteral("&&"));
    static const QRegularExpression idPattern(QStringLiteral("^[a-z0-9][a-z0-9-]{0,39}$"));
    if (!e.id.isEmpty() && !idPattern.match(e.id).hasMatch())
        ok = r.fail(
            QStringLiteral("l'identificador «%1» només pot tenir minúscules, xifres i guions")
                .arg(e.id));
    if (readComponents(r, o.value(QLatin1String("components")), e) && indexComponents(r, e)) {
        ok = checkReachable(r, e) && ok;
        ok = readTable(r, o.value(QLatin1String("table")), e) && ok;
    } else {
        ok = false;
    }
    const QJsonValue complement = o.value(QLatin1String("complement"));
    if (!complement.isUndefined() && !complement.isBool())
        ok = r.fail(QStringLiteral("«complement» ha de ser cert o fals"));
    e.complementAccepted = complement.toBool();
    return ok;
}

} // namespace

std::optional<int> Exercise::terminal(const QString& name) const {
    for (int i = 0; i < int(terminals.size()); ++i)
        if (terminals[size_t(i)].name == name)
            return i;
    return std::nullopt;
}

std::optional<int> Exercise::component(const QString& name) const {
    for (int i = 0; i < int(components.size()); ++i)
        if (components[size_t(i)].name == name)
            return i;
    return std::nullopt;
}

QString Exercise::switchName(int s) const {
    const int c = switches[size_t(s)];
    const QString& name = components[size_t(c)].name;
    if (std::count(switches.begin(), switches.end(), c) < 2)
        return name;
    return name + QStringLiteral(" %1").arg(switchActuators[size_t(s)] + 1);
}

std::optional<int> Exercise::switchNamed(const QString& name) const {
    for (int s = 0; s < int(switches.size()); ++s)
        if (switchName(s) == name)
            return s;
    return std::nullopt;
}

QString Exercise::combinationText(int combination) const {
    QStringList parts;
    for (int s = 0; s < int(switches.size()); ++s)
        parts << QStringLiteral("%1 = %2").arg(switchName(s)).arg(position(combination, s));
    return parts.join(QStringLiteral(", "));
}

int Exercise::wiringFormatVersion() const {
    int version = 1;
    for (const Component& c : components)
        version = std::max(version, describe(c.kind).formatVersion);
    return version;
}

std::optional<Exercise> parseExercise(const QByteArray& json, QStringList* faults) {
    QString error;
    const std::optional<QJsonObject> object = parseJsonObject(json, &error);
    if (!object) {
        if (faults)
            *faults = QStringList{error};
        return std::nullopt;
    }
    Reader r(nullptr);
    Exercise e;
    const bool ok = readExercise(r, *object, e);
    if (faults)
        *faults = r.faults();
    return ok ? std::optional<Exercise>(std::move(e)) : std::nullopt;
}

std::optional<Exercise> parseExercise(const QByteArray& json, QString* error) {
    QStringList faults;
    std::optional<Exercise> e = parseExercise(json, &faults);
    if (error)
        *error = faults.join(QStringLiteral("; "));
    return e;
}

const std::vector<Exercise>& builtInExercises() {
    static const std::vector<Exercise> exercises = [] {
        std::vector<Exercise> list;
        for (const char* id :
             {"punt-de-llum", "commutada", "encreuament", "quatre-punts", "dos-llums",
              "presa-de-corrent", "punt-de-llum-i-presa", "interruptor-doble"}) {
            QFile file(QStringLiteral(":/exercises/%1.json").arg(QLatin1String(id)));
            file.open(QIODevice::ReadOnly);
            QString error;
            std::optional<Exercise> e = parseExercise(file.readAll(), &error);
            if (!e)
                qFatal("built-in exercise %s: %s", id, qUtf8Printable(error));
            list.push_back(std::move(*e));
        }
        return list;
    }();
    return exercises;
}

} // namespace circuit
