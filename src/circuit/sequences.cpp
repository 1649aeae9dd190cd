// SPDX-License-Identifier: GPL-3.0-or-later
// Judges a board by sequences: each runs from rest on a simulated clock,
// so a wait of thirty seconds costs one solve, and what the lamps and
// bells do at every step is kept for the four marks.
#include "circuit/checker.h"
#include "circuit/devices.h"

#include <algorithm>

namespace circuit {

namespace {

// What one step left on the board, for the marks.
struct Moment {
    bool shortCircuit = false;
    std::vector<Glow> glows;        // one an output (Exercise::outputs)
    std::vector<bool> liveWhileOff; // one an output
    QString where;                  // "seqüència «…», després de prémer «…»"
};

bool isBell(const Exercise& e, int component) {
    return e.components[size_t(component)].kind == Kind::Bell;
}

QString stateText(const Exercise& e, int component, Glow glow) {
    if (isBell(e, component))
        return glow == Glow::Full   ? QStringLiteral("sona")
               : glow == Glow::Weak ? QStringLiteral("sona fluix")
                                    : QStringLiteral("no sona");
    return glow == Glow::Full   ? QStringLiteral("fa llum")
           : glow == Glow::Weak ? QStringLiteral("fa poca llum")
                                : QStringLiteral("és apagada");
}

QString wantedText(const Exercise& e, int component, bool on) {
    if (isBell(e, component))
        return on ? QStringLiteral("hauria de sonar") : QStringLiteral("no hauria de sonar");
    return on ? QStringLiteral("hauria de fer llum") : QStringLiteral("hauria de ser apagada");
}

QString actionText(const Exercise& e, const SequenceStep& step) {
    const auto button = [&] {
        return e.components[size_t(e.switches[size_t(step.switchIndex)])].name;
    };
    switch (step.action) {
    case SequenceStep::Action::Press:
        return QStringLiteral("després de prémer «%1»").arg(button());
    case SequenceStep::Action::Hold:
        return QStringLiteral("mentre es manté premut «%1»").arg(button());
    case SequenceStep::Action::Release:
        return QStringLiteral("després de deixar anar «%1»").arg(button());
    case SequenceStep::Action::Wait:
        return QStringLiteral("després d'esperar %1 s").arg(step.seconds);
    case SequenceStep::Action::Expect:
        break;
    }
    return {};
}

class Run {
  public:
    Run(const Exercise& e, const Wiring& wiring, std::vector<Moment>& moments)
        : e_(e), w_(Wiring::empty(e)), devices_(DeviceState::initial(e)), moments_(moments) {
        w_.conductors = wiring.conductors;
        w_.faults = wiring.faults;
        solution_ = settle(e_, w_, devices_);
    }

    // Runs the sequence; empty when it passed, else what went wrong.
    QString run(const Sequence& q) {
        QString last = QStringLiteral("en repòs");
        note(q, last);
        if (const QString wrong = trouble(last); !wrong.isEmpty())
            return wrong;
        for (const SequenceStep& step : q.steps) {
            if (step.action == SequenceStep::Action::Expect) {
                if (const QString wrong = compare(step, last); !wrong.isEmpty())
                    return wrong;
                continue;
            }
            last = actionText(e_, step);
            act(step, q, last);
            if (const QString wrong = trouble(last); !wrong.isEmpty())
                return wrong;
        }
        return {};
    }

  private:
    void act(const SequenceStep& step, const Sequence& q, const QString& last) {
        int* position = step.switchIndex >= 0 ? &w_.positions[size_t(step.switchIndex)] : nullptr;
        switch (step.action) {
        case SequenceStep::Action::Press:
            *position = 1;
            solution_ = settle(e_, w_, devices_);
            note(q, last);
            if (!trouble(last).isEmpty())
                return;
            *position = 0;
            solution_ = settle(e_, w_, devices_);
            break;
        case SequenceStep::Action::Hold:
        case SequenceStep::Action::Release:
            *position = step.action == SequenceStep::Action::Hold ? 1 : 0;
            solution_ = settle(e_, w_, devices_);
            break;
        case SequenceStep::Action::Wait:
            solution_ = advance(e_, w_, devices_, step.seconds);
            break;
        case SequenceStep::Action::Expect:
            break;
        }
        note(q, last);
    }

    QString trouble(const QString& last) const {
        if (solution_.shortCircuit)
            return QStringLiteral("%1 hi ha un curtcircuit").arg(last);
        if (devices_.restless)
            return QStringLiteral("%1 el telerruptor no para de canviar: el seu contacte talla la "
                                  "seva pròpia bobina")
                .arg(last);
        return {};
    }

    Glow glow(int component) const {
        return solution_.shortCircuit ? Glow::Off : solution_.load(component);
    }

    QString compare(const SequenceStep& step, const QString& last) const {
        for (const auto& [component, on] : step.expect) {
            const Glow g = glow(component);
            if (g == (on ? Glow::Full : Glow::Off))
                continue;
            return QStringLiteral("%1, «%2» %3 i %4")
                .arg(last, e_.components[size_t(component)].name, wantedText(e_, component, on),
                     stateText(e_, component, g));
        }
        return {};
    }

    // A relay that found no rest left no state worth marking.
    void note(const Sequence& q, const QString& last) {
        if (devices_.restless)
            return;
        Moment m;
        m.shortCircuit = solution_.shortCircuit;
        m.where = QStringLiteral("seqüència «%1», %2").arg(q.name, last);
        for (int c : e_.outputs()) {
            const Glow g = glow(c);
            bool live = false;
            const int terminals = int(describe(e_.components[size_t(c)].kind).terminals.size());
            for (int t = 0; t < terminals; ++t)
                live = live || solution_.potential[size_t(e_.terminalOf(c, t))] == Potential::Phase;
            m.glows.push_back(g);
            m.liveWhileOff.push_back(g == Glow::Off && live);
        }
        moments_.push_back(std::move(m));
    }

    const Exercise& e_;
    Wiring w_;
    DeviceState devices_;
    Solution solution_;
    std::vector<Moment>& moments_;
};

Criterion judged(int index, const std::vector<Moment>& moments, bool judgeable, auto failing) {
    Criterion c;
    c.name = criterionNames()[size_t(index)];
    const auto first = std::find_if(moments.begin(), moments.end(), failing);
    if (first != moments.end())
        c.where = first->where;
    c.judgement = first != moments.end() ? Judgement::Failed
                  : judgeable            ? Judgement::Met
                                         : Judgement::Unjudged;
    return c;
}

// The marks from every moment of every sequence; a load counts as
// switched when it is both on and off somewhere.
void mark(const Exercise& e, const std::vector<Moment>& moments, Report& r) {
    const size_t outputs = e.outputs().size();
    std::vector<bool> lit(outputs), dark(outputs);
    for (const Moment& m : moments)
        for (size_t i = 0; i < outputs && !m.shortCircuit; ++i)
            (m.glows[i] == Glow::Off ? dark : lit)[i] = true;
    const bool anyLit = std::find(lit.begin(), lit.end(), true) != lit.end();
    bool switched = false;
    for (size_t i = 0; i < outputs; ++i)
        switched = switched || (lit[i] && dark[i]);
    const auto failed = std::find_if(r.sequences.begin(), r.sequences.end(),
                                     [](const auto& s) { return !s.passed; });
    Criterion& works = r.criteria[0];
    works.name = criterionNames()[0];
    works.judgement = failed == r.sequences.end() ? Judgement::Met : Judgement::Failed;
    if (failed != r.sequences.end())
        works.where = QStringLiteral("seqüència «%1»").arg(failed->name);
    r.criteria[1] = judged(1, moments, anyLit, [](const Moment& m) { return m.shortCircuit; });
    r.criteria[2] = judged(2, moments, switched, [&](const Moment& m) {
        for (size_t i = 0; i < outputs; ++i)
            if (lit[i] && m.liveWhileOff[i])
                return true;
        return false;
    });
    r.criteria[3] = judged(3, moments, anyLit, [](const Moment& m) {
        return std::count(m.glows.begin(), m.glows.end(), Glow::Weak) > 0;
    });
}

// The first lamp or bell that is off at the phase's potential in a moment
// where that criterion failed: "«Timbre» queda connectat a la fase quan no
// sona".
QString liveOutputText(const Exercise& e, const std::vector<Moment>& moments,
                       const QString& where) {
    const std::vector<int> outputs = e.outputs();
    for (const Moment& m : moments)
        if (m.where == where)
            for (size_t i = 0; i < outputs.size(); ++i)
                if (m.liveWhileOff[i])
                    return QStringLiteral("«%1» queda connectat a la fase quan %2")
                        .arg(e.components[size_t(outputs[i])].name,
                             isBell(e, outputs[i]) ? QStringLiteral("no sona")
                                                   : QStringLiteral("és apagat"));
    return {};
}

void judge(const Exercise& e, const std::vector<Moment>& moments, Report& r) {
    const auto& c = r.criteria;
    const auto failed = std::find_if(r.sequences.begin(), r.sequences.end(),
                                     [](const auto& s) { return !s.passed; });
    if (c[1].failed()) {
        r.verdict = Verdict::ShortCircuit;
        r.text = QStringLiteral("Curtcircuit a la %1: la fase toca el neutre sense passar per cap "
                                "làmpada ni cap timbre.")
                     .arg(c[1].where);
    } else if (failed == r.sequences.end() && !c[2].failed()) {
        r.verdict = Verdict::Correct;
        r.text = QStringLiteral("Correcte: el muntatge fa totes les seqüències de l'exercici i "
                                "la instal·lació és segura.");
    } else if (failed == r.sequences.end()) {
        r.verdict = Verdict::NeutralSwitched;
        r.text = QStringLiteral("Funciona, però no és segur: s'ha tallat el neutre en lloc de la "
                                "fase, i %1 (%2).")
                     .arg(liveOutputText(e, moments, c[2].where), c[2].where);
    } else {
        r.verdict = Verdict::Wrong;
        r.text = QStringLiteral("No fa el que demana l'exercici: falla la seqüència «%1»: %2.")
                     .arg(failed->name, failed->failure);
    }
}

} // namespace

void checkSequences(const Exercise& e, const Wiring& wiring, Report& r) {
    std::vector<Moment> moments;
    for (const Sequence& q : e.sequences) {
        const QString failure = Run(e, wiring, moments).run(q);
        r.sequences.push_back({q.name, failure.isEmpty(), failure});
    }
    mark(e, moments, r);
    judge(e, moments, r);
}

} // namespace circuit
