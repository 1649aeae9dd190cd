// SPDX-License-Identifier: GPL-3.0-or-later
// What the learner has done on an exercise's board: the conductors laid
// between terminals and where each switch stands.
#pragma once

#include <QString>

#include <optional>
#include <vector>

namespace circuit {

struct Exercise;

// The colour of a conductor's insulation: brown, black or grey for a phase
// conductor, light blue for the neutral, green-and-yellow for the earth.
// A conductor read from a file that gave none has none stated.
enum class Insulation { Unstated, Brown, Black, Grey, Blue, GreenYellow };

// The colours a learner chooses from, in the palette's order.
const std::vector<Insulation>& insulationColours();
// "marró", "negre", "gris", "blau", "verd-groc"; empty for Unstated.
QString insulationName(Insulation colour);
std::optional<Insulation> insulationNamed(const QString& name);

// The colour an electrician takes for a conductor drawn from a terminal:
// blue from the neutral, green-and-yellow from the earth, brown otherwise.
Insulation usualColour(const Exercise& exercise, int terminal);
// The same for a conductor between two terminals: blue or green-and-yellow
// when either end calls for it, whichever way it was drawn.
Insulation usualColour(const Exercise& exercise, int from, int to);

// A conductor joins two terminals, by their index in Exercise::terminals.
struct Conductor {
    int from;
    int to;
    Insulation colour = Insulation::Unstated;
    bool joins(int a, int b) const { return (from == a && to == b) || (from == b && to == a); }
    friend bool operator==(const Conductor&, const Conductor&) = default;
};

// A fault hidden in an installation (faults.h).
enum class FaultKind {
    OpenConductor, // "conductor-obert": drawn whole, conducts nothing
    BlownLamp,     // "làmpada-fosa": its filament is broken
    OpenContact,   // "contacte-obert": that contact of a switch never closes
};

struct Fault {
    FaultKind kind = FaultKind::OpenConductor;
    int conductor = -1; // OpenConductor: its index in the conductors
    int component = -1; // BlownLamp, OpenContact
    int terminal = -1;  // OpenContact: the fixed contact's terminal, in Exercise::terminals
    friend bool operator==(const Fault&, const Fault&) = default;
};

struct Wiring {
    std::vector<Conductor> conductors;
    std::vector<int> positions; // one a switch button, in Exercise::switches order
    // The faults still in the board, until they are repaired; a broken
    // conductor's index is in `conductors`.
    std::vector<Fault> faults;

    // A board with no conductor and every switch in position 0.
    static Wiring empty(const Exercise& exercise);
    // The board an exercise starts with: empty, or for a fault-finding
    // exercise its installation with its faults.
    static Wiring initial(const Exercise& exercise);

    // The combination index of the present positions.
    int combination() const;
    void setCombination(int combination);
    bool has(const Conductor& conductor) const;
    // Whether some conductor states its colour: a wiring saved before
    // conductors had colours states none, and is not judged on them.
    bool statesColours() const;
    friend bool operator==(const Wiring&, const Wiring&) = default;
};

} // namespace circuit
