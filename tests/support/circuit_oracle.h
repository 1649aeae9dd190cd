// SPDX-License-Identifier: GPL-3.0-or-later
// An independent model of a wired workshop board, for checking the
// workshop's solver and checker. It knows the switches' contacts from their
// description, finds what conductors and closed contacts join by searching
// the graph of terminals, and finds the voltages by relaxing every node
// towards the mean of its neighbours through the lamps, which all have the
// same resistance. The earth bar is held at 0 V like the neutral, but is a
// node of its own: the phase on it is a short, the neutral on it or a
// lamp's current into it an earth fault. A socket works with the phase on
// one pin, the neutral on the other and its earth pin on the earth bar.
// Hidden faults are given by name: a broken conductor joins nothing, a
// blown lamp carries no current, and a dead contact of a switch joins
// nothing to that terminal. The testers' readings follow from it: the
// voltage tester from the simulated voltages, the continuity tester by
// feeding a test current through the loads with the supply cut off.
#pragma once

#include "circuit/exercise.h"

#include "natural_wirings.h"

#include <QString>

#include <optional>

#include <utility>
#include <vector>

namespace testing::circuit_oracle {

using testing::Conductors;

enum class Light { Off, Weak, Full };

struct State {
    bool shortCircuit = false;
    bool shortToEarth = false;
    bool earthFault = false;
    // Per terminal: the smallest index of the terminals it is joined to
    // by conductors and closed contacts, short or not.
    std::vector<int> group;
    // Per terminal: in the earth bar's group, and not the neutral's.
    std::vector<bool> onEarth;
    // Per socket, in the exercise's order.
    std::vector<bool> socketPowered, socketEarthed;
    // Per terminal, in the exercise's order: its voltage, NaN when no lamp or
    // conductor leads from it to the phase or the neutral (and on a short).
    std::vector<double> volts;
    std::vector<Light> lamps; // in the exercise's lamp order; all off on a short
    std::vector<Light> parts; // one a component: its load (lamp, bell, coil); Off for none
    // One a lamp: it is off with a terminal at the phase's voltage.
    std::vector<bool> liveWhileOff;
};

// Faults hidden in a board, by name.
struct Faults {
    Conductors open;   // broken conductors, by their ends in either order
    QStringList blown; // lamps whose filament is broken
    std::vector<std::pair<QString, QString>>
        dead; // a switch and the terminal its contact never reaches ("born 3")
};

// The board in the switch positions given, one a switch in table order,
// and with the devices' contacts (relays, timers) as given, one a device
// in the exercise's order (1: closed); open when none are given.
State simulate(const circuit::Exercise& exercise, const Conductors& conductors,
               const std::vector<int>& positions, const std::vector<int>& devices = {},
               const Faults& faults = {});

// An exercise file's installation and faults, read from its JSON.
Conductors installationOf(const QByteArray& exerciseJson);
Faults faultsOf(const QByteArray& exerciseJson);

// What the voltage tester reads between two terminals: "230 V", "0 V",
// whole volts; 0 V while the breaker is off or the board is shorted.
QString voltageReading(const State& state, const QString& red, const QString& black, bool breakerOn,
                       const circuit::Exercise& exercise);
// What the continuity tester reads between two terminals with the breaker
// off: "Continuïtat", "882 Ω" or "Circuit obert"; with the breaker on it
// refuses.
QString continuityReading(const circuit::Exercise& exercise, const Conductors& conductors,
                          const std::vector<int>& positions, const Faults& faults,
                          const QString& red, const QString& black, bool breakerOn);
// The resistance between two terminals, or a negative number for none.
double resistance(const circuit::Exercise& exercise, const Conductors& conductors,
                  const std::vector<int>& positions, const Faults& faults, const QString& red,
                  const QString& black);

// The positions of combination k: the first switch is the highest digit.
std::vector<int> positionsOf(const circuit::Exercise& exercise, int combination);

// A teacher's mark: yes, no, or blank when the board gives nothing to
// judge; `first` is the first combination where it is no, else -1.
enum class Mark { Yes, No, Blank };
struct Judged {
    Mark mark = Mark::Blank;
    int first = -1;
};

// What a teacher marks, worked out from simulate() over every combination.
// A lamp that lights somewhere is judged where it is off: still at the
// phase's voltage there, a switch has cut its neutral side. A lamp that
// never lights yet sits at the phase's voltage has no neutral at all.
struct Marks {
    std::vector<State> states;
    bool complement = false; // the complement of the table fits better
    Judged works;            // does what the table says in every combination
    Judged noShort;          // blank when nothing ever lights
    Judged phaseCut;         // blank when no lamp is ever both lit and off
    Judged fullLight;        // blank when nothing ever lights
    bool everFull = false;   // some lamp at full brightness in some combination
    bool alwaysFull = false; // every lamp at full brightness in every combination
    // The first lamp (in lamp order) that never lights and is at the
    // phase's voltage, and the first combination where it is; or -1.
    int unconnectedLamp = -1;
    int unconnectedAt = -1;
    int earthFaultAt = -1;    // the first combination with an earth fault, or -1
    bool socketFails = false; // some socket does not work in some combination
};
Marks mark(const circuit::Exercise& exercise, const Conductors& conductors);

// A board as it is worked, by the oracle's own rules for the devices: each
// relay changes when its coil becomes energised, each timer stays closed
// until its time after its input was last at the phase's voltage.
class LiveBoard {
  public:
    explicit LiveBoard(const circuit::Exercise& exercise);
    // The board at rest once the devices have moved, at `now` seconds;
    // nothing when the relays never rest.
    std::optional<State> settle(const Conductors& conductors, const std::vector<int>& positions,
                                double now = 0);

  private:
    const circuit::Exercise& e_;
    std::vector<int> closed_;
    std::vector<bool> coilWasOn_;
    std::vector<double> offAt_;
};

// A board run through its exercise's sequences by the oracle's own
// relays and timers on a clock of its own. Each sequence starts at rest and
// stops at its first failure: a short, a relay that never rests, or a lamp
// or bell not as expected. The marks are taken over every state a
// sequence passed through.
struct SequenceMarks {
    std::vector<bool> passed; // one a sequence
    Mark works = Mark::Yes;   // every sequence passed
    Mark noShort = Mark::Blank, phaseCut = Mark::Blank, fullLight = Mark::Blank;
};
SequenceMarks markSequences(const circuit::Exercise& exercise, const Conductors& conductors);

// The insulation each conductor must have, by the electrician's rule, as
// the files name it: "blau" on a conductor joined to the neutral in every
// combination of the switches and every position of the devices' contacts,
// "verd-groc" on one joined so to the earth bar, and empty for one that
// may be any colour but those two.
std::vector<QString> neededColours(const circuit::Exercise& exercise, const Conductors& conductors);
// Whether conductors of these colours ("" for one that states none) meet
// that rule: blank when none states a colour or the exercise asks nothing
// of colours.
Mark colourMark(const circuit::Exercise& exercise, const Conductors& conductors,
                const std::vector<QString>& colours);

} // namespace testing::circuit_oracle
