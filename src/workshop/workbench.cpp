// SPDX-License-Identifier: GPL-3.0-or-later
#include "workshop/workbench.h"

#include "workshop/clock.h"

#include <QUndoCommand>

namespace workshop {

namespace {

// Every edit of the wiring is the list of conductors before and after it.
class WiringEdit : public QUndoCommand {
  public:
    WiringEdit(Workbench& bench, std::vector<circuit::Conductor> after, const QString& text)
        : QUndoCommand(text), bench_(bench), before_(bench.wiring().conductors),
          after_(std::move(after)) {}
    void redo() override { bench_.setConductors(after_); }
    void undo() override { bench_.setConductors(before_); }

  private:
    Workbench& bench_;
    std::vector<circuit::Conductor> before_, after_;
};

// Opening a file puts a whole wiring on the bench, switches included, as
// one step.
class WholeWiring : public QUndoCommand {
  public:
    WholeWiring(Workbench& bench, circuit::Wiring after)
        : QUndoCommand(QStringLiteral("Obre")), bench_(bench), before_(bench.wiring()),
          after_(std::move(after)) {}
    void redo() override { bench_.setWiring(after_); }
    void undo() override { bench_.setWiring(before_); }

  private:
    Workbench& bench_;
    circuit::Wiring before_, after_;
};

} // namespace

Workbench::Workbench(const circuit::Exercise& exercise, QObject* parent)
    : QObject(parent), exercise_(exercise), wiring_(circuit::Wiring::empty(exercise)),
      devices_(circuit::DeviceState::initial(exercise)) {
    setClock(new TimerClock(this));
    solveAgain();
}

void Workbench::setClock(Clock* clock) {
    if (clock_) {
        clock_->setRunning(false);
        clock_->disconnect(this);
    }
    clock_ = clock;
    connect(clock_, &Clock::elapsed, this, &Workbench::timePassed);
    runClockWhileNeeded();
}

void Workbench::holdButton(int switchIndex, bool held) {
    int& position = wiring_.positions[size_t(switchIndex)];
    if (position == int(held))
        return;
    position = int(held);
    // The report works every combination from rest, whatever is held now.
    showSettled(circuit::settle(exercise_, wiring_, devices_));
}

void Workbench::timePassed(double seconds) {
    showSettled(circuit::advance(exercise_, wiring_, devices_, seconds));
}

void Workbench::showSettled(const circuit::Solution& solution) {
    solution_ = solution;
    if (solution_.shortCircuit)
        tripped_ = true;
    runClockWhileNeeded();
    emit changed();
}

// The clock ticks while some timer's time runs.
void Workbench::runClockWhileNeeded() {
    bool running = false;
    for (double left : devices_.remaining)
        running = running || left > 0;
    clock_->setRunning(running);
}

bool Workbench::connectTerminals(int from, int to, circuit::Insulation colour) {
    const circuit::Conductor conductor{from, to, colour};
    if (from == to || wiring_.has(conductor))
        return false;
    auto after = wiring_.conductors;
    after.push_back(conductor);
    undo_.push(new WiringEdit(*this, std::move(after), QStringLiteral("Connecta")));
    return true;
}

void Workbench::removeConductor(int index) {
    if (index < 0 || index >= int(wiring_.conductors.size()))
        return;
    auto after = wiring_.conductors;
    after.erase(after.begin() + index);
    undo_.push(new WiringEdit(*this, std::move(after), QStringLiteral("Treu el conductor")));
}

void Workbench::recolourConductor(int index, circuit::Insulation colour) {
    if (index < 0 || index >= int(wiring_.conductors.size()) ||
        wiring_.conductors[size_t(index)].colour == colour)
        return;
    auto after = wiring_.conductors;
    after[size_t(index)].colour = colour;
    undo_.push(new WiringEdit(*this, std::move(after), QStringLiteral("Canvia el color")));
}

void Workbench::clearConductors() {
    if (wiring_.conductors.empty())
        return;
    undo_.push(new WiringEdit(*this, {}, QStringLiteral("Esborra-ho tot")));
}

void Workbench::setConductors(const std::vector<circuit::Conductor>& conductors) {
    wiring_.conductors = conductors;
    solveAgain();
    emit wiringChanged();
    emit changed();
}

void Workbench::flipSwitch(int switchIndex) {
    int& position = wiring_.positions[size_t(switchIndex)];
    position = 1 - position;
    solveAgain();
    emit changed();
}

void Workbench::rearm() {
    tripped_ = false;
    breakerOn_ = true;
    solveAgain();
    emit changed();
}

void Workbench::pressBreaker() {
    if (tripped_ || !breakerOn_) {
        rearm();
        return;
    }
    breakerOn_ = false;
    emit changed();
}

void Workbench::replaceWiring(const circuit::Wiring& wiring) {
    undo_.clear();
    setWiring(wiring);
}

void Workbench::openWiring(const circuit::Wiring& wiring) {
    undo_.push(new WholeWiring(*this, wiring));
}

void Workbench::setWiring(const circuit::Wiring& wiring) {
    wiring_ = wiring;
    tripped_ = false;
    // Another board altogether: its relays and timers start at rest.
    devices_ = circuit::DeviceState::initial(exercise_);
    solveAgain();
    emit wiringChanged();
    emit changed();
}

void Workbench::solveAgain() {
    solution_ = circuit::settle(exercise_, wiring_, devices_);
    report_ = circuit::check(exercise_, wiring_);
    if (solution_.shortCircuit)
        tripped_ = true;
    if (clock_)
        runClockWhileNeeded();
}

} // namespace workshop
