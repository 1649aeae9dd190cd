// SPDX-License-Identifier: GPL-3.0-or-later
#include "circuit/devices.h"

namespace circuit {

namespace {

// The staircase timer's terminal its push buttons feed.
constexpr int TimerInput = 2;

bool energisedIn(const Exercise& e, const Solution& s, int component) {
    if (s.shortCircuit)
        return false;
    if (e.components[size_t(component)].kind == Kind::StaircaseTimer)
        return s.potential[size_t(e.terminalOf(component, TimerInput))] == Potential::Phase;
    return s.load(component) == Glow::Full;
}

// Moves each device as the solution drives it; true when a contact moved.
bool move(const Exercise& e, const Solution& s, DeviceState& d) {
    bool moved = false;
    for (size_t i = 0; i < e.devices.size(); ++i) {
        const Component& c = e.components[size_t(e.devices[i])];
        const bool on = energisedIn(e, s, e.devices[i]);
        int& position = d.positions[i];
        if (c.kind == Kind::ImpulseRelay && on && !d.energised[i]) {
            position = 1 - position;
            moved = true;
        } else if (c.kind == Kind::StaircaseTimer && on) {
            d.remaining[i] = c.seconds;
            moved = moved || position != 1;
            position = 1;
        }
        d.energised[i] = on;
    }
    return moved;
}

} // namespace

DeviceState DeviceState::initial(const Exercise& e) {
    DeviceState d;
    d.positions.assign(e.devices.size(), 0);
    d.energised.assign(e.devices.size(), false);
    d.remaining.assign(e.devices.size(), 0);
    return d;
}

Solution settle(const Exercise& e, const Wiring& w, DeviceState& d) {
    Solution s = solve(e, w, d.positions);
    for (int round = 0; round < MaxSettleRounds; ++round) {
        if (!move(e, s, d)) {
            d.restless = false;
            return s;
        }
        s = solve(e, w, d.positions);
    }
    d.restless = !e.devices.empty();
    return s;
}

Solution advance(const Exercise& e, const Wiring& w, DeviceState& d, double seconds) {
    for (size_t i = 0; i < e.devices.size(); ++i) {
        if (e.components[size_t(e.devices[i])].kind != Kind::StaircaseTimer || d.positions[i] == 0)
            continue;
        d.remaining[i] -= seconds;
        if (d.energised[i])
            d.remaining[i] = e.components[size_t(e.devices[i])].seconds;
        if (d.remaining[i] <= 1e-9) {
            d.remaining[i] = 0;
            d.positions[i] = 0;
        }
    }
    return settle(e, w, d);
}

} // namespace circuit
