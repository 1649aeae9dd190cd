// SPDX-License-Identifier: GPL-3.0-or-later
#include "circuit_oracle.h"

#include <QHash>
#include <QSet>

#include <cmath>
#include <limits>

namespace testing::circuit_oracle {

namespace {

constexpr double Mains = 230;

// The pairs of terminals a switch joins in a position, as its description
// gives them: a single switch joins its two terminals in position 1; a
// two-way switch joins the common terminal to terminal 1 in position 0 and
// to terminal 2 in position 1; an intermediate switch joins 1-4 and 2-3 in
// position 0 (crossed) and 1-3 and 2-4 in position 1 (straight).
Conductors contacts(const circuit::Component& c, int button, int position) {
    const QString n = c.name + QStringLiteral(", ");
    switch (c.kind) {
    case circuit::Kind::DoubleSwitch:
        // Button 1 closes the common terminal onto terminal 1, button 2 onto 2.
        return position == 1 ? Conductors{{n + "comú", n + (button == 0 ? "born 1" : "born 2")}}
                             : Conductors{};
    case circuit::Kind::Switch:
        return position == 1 ? Conductors{{n + "born 1", n + "born 2"}} : Conductors{};
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

State simulate(const circuit::Exercise& e, const Conductors& conductors,
               const std::vector<int>& positions) {
    QHash<QString, int> index;
    for (int t = 0; t < int(e.terminals.size()); ++t)
        index.insert(e.terminals[size_t(t)].name, t);
    std::vector<QSet<int>> links(e.terminals.size());
    auto link = [&](const QString& a, const QString& b) {
        links[size_t(index.value(a))].insert(index.value(b));
        links[size_t(index.value(b))].insert(index.value(a));
    };
    for (const auto& [a, b] : conductors)
        link(a, b);
    for (size_t s = 0; s < e.switches.size(); ++s)
        for (const auto& [a, b] :
             contacts(e.components[size_t(e.switches[s])], e.switchActuators[s], positions[s]))
            link(a, b);
    const std::vector<int> group = groups(links);

    State state;
    const double none = std::numeric_limits<double>::quiet_NaN();
    state.volts.assign(e.terminals.size(), none);
    state.lamps.assign(e.lamps.size(), Light::Off);
    state.liveWhileOff.assign(e.lamps.size(), false);
    state.onEarth.assign(e.terminals.size(), false);
    state.socketPowered.assign(e.sockets.size(), false);
    state.socketEarthed.assign(e.sockets.size(), false);
    const int phase = group[size_t(e.phase)], neutral = group[size_t(e.neutral)];
    const int earth = e.earth >= 0 ? group[size_t(e.earth)] : -2;
    if (phase == neutral || phase == earth) {
        state.shortCircuit = true;
        state.shortToEarth = phase == earth;
        return state;
    }

    // The lamps as edges between groups.
    std::vector<std::pair<int, int>> lamps;
    for (int lamp : e.lamps) {
        const QString n = e.components[size_t(lamp)].name + QStringLiteral(", ");
        lamps.push_back(
            {group[size_t(index.value(n + "born 1"))], group[size_t(index.value(n + "born 2"))]});
    }
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
        state.lamps[i] = power >= 0.9 ? Light::Full : power >= 0.01 ? Light::Weak : Light::Off;
        if (state.lamps[i] == Light::Off)
            for (int end : {a, b})
                if (volts.contains(end) && std::abs(volts.value(end) - Mains) < 1e-6)
                    state.liveWhileOff[i] = true;
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

} // namespace testing::circuit_oracle
