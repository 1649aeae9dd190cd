// SPDX-License-Identifier: GPL-3.0-or-later
#include "circuit/solver.h"

#include <Eigen/Dense>

#include <algorithm>
#include <cmath>
#include <limits>
#include <numeric>

namespace circuit {

namespace {

constexpr double Tolerance = 1e-6 * MainsVolts;

// Terminals joined ideally, one set a node.
class Nodes {
  public:
    explicit Nodes(int terminals) : parent_(size_t(terminals)) {
        std::iota(parent_.begin(), parent_.end(), 0);
    }
    int find(int t) {
        while (parent_[size_t(t)] != t)
            t = parent_[size_t(t)] = parent_[size_t(parent_[size_t(t)])];
        return t;
    }
    void join(int a, int b) { parent_[size_t(find(a))] = find(b); }

  private:
    std::vector<int> parent_;
};

bool hasFault(const Wiring& w, const Fault& fault) {
    return std::find(w.faults.begin(), w.faults.end(), fault) != w.faults.end();
}

// Whether a contact that never closes keeps the blade of `component` from
// resting on `terminal`.
bool deadContact(const Wiring& w, int component, int terminal) {
    return hasFault(w, {FaultKind::OpenContact, -1, component, terminal});
}

// Joins what the first actuator of each device in `movers` (a relay's
// contact, a timer's) joins in its position, one a mover.
void joinContacts(const Exercise& e, const std::vector<int>& movers,
                  const std::vector<int>& positions, Nodes& nodes) {
    for (size_t m = 0; m < movers.size(); ++m) {
        const int c = movers[m];
        const Actuator& actuator = describe(e.components[size_t(c)].kind).actuators.front();
        for (const auto& [a, b] : actuator.joins(positions[m]))
            nodes.join(e.terminalOf(c, a), e.terminalOf(c, b));
    }
}

Nodes joinTerminals(const Exercise& e, const Wiring& w, const std::vector<int>& devices) {
    Nodes nodes(int(e.terminals.size()));
    for (int i = 0; i < int(w.conductors.size()); ++i)
        if (!hasFault(w, {FaultKind::OpenConductor, i, -1, -1}))
            nodes.join(w.conductors[size_t(i)].from, w.conductors[size_t(i)].to);
    for (size_t s = 0; s < e.switches.size(); ++s) {
        const int sw = e.switches[s];
        const Actuator& actuator =
            describe(e.components[size_t(sw)].kind).actuators[size_t(e.switchActuators[s])];
        for (const auto& [a, b] : actuator.joins(w.positions[s]))
            if (!deadContact(w, sw, e.terminalOf(sw, b)))
                nodes.join(e.terminalOf(sw, a), e.terminalOf(sw, b));
    }
    joinContacts(e, e.devices, devices, nodes);
    return nodes;
}

struct Lamp {
    int a, b; // nodes
};

// Voltage of every node that the lamps join to the phase or to a node at
// 0 V (the neutral, the earth); NaN for the others.
std::vector<double> nodeVolts(int count, int phase, const std::vector<int>& zeros,
                              const std::vector<Lamp>& lamps) {
    // Which nodes reach a fixed one through lamps.
    std::vector<bool> reached(size_t(count), false);
    reached[size_t(phase)] = true;
    for (int zero : zeros)
        reached[size_t(zero)] = true;
    for (bool grew = true; grew;) {
        grew = false;
        for (const Lamp& l : lamps)
            if (reached[size_t(l.a)] != reached[size_t(l.b)]) {
                reached[size_t(l.a)] = reached[size_t(l.b)] = true;
                grew = true;
            }
    }
    std::vector<double> volts(size_t(count), std::numeric_limits<double>::quiet_NaN());
    volts[size_t(phase)] = MainsVolts;
    for (int zero : zeros)
        volts[size_t(zero)] = 0;
    std::vector<int> unknown(size_t(count), -1);
    int n = 0;
    for (int i = 0; i < count; ++i)
        if (reached[size_t(i)] && std::isnan(volts[size_t(i)]))
            unknown[size_t(i)] = n++;
    if (n == 0)
        return volts;
    Eigen::MatrixXd g = Eigen::MatrixXd::Zero(n, n);
    Eigen::VectorXd rhs = Eigen::VectorXd::Zero(n);
    const double c = 1 / LampOhms;
    for (const Lamp& l : lamps) {
        const int u = unknown[size_t(l.a)], v = unknown[size_t(l.b)];
        if (l.a == l.b || (u < 0 && v < 0))
            continue;
        if (u >= 0)
            g(u, u) += c;
        if (v >= 0)
            g(v, v) += c;
        if (u >= 0 && v >= 0) {
            g(u, v) -= c;
            g(v, u) -= c;
        } else if (u >= 0) {
            rhs(u) += c * volts[size_t(l.b)];
        } else {
            rhs(v) += c * volts[size_t(l.a)];
        }
    }
    const Eigen::VectorXd x = g.ldlt().solve(rhs);
    for (int i = 0; i < count; ++i)
        if (unknown[size_t(i)] >= 0)
            volts[size_t(i)] = x(unknown[size_t(i)]);
    return volts;
}

Potential potentialOf(double volts) {
    if (std::isnan(volts))
        return Potential::None;
    if (std::abs(volts - MainsVolts) < Tolerance)
        return Potential::Phase;
    if (std::abs(volts) < Tolerance)
        return Potential::Neutral;
    return Potential::Between;
}

// Whether current flows into the earth bar's node through the loads.
bool currentToEarth(int earth, const std::vector<double>& volts, const std::vector<Lamp>& lamps) {
    double current = 0;
    for (const Lamp& l : lamps)
        if ((l.a == earth) != (l.b == earth)) {
            const double other = volts[size_t(l.a == earth ? l.b : l.a)];
            current += std::isnan(other) ? 0 : other / LampOhms;
        }
    return std::abs(current) > Tolerance / LampOhms;
}

std::vector<SocketState> socketStates(const Exercise& e, const Solution& s, Nodes& nodes,
                                      int earth) {
    std::vector<SocketState> states;
    for (int socket : e.sockets) {
        const Potential a = s.potential[size_t(e.terminalOf(socket, 0))];
        const Potential b = s.potential[size_t(e.terminalOf(socket, 1))];
        SocketState state;
        state.powered = (a == Potential::Phase && b == Potential::Neutral) ||
                        (a == Potential::Neutral && b == Potential::Phase);
        state.earthed = earth >= 0 && nodes.find(e.terminalOf(socket, 2)) == earth;
        states.push_back(state);
    }
    return states;
}

} // namespace

Glow glowOf(double brightness) {
    if (brightness >= 0.9)
        return Glow::Full;
    return brightness >= 0.01 ? Glow::Weak : Glow::Off;
}

std::vector<LoadBetween> workingLoads(const Exercise& e, const Wiring& w) {
    std::vector<LoadBetween> loads;
    for (int c = 0; c < int(e.components.size()); ++c) {
        if (hasFault(w, {FaultKind::BlownLamp, -1, c, -1}))
            continue;
        for (const Load& load : describe(e.components[size_t(c)].kind).loads)
            loads.push_back({c, e.terminalOf(c, load.a), e.terminalOf(c, load.b)});
    }
    return loads;
}

std::vector<int> joinedGroups(const Exercise& e, const Wiring& w, const std::vector<int>& devices) {
    Nodes nodes = joinTerminals(e, w, devices);
    std::vector<int> groups(e.terminals.size());
    for (int t = 0; t < int(groups.size()); ++t)
        groups[size_t(t)] = nodes.find(t);
    return groups;
}

Solution solve(const Exercise& e, const Wiring& w) {
    return solve(e, w, std::vector<int>(e.devices.size(), 0));
}

Solution solve(const Exercise& e, const Wiring& w, const std::vector<int>& devices) {
    const int terminals = int(e.terminals.size());
    Nodes nodes = joinTerminals(e, w, devices);
    Solution s;
    s.brightness.assign(e.lamps.size(), 0);
    s.share.assign(e.components.size(), 0);
    s.volts.assign(size_t(terminals), std::numeric_limits<double>::quiet_NaN());
    s.potential.assign(size_t(terminals), Potential::None);
    s.sockets.assign(e.sockets.size(), {});
    const int phase = nodes.find(e.phase), neutral = nodes.find(e.neutral);
    const int earth = e.earth >= 0 ? nodes.find(e.earth) : -1;
    if (phase == neutral || phase == earth) {
        s.shortCircuit = true;
        s.shortToEarth = phase == earth;
        return s;
    }
    // Every load on the board (lamps, bells, coils), with the component
    // that has it.
    std::vector<Lamp> loads;
    std::vector<int> owners;
    for (const LoadBetween& load : workingLoads(e, w)) {
        loads.push_back({nodes.find(load.a), nodes.find(load.b)});
        owners.push_back(load.component);
    }
    std::vector<int> zeros{neutral};
    if (earth >= 0 && earth != neutral)
        zeros.push_back(earth);
    const std::vector<double> volts = nodeVolts(terminals, phase, zeros, loads);
    for (int t = 0; t < terminals; ++t) {
        const int node = nodes.find(t);
        s.volts[size_t(t)] = volts[size_t(node)];
        s.potential[size_t(t)] =
            node == earth && earth != neutral ? Potential::Earth : potentialOf(s.volts[size_t(t)]);
    }
    s.earthFault = earth >= 0 && (earth == neutral || currentToEarth(earth, volts, loads));
    s.sockets = socketStates(e, s, nodes, earth);
    for (size_t i = 0; i < loads.size(); ++i) {
        const double drop = volts[size_t(loads[i].a)] - volts[size_t(loads[i].b)];
        if (!std::isnan(drop))
            s.share[size_t(owners[i])] = drop * drop / LampOhms / RatedWatts;
    }
    for (size_t l = 0; l < e.lamps.size(); ++l)
        s.brightness[l] = s.share[size_t(e.lamps[l])];
    return s;
}

} // namespace circuit
