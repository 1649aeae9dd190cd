// SPDX-License-Identifier: GPL-3.0-or-later
// Solves a wired board: terminals that conductors and the contacts of the
// switches and devices in their positions join ideally form nodes (a
// hidden fault takes out a broken conductor, a dead contact and a blown
// lamp's filament); the
// phase is held at 230 V and the neutral at 0 V, and so is the earth bar, a
// node of its own; the loads of the components (lamps, bells, coils) are
// equal resistances, and the voltage of every other node follows by nodal
// analysis. A short circuit is the phase in one node with the neutral or the
// earth.
#pragma once

#include "circuit/exercise.h"
#include "circuit/wiring.h"

#include <vector>

namespace circuit {

constexpr double MainsVolts = 230;
constexpr double RatedWatts = 60; // every lamp, at mains voltage
// Every load's resistance: a lamp's at mains voltage, 881.7 Ω.
constexpr double LampOhms = MainsVolts * MainsVolts / RatedWatts;

// What a conductor or terminal is at: the phase's potential, the neutral's,
// something in between (a node between two lamps in series), or neither
// (joined to neither side); or the earth bar's, when it is joined to it and
// not to the neutral.
enum class Potential { None, Phase, Neutral, Between, Earth };

enum class Glow { Off, Weak, Full };
Glow glowOf(double brightness);

// A socket works with the phase on one of its pins and the neutral on the
// other, either way round, and its earth pin joined to the earth bar.
struct SocketState {
    bool powered = false;
    bool earthed = false;
    bool works() const { return powered && earthed; }
};

struct Solution {
    bool shortCircuit = false;
    bool shortToEarth = false; // the short is the phase joined to the earth bar
    // The earth bar is joined to the neutral, or a load's current returns
    // through it: the earth is for protection, never a return path.
    bool earthFault = false;
    std::vector<SocketState> sockets; // one a socket
    std::vector<double> volts;        // a terminal; NaN when it reaches neither side
    std::vector<Potential> potential; // a terminal
    std::vector<double> brightness;   // a lamp: its power over its rated power
    std::vector<double> share;        // a component: its load's power over the rated; 0 for none
    Glow glow(int lamp) const { return glowOf(brightness[size_t(lamp)]); }
    // A component's load: a lamp's glow, a bell ringing, a coil energised.
    Glow load(int component) const { return glowOf(share[size_t(component)]); }
};

// A load between two terminals (in Exercise::terminals), and the component
// that has it.
struct LoadBetween {
    int component;
    int a, b;
};

// The loads that conduct: every component's, but a blown lamp's.
std::vector<LoadBetween> workingLoads(const Exercise& exercise, const Wiring& wiring);

// Which terminals the conductors, the switches in their positions and the
// devices' contacts join ideally: one number a terminal, the same for
// terminals joined.
std::vector<int> joinedGroups(const Exercise& exercise, const Wiring& wiring,
                              const std::vector<int>& devices);

// With every device's contact in position 0.
Solution solve(const Exercise& exercise, const Wiring& wiring);
// With each device's contact (in Exercise::devices order) in its position.
Solution solve(const Exercise& exercise, const Wiring& wiring, const std::vector<int>& devices);

} // namespace circuit
