// SPDX-License-Identifier: GPL-3.0-or-later
// Checks a wiring: works every combination of the switches (or every
// sequence of presses) through the solver and compares the lamps with what
// the exercise asks, then gives one verdict and the five marks a teacher
// gives. Sockets are judged by one rule in every combination, whatever the
// table: mains between their pins and their earth pin on the earth bar.
#pragma once

#include "circuit/exercise.h"
#include "circuit/solver.h"
#include "circuit/wiring.h"

#include <array>
#include <optional>

namespace circuit {

// The lamps in one combination of the switches.
struct Outcome {
    bool shortCircuit = false;
    bool shortToEarth = false;
    bool earthFault = false;
    std::vector<SocketState> sockets;
    std::vector<Glow> lamps;
    // One a lamp: it is off, yet a terminal of it is at the phase's voltage.
    std::vector<bool> liveWhileOff;
};

Outcome outcomeOf(const Exercise& exercise, const Solution& solution);

enum class Verdict {
    Correct,
    ShortCircuit,
    NeutralSwitched,
    Series,
    NeverLit,
    AlwaysLit,
    Wrong,
    Socket,     // a socket lacks its earth or the mains between its pins
    EarthFault, // the earth is joined to the neutral or carries a load's current
    Colours,    // it works and is safe, but some conductor has the wrong colour
};

// A criterion is met, failed, or cannot be judged: whether the switches cut
// the phase says nothing of a board on which no lamp is ever switched.
enum class Judgement { Met, Failed, Unjudged };

struct Criterion {
    QString name;
    Judgement judgement = Judgement::Unjudged;
    std::optional<int> firstFailure; // the first combination where it fails
    QString where;                   // where it fails first, for the learner
    bool met() const { return judgement == Judgement::Met; }
    bool failed() const { return judgement == Judgement::Failed; }
};

// How one sequence went.
struct SequenceResult {
    QString name;
    bool passed = false;
    QString failure; // what happened where it first went wrong; empty when it passed
};

struct Report {
    // One a combination. On a board judged by sequences, what each
    // combination of push buttons held does from rest, and nothing expected.
    std::vector<Outcome> outcomes;
    // The table the outcomes are compared with: the exercise's own, or its
    // complement when that is accepted and fits better.
    std::vector<Row> expected;
    bool complement = false;
    std::vector<bool> differs; // one a combination
    Verdict verdict = Verdict::Wrong;
    QString text;
    // It works in every combination; no short circuit in any; every switch
    // cuts the phase; every lamp lights at full brightness; the conductors
    // have their colours. When each is judged is written in
    // docs/exercicis.md.
    std::array<Criterion, 5> criteria;
    std::vector<SequenceResult> sequences; // one an exercise's sequence
};

// Works every combination, or on a board with push buttons, relays or
// timers every sequence (sequences.cpp), each from rest on a simulated
// clock.
Report check(const Exercise& exercise, const Wiring& wiring);

// The sequences' part of check().
void checkSequences(const Exercise& exercise, const Wiring& wiring, Report& report);

// Whether the conductors have the colours the rules give (colours.cpp):
// unjudged when the exercise does not ask it or no conductor states a
// colour; `faults` gets each wrong conductor, by its two terminals.
Criterion judgeColours(const Exercise& exercise, const Wiring& wiring, QStringList* faults);
// Judges the colours into a report and its verdict.
void markColours(const Exercise& exercise, const Wiring& wiring, Report& report);

// The names of Report::criteria, in order, for headings.
const std::array<QString, 5>& criterionNames();

} // namespace circuit
