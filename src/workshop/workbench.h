// SPDX-License-Identifier: GPL-3.0-or-later
// One exercise on the workshop's bench: the learner's wiring, the switch
// positions, the relays and timers, the breaker, and the circuit solved
// again after every change and as the timers run down.
// Edits of the wiring go through an undo stack.
#pragma once

#include "circuit/checker.h"
#include "circuit/devices.h"

#include <QObject>
#include <QUndoStack>

namespace workshop {

class Clock;

class Workbench : public QObject {
    Q_OBJECT
  public:
    explicit Workbench(const circuit::Exercise& exercise, QObject* parent = nullptr);

    const circuit::Exercise& exercise() const { return exercise_; }
    const circuit::Wiring& wiring() const { return wiring_; }
    // The circuit in the present switch positions, and every combination.
    const circuit::Solution& solution() const { return solution_; }
    const circuit::Report& report() const { return report_; }
    // The contacts of the relays and timers, and the timers' time left.
    const circuit::DeviceState& devices() const { return devices_; }
    // A short circuit trips the breaker; while it is tripped, or switched
    // off by hand, nothing is live.
    bool tripped() const { return tripped_; }
    bool breakerOn() const { return breakerOn_; }
    bool live() const { return breakerOn_ && !tripped_; }
    QUndoStack& undoStack() { return undo_; }

    // Lays a conductor between two terminals (undoable); refuses a conductor
    // from a terminal to itself or one that is already there.
    bool connectTerminals(int from, int to, circuit::Insulation colour);
    void removeConductor(int index);
    // Gives a conductor another insulation colour (undoable).
    void recolourConductor(int index, circuit::Insulation colour);
    void clearConductors();
    void flipSwitch(int switchIndex);
    // A push button held down (position 1) or let go (0).
    void holdButton(int switchIndex, bool held);
    // The clock that runs the timers down; the bench's own is a QTimer.
    // Not owned.
    void setClock(Clock* clock);
    // Re-arms the breaker; it trips again at once if the short is still there.
    void rearm();
    // The breaker pressed: re-armed when tripped, else switched off or on.
    void pressBreaker();
    // Puts a whole wiring on the bench (the one kept from the last run) and
    // forgets the undo history.
    void replaceWiring(const circuit::Wiring& wiring);
    // Puts a whole wiring on the bench (an opened file) as a step that can
    // be undone.
    void openWiring(const circuit::Wiring& wiring);

    // The steps the undo commands take.
    void setConductors(const std::vector<circuit::Conductor>& conductors);
    void setWiring(const circuit::Wiring& wiring);

  signals:
    // The wiring, a switch or the breaker changed: everything shown must be
    // drawn again.
    void changed();
    // The wiring itself changed (not only a switch or the breaker).
    void wiringChanged();

  private:
    void solveAgain();
    // Time went by for the timers.
    void timePassed(double seconds);
    // The devices moved but the wiring did not: the report stands.
    void showSettled(const circuit::Solution& solution);
    void runClockWhileNeeded();

    const circuit::Exercise& exercise_;
    circuit::Wiring wiring_;
    circuit::Solution solution_;
    circuit::Report report_;
    circuit::DeviceState devices_;
    Clock* clock_ = nullptr;
    bool tripped_ = false;
    bool breakerOn_ = true;
    QUndoStack undo_;
};

} // namespace workshop
