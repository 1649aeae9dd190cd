// SPDX-License-Identifier: GPL-3.0-or-later
// The devices whose contact the circuit moves. An impulse relay changes
// its contact each time its coil is energised (it starts open); a
// staircase timer closes its contact when its push buttons' input reaches
// the phase's potential and opens it when its time has run out, a new
// press starting the time again. Their state follows the circuit, which
// they may feed in turn (a relay's contact may feed its own coil), so
// settling solves, moves the devices and solves again until nothing moves.
#pragma once

#include "circuit/exercise.h"
#include "circuit/solver.h"
#include "circuit/wiring.h"

#include <vector>

namespace circuit {

// A relay whose contact cuts its own coil would change for ever; settling
// stops after this many rounds and calls the board restless.
constexpr int MaxSettleRounds = 16;

struct DeviceState {
    std::vector<int> positions;    // one a device, in Exercise::devices order
    std::vector<bool> energised;   // the coil, or the timer's input, as last settled
    std::vector<double> remaining; // a timer's seconds left; 0 for a relay
    bool restless = false;         // the last settling found no rest

    // Every contact open, nothing energised.
    static DeviceState initial(const Exercise& exercise);
    friend bool operator==(const DeviceState&, const DeviceState&) = default;
};

// Solves the board and moves the devices until it is at rest.
Solution settle(const Exercise& exercise, const Wiring& wiring, DeviceState& devices);

// Lets `seconds` pass: the timers run down (one whose input is still at
// the phase stays at its full time) and open at the end; then settles.
Solution advance(const Exercise& exercise, const Wiring& wiring, DeviceState& devices,
                 double seconds);

} // namespace circuit
