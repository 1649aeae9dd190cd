// SPDX-License-Identifier: GPL-3.0-or-later
// The kinds of component a board can hold, each described once: how files
// name it, the space it takes, its terminals and where they lie, its
// buttons and the positions each has, which terminals every position joins,
// and the loads between its terminals. The solver, the checker, the file
// readers, the router and the painter all read these descriptions.
//
// Adding a kind is adding one entry to the table in kinds.cpp, and a value
// to Kind:
// - Terminals are numbered in the order they are listed; that number is
//   how every part of the program refers to them. Each has its local name
//   ("born 1"), its grid point on the footprint as drawn unmirrored, the
//   step a conductor takes leaving it, and where its lead ends inside the
//   symbol (at a contact, at a lamp's glass).
// - A load (a lamp, a bell, a relay's coil) is a resistance between two
//   terminals.
// - An actuator is what a learner moves or what moves by itself: each has
//   a number of positions and blades, the moving contacts. A blade pivots
//   on a terminal and, in each position, rests on another terminal, joining
//   the two, or on none. An actuator worked by the learner has a button
//   area; a push button's is momentary, in position 1 only while held, a
//   double switch has two actuators, and the contact of an impulse relay
//   or a staircase timer is an actuator without a button, whose position
//   the circuit sets (devices.h).
// - The symbol says how the painter draws the body; the labels are what
//   the truth table heads its column with.
#pragma once

#include <QPoint>
#include <QPointF>
#include <QRect>
#include <QSize>
#include <QString>

#include <utility>
#include <vector>

namespace circuit {

enum class Kind {
    Phase,
    Neutral,
    Switch,
    TwoWay,
    Intermediate,
    Lamp,
    Earth,
    Socket,
    DoubleSwitch,
    PushButton,
    Bell,
    ImpulseRelay,
    StaircaseTimer,
};

// The radius of a lamp's glass, in grid steps.
constexpr qreal LampRadius = 1.3;

// How the painter draws a kind's body: a supply bar, a lamp, a switch, the
// green-and-yellow earth bar, a socket, a bell, an impulse relay, a
// staircase timer.
enum class Symbol { Bar, Lamp, Switch, EarthBar, Socket, Bell, Relay, Timer };

struct TerminalSpec {
    QString local; // "born 1", "comú"; empty for a bar's only terminal
    QPoint point;  // on the footprint, drawn unmirrored
    QPoint exit;   // one grid step, the way a conductor leaves it
    QPointF inner; // where its lead ends inside the symbol
};

// A moving contact.
struct Blade {
    static constexpr int Open = -1;
    int pivot;                // the terminal it turns on
    std::vector<int> restsOn; // one a position: a terminal, or Open
    QPointF open;             // where it points while it rests on none
};

struct Actuator {
    int positions;
    QRect button; // on the footprint, unmirrored; empty for none
    std::vector<Blade> blades;
    // A push button's: in position 1 only while it is held.
    bool momentary = false;
    // The pairs of terminals joined in a position, each blade's pivot first.
    std::vector<std::pair<int, int>> joins(int position) const;
};

// A resistance between two terminals.
struct Load {
    int a, b;
};

struct KindSpec {
    Kind kind;
    QString fileName{}; // how exercise files spell it: "commutador"
    Symbol symbol{};
    QSize size{};        // the footprint, buttons included; no conductor runs through it
    QRect body{};        // where the symbol lies on the footprint
    QString caption{};   // written on the body: "FASE"; empty for none
    QString label{};     // a truth-table column's heading before the name's number: "C"
    QString soleLabel{}; // the heading when the exercise has no other of this kind
    QString picture{};   // the picture on an actuator's button
    std::vector<TerminalSpec> terminals{};
    std::vector<Load> loads{};
    std::vector<Actuator> actuators{};
    // The version of the wiring-file format that first knew this kind: a
    // file for an exercise that has it is written in that version or later.
    int formatVersion = 1;
};

const KindSpec& describe(Kind kind);
// Every kind, in Kind's order.
const std::vector<KindSpec>& kinds();

// Switches are the kinds a learner moves by a button: they have two
// positions, 0 and 1, and every exercise starts in 0.
bool isSwitch(Kind kind);
// A push button: held in position 1, back in 0 when let go.
bool isMomentary(Kind kind);
// Kinds whose contact the circuit moves: the impulse relay and the
// staircase timer.
bool isDevice(Kind kind);

} // namespace circuit
