// SPDX-License-Identifier: GPL-3.0-or-later
#include "circuit/wiring.h"

#include "circuit/exercise.h"

#include <algorithm>

namespace circuit {

Wiring Wiring::empty(const Exercise& exercise) {
    Wiring w;
    w.positions.assign(exercise.switches.size(), 0);
    return w;
}

int Wiring::combination() const {
    int k = 0;
    for (int p : positions)
        k = k * 2 + (p ? 1 : 0);
    return k;
}

void Wiring::setCombination(int combination) {
    const int n = int(positions.size());
    for (int s = 0; s < n; ++s)
        positions[size_t(s)] = (combination >> (n - 1 - s)) & 1;
}

bool Wiring::has(const Conductor& conductor) const {
    return std::any_of(conductors.begin(), conductors.end(),
                       [&](const Conductor& c) { return c.joins(conductor.from, conductor.to); });
}

} // namespace circuit
