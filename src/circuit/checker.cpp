// SPDX-License-Identifier: GPL-3.0-or-later
#include "circuit/checker.h"

#include "circuit/devices.h"

#include <algorithm>

namespace circuit {

namespace {

bool matches(const Outcome& o, const Row& row) {
    if (o.shortCircuit || o.earthFault)
        return false;
    if (!std::all_of(o.sockets.begin(), o.sockets.end(),
                     [](const SocketState& s) { return s.works(); }))
        return false;
    for (size_t i = 0; i < row.size(); ++i)
        if ((o.lamps[i] == Glow::Full) != row[i] || o.lamps[i] == Glow::Weak)
            return false;
    return true;
}

std::vector<Row> complementOf(const std::vector<Row>& table) {
    std::vector<Row> result = table;
    for (Row& row : result)
        row.flip();
    return result;
}

template <class Predicate> std::optional<int> firstWhere(int count, Predicate failing) {
    for (int k = 0; k < count; ++k)
        if (failing(k))
            return k;
    return std::nullopt;
}

// Chooses the table to compare with and marks the rows that differ from it.
void compare(const Exercise& e, Report& r) {
    auto differences = [&](const std::vector<Row>& table) {
        std::vector<bool> d;
        for (size_t k = 0; k < table.size(); ++k)
            d.push_back(!matches(r.outcomes[k], table[k]));
        return d;
    };
    r.expected = e.table;
    r.differs = differences(e.table);
    if (!e.complementAccepted)
        return;
    const std::vector<Row> other = complementOf(e.table);
    const std::vector<bool> otherDiffers = differences(other);
    if (std::count(otherDiffers.begin(), otherDiffers.end(), true) <
        std::count(r.differs.begin(), r.differs.end(), true)) {
        r.expected = other;
        r.differs = otherDiffers;
        r.complement = true;
    }
}

// What one lamp does over the combinations without a short.
struct LampRecord {
    bool lights = false;   // it lights, fully or weakly, in some combination
    bool switched = false; // it lights in some and is off in some other
};

std::vector<LampRecord> lampRecords(const Report& r, size_t lamps) {
    std::vector<LampRecord> records(lamps);
    for (size_t i = 0; i < lamps; ++i) {
        bool off = false;
        for (const Outcome& o : r.outcomes)
            if (!o.shortCircuit)
                (o.lamps[i] == Glow::Off ? off : records[i].lights) = true;
        records[i].switched = records[i].lights && off;
    }
    return records;
}

Criterion criterion(const Exercise& e, int index, std::optional<int> failure, bool judged) {
    Criterion c;
    c.name = criterionNames()[size_t(index)];
    c.firstFailure = failure;
    if (failure)
        c.where = e.combinationText(*failure);
    c.judgement = failure ? Judgement::Failed : judged ? Judgement::Met : Judgement::Unjudged;
    return c;
}

// A short fails its criterion wherever it is; otherwise a board on which no
// lamp ever lights proves nothing about safety or brightness. Whether the
// switches cut the phase is judged on the lamps that are switched on and
// off: it fails where such a lamp is off yet still at the phase's voltage,
// so that a switch has cut its neutral side. A lamp that never lights is
// no switched neutral, whatever its terminals touch.
void mark(const Exercise& e, Report& r) {
    const int n = e.combinations();
    const auto& o = r.outcomes;
    const std::vector<LampRecord> lamps = lampRecords(r, e.lamps.size());
    const auto some = [&](auto test) { return std::any_of(lamps.begin(), lamps.end(), test); };
    const bool lit = some([](const LampRecord& l) { return l.lights; });
    // A powered socket, like a lit lamp, shows whether the supply is safe.
    const bool powered = std::any_of(o.begin(), o.end(), [](const Outcome& outcome) {
        return std::any_of(outcome.sockets.begin(), outcome.sockets.end(),
                           [](const SocketState& s) { return s.powered; });
    });
    const bool switched = some([](const LampRecord& l) { return l.switched; });
    r.criteria[0] =
        criterion(e, 0, firstWhere(n, [&](int k) { return r.differs[size_t(k)]; }), true);
    r.criteria[1] = criterion(e, 1, firstWhere(n, [&](int k) { return o[size_t(k)].shortCircuit; }),
                              lit || powered);
    r.criteria[2] =
        criterion(e, 2,
                  firstWhere(n,
                             [&](int k) {
                                 for (size_t i = 0; i < lamps.size(); ++i)
                                     if (lamps[i].lights && o[size_t(k)].liveWhileOff[i])
                                         return true;
                                 return false;
                             }),
                  switched);
    r.criteria[3] =
        criterion(e, 3,
                  firstWhere(n,
                             [&](int k) {
                                 const auto& glows = o[size_t(k)].lamps;
                                 return std::count(glows.begin(), glows.end(), Glow::Weak) > 0;
                             }),
                  lit);
}

// A lamp that never lights but is at the phase's voltage while off has no
// neutral: said plainly, for it is neither a switched neutral nor safe.
QString unconnectedNeutralText(const Exercise& e, const Report& r) {
    const std::vector<LampRecord> lamps = lampRecords(r, e.lamps.size());
    for (size_t i = 0; i < lamps.size(); ++i) {
        if (lamps[i].lights)
            continue;
        const std::optional<int> live = firstWhere(
            e.combinations(), [&](int k) { return bool(r.outcomes[size_t(k)].liveWhileOff[i]); });
        if (!live)
            continue;
        const QString lamp = e.lamps.size() > 1
                                 ? QStringLiteral("«%1»").arg(e.components[size_t(e.lamps[i])].name)
                                 : QStringLiteral("la làmpada");
        return QStringLiteral(" Quan és apagada, %1 queda a la tensió de la fase (combinació %2), "
                              "perquè no té el neutre connectat.")
            .arg(lamp, e.combinationText(*live));
    }
    return {};
}

bool anyLamp(const Report& r, Glow glow) {
    return std::any_of(r.outcomes.begin(), r.outcomes.end(), [&](const Outcome& o) {
        return std::count(o.lamps.begin(), o.lamps.end(), glow) > 0;
    });
}

bool allLampsLit(const Report& r) {
    return std::all_of(r.outcomes.begin(), r.outcomes.end(), [](const Outcome& o) {
        return std::all_of(o.lamps.begin(), o.lamps.end(), [](Glow g) { return g == Glow::Full; });
    });
}

// " (combinació …)", or nothing for an exercise without switches.
QString inCombination(const Exercise& e, int k) {
    return e.switches.empty() ? QString()
                              : QStringLiteral(" (combinació %1)").arg(e.combinationText(k));
}

QString socketsCorrectText(const Exercise& e) {
    const bool plural = e.sockets.size() > 1;
    const QString sockets = plural ? QStringLiteral("les preses tenen tensió i terra")
                                   : QStringLiteral("la presa té tensió i terra");
    if (e.lamps.empty())
        return QStringLiteral("Correcte: %1 i la instal·lació és segura.").arg(sockets);
    return QStringLiteral("Correcte: %1 fa el que demana l'exercici en totes les combinacions, "
                          "%2 i la instal·lació és segura.")
        .arg(e.lamps.size() > 1 ? QStringLiteral("les làmpades") : QStringLiteral("la làmpada"),
             sockets);
}

// The first socket that does not work, and why, in the first combination
// where it fails.
QString socketText(const Exercise& e, const Report& r) {
    for (size_t i = 0; i < e.sockets.size(); ++i)
        for (int k = 0; k < e.combinations(); ++k) {
            const SocketState& s = r.outcomes[size_t(k)].sockets[i];
            const QString name = e.components[size_t(e.sockets[i])].name;
            if (!s.earthed)
                return QStringLiteral("La presa «%1» no té el born de terra connectat a la "
                                      "terra.")
                    .arg(name);
            if (!s.powered)
                return QStringLiteral("La presa «%1» no té la tensió de la xarxa entre els borns "
                                      "de fase i de neutre%2.")
                    .arg(name, inCombination(e, k));
        }
    return {};
}

QString correctText(const Exercise& e, const Report& r) {
    if (!e.sockets.empty())
        return socketsCorrectText(e);
    const bool plural = e.lamps.size() > 1;
    QString text = plural ? QStringLiteral("Correcte: les làmpades fan el que demana l'exercici en "
                                           "totes les combinacions i la instal·lació és segura.")
                          : QStringLiteral("Correcte: la làmpada fa el que demana l'exercici en "
                                           "totes les combinacions i la instal·lació és segura.");
    if (e.complementAccepted && !e.roomName.isEmpty())
        text += r.complement
                    ? QStringLiteral(" Els travessers van creuats respecte de %1: la làmpada "
                                     "s'encén en les combinacions en què allà s'apaga.")
                          .arg(e.roomName)
                    : QStringLiteral(" És el mateix muntatge que el de %1.").arg(e.roomName);
    return text;
}

void judge(const Exercise& e, Report& r) {
    const bool plural = e.lamps.size() > 1;
    const auto& c = r.criteria;
    const auto earthFault =
        firstWhere(e.combinations(), [&](int k) { return r.outcomes[size_t(k)].earthFault; });
    const QString socket = socketText(e, r);
    if (c[1].failed()) {
        const int k = *c[1].firstFailure;
        r.verdict = Verdict::ShortCircuit;
        const QString where =
            e.switches.empty() ? QString()
                               : QStringLiteral(" en la combinació %1").arg(e.combinationText(k));
        r.text = (r.outcomes[size_t(k)].shortToEarth
                      ? QStringLiteral("Curtcircuit%1: la fase toca la terra.")
                      : QStringLiteral("Curtcircuit%1: la fase toca el neutre sense passar per "
                                       "cap làmpada."))
                     .arg(where);
    } else if (earthFault) {
        r.verdict = Verdict::EarthFault;
        r.text = QStringLiteral("La terra no pot anar unida al neutre ni tornar el corrent de cap "
                                "làmpada%1: és només per a la protecció. Connecta les làmpades i "
                                "les preses al neutre.")
                     .arg(inCombination(e, *earthFault));
    } else if (!socket.isEmpty()) {
        r.verdict = Verdict::Socket;
        r.text = socket;
    } else if (!c[0].failed() && !c[2].failed()) {
        r.verdict = Verdict::Correct;
        r.text = correctText(e, r);
    } else if (!c[0].failed()) {
        r.verdict = Verdict::NeutralSwitched;
        r.text = QStringLiteral("Funciona, però no és segur: s'ha tallat el neutre en lloc de la "
                                "fase, i %1 connectada a la fase quan és apagada (combinació %2).")
                     .arg(plural ? QStringLiteral("una làmpada queda")
                                 : QStringLiteral("la làmpada queda"),
                          e.combinationText(*c[2].firstFailure));
    } else if (c[3].failed()) {
        r.verdict = Verdict::Series;
        r.text = QStringLiteral("Les làmpades estan en sèrie: fan poca llum (combinació %1). "
                                "Connecta-les en paral·lel.")
                     .arg(e.combinationText(*c[3].firstFailure));
    } else if (!anyLamp(r, Glow::Full)) {
        r.verdict = Verdict::NeverLit;
        r.text = plural ? QStringLiteral("Les làmpades no s'encenen en cap combinació.")
                        : QStringLiteral("La làmpada no s'encén en cap combinació.");
    } else if (allLampsLit(r)) {
        r.verdict = Verdict::AlwaysLit;
        r.text =
            plural ? QStringLiteral("Les làmpades estan sempre enceses: cap interruptor les apaga.")
                   : QStringLiteral("La làmpada està sempre encesa: cap interruptor l'apaga.");
    } else {
        const auto wrong = std::count(r.differs.begin(), r.differs.end(), true);
        r.verdict = Verdict::Wrong;
        r.text = QStringLiteral("No fa el que demana l'exercici: %1 de %2 combinacions no "
                                "coincideixen amb la taula (la primera, %3).")
                     .arg(wrong)
                     .arg(e.combinations())
                     .arg(e.combinationText(*c[0].firstFailure));
    }
    if (r.verdict != Verdict::ShortCircuit)
        r.text += unconnectedNeutralText(e, r);
}

} // namespace

const std::array<QString, 5>& criterionNames() {
    static const std::array<QString, 5> names = {
        QStringLiteral("Funciona en totes les combinacions"), QStringLiteral("Cap curtcircuit"),
        QStringLiteral("Els interruptors tallen la fase"),
        QStringLiteral("Les làmpades fan tota la llum"), QStringLiteral("Colors dels conductors")};
    return names;
}

Outcome outcomeOf(const Exercise& e, const Solution& s) {
    Outcome o;
    o.shortCircuit = s.shortCircuit;
    o.shortToEarth = s.shortToEarth;
    o.earthFault = s.earthFault;
    o.sockets = s.sockets;
    for (size_t i = 0; i < e.lamps.size(); ++i) {
        const Glow glow = s.shortCircuit ? Glow::Off : s.glow(int(i));
        o.lamps.push_back(glow);
        bool live = false;
        const int lamp = e.lamps[i];
        const int terminals = int(describe(e.components[size_t(lamp)].kind).terminals.size());
        for (int t = 0; t < terminals; ++t)
            live = live || s.potential[size_t(e.terminalOf(lamp, t))] == Potential::Phase;
        o.liveWhileOff.push_back(glow == Glow::Off && live);
    }
    return o;
}

Report check(const Exercise& e, const Wiring& wiring) {
    Report r;
    Wiring w = wiring;
    for (int k = 0; k < e.combinations(); ++k) {
        w.setCombination(k);
        DeviceState rest = DeviceState::initial(e);
        r.outcomes.push_back(outcomeOf(e, settle(e, w, rest)));
    }
    if (e.bySequences) {
        r.differs.assign(r.outcomes.size(), false);
        checkSequences(e, wiring, r);
    } else {
        compare(e, r);
        mark(e, r);
        judge(e, r);
    }
    markColours(e, wiring, r);
    return r;
}

} // namespace circuit
