// SPDX-License-Identifier: GPL-3.0-or-later
// The built-in exercises wired as an electrician lays them, by terminal
// name, and the same with the phase and the neutral swapped, so that the
// switches cut the neutral: the starting points of tests and benchmarks,
// which turn them into wirings with wiringOf().
#pragma once

#include "circuit/exercise.h"
#include "circuit/wiring.h"

#include <QString>

#include <utility>
#include <vector>

namespace testing {

// Conductors by the names of the terminals they join.
using Conductors = std::vector<std::pair<QString, QString>>;

inline Conductors naturalWiring(QString id) {
    // A fault-finding exercise is its circuit wired right, mended.
    if (id.startsWith(QLatin1String("avaria-")))
        id = id.mid(7);
    if (id == QLatin1String("punt-de-llum"))
        return {{"Fase", "Interruptor, born 1"},
                {"Interruptor, born 2", "Làmpada, born 1"},
                {"Làmpada, born 2", "Neutre"}};
    if (id == QLatin1String("commutada"))
        return {{"Fase", "Commutador 1, comú"},
                {"Commutador 1, born 1", "Commutador 2, born 1"},
                {"Commutador 1, born 2", "Commutador 2, born 2"},
                {"Commutador 2, comú", "Làmpada, born 1"},
                {"Làmpada, born 2", "Neutre"}};
    if (id == QLatin1String("encreuament"))
        return {{"Fase", "Commutador 1, comú"},
                {"Commutador 1, born 1", "Creuament, born 1"},
                {"Commutador 1, born 2", "Creuament, born 2"},
                {"Creuament, born 3", "Commutador 2, born 1"},
                {"Creuament, born 4", "Commutador 2, born 2"},
                {"Commutador 2, comú", "Làmpada, born 1"},
                {"Làmpada, born 2", "Neutre"}};
    if (id == QLatin1String("quatre-punts"))
        return {{"Fase", "Commutador 1, comú"},
                {"Commutador 1, born 1", "Creuament 1, born 1"},
                {"Commutador 1, born 2", "Creuament 1, born 2"},
                {"Creuament 1, born 3", "Creuament 2, born 1"},
                {"Creuament 1, born 4", "Creuament 2, born 2"},
                {"Creuament 2, born 3", "Commutador 2, born 1"},
                {"Creuament 2, born 4", "Commutador 2, born 2"},
                {"Commutador 2, comú", "Làmpada, born 1"},
                {"Làmpada, born 2", "Neutre"}};
    if (id == QLatin1String("dos-llums"))
        return {{"Fase", "Interruptor, born 1"},
                {"Interruptor, born 2", "Làmpada 1, born 1"},
                {"Interruptor, born 2", "Làmpada 2, born 1"},
                {"Làmpada 1, born 2", "Neutre"},
                {"Làmpada 2, born 2", "Neutre"}};
    if (id == QLatin1String("presa-de-corrent"))
        return {{"Fase", "Presa, fase"}, {"Neutre", "Presa, neutre"}, {"Terra", "Presa, terra"}};
    if (id == QLatin1String("punt-de-llum-i-presa"))
        return {{"Fase", "Interruptor, born 1"}, {"Interruptor, born 2", "Làmpada, born 1"},
                {"Làmpada, born 2", "Neutre"},   {"Fase", "Presa, fase"},
                {"Neutre", "Presa, neutre"},     {"Terra", "Presa, terra"}};
    if (id == QLatin1String("interruptor-doble"))
        return {{"Fase", "Interruptor doble, comú"},
                {"Interruptor doble, born 1", "Làmpada 1, born 1"},
                {"Interruptor doble, born 2", "Làmpada 2, born 1"},
                {"Làmpada 1, born 2", "Neutre"},
                {"Làmpada 2, born 2", "Neutre"}};
    if (id == QLatin1String("timbre"))
        return {{"Fase", "Polsador, born 1"},
                {"Polsador, born 2", "Timbre, born 1"},
                {"Timbre, born 2", "Neutre"}};
    if (id == QLatin1String("telerruptor"))
        return {{"Fase", "Polsador 1, born 1"},
                {"Polsador 1, born 1", "Polsador 2, born 1"},
                {"Polsador 2, born 1", "Polsador 3, born 1"},
                {"Polsador 1, born 2", "Polsador 2, born 2"},
                {"Polsador 2, born 2", "Polsador 3, born 2"},
                {"Polsador 3, born 2", "Telerruptor, bobina 1"},
                {"Telerruptor, bobina 2", "Neutre"},
                {"Fase", "Telerruptor, contacte 1"},
                {"Telerruptor, contacte 2", "Làmpada, born 1"},
                {"Làmpada, born 2", "Neutre"}};
    if (id == QLatin1String("automatic-escala"))
        return {{"Fase", "Automàtic, fase"},
                {"Neutre", "Automàtic, neutre"},
                {"Fase", "Polsador 1, born 1"},
                {"Polsador 1, born 1", "Polsador 2, born 1"},
                {"Polsador 2, born 1", "Polsador 3, born 1"},
                {"Polsador 1, born 2", "Polsador 2, born 2"},
                {"Polsador 2, born 2", "Polsador 3, born 2"},
                {"Polsador 3, born 2", "Automàtic, polsadors"},
                {"Automàtic, làmpades", "Làmpada 1, born 1"},
                {"Automàtic, làmpades", "Làmpada 2, born 1"},
                {"Làmpada 1, born 2", "Neutre"},
                {"Làmpada 2, born 2", "Neutre"}};
    return {};
}

// The push buttons of the relay and timer exercises one after another
// instead of side by side: only all three held together close the circuit.
inline Conductors pushButtonsInSeries(const QString& id) {
    const QString target = id == QLatin1String("telerruptor")
                               ? QStringLiteral("Telerruptor, bobina 1")
                               : QStringLiteral("Automàtic, polsadors");
    Conductors c = naturalWiring(id);
    std::erase_if(c, [](const auto& conductor) {
        return conductor.first.startsWith(QLatin1String("Polsador")) ||
               conductor.second == QLatin1String("Polsador 1, born 1");
    });
    c.insert(c.end(), {{"Fase", "Polsador 1, born 1"},
                       {"Polsador 1, born 2", "Polsador 2, born 1"},
                       {"Polsador 2, born 2", "Polsador 3, born 1"},
                       {"Polsador 3, born 2", target}});
    return c;
}

inline Conductors onTheNeutral(const QString& id) {
    Conductors c = naturalWiring(id);
    for (auto& [a, b] : c)
        for (QString* end : {&a, &b})
            *end = *end == QLatin1String("Fase")     ? QStringLiteral("Neutre")
                   : *end == QLatin1String("Neutre") ? QStringLiteral("Fase")
                                                     : *end;
    return c;
}

// A mark pressed right on the fault.
inline circuit::FaultMark markOn(const circuit::Fault& f) {
    using Target = circuit::FaultMark::Target;
    switch (f.kind) {
    case circuit::FaultKind::OpenConductor:
        return {Target::Conductor, f.conductor, true};
    case circuit::FaultKind::BlownLamp:
        return {Target::Lamp, f.component, true};
    case circuit::FaultKind::OpenContact:
        break;
    }
    return {Target::Terminal, f.terminal, true};
}

// The record of a pupil who found every fault of a fault-finding exercise
// and repaired them, so that the file may hold any wiring; nothing for
// any other exercise.
inline circuit::FaultLog repairedLog(const circuit::Exercise& e) {
    circuit::FaultLog log;
    for (const circuit::Fault& f : e.faults)
        log.marks.push_back(markOn(f));
    log.repaired = e.findsFaults();
    return log;
}

// The wiring of the exercise with these conductors, every switch at 0.
inline circuit::Wiring wiringOf(const circuit::Exercise& e, const Conductors& conductors) {
    circuit::Wiring w = circuit::Wiring::empty(e);
    for (const auto& [a, b] : conductors) {
        const std::optional<int> from = e.terminal(a), to = e.terminal(b);
        if (!from || !to)
            qFatal("no terminal %s or %s", qPrintable(a), qPrintable(b));
        w.conductors.push_back({*from, *to});
    }
    return w;
}

} // namespace testing
