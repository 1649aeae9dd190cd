// SPDX-License-Identifier: GPL-3.0-or-later
#include "workshop/workbench.h"

#include "workshop/clock.h"

#include <QUndoCommand>

#include <algorithm>
#include <cmath>

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
    : QObject(parent), exercise_(exercise), wiring_(circuit::Wiring::initial(exercise)),
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
    recordMeasurement();
}

namespace {

// Whether two states of the board look alike: the same potentials and
// loads, the same contacts, and every timer at the same whole second.
bool looksAlike(const circuit::Solution& a, const circuit::Solution& b,
                const circuit::DeviceState& before, const circuit::DeviceState& after) {
    if (a.potential != b.potential || a.share != b.share || a.shortCircuit != b.shortCircuit ||
        before.positions != after.positions || before.energised != after.energised)
        return false;
    for (size_t d = 0; d < before.remaining.size(); ++d)
        if (std::ceil(before.remaining[d] - 1e-9) != std::ceil(after.remaining[d] - 1e-9))
            return false;
    return true;
}

} // namespace

// The clock ticks four times a second while a timer runs; the board is
// shown again only when what it shows has changed, at most once a second.
void Workbench::timePassed(double seconds) {
    const circuit::DeviceState before = devices_;
    const circuit::Solution settled = circuit::advance(exercise_, wiring_, devices_, seconds);
    if (looksAlike(settled, solution_, before, devices_)) {
        solution_ = settled;
        runClockWhileNeeded();
        return;
    }
    showSettled(settled);
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
    if (locked() || from == to || wiring_.has(conductor))
        return false;
    auto after = wiring_.conductors;
    after.push_back(conductor);
    undo_.push(new WiringEdit(*this, std::move(after), QStringLiteral("Connecta")));
    return true;
}

void Workbench::removeConductor(int index) {
    if (locked() || index < 0 || index >= int(wiring_.conductors.size()))
        return;
    auto after = wiring_.conductors;
    after.erase(after.begin() + index);
    undo_.push(new WiringEdit(*this, std::move(after), QStringLiteral("Treu el conductor")));
}

void Workbench::recolourConductor(int index, circuit::Insulation colour) {
    if (locked() || index < 0 || index >= int(wiring_.conductors.size()) ||
        wiring_.conductors[size_t(index)].colour == colour)
        return;
    auto after = wiring_.conductors;
    after[size_t(index)].colour = colour;
    undo_.push(new WiringEdit(*this, std::move(after), QStringLiteral("Canvia el color")));
}

void Workbench::clearConductors() {
    if (locked() || wiring_.conductors.empty())
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
    recordMeasurement();
    emit changed();
}

void Workbench::rearm() {
    tripped_ = false;
    breakerOn_ = true;
    solveAgain();
    recordMeasurement();
    emit changed();
}

void Workbench::pressBreaker() {
    if (tripped_ || !breakerOn_) {
        rearm();
        return;
    }
    breakerOn_ = false;
    recordMeasurement();
    emit changed();
}

void Workbench::replaceWiring(const circuit::Wiring& wiring) {
    replaceWiring(wiring, {});
}

void Workbench::replaceWiring(const circuit::Wiring& wiring, const circuit::FaultLog& log) {
    undo_.clear();
    log_ = log;
    red_ = black_ = -1;
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

void Workbench::setMode(Mode mode) {
    if (mode_ == mode)
        return;
    mode_ = mode;
    recordMeasurement();
    emit changed();
}

void Workbench::placeProbe(Probe probe, int terminal) {
    (probe == Probe::Red ? red_ : black_) = terminal;
    recordMeasurement();
    emit changed();
}

QString Workbench::reading() const {
    if (red_ < 0 || black_ < 0 || mode_ == Mode::Mark)
        return {};
    return circuit::reading(exercise_, wiring_, devices_.positions, tool(), red_, black_, live());
}

circuit::Tool Workbench::tool() const {
    return mode_ == Mode::VoltageTester ? circuit::Tool::Voltage : circuit::Tool::Continuity;
}

void Workbench::recordMeasurement() {
    const QString shown = reading();
    if (shown.isEmpty() || !locked() || log_.measurements.size() >= circuit::MaxMeasurements)
        return;
    circuit::Measurement m;
    m.tool = tool();
    m.red = red_;
    m.black = black_;
    m.positions = wiring_.positions;
    m.breakerOn = live();
    m.reading = shown;
    if (log_.measurements.empty() || !(log_.measurements.back() == m))
        log_.measurements.push_back(m);
}

bool Workbench::markFault(circuit::FaultMark::Target target, int index) {
    if (!locked())
        return false;
    circuit::FaultMark mark{target, index, false};
    const int fault = circuit::faultMarked(exercise_, mark);
    mark.right = fault >= 0;
    // Room is kept for the mark that finds each fault first, however many
    // others came before.
    const bool finds = mark.right && !found()[size_t(fault)];
    const size_t room = circuit::MaxMarks - exercise_.faults.size();
    if (finds || log_.marks.size() < room)
        log_.marks.push_back(mark);
    emit changed();
    return mark.right;
}

bool Workbench::everyFaultFound() const {
    const std::vector<bool> f = found();
    return std::all_of(f.begin(), f.end(), [](bool b) { return b; });
}

void Workbench::repair() {
    if (!locked() || !everyFaultFound())
        return;
    wiring_.faults.clear();
    log_.repaired = true;
    red_ = black_ = -1;
    solveAgain();
    emit wiringChanged();
    emit changed();
}

} // namespace workshop
