// SPDX-License-Identifier: GPL-3.0-or-later
// One exercise on the workshop's bench: the learner's wiring, the switch
// positions, the relays and timers, the breaker, and the circuit solved
// again after every change and as the timers run down.
// Edits of the wiring go through an undo stack. On a fault-finding
// exercise the installation cannot be changed while its faults are in it:
// the pupil measures it with the testers, marks the faults and repairs
// them, and the bench keeps the record of it.
#pragma once

#include "circuit/checker.h"
#include "circuit/devices.h"
#include "circuit/faults.h"

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

    // Fault finding. What a press on a terminal does while the faults are
    // in the board: places a probe of a tester, or marks a fault.
    enum class Mode { VoltageTester, ContinuityTester, Mark };
    enum class Probe { Red, Black };
    // The installation has faults in it: it cannot be edited.
    bool locked() const { return !wiring_.faults.empty(); }
    Mode mode() const { return mode_; }
    void setMode(Mode mode);
    int probe(Probe probe) const { return probe == Probe::Red ? red_ : black_; }
    void placeProbe(Probe probe, int terminal);
    // What the tester in use shows: empty until both probes are placed.
    QString reading() const;
    // Marks a conductor, a lamp or a switch's terminal; true when a fault
    // is there.
    bool markFault(circuit::FaultMark::Target target, int index);
    const circuit::FaultLog& log() const { return log_; }
    // One an exercise's fault: found by a right mark.
    std::vector<bool> found() const { return log_.found(exercise_); }
    bool everyFaultFound() const;
    // Mends every fault once all are found: the wiring can be edited again.
    void repair();
    // Puts a pupil's file on the bench: its wiring with its record.
    void replaceWiring(const circuit::Wiring& wiring, const circuit::FaultLog& log);

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
    circuit::Tool tool() const;
    // Records the reading shown when it is a new one.
    void recordMeasurement();

    const circuit::Exercise& exercise_;
    circuit::Wiring wiring_;
    circuit::Solution solution_;
    circuit::Report report_;
    circuit::DeviceState devices_;
    Clock* clock_ = nullptr;
    bool tripped_ = false;
    bool breakerOn_ = true;
    Mode mode_ = Mode::VoltageTester;
    int red_ = -1, black_ = -1;
    circuit::FaultLog log_;
    QUndoStack undo_;
};

} // namespace workshop
