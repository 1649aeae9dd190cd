// SPDX-License-Identifier: GPL-3.0-or-later
#include "circuit/wiring.h"

#include "circuit/exercise.h"

#include <algorithm>

namespace circuit {

namespace {

struct NamedInsulation {
    Insulation colour;
    const char* name;
};

constexpr NamedInsulation Names[] = {
    {Insulation::Brown, "marró"},
    {Insulation::Black, "negre"},
    {Insulation::Grey, "gris"},
    {Insulation::Blue, "blau"},
    {Insulation::GreenYellow, "verd-groc"},
};

} // namespace

const std::vector<Insulation>& insulationColours() {
    static const std::vector<Insulation> colours = [] {
        std::vector<Insulation> all;
        for (const NamedInsulation& n : Names)
            all.push_back(n.colour);
        return all;
    }();
    return colours;
}

QString insulationName(Insulation colour) {
    for (const NamedInsulation& n : Names)
        if (n.colour == colour)
            return QString::fromUtf8(n.name);
    return {};
}

std::optional<Insulation> insulationNamed(const QString& name) {
    for (const NamedInsulation& n : Names)
        if (name == QString::fromUtf8(n.name))
            return n.colour;
    return std::nullopt;
}

Insulation usualColour(const Exercise& e, int terminal) {
    const Terminal& t = e.terminals[size_t(terminal)];
    const QString& local =
        describe(e.components[size_t(t.component)].kind).terminals[size_t(t.local)].local;
    if (terminal == e.neutral || local == QLatin1String("neutre"))
        return Insulation::Blue;
    if (terminal == e.earth || local == QLatin1String("terra"))
        return Insulation::GreenYellow;
    return Insulation::Brown;
}

Insulation usualColour(const Exercise& e, int from, int to) {
    const Insulation first = usualColour(e, from);
    return first == Insulation::Brown ? usualColour(e, to) : first;
}

Wiring Wiring::empty(const Exercise& exercise) {
    Wiring w;
    w.positions.assign(exercise.switches.size(), 0);
    return w;
}

Wiring Wiring::initial(const Exercise& exercise) {
    Wiring w = empty(exercise);
    w.conductors = exercise.installation;
    w.faults = exercise.faults;
    return w;
}

int Wiring::combination() const {
    int k = 0;
    for (int p : positions)
        k = k * 2 + (p ? 1 : 0);
    return k;
}

void Wiring::setCombination(int combination) {
    const int n = int(positions.size());
    for (int s = 0; s < n; ++s)
        positions[size_t(s)] = (combination >> (n - 1 - s)) & 1;
}

bool Wiring::has(const Conductor& conductor) const {
    return std::any_of(conductors.begin(), conductors.end(),
                       [&](const Conductor& c) { return c.joins(conductor.from, conductor.to); });
}

bool Wiring::statesColours() const {
    return std::any_of(conductors.begin(), conductors.end(),
                       [](const Conductor& c) { return c.colour != Insulation::Unstated; });
}

} // namespace circuit
