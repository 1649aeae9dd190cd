// SPDX-License-Identifier: GPL-3.0-or-later
#include "circuit/exercise.h"

#include "circuit/board.h"
#include "circuit/circuit_file.h"
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
constexpr int MaxSequences = 20;
constexpr int MaxSteps = 100;
constexpr int MaxSeconds = 3600;
constexpr int MaxFaults = 8;

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
    const QJsonValue seconds = o.value(QLatin1String("seconds"));
    if (!seconds.isUndefined()) {
        if (out.kind != Kind::StaircaseTimer)
            return r.fail(
                QStringLiteral("%1: «seconds» només el té un automàtic d'escala").arg(where));
        if (!Reader::isInteger(seconds) || seconds.toInt() < 1 || seconds.toInt() > MaxSeconds)
            return r.fail(QStringLiteral("%1: «seconds» ha de ser un enter entre 1 i %2")
                              .arg(where)
                              .arg(MaxSeconds));
        out.seconds = seconds.toInt();
    }
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
        if (c.kind == Kind::Bell)
            e.bells.push_back(i);
        if (isDevice(c.kind))
            e.devices.push_back(i);
        e.bySequences = e.bySequences || isMomentary(c.kind) || isDevice(c.kind);
    }
    if (twoSupplies)
        ok = r.fail(QStringLiteral("hi ha d'haver una sola fase i un sol neutre"));
    if (e.phase < 0 || e.neutral < 0)
        ok = r.fail(QStringLiteral("hi falta la fase o el neutre"));
    if (twoEarths)
        ok = r.fail(QStringLiteral("hi ha d'haver una sola terra"));
    if (!e.sockets.empty() && e.earth < 0)
        ok = r.fail(QStringLiteral("hi ha preses però falta la terra"));
    if (e.lamps.empty() && e.sockets.empty() && e.bells.empty())
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

// The index in Exercise::switches of the push button named, or -1.
int pushButtonNamed(const Exercise& e, const QString& name) {
    for (int s = 0; s < int(e.switches.size()); ++s) {
        const Component& c = e.components[size_t(e.switches[size_t(s)])];
        if (c.name == name && isMomentary(c.kind))
            return s;
    }
    return -1;
}

bool readExpectation(Reader& r, const QJsonValue& v, const Exercise& e, SequenceStep& step,
                     const QString& where) {
    if (!v.isObject() || v.toObject().isEmpty())
        return r.fail(QStringLiteral("%1: «expect» ha de ser un objecte amb l'estat de làmpades o "
                                     "timbres")
                          .arg(where));
    const std::vector<int> outputs = e.outputs();
    const QJsonObject o = v.toObject();
    for (auto it = o.begin(); it != o.end(); ++it) {
        const std::optional<int> c = e.component(it.key());
        if (!c || std::find(outputs.begin(), outputs.end(), *c) == outputs.end())
            return r.fail(QStringLiteral("%1: «%2» no és cap làmpada ni cap timbre de l'exercici")
                              .arg(where, it.key()));
        if (!Reader::isInteger(it.value()) || (it.value().toInt() != 0 && it.value().toInt() != 1))
            return r.fail(
                QStringLiteral("%1: l'estat de «%2» ha de ser 0 o 1").arg(where, it.key()));
        step.expect.emplace_back(*c, it.value().toInt() == 1);
    }
    return true;
}

bool readStep(Reader& r, const QJsonValue& v, const Exercise& e, SequenceStep& step,
              const QString& where) {
    using Action = SequenceStep::Action;
    static const std::vector<std::pair<QString, Action>> actions = {
        {QStringLiteral("press"), Action::Press},
        {QStringLiteral("hold"), Action::Hold},
        {QStringLiteral("release"), Action::Release},
        {QStringLiteral("wait"), Action::Wait},
        {QStringLiteral("expect"), Action::Expect}};
    const QJsonObject o = v.toObject();
    if (!v.isObject() || o.size() != 1)
        return r.fail(QStringLiteral("%1: ha de ser un objecte amb una sola clau: «press», "
                                     "«hold», «release», «wait» o «expect»")
                          .arg(where));
    const QString key = o.begin().key();
    const QJsonValue value = o.begin().value();
    const auto found =
        std::find_if(actions.begin(), actions.end(), [&](const auto& a) { return a.first == key; });
    if (found == actions.end())
        return r.fail(QStringLiteral("%1: acció desconeguda «%2»").arg(where, key));
    step.action = found->second;
    switch (step.action) {
    case Action::Wait:
        step.seconds = value.toDouble(-1);
        if (!value.isDouble() || step.seconds <= 0 || step.seconds > MaxSeconds)
            return r.fail(QStringLiteral("%1: «wait» ha de ser un nombre de segons entre 0 i %2")
                              .arg(where)
                              .arg(MaxSeconds));
        return true;
    case Action::Expect:
        return readExpectation(r, value, e, step, where);
    default:
        step.switchIndex = pushButtonNamed(e, value.toString());
        if (step.switchIndex < 0)
            return r.fail(QStringLiteral("%1: «%2» ha de ser el nom d'un polsador de l'exercici")
                              .arg(where, key));
        return true;
    }
}

bool readSequence(Reader& r, const QJsonValue& v, int index, Exercise& e) {
    const QString where = QStringLiteral("la seqüència %1").arg(index + 1);
    const QJsonObject o = v.toObject();
    Sequence sequence;
    if (!v.isObject())
        return r.fail(QStringLiteral("%1 ha de ser un objecte").arg(where));
    if (!r.text(o, "name", sequence.name))
        return false;
    const QJsonArray steps = o.value(QLatin1String("steps")).toArray();
    if (!o.value(QLatin1String("steps")).isArray() || steps.isEmpty() || steps.size() > MaxSteps)
        return r.fail(QStringLiteral("%1: «steps» ha de ser una llista d'entre 1 i %2 passos")
                          .arg(where)
                          .arg(MaxSteps));
    for (int k = 0; k < steps.size(); ++k) {
        SequenceStep step;
        if (!readStep(r, steps[k], e, step, QStringLiteral("%1, pas %2").arg(where).arg(k + 1)))
            return false;
        sequence.steps.push_back(std::move(step));
    }
    e.sequences.push_back(std::move(sequence));
    return true;
}

bool readSequences(Reader& r, const QJsonValue& v, Exercise& e) {
    if (v.isUndefined() && !e.devices.empty())
        return true;
    const QJsonArray list = v.toArray();
    if (!v.isArray() || list.isEmpty() || list.size() > MaxSequences)
        return r.fail(QStringLiteral("amb polsadors cal «sequences», una llista d'entre 1 i %1 "
                                     "seqüències")
                          .arg(MaxSequences));
    bool ok = true;
    for (int i = 0; i < list.size(); ++i)
        ok = readSequence(r, list[i], i, e) && ok;
    return ok;
}

// Every lamp in one state.
SequenceStep expectAll(const Exercise& e, bool lit) {
    SequenceStep step;
    for (int lamp : e.lamps)
        step.expect.emplace_back(lamp, lit);
    return step;
}

// For a relay, each push button on its own turns the lamps on and off
// again; for a timer, each lights them for the time and no longer.
void addOwnSequences(Exercise& e) {
    if (e.devices.empty())
        return;
    const Component& device = e.components[size_t(e.devices.front())];
    const bool relay = device.kind == Kind::ImpulseRelay;
    for (int s = 0; s < int(e.switches.size()); ++s) {
        const Component& button = e.components[size_t(e.switches[size_t(s)])];
        if (!isMomentary(button.kind))
            continue;
        SequenceStep press;
        press.action = SequenceStep::Action::Press;
        press.switchIndex = s;
        Sequence q{QStringLiteral("«%1» sol").arg(button.name),
                   {expectAll(e, false), press, expectAll(e, true)}};
        if (relay) {
            q.steps.insert(q.steps.end(), {press, expectAll(e, false)});
        } else {
            SequenceStep wait;
            wait.action = SequenceStep::Action::Wait;
            wait.seconds = device.seconds - 1;
            if (wait.seconds > 0)
                q.steps.insert(q.steps.end(), {wait, expectAll(e, true)});
            wait.seconds = 2;
            q.steps.insert(q.steps.end(), {wait, expectAll(e, false)});
        }
        e.sequences.push_back(std::move(q));
    }
}

// The room windows of the house, which an exercise may send the learner
// to once the wiring is right.
QStringList roomWindows() {
    QStringList windows;
    for (const house::Room& room : house::rooms())
        windows << room.window;
    return windows;
}

// A true-or-false field that may be left out.
bool readFlag(Reader& r, const QJsonObject& o, const char* key, bool byDefault, bool& flag) {
    const QJsonValue v = o.value(QLatin1String(key));
    flag = v.isBool() ? v.toBool() : byDefault;
    if (v.isUndefined() || v.isBool())
        return true;
    return r.fail(QStringLiteral("«%1» ha de ser cert o fals").arg(QLatin1String(key)));
}

// A table for switches alone; sequences for push buttons and devices.
bool readJudgement(Reader& r, const QJsonObject& o, Exercise& e) {
    const QJsonValue table = o.value(QLatin1String("table"));
    const QJsonValue sequences = o.value(QLatin1String("sequences"));
    if (!e.bySequences) {
        if (!sequences.isUndefined())
            return r.fail(QStringLiteral("«sequences» només serveix amb polsadors, telerruptors "
                                         "o automàtics d'escala"));
        return readTable(r, table, e);
    }
    if (!table.isUndefined())
        return r.fail(QStringLiteral("amb polsadors, telerruptors o automàtics d'escala, el "
                                     "muntatge es jutja amb «sequences», no amb «table»"));
    if (!readSequences(r, sequences, e))
        return false;
    addOwnSequences(e);
    return true;
}

// The terminals a blade of the component rests on in some position: its
// fixed contacts, by their index in its kind.
std::vector<int> fixedContacts(Kind kind) {
    std::vector<int> contacts;
    for (const Actuator& actuator : describe(kind).actuators)
        for (const Blade& blade : actuator.blades)
            for (int rest : blade.restsOn)
                if (rest != Blade::Open &&
                    std::find(contacts.begin(), contacts.end(), rest) == contacts.end())
                    contacts.push_back(rest);
    std::sort(contacts.begin(), contacts.end());
    return contacts;
}

// "«born 1» i «born 2»", "«born 2»": a kind's fixed contacts by name.
QString contactsText(Kind kind) {
    QStringList names;
    for (int t : fixedContacts(kind))
        names << QStringLiteral("«%1»").arg(describe(kind).terminals[size_t(t)].local);
    if (names.size() < 2)
        return names.join(QString());
    const QString last = names.takeLast();
    return names.join(QStringLiteral(", ")) + QStringLiteral(" i ") + last;
}

// The component a fault names, of the kinds `fits` accepts; `what` says
// what it must be ("una làmpada").
std::optional<int> faultComponent(Reader& r, const QJsonObject& o, const Exercise& e,
                                  const QString& where, bool (*fits)(Kind), const char* what) {
    const QJsonValue v = o.value(QLatin1String("component"));
    const std::optional<int> c = e.component(v.toString());
    QString wrong;
    if (!v.isString())
        wrong = QStringLiteral("%1: «component» ha de ser el nom d'un component").arg(where);
    else if (!c)
        wrong =
            QStringLiteral("%1: «%2» no és cap component de l'exercici").arg(where, v.toString());
    else if (!fits(e.components[size_t(*c)].kind))
        wrong =
            QStringLiteral("%1: «%2» no és %3").arg(where, v.toString(), QString::fromUtf8(what));
    if (wrong.isEmpty())
        return c;
    r.fail(wrong);
    return std::nullopt;
}

// A broken conductor of the installation, named by its two ends in
// either order.
bool readOpenConductor(Reader& r, const QJsonObject& o, const Exercise& e, const QString& where,
                       Fault& fault) {
    const QJsonArray ends = o.value(QLatin1String("conductor")).toArray();
    if (ends.size() != 2 || !ends[0].isString() || !ends[1].isString())
        return r.fail(
            QStringLiteral("%1: «conductor» ha de ser el parell de borns que uneix").arg(where));
    const std::optional<int> a = e.terminal(ends[0].toString()), b = e.terminal(ends[1].toString());
    for (int i = 0; a && b && i < int(e.installation.size()); ++i)
        if (e.installation[size_t(i)].joins(*a, *b)) {
            fault.conductor = i;
            return true;
        }
    return r.fail(QStringLiteral("%1: cap conductor de «wiring» no uneix «%2» i «%3»")
                      .arg(where, ends[0].toString(), ends[1].toString()));
}

// A contact of a switch that never closes: one its blades rest on.
bool readOpenContact(Reader& r, const QJsonObject& o, const Exercise& e, const QString& where,
                     Fault& fault) {
    const std::optional<int> c = faultComponent(r, o, e, where, isSwitch,
                                                "cap interruptor, commutador, creuament ni "
                                                "polsador");
    if (!c)
        return false;
    fault.component = *c;
    const Kind kind = e.components[size_t(*c)].kind;
    const QString local = o.value(QLatin1String("terminal")).toString();
    for (int t : fixedContacts(kind))
        if (describe(kind).terminals[size_t(t)].local == local) {
            fault.terminal = e.terminalOf(*c, t);
            return true;
        }
    return r.fail(QStringLiteral("%1: «terminal» ha de ser un contacte fix de «%2»: %3")
                      .arg(where, e.components[size_t(*c)].name, contactsText(kind)));
}

bool readFault(Reader& r, const QJsonValue& v, int index, Exercise& e) {
    const QString where = QStringLiteral("l'avaria %1").arg(index + 1);
    const QJsonObject o = v.toObject();
    if (!v.isObject())
        return r.fail(QStringLiteral("%1 ha de ser un objecte").arg(where));
    const QString kind = o.value(QLatin1String("kind")).toString();
    Fault fault;
    bool ok = false;
    if (kind == QLatin1String("conductor-obert")) {
        fault.kind = FaultKind::OpenConductor;
        ok = readOpenConductor(r, o, e, where, fault);
    } else if (kind == QStringLiteral("làmpada-fosa")) {
        fault.kind = FaultKind::BlownLamp;
        const std::optional<int> c = faultComponent(
            r, o, e, where, [](Kind k) { return k == Kind::Lamp; }, "cap làmpada");
        fault.component = c.value_or(-1);
        ok = bool(c);
    } else if (kind == QLatin1String("contacte-obert")) {
        fault.kind = FaultKind::OpenContact;
        ok = readOpenContact(r, o, e, where, fault);
    } else {
        return r.fail(QStringLiteral("%1: «kind» ha de ser «conductor-obert», «làmpada-fosa» o "
                                     "«contacte-obert»")
                          .arg(where));
    }
    if (!ok)
        return false;
    const auto same = std::find(e.faults.begin(), e.faults.end(), fault);
    if (same != e.faults.end())
        return r.fail(QStringLiteral("%1 repeteix l'avaria %2")
                          .arg(where)
                          .arg(int(same - e.faults.begin()) + 1));
    e.faults.push_back(fault);
    return true;
}

// The installation as built and the faults hidden in it: both or neither.
bool readFaults(Reader& r, const QJsonObject& o, Exercise& e) {
    const QJsonValue wiring = o.value(QLatin1String("wiring"));
    const QJsonValue faults = o.value(QLatin1String("faults"));
    if (wiring.isUndefined() && faults.isUndefined())
        return true;
    if (faults.isUndefined())
        return r.fail(QStringLiteral("«wiring» només serveix amb «faults», les avaries que hi "
                                     "ha amagades"));
    if (wiring.isUndefined())
        return r.fail(QStringLiteral("«faults» necessita «wiring», la instal·lació on són les "
                                     "avaries"));
    if (!readConductors(r, wiring, e, QStringLiteral("wiring"), e.installation))
        return false;
    const QJsonArray list = faults.toArray();
    if (!faults.isArray() || list.isEmpty() || list.size() > MaxFaults)
        return r.fail(
            QStringLiteral("«faults» ha de ser una llista d'entre 1 i %1 avaries").arg(MaxFaults));
    bool ok = true;
    for (int i = 0; i < list.size(); ++i)
        ok = readFault(r, list[i], i, e) && ok;
    if (!ok)
        e.faults.clear();
    return ok;
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
        ok = readJudgement(r, o, e) && ok;
        ok = readFaults(r, o, e) && ok;
    } else {
        ok = false;
    }
    ok = readFlag(r, o, "complement", false, e.complementAccepted) && ok;
    ok = readFlag(r, o, "colours", true, e.coloursJudged) && ok;
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
    // A pupil's record of a fault-finding exercise came with the second.
    int version = findsFaults() ? 2 : 1;
    for (const Component& c : components)
        version = std::max(version, describe(c.kind).formatVersion);
    return version;
}

std::vector<int> Exercise::outputs() const {
    std::vector<int> all = lamps;
    all.insert(all.end(), bells.begin(), bells.end());
    return all;
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
              "presa-de-corrent", "punt-de-llum-i-presa", "interruptor-doble", "timbre",
              "telerruptor", "automatic-escala", "avaria-punt-de-llum", "avaria-commutada",
              "avaria-encreuament", "avaria-dos-llums"}) {
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
