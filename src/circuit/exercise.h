// SPDX-License-Identifier: GPL-3.0-or-later
// A wiring exercise: the components placed on the board, each with named
// terminals, what the circuit must do (its expected truth table, or the
// sequences of presses it must answer) and the room of the house that uses
// it. Exercises are read from JSON files of the
// "ampera-exercise" format; the built-in ones are compiled in.
#pragma once

#include "circuit/faults.h"
#include "circuit/kinds.h"
#include "circuit/wiring.h"

#include <QByteArray>
#include <QPoint>
#include <QString>
#include <QStringList>

#include <optional>
#include <vector>

namespace circuit {

struct Component {
    Kind kind;
    QString name;          // "Commutador 1"; for the phase and the neutral, "Fase" and "Neutre"
    QPoint place;          // top-left corner on the board, in grid steps
    bool mirrored = false; // terminals drawn on the other side (the second two-way switch)
    int seconds = 30;      // a staircase timer's time
};

struct Terminal {
    int component; // index in Exercise::components
    int local;     // index in its kind's terminals
    QString name;  // what assistive tools read: "Commutador 1, comú", "Fase"
};

// The lamps' expected state in one combination of the switches, one value a
// lamp (true: lit at full brightness).
using Row = std::vector<bool>;

// One step of a sequence: what the learner does with a push button (presses
// it, that is holds and lets go; holds it; lets it go), time passing, or
// what the lamps and bells must do then.
struct SequenceStep {
    enum class Action { Press, Hold, Release, Wait, Expect };
    Action action = Action::Expect;
    int switchIndex = -1; // Press, Hold, Release: in Exercise::switches
    double seconds = 0;   // Wait
    // Expect: lamps and bells by component index, and whether each is lit
    // (ringing) at full power; the others are not looked at.
    std::vector<std::pair<int, bool>> expect;
};

// What a board with push buttons, relays or timers must do, step by step
// from rest: every push button let go, every device's contact open.
struct Sequence {
    QString name;
    std::vector<SequenceStep> steps;
};

struct Exercise {
    QString id;          // "commutada"
    QString title;       // "Commutada"
    QString menuText;    // "&Commutada": the title with an access key
    QString instruction; // what the circuit must do, for the learner
    QString room;        // the window of the room that uses this circuit, or empty
    QString roomName;    // how the learner knows that room: "l'habitació 3"
    std::vector<Component> components;
    std::vector<Terminal> terminals; // every component's, in component order
    std::vector<int> firstTerminals; // one a component: the index of its first terminal
    // The switch buttons, in table order: each one's component and the
    // actuator it moves. A double switch has two, one after the other.
    std::vector<int> switches;
    std::vector<int> switchActuators;
    std::vector<int> lamps;   // components that are lamps
    std::vector<int> sockets; // components that are sockets
    std::vector<int> bells;   // components that are bells
    std::vector<int> devices; // impulse relays and staircase timers
    int phase = -1;           // the phase's terminal
    int neutral = -1;         // the neutral's terminal
    int earth = -1;           // the earth bar's terminal, or -1 without one
    // Row k is the combination whose positions, read as a binary number with
    // the first switch as its highest digit, give k.
    std::vector<Row> table;
    // The table with every lamp inverted is also a correct installation
    // (two-way circuits with the travellers crossed).
    bool complementAccepted = false;
    // Whether the conductors' colours are judged (the file's "colours").
    bool coloursJudged = true;
    // A board with push buttons or devices is judged by sequences, not by a
    // table: those the file gives, then for a relay or a timer each push
    // button pressed on its own.
    bool bySequences = false;
    std::vector<Sequence> sequences;
    // A fault-finding exercise: the installation as built, which the board
    // starts with, and the faults hidden in it. Neither for the others.
    std::vector<Conductor> installation;
    std::vector<Fault> faults;
    bool findsFaults() const { return !faults.empty(); }

    int combinations() const { return 1 << switches.size(); }
    int position(int combination, int switchIndex) const {
        return (combination >> (int(switches.size()) - 1 - switchIndex)) & 1;
    }
    std::optional<int> terminal(const QString& name) const;
    // The terminal of a component by its index in the component's kind.
    int terminalOf(int component, int local) const {
        return firstTerminals[size_t(component)] + local;
    }
    std::optional<int> component(const QString& name) const;
    // What a switch button is called: its component's name, followed by the
    // button's number when the component has several ("Interruptor doble 2").
    QString switchName(int switchIndex) const;
    std::optional<int> switchNamed(const QString& name) const;
    // "Commutador 1 = 0, Commutador 2 = 1"; empty without switches.
    QString combinationText(int combination) const;
    // The version of the wiring-file format that its wirings are written in.
    int wiringFormatVersion() const;
    // The lamps, then the bells: what sequences look at.
    std::vector<int> outputs() const;
};

// Reads an exercise file. On failure returns nothing and puts in `faults`
// what is wrong with it, in Catalan: every fault found, as far as one does
// not hide the others.
std::optional<Exercise> parseExercise(const QByteArray& json, QStringList* faults);
// The same, with the faults joined by "; ".
std::optional<Exercise> parseExercise(const QByteArray& json, QString* error);

// The built-in exercises, in menu order.
const std::vector<Exercise>& builtInExercises();

} // namespace circuit
