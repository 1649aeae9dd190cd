// SPDX-License-Identifier: GPL-3.0-or-later
#include "circuit_oracle.h"

#include <QHash>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QSet>

#include <algorithm>
#include <cmath>
#include <limits>
#include <optional>

namespace testing::circuit_oracle {

namespace {

constexpr double Mains = 230;

// The pairs of terminals a switch button or a device joins in a position,
// as its description gives them: a single switch (and a push button) joins
// its two terminals in position 1; a two-way switch joins the common
// terminal to terminal 1 in position 0 and to terminal 2 in position 1; an
// intermediate switch joins 1-4 and 2-3 in position 0 (crossed) and 1-3 and
// 2-4 in position 1 (straight); a relay joins its two contact terminals and
// a timer its phase to its lamps when closed.
Conductors contacts(const circuit::Component& c, int button, int position) {
    const QString n = c.name + QStringLiteral(", ");
    switch (c.kind) {
    case circuit::Kind::DoubleSwitch:
        // Button 1 closes the common terminal onto terminal 1, button 2 onto 2.
        return position == 1 ? Conductors{{n + "comú", n + (button == 0 ? "born 1" : "born 2")}}
                             : Conductors{};
    case circuit::Kind::Switch:
    case circuit::Kind::PushButton:
        return position == 1 ? Conductors{{n + "born 1", n + "born 2"}} : Conductors{};
    case circuit::Kind::ImpulseRelay:
        return position == 1 ? Conductors{{n + "contacte 1", n + "contacte 2"}} : Conductors{};
    case circuit::Kind::StaircaseTimer:
        return position == 1 ? Conductors{{n + "fase", n + "làmpades"}} : Conductors{};
    case circuit::Kind::TwoWay:
        return {{n + "comú", n + (position == 0 ? "born 1" : "born 2")}};
    case circuit::Kind::Intermediate:
        if (position == 0)
            return {{n + "born 1", n + "born 4"}, {n + "born 2", n + "born 3"}};
        return {{n + "born 1", n + "born 3"}, {n + "born 2", n + "born 4"}};
    default:
        return {};
    }
}

// The two ends of a component's load, by name: a lamp's and a bell's
// terminals, a relay's coil, a timer's push-button input to its neutral.
std::optional<std::pair<QString, QString>> loadEnds(const circuit::Component& c) {
    const QString n = c.name + QStringLiteral(", ");
    switch (c.kind) {
    case circuit::Kind::Lamp:
    case circuit::Kind::Bell:
        return std::pair{n + "born 1", n + "born 2"};
    case circuit::Kind::ImpulseRelay:
        return std::pair{n + "bobina 1", n + "bobina 2"};
    case circuit::Kind::StaircaseTimer:
        return std::pair{n + "polsadors", n + "neutre"};
    default:
        return std::nullopt;
    }
}

// Labels every terminal with the smallest index of the terminals it is
// joined to without a lamp between, by depth-first search.
std::vector<int> groups(const std::vector<QSet<int>>& links) {
    std::vector<int> group(links.size(), -1);
    for (int start = 0; start < int(links.size()); ++start) {
        if (group[size_t(start)] >= 0)
            continue;
        std::vector<int> stack{start};
        group[size_t(start)] = start;
        while (!stack.empty()) {
            const int t = stack.back();
            stack.pop_back();
            for (int next : links[size_t(t)])
                if (group[size_t(next)] < 0) {
                    group[size_t(next)] = start;
                    stack.push_back(next);
                }
        }
    }
    return group;
}

// What the earth and the sockets do, once the voltages are known.
void earthAndSockets(const circuit::Exercise& e, const std::vector<int>& group,
                     const QHash<int, double>& volts, const std::vector<std::pair<int, int>>& lamps,
                     int earth, int neutral, State& state) {
    if (e.earth < 0)
        return;
    // The current the lamps carry into the earth, in units of one lamp's
    // conductance.
    double current = 0;
    for (const auto& [a, b] : lamps)
        if ((a == earth) != (b == earth))
            current += volts.value(a == earth ? b : a, 0.0);
    state.earthFault = earth == neutral || std::abs(current) > 1e-6;
    for (size_t t = 0; t < e.terminals.size(); ++t)
        state.onEarth[t] = earth != neutral && group[t] == earth;
    QHash<QString, int> index;
    for (int t = 0; t < int(e.terminals.size()); ++t)
        index.insert(e.terminals[size_t(t)].name, t);
    for (size_t i = 0; i < e.sockets.size(); ++i) {
        const QString n = e.components[size_t(e.sockets[i])].name + QStringLiteral(", ");
        const int live = index.value(n + "fase"), back = index.value(n + "neutre");
        const auto at = [&](int t, double v) {
            return volts.contains(group[size_t(t)]) && !state.onEarth[size_t(t)] &&
                   std::abs(volts.value(group[size_t(t)]) - v) < 1e-6;
        };
        state.socketPowered[i] =
            (at(live, Mains) && at(back, 0)) || (at(live, 0) && at(back, Mains));
        state.socketEarthed[i] = group[size_t(index.value(n + "terra"))] == earth;
    }
}

} // namespace

std::vector<int> positionsOf(const circuit::Exercise& e, int combination) {
    const int n = int(e.switches.size());
    std::vector<int> positions;
    for (int s = 0; s < n; ++s)
        positions.push_back((combination >> (n - 1 - s)) & 1);
    return positions;
}

namespace {

bool isOpen(const Faults& faults, const QString& a, const QString& b) {
    return std::any_of(faults.open.begin(), faults.open.end(), [&](const auto& c) {
        return (c.first == a && c.second == b) || (c.first == b && c.second == a);
    });
}

// What conductors and closed contacts join, with the faults left out: the
// groups of terminals, by smallest index.
std::vector<int> joined(const circuit::Exercise& e, const Conductors& conductors,
                        const std::vector<int>& positions, const std::vector<int>& devices,
                        const Faults& faults) {
    QHash<QString, int> index;
    for (int t = 0; t < int(e.terminals.size()); ++t)
        index.insert(e.terminals[size_t(t)].name, t);
    std::vector<QSet<int>> links(e.terminals.size());
    auto link = [&](const QString& a, const QString& b) {
        links[size_t(index.value(a))].insert(index.value(b));
        links[size_t(index.value(b))].insert(index.value(a));
    };
    for (const auto& [a, b] : conductors)
        if (!isOpen(faults, a, b))
            link(a, b);
    for (size_t s = 0; s < e.switches.size(); ++s) {
        const circuit::Component& c = e.components[size_t(e.switches[s])];
        for (const auto& [a, b] : contacts(c, e.switchActuators[s], positions[s])) {
            const bool dead = std::any_of(faults.dead.begin(), faults.dead.end(), [&](auto& d) {
                const QString terminal = d.first + QStringLiteral(", ") + d.second;
                return d.first == c.name && (a == terminal || b == terminal);
            });
            if (!dead)
                link(a, b);
        }
    }
    for (size_t d = 0; d < devices.size(); ++d)
        for (const auto& [a, b] : contacts(e.components[size_t(e.devices[d])], 0, devices[d]))
            link(a, b);
    return groups(links);
}

// Every load that carries current, as a pair of terminal indices: the
// lamps' first, in lamp order, then the others in component order.
std::vector<std::pair<int, int>> loadTerminals(const circuit::Exercise& e, const Faults& faults,
                                               std::vector<int>* owners) {
    std::vector<std::pair<int, int>> loads;
    auto add = [&](int component) {
        const circuit::Component& c = e.components[size_t(component)];
        if (faults.blown.contains(c.name))
            return;
        if (const auto ends = loadEnds(c)) {
            loads.push_back({*e.terminal(ends->first), *e.terminal(ends->second)});
            if (owners)
                owners->push_back(component);
        }
    };
    for (int lamp : e.lamps)
        add(lamp);
    for (int c = 0; c < int(e.components.size()); ++c)
        if (e.components[size_t(c)].kind != circuit::Kind::Lamp)
            add(c);
    return loads;
}

} // namespace

State simulate(const circuit::Exercise& e, const Conductors& conductors,
               const std::vector<int>& positions, const std::vector<int>& devices,
               const Faults& faults) {
    const std::vector<int> group = joined(e, conductors, positions, devices, faults);

    State state;
    state.group = group;
    const double none = std::numeric_limits<double>::quiet_NaN();
    state.volts.assign(e.terminals.size(), none);
    state.lamps.assign(e.lamps.size(), Light::Off);
    state.liveWhileOff.assign(e.lamps.size(), false);
    state.onEarth.assign(e.terminals.size(), false);
    state.socketPowered.assign(e.sockets.size(), false);
    state.socketEarthed.assign(e.sockets.size(), false);
    state.parts.assign(e.components.size(), Light::Off);
    const int phase = group[size_t(e.phase)], neutral = group[size_t(e.neutral)];
    const int earth = e.earth >= 0 ? group[size_t(e.earth)] : -2;
    if (phase == neutral || phase == earth) {
        state.shortCircuit = true;
        state.shortToEarth = phase == earth;
        return state;
    }

    // Every load as an edge between groups; the lamps' come first, in
    // lamp order, and a blown lamp has none.
    std::vector<int> owners;
    std::vector<std::pair<int, int>> lamps = loadTerminals(e, faults, &owners);
    for (auto& [a, b] : lamps) {
        a = group[size_t(a)];
        b = group[size_t(b)];
    }
    std::vector<int> lampOf(e.components.size(), -1);
    for (size_t i = 0; i < e.lamps.size(); ++i)
        lampOf[size_t(e.lamps[i])] = int(i);
    // Groups with a voltage: the two supplies and whatever lamps lead to them.
    QHash<int, double> volts{{phase, Mains}, {neutral, 0.0}};
    if (e.earth >= 0)
        volts.insert(earth, 0.0);
    const auto fixed = [&](int g) { return g == phase || g == neutral || g == earth; };
    for (bool grew = true; grew;) {
        grew = false;
        for (const auto& [a, b] : lamps)
            for (const auto& [from, to] : {std::pair{a, b}, std::pair{b, a}})
                if (volts.contains(from) && !volts.contains(to)) {
                    volts.insert(to, Mains / 2);
                    grew = true;
                }
    }
    // Each free group relaxes to the mean of its neighbours through the
    // lamps, until nothing moves.
    for (int sweep = 0; sweep < 100000; ++sweep) {
        double moved = 0;
        for (auto it = volts.begin(); it != volts.end(); ++it) {
            if (fixed(it.key()))
                continue;
            double sum = 0;
            int count = 0;
            for (const auto& [a, b] : lamps)
                if (a != b && (a == it.key() || b == it.key())) {
                    sum += volts.value(a == it.key() ? b : a);
                    ++count;
                }
            const double mean = sum / count;
            moved = std::max(moved, std::abs(mean - it.value()));
            it.value() = mean;
        }
        if (moved < 1e-12)
            break;
    }
    for (size_t t = 0; t < e.terminals.size(); ++t)
        state.volts[t] = volts.value(group[t], none);
    for (size_t i = 0; i < lamps.size(); ++i) {
        const auto [a, b] = lamps[i];
        const double drop = volts.value(a, 0.0) - volts.value(b, 0.0);
        // The share of its rated power: all of it at mains voltage.
        const double power = (drop / Mains) * (drop / Mains);
        const Light light = power >= 0.9 ? Light::Full : power >= 0.01 ? Light::Weak : Light::Off;
        state.parts[size_t(owners[i])] = light;
        const int lamp = lampOf[size_t(owners[i])];
        if (lamp < 0)
            continue;
        state.lamps[size_t(lamp)] = light;
    }
    // A lamp is live while off when either of its terminals is at the
    // phase's voltage, blown or not.
    for (size_t i = 0; i < e.lamps.size(); ++i) {
        const QString n = e.components[size_t(e.lamps[i])].name + QStringLiteral(", ");
        for (const QString& end : {n + "born 1", n + "born 2"}) {
            const int g = group[size_t(*e.terminal(end))];
            if (state.lamps[i] == Light::Off && volts.contains(g) &&
                std::abs(volts.value(g) - Mains) < 1e-6)
                state.liveWhileOff[i] = true;
        }
    }
    earthAndSockets(e, group, volts, lamps, earth, neutral, state);
    return state;
}

namespace {

bool atPhase(double volts) {
    return !std::isnan(volts) && std::abs(volts - Mains) < 1e-6;
}

// Yes when there is something to judge and nothing wrong, no at the first
// combination that is wrong.
Judged judged(const std::vector<bool>& wrong, bool judgeable) {
    Judged j;
    for (int k = 0; k < int(wrong.size()) && j.first < 0; ++k)
        if (wrong[size_t(k)])
            j.first = k;
    j.mark = j.first >= 0 ? Mark::No : judgeable ? Mark::Yes : Mark::Blank;
    return j;
}

} // namespace

Marks mark(const circuit::Exercise& e, const Conductors& conductors) {
    Marks m;
    const int n = e.combinations();
    for (int k = 0; k < n; ++k)
        m.states.push_back(simulate(e, conductors, positionsOf(e, k)));
    // Rows that differ from a table: a short, a weak lamp, or a lamp that
    // is not at full brightness exactly where the table wants it lit.
    auto differs = [&](int k, bool inverted) {
        const State& s = m.states[size_t(k)];
        if (s.shortCircuit || s.earthFault)
            return true;
        for (size_t i = 0; i < s.socketPowered.size(); ++i)
            if (!s.socketPowered[i] || !s.socketEarthed[i])
                return true;
        for (size_t i = 0; i < s.lamps.size(); ++i)
            if (s.lamps[i] != ((e.table[size_t(k)][i] != inverted) ? Light::Full : Light::Off))
                return true;
        return false;
    };
    int plain = 0, inverted = 0;
    for (int k = 0; k < n; ++k) {
        plain += differs(k, false);
        inverted += differs(k, true);
    }
    m.complement = e.complementAccepted && inverted < plain;

    const size_t count = m.states.size();
    std::vector<bool> notWorking(count), shorted(count), neutralCut(count), weak(count);
    for (int k = 0; k < n; ++k) {
        notWorking[size_t(k)] = differs(k, m.complement);
        shorted[size_t(k)] = m.states[size_t(k)].shortCircuit;
    }
    // Lamp by lamp: where it lights and where it is off, shorts aside.
    bool anyLit = false, anySwitched = false;
    m.alwaysFull = true;
    for (size_t i = 0; i < e.lamps.size(); ++i) {
        const QString name = e.components[size_t(e.lamps[i])].name + QStringLiteral(", ");
        const int in = *e.terminal(name + "born 1"), out = *e.terminal(name + "born 2");
        std::vector<int> lit, dark;
        for (int k = 0; k < n; ++k) {
            const State& s = m.states[size_t(k)];
            m.alwaysFull = m.alwaysFull && s.lamps[i] == Light::Full;
            m.everFull = m.everFull || s.lamps[i] == Light::Full;
            if (s.lamps[i] == Light::Weak)
                weak[size_t(k)] = true;
            if (!s.shortCircuit)
                (s.lamps[i] == Light::Off ? dark : lit).push_back(k);
        }
        for (int k : dark) {
            const State& s = m.states[size_t(k)];
            if (!atPhase(s.volts[size_t(in)]) && !atPhase(s.volts[size_t(out)]))
                continue;
            if (!lit.empty())
                neutralCut[size_t(k)] = true;
            else if (m.unconnectedLamp < 0 || m.unconnectedLamp == int(i)) {
                m.unconnectedLamp = int(i);
                m.unconnectedAt = m.unconnectedAt < 0 ? k : m.unconnectedAt;
            }
        }
        anyLit = anyLit || !lit.empty();
        anySwitched = anySwitched || (!lit.empty() && !dark.empty());
    }
    // Sockets, shorts aside: any with the mains makes the supply judgeable.
    bool anyPowered = false;
    for (int k = 0; k < n; ++k) {
        const State& s = m.states[size_t(k)];
        if (s.shortCircuit)
            continue;
        if (s.earthFault && m.earthFaultAt < 0)
            m.earthFaultAt = k;
        for (size_t i = 0; i < s.socketPowered.size(); ++i) {
            anyPowered = anyPowered || s.socketPowered[i];
            m.socketFails = m.socketFails || !s.socketPowered[i] || !s.socketEarthed[i];
        }
    }
    m.works = judged(notWorking, true);
    m.noShort = judged(shorted, anyLit || anyPowered);
    m.phaseCut = judged(neutralCut, anySwitched);
    m.fullLight = judged(weak, anyLit);
    return m;
}

namespace {

using Action = circuit::SequenceStep::Action;

// One run of a sequence: the push buttons held, the live board and the
// clock.
class SequenceRun {
  public:
    SequenceRun(const circuit::Exercise& e, const Conductors& conductors)
        : conductors_(conductors), held_(e.switches.size(), 0), board_(e) {}

    std::vector<State> states;

    bool run(const circuit::Sequence& q) {
        if (!settleAndKeep())
            return false;
        for (const circuit::SequenceStep& step : q.steps) {
            switch (step.action) {
            case Action::Press:
                held_[size_t(step.switchIndex)] = 1;
                if (!settleAndKeep())
                    return false;
                held_[size_t(step.switchIndex)] = 0;
                break;
            case Action::Hold:
            case Action::Release:
                held_[size_t(step.switchIndex)] = step.action == Action::Hold;
                break;
            case Action::Wait:
                now_ += step.seconds;
                break;
            case Action::Expect:
                for (const auto& [component, lit] : step.expect)
                    if (states.back().parts[size_t(component)] != (lit ? Light::Full : Light::Off))
                        return false;
                continue;
            }
            if (!settleAndKeep())
                return false;
        }
        return true;
    }

  private:
    // False on a short or when the relays never rest.
    bool settleAndKeep() {
        std::optional<State> s = board_.settle(conductors_, held_, now_);
        if (!s)
            return false;
        states.push_back(*s);
        return !s->shortCircuit;
    }

    const Conductors& conductors_;
    std::vector<int> held_;
    LiveBoard board_;
    double now_ = 0;
};

Mark markOf(bool failed, bool judgeable) {
    return failed ? Mark::No : judgeable ? Mark::Yes : Mark::Blank;
}

} // namespace

LiveBoard::LiveBoard(const circuit::Exercise& e)
    : e_(e), closed_(e.devices.size(), 0), coilWasOn_(e.devices.size(), false),
      offAt_(e.devices.size(), 0) {}

std::optional<State> LiveBoard::settle(const Conductors& conductors,
                                       const std::vector<int>& positions, double now) {
    for (int round = 0; round < 50; ++round) {
        State s = simulate(e_, conductors, positions, closed_);
        bool changed = false;
        for (size_t d = 0; d < e_.devices.size(); ++d) {
            const circuit::Component& c = e_.components[size_t(e_.devices[d])];
            if (c.kind == circuit::Kind::ImpulseRelay) {
                const bool on = !s.shortCircuit && s.parts[size_t(e_.devices[d])] == Light::Full;
                if (on && !coilWasOn_[d]) {
                    closed_[d] = 1 - closed_[d];
                    changed = true;
                }
                coilWasOn_[d] = on;
            } else {
                const double input = s.volts[size_t(*e_.terminal(c.name + ", polsadors"))];
                if (!s.shortCircuit && atPhase(input))
                    offAt_[d] = now + c.seconds;
                const int shouldBe = now < offAt_[d] ? 1 : 0;
                changed = changed || shouldBe != closed_[d];
                closed_[d] = shouldBe;
            }
        }
        if (!changed) {
            if (s.shortCircuit)
                std::fill(s.parts.begin(), s.parts.end(), Light::Off);
            return s;
        }
    }
    return std::nullopt;
}

SequenceMarks markSequences(const circuit::Exercise& e, const Conductors& conductors) {
    SequenceMarks m;
    std::vector<State> all;
    for (const circuit::Sequence& q : e.sequences) {
        SequenceRun run(e, conductors);
        m.passed.push_back(run.run(q));
        if (!m.passed.back())
            m.works = Mark::No;
        all.insert(all.end(), run.states.begin(), run.states.end());
    }
    // A run that stopped on a relay that never rests left no state for it.
    const std::vector<int> outputs = e.outputs();
    std::vector<bool> lit(outputs.size()), dark(outputs.size());
    bool shorted = false, weak = false;
    for (const State& s : all) {
        shorted = shorted || s.shortCircuit;
        for (size_t i = 0; i < outputs.size() && !s.shortCircuit; ++i) {
            const Light l = s.parts[size_t(outputs[i])];
            (l == Light::Off ? dark : lit)[i] = true;
            weak = weak || l == Light::Weak;
        }
    }
    bool anyLit = false, switched = false, cut = false;
    for (size_t i = 0; i < outputs.size(); ++i) {
        anyLit = anyLit || lit[i];
        switched = switched || (lit[i] && dark[i]);
        const int component = outputs[i];
        const QString n = e.components[size_t(component)].name + QStringLiteral(", ");
        for (const State& s : all)
            if (lit[i] && !s.shortCircuit && s.parts[size_t(component)] == Light::Off &&
                (atPhase(s.volts[size_t(*e.terminal(n + "born 1"))]) ||
                 atPhase(s.volts[size_t(*e.terminal(n + "born 2"))])))
                cut = true;
    }
    m.noShort = markOf(shorted, anyLit);
    m.phaseCut = markOf(cut, switched);
    m.fullLight = markOf(weak, anyLit);
    return m;
}

std::vector<QString> neededColours(const circuit::Exercise& e, const Conductors& conductors) {
    QHash<QString, int> index;
    for (int t = 0; t < int(e.terminals.size()); ++t)
        index.insert(e.terminals[size_t(t)].name, t);
    std::vector<bool> neutral(conductors.size(), true), earth(conductors.size(), e.earth >= 0);
    for (int k = 0; k < (1 << e.switches.size()); ++k)
        for (int d = 0; d < (1 << e.devices.size()); ++d) {
            std::vector<int> devices;
            for (size_t i = 0; i < e.devices.size(); ++i)
                devices.push_back((d >> i) & 1);
            const State s = simulate(e, conductors, positionsOf(e, k), devices);
            for (size_t c = 0; c < conductors.size(); ++c) {
                const int at = s.group[size_t(index.value(conductors[c].first))];
                neutral[c] = neutral[c] && at == s.group[size_t(e.neutral)];
                if (e.earth >= 0)
                    earth[c] = earth[c] && at == s.group[size_t(e.earth)];
            }
        }
    std::vector<QString> needed;
    for (size_t c = 0; c < conductors.size(); ++c)
        needed.push_back(neutral[c] && earth[c] ? QStringLiteral("blau o verd-groc")
                         : neutral[c]           ? QStringLiteral("blau")
                         : earth[c]             ? QStringLiteral("verd-groc")
                                                : QString());
    return needed;
}

Mark colourMark(const circuit::Exercise& e, const Conductors& conductors,
                const std::vector<QString>& colours) {
    if (!e.coloursJudged ||
        std::all_of(colours.begin(), colours.end(), [](const QString& c) { return c.isEmpty(); }))
        return Mark::Blank;
    const std::vector<QString> needed = neededColours(e, conductors);
    for (size_t c = 0; c < conductors.size(); ++c) {
        const QString& colour = colours[c];
        const bool special =
            colour == QLatin1String("blau") || colour == QLatin1String("verd-groc");
        if (needed[c].isEmpty() ? special : !(special && needed[c].contains(colour)))
            return Mark::No;
    }
    return Mark::Yes;
}

} // namespace testing::circuit_oracle

namespace testing::circuit_oracle {

Conductors installationOf(const QByteArray& json) {
    Conductors conductors;
    for (const QJsonValue& c : QJsonDocument::fromJson(json).object().value("wiring").toArray())
        conductors.push_back({c.toArray()[0].toString(), c.toArray()[1].toString()});
    return conductors;
}

Faults faultsOf(const QByteArray& json) {
    Faults faults;
    for (const QJsonValue& v : QJsonDocument::fromJson(json).object().value("faults").toArray()) {
        const QJsonObject f = v.toObject();
        const QString kind = f.value("kind").toString();
        if (kind == "conductor-obert")
            faults.open.push_back({f.value("conductor").toArray()[0].toString(),
                                   f.value("conductor").toArray()[1].toString()});
        else if (kind == QString::fromUtf8("làmpada-fosa"))
            faults.blown << f.value("component").toString();
        else
            faults.dead.push_back(
                {f.value("component").toString(), f.value("terminal").toString()});
    }
    return faults;
}

QString voltageReading(const State& s, const QString& red, const QString& black, bool breakerOn,
                       const circuit::Exercise& e) {
    // A terminal that nothing leads to from a supply lets no current
    // through the tester.
    const double a = s.volts[size_t(*e.terminal(red))], b = s.volts[size_t(*e.terminal(black))];
    if (!breakerOn || s.shortCircuit || std::isnan(a) || std::isnan(b))
        return QStringLiteral("0 V");
    return QStringLiteral("%1 V").arg(std::lround(std::abs(a - b)));
}

double resistance(const circuit::Exercise& e, const Conductors& conductors,
                  const std::vector<int>& positions, const Faults& faults, const QString& red,
                  const QString& black) {
    const std::vector<int> group =
        joined(e, conductors, positions, std::vector<int>(e.devices.size(), 0), faults);
    const int from = group[size_t(*e.terminal(red))], to = group[size_t(*e.terminal(black))];
    if (from == to)
        return 0;
    std::vector<std::pair<int, int>> edges;
    for (const auto& [a, b] : loadTerminals(e, faults, nullptr))
        if (group[size_t(a)] != group[size_t(b)])
            edges.push_back({group[size_t(a)], group[size_t(b)]});
    // The nodes a test current from the red probe can reach.
    QHash<int, double> volts{{from, 1.0}};
    for (bool grew = true; grew;) {
        grew = false;
        for (const auto& [a, b] : edges)
            for (const auto& [p, q] : {std::pair{a, b}, std::pair{b, a}})
                if (volts.contains(p) && !volts.contains(q)) {
                    volts.insert(q, 0.5);
                    grew = true;
                }
    }
    if (!volts.contains(to))
        return -1;
    // The red probe at 1 V, the black at 0 V, every other node relaxed to
    // the mean of its neighbours; the current leaving the red probe, in
    // units of one load's conductance, gives the resistance.
    volts[to] = 0;
    for (int sweep = 0; sweep < 1000000; ++sweep) {
        double moved = 0;
        for (auto it = volts.begin(); it != volts.end(); ++it) {
            if (it.key() == from || it.key() == to)
                continue;
            double sum = 0;
            int count = 0;
            for (const auto& [a, b] : edges)
                if (a == it.key() || b == it.key()) {
                    sum += volts.value(a == it.key() ? b : a);
                    ++count;
                }
            const double mean = sum / count;
            moved = std::max(moved, std::abs(mean - it.value()));
            it.value() = mean;
        }
        if (moved < 1e-14)
            break;
    }
    double current = 0;
    for (const auto& [a, b] : edges)
        if (a == from || b == from)
            current += 1.0 - volts.value(a == from ? b : a);
    return Mains * Mains / 60 / current;
}

QString continuityReading(const circuit::Exercise& e, const Conductors& conductors,
                          const std::vector<int>& positions, const Faults& faults,
                          const QString& red, const QString& black, bool breakerOn) {
    if (breakerOn)
        return QStringLiteral("Desconnecta el magnetotèrmic abans de mesurar la continuïtat");
    const double ohms = resistance(e, conductors, positions, faults, red, black);
    if (ohms < 0)
        return QStringLiteral("Circuit obert");
    if (ohms == 0)
        return QStringLiteral("Continuïtat");
    return QStringLiteral("%1 Ω").arg(std::lround(ohms));
}

} // namespace testing::circuit_oracle
