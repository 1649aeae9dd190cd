// SPDX-License-Identifier: GPL-3.0-or-later
// Whether the conductors have the colours the low-voltage rules give: light
// blue for a conductor that is the neutral whatever the switches and the
// devices do, green-and-yellow for one that is the earth, and neither
// colour anywhere else.
#include "circuit/checker.h"

#include "circuit/solver.h"

namespace circuit {

namespace {

// What a conductor is joined to in every state of the board.
struct Duty {
    bool neutral = true;
    bool earth = true;
};

// Every combination of the switches, with every device's contact in every
// position: what each conductor is joined to in all of them.
std::vector<Duty> duties(const Exercise& e, const Wiring& wiring) {
    std::vector<Duty> duty(wiring.conductors.size());
    Wiring w = wiring;
    const int deviceStates = 1 << e.devices.size();
    std::vector<int> devices(e.devices.size());
    for (int k = 0; k < e.combinations(); ++k) {
        w.setCombination(k);
        for (int d = 0; d < deviceStates; ++d) {
            for (size_t i = 0; i < devices.size(); ++i)
                devices[i] = (d >> i) & 1;
            const std::vector<int> group = joinedGroups(e, w, devices);
            const int neutral = group[size_t(e.neutral)];
            const int earth = e.earth >= 0 ? group[size_t(e.earth)] : -1;
            for (size_t c = 0; c < duty.size(); ++c) {
                const int at = group[size_t(w.conductors[c].from)];
                duty[c].neutral = duty[c].neutral && at == neutral;
                duty[c].earth = duty[c].earth && at == earth;
            }
        }
    }
    return duty;
}

// Why a conductor's colour is wrong, or nothing when it is right. A
// conductor both on the neutral and on the earth (an earth fault, told
// apart) may be either of their colours.
QString fault(const Exercise& e, const Conductor& c, Duty duty) {
    const bool blue = c.colour == Insulation::Blue;
    const bool greenYellow = c.colour == Insulation::GreenYellow;
    QString why;
    if (duty.neutral && duty.earth && (blue || greenYellow))
        return {};
    if (duty.neutral && !blue)
        why = QStringLiteral("va al neutre i ha de ser blau");
    else if (duty.earth && !greenYellow)
        why = QStringLiteral("va a la terra i ha de ser verd-groc");
    else if (!duty.neutral && blue)
        why = QStringLiteral("no és el neutre i no pot ser blau");
    else if (!duty.earth && greenYellow)
        why = QStringLiteral("no és la terra i no pot ser verd-groc");
    if (why.isEmpty())
        return {};
    return QStringLiteral("«%1» – «%2» %3")
        .arg(e.terminals[size_t(c.from)].name, e.terminals[size_t(c.to)].name, why);
}

} // namespace

Criterion judgeColours(const Exercise& e, const Wiring& wiring, QStringList* faults) {
    Criterion criterion;
    criterion.name = criterionNames()[4];
    if (!e.coloursJudged || !wiring.statesColours())
        return criterion;
    const std::vector<Duty> duty = duties(e, wiring);
    QStringList wrong;
    for (size_t c = 0; c < duty.size(); ++c) {
        const QString why = fault(e, wiring.conductors[c], duty[c]);
        if (!why.isEmpty())
            wrong << why;
    }
    criterion.judgement = wrong.isEmpty() ? Judgement::Met : Judgement::Failed;
    if (!wrong.isEmpty())
        criterion.where = wrong.first();
    if (faults)
        *faults = wrong;
    return criterion;
}

void markColours(const Exercise& e, const Wiring& wiring, Report& r) {
    QStringList wrong;
    r.criteria[4] = judgeColours(e, wiring, &wrong);
    if (wrong.isEmpty() || r.verdict == Verdict::ShortCircuit)
        return;
    const QString list = wrong.join(QStringLiteral("; "));
    if (r.verdict == Verdict::Correct) {
        r.verdict = Verdict::Colours;
        r.text = QStringLiteral("Funciona, però els colors dels conductors no són els que toquen: "
                                "%1.")
                     .arg(list);
    } else {
        r.text += QStringLiteral(" A més, els colors dels conductors no són els que toquen: %1.")
                      .arg(list);
    }
}

} // namespace circuit
