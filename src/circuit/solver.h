// SPDX-License-Identifier: GPL-3.0-or-later
// Solves a wired board: terminals that conductors and the contacts of the
// switches in their positions join ideally form nodes; the phase is held at
// 230 V and the neutral at 0 V; the loads of the components (the lamps) are
// resistances, and the voltage of every other node follows by
// nodal analysis. A short circuit is the phase and the neutral in one node.
#pragma once

#include "circuit/exercise.h"
#include "circuit/wiring.h"

#include <vector>

namespace circuit {

constexpr double MainsVolts = 230;
constexpr double RatedWatts = 60; // every lamp, at mains voltage

// What a conductor or terminal is at: the phase's potential, the neutral's,
// something in between (a node between two lamps in series), or neither
// (joined to neither side).
enum class Potential { None, Phase, Neutral, Between };

enum class Glow { Off, Weak, Full };
Glow glowOf(double brightness);

struct Solution {
    bool shortCircuit = false;
    std::vector<double> volts;        // a terminal; NaN when it reaches neither side
    std::vector<Potential> potential; // a terminal
    std::vector<double> brightness;   // a lamp: its power over its rated power
    Glow glow(int lamp) const { return glowOf(brightness[size_t(lamp)]); }
};

Solution solve(const Exercise& exercise, const Wiring& wiring);

} // namespace circuit
