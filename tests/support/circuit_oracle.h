// SPDX-License-Identifier: GPL-3.0-or-later
// An independent model of a wired workshop board, for checking the
// workshop's solver and checker. It knows the switches' contacts from their
// description, finds what conductors and closed contacts join by searching
// the graph of terminals, and finds the voltages by relaxing every node
// towards the mean of its neighbours through the lamps, which all have the
// same resistance.
#pragma once

#include "circuit/exercise.h"

#include "natural_wirings.h"

#include <QString>

#include <utility>
#include <vector>

namespace testing::circuit_oracle {

using testing::Conductors;

enum class Light { Off, Weak, Full };

struct State {
    bool shortCircuit = false;
    // Per terminal, in the exercise's order: its voltage, NaN when no lamp or
    // conductor leads from it to the phase or the neutral (and on a short).
    std::vector<double> volts;
    std::vector<Light> lamps; // in the exercise's lamp order; all off on a short
    // Some lamp is off with a terminal at the phase's voltage.
    bool liveWhileOff = false;
};

// The board in the switch positions given, one a switch in table order.
State simulate(const circuit::Exercise& exercise, const Conductors& conductors,
               const std::vector<int>& positions);

// The positions of combination k: the first switch is the highest digit.
std::vector<int> positionsOf(const circuit::Exercise& exercise, int combination);

// What a teacher marks, worked out from simulate() over every combination:
// the first combination where each criterion fails, or -1.
struct Marks {
    std::vector<State> states;
    bool complement = false; // the complement of the table fits better
    int notWorking = -1;
    int shortCircuit = -1;
    int neutralSwitched = -1;
    int weak = -1;
    bool everFull = false;   // some lamp at full brightness in some combination
    bool alwaysFull = false; // every lamp at full brightness in every combination
};
Marks mark(const circuit::Exercise& exercise, const Conductors& conductors);

} // namespace testing::circuit_oracle
