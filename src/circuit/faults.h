// SPDX-License-Identifier: GPL-3.0-or-later
// Fault finding: an installation wired with hidden faults, the two testers
// a pupil measures it with, and the record of what the pupil measured and
// marked. A fault is part of the board while it is hidden: the solver
// leaves out a broken conductor, a blown lamp's filament and a contact
// that never closes, so every reading and every lamp follows from it.
#pragma once

#include "circuit/wiring.h"

#include <QString>

#include <optional>
#include <vector>

namespace circuit {

struct Exercise;
struct Solution;

// What a tester reads between two terminals.
enum class Tool { Voltage, Continuity };

// The voltage a tester shows between two terminals: the size of the
// difference of their potentials. A terminal joined to neither supply
// (not even through a load) reads 0 V against anything, for no current
// can flow through the tester; nothing is live while the breaker is off
// or tripped.
double testerVolts(const Solution& solution, int a, int b, bool live);
// "230 V", "0 V", "115 V": whole volts.
QString voltsText(double volts);

// The resistance between two terminals with the supply cut off: 0 where
// conductors and closed contacts join them, that of the loads between them
// (a lamp's at 230 V is 882 Ω), or nothing for an open circuit. The
// bars of the phase, the neutral and the earth are terminals like any
// other; the wiring's faults count.
std::optional<double> continuityOhms(const Exercise& exercise, const Wiring& wiring,
                                     const std::vector<int>& devices, int a, int b);
// "Continuïtat", "882 Ω", "Circuit obert".
QString continuityText(std::optional<double> ohms);
// What the continuity tester says while the breaker is on.
QString continuityRefusal(); // "Desconnecta el magnetotèrmic abans de mesurar la continuïtat"

// What a tester shows with its probes on two terminals of the board as it
// stands: the voltage tester's volts (none while the breaker is off or a
// short has tripped it), the continuity tester's resistance with the
// breaker off, or its refusal with the breaker on.
QString reading(const Exercise& exercise, const Wiring& wiring, const std::vector<int>& devices,
                Tool tool, int red, int black, bool breakerOn);

// One measurement, as the pupil's file records it.
struct Measurement {
    Tool tool = Tool::Voltage;
    int red = -1, black = -1;   // the terminals the probes touched
    std::vector<int> positions; // the switch buttons', in Exercise::switches order
    bool breakerOn = true;
    QString reading; // as shown: "230 V", "Circuit obert", or the refusal
    friend bool operator==(const Measurement&, const Measurement&) = default;
};

// What a mark pressed: a conductor (its index in Exercise::installation,
// which is the wiring's own until the faults are repaired), a lamp (its
// component) or a switch's terminal (in Exercise::terminals).
struct FaultMark {
    enum class Target { Conductor, Lamp, Terminal };
    Target target = Target::Conductor;
    int index = -1;
    bool right = false;
    friend bool operator==(const FaultMark&, const FaultMark&) = default;
};

// The fault a mark finds, by its index in Exercise::faults, or -1: a
// conductor for a broken one, a lamp for a blown one, a switch's terminal
// of a contact that never closes.
int faultMarked(const Exercise& exercise, const FaultMark& mark);

// The most measurements and marks a record keeps: a pupil's file stays
// small whatever is done (a wiring file is at most 1 MiB), and the bench
// records nothing past them.
constexpr int MaxMeasurements = 500;
constexpr int MaxMarks = 200;

// A pupil's work on a fault exercise.
struct FaultLog {
    std::vector<Measurement> measurements; // in order
    std::vector<FaultMark> marks;          // in order
    bool repaired = false;                 // "Repara" mended every fault
    // One an exercise's fault: found by a right mark.
    std::vector<bool> found(const Exercise& exercise) const;
    friend bool operator==(const FaultLog&, const FaultLog&) = default;
};

} // namespace circuit
