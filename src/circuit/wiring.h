// SPDX-License-Identifier: GPL-3.0-or-later
// What the learner has done on an exercise's board: the conductors laid
// between terminals and where each switch stands.
#pragma once

#include <vector>

namespace circuit {

struct Exercise;

// A conductor joins two terminals, by their index in Exercise::terminals.
struct Conductor {
    int from;
    int to;
    bool joins(int a, int b) const { return (from == a && to == b) || (from == b && to == a); }
    friend bool operator==(const Conductor&, const Conductor&) = default;
};

struct Wiring {
    std::vector<Conductor> conductors;
    std::vector<int> positions; // one a switch button, in Exercise::switches order

    // A board with no conductor and every switch in position 0.
    static Wiring empty(const Exercise& exercise);

    // The combination index of the present positions.
    int combination() const;
    void setCombination(int combination);
    bool has(const Conductor& conductor) const;
};

} // namespace circuit
