// SPDX-License-Identifier: GPL-3.0-or-later
#include "circuit/kinds.h"

namespace circuit {

namespace {

constexpr int Open = Blade::Open;
const QPoint Left(-1, 0), Right(1, 0);

// The phase and the neutral: a long, low bar with its terminal at the
// right-hand end.
KindSpec bar(Kind kind, const char* fileName, const char* caption) {
    return {.kind = kind,
            .fileName = QString::fromUtf8(fileName),
            .symbol = Symbol::Bar,
            .size = {6, 2},
            .body = {0, 0, 6, 2},
            .caption = QString::fromUtf8(caption),
            .terminals = {{QString(), {6, 1}, Right, {0.4, 1}}}};
}

// A switch is a square with its button in the two rows above it.
KindSpec switchKind(Kind kind, const char* fileName, const char* label, const char* picture,
                    std::vector<TerminalSpec> terminals, std::vector<Blade> blades) {
    return {.kind = kind,
            .fileName = QString::fromUtf8(fileName),
            .symbol = Symbol::Switch,
            .size = {4, 6},
            .body = {0, 2, 4, 4},
            .label = QString::fromUtf8(label),
            .picture = QString::fromUtf8(picture),
            .terminals = std::move(terminals),
            .actuators = {{2, {0, 0, 4, 2}, std::move(blades)}}};
}

// The earth bar, a third bar beside the phase and the neutral.
KindSpec earthBar() {
    KindSpec earth = bar(Kind::Earth, "terra", "TERRA");
    earth.symbol = Symbol::EarthBar;
    earth.formatVersion = 2;
    return earth;
}

// A socket: its three terminals on the left, the phase and the neutral led
// to the two pins of the face, the earth to its earthing clips.
KindSpec socket() {
    return {.kind = Kind::Socket,
            .fileName = QStringLiteral("presa"),
            .symbol = Symbol::Socket,
            .size = {6, 7},
            .body = {0, 0, 6, 7},
            .label = QStringLiteral("P"),
            .terminals = {{QStringLiteral("fase"), {0, 2}, Left, {2.7, 3}},
                          {QStringLiteral("neutre"), {0, 4}, Left, {4.3, 3}},
                          {QStringLiteral("terra"), {0, 6}, Left, {3.5, 4.8}}},
            .formatVersion = 2};
}

// Two single switches on one common terminal, each with its button: the
// first joins the common terminal to terminal 1 in position 1, the second
// to terminal 2. Open blades swing away from each other.
KindSpec doubleSwitch() {
    KindSpec kind = switchKind(Kind::DoubleSwitch, "interruptor-doble", "ID", "switch_single",
                               {{QStringLiteral("comú"), {0, 5}, Left, {1, 5}},
                                {QStringLiteral("born 1"), {6, 3}, Right, {5, 3}},
                                {QStringLiteral("born 2"), {6, 7}, Right, {5, 7}}},
                               {});
    kind.size = {6, 8};
    kind.body = {0, 2, 6, 6};
    kind.actuators = {{2, {0, 0, 3, 2}, {{0, {Open, 1}, {2.72, 2.54}}}},
                      {2, {3, 0, 3, 2}, {{0, {Open, 2}, {2.72, 7.46}}}}};
    kind.formatVersion = 2;
    return kind;
}

// A push button is drawn as a switch whose blade springs back open.
KindSpec pushButton(const QString& b1, const QString& b2) {
    KindSpec k = switchKind(Kind::PushButton, "polsador", "P", "push_button",
                            {{b1, {0, 4}, Left, {1, 4}}, {b2, {4, 4}, Right, {3, 4}}},
                            {{0, {Open, 1}, {3, 3.35}}});
    k.actuators.front().momentary = true;
    k.formatVersion = 2;
    return k;
}

// A bell is a load like a lamp.
KindSpec bell(const QString& b1, const QString& b2) {
    return {.kind = Kind::Bell,
            .fileName = QStringLiteral("timbre"),
            .symbol = Symbol::Bell,
            .size = {4, 4},
            .body = {0, 0, 4, 4},
            .label = QStringLiteral("T"),
            .soleLabel = QStringLiteral("TIMBRE"),
            .terminals = {{b1, {0, 2}, Left, {1, 2.6}}, {b2, {4, 2}, Right, {3, 2.6}}},
            .loads = {{0, 1}},
            .formatVersion = 2};
}

// The coil on the left, the contact it works on the right; the contact has
// no button, for the circuit moves it.
KindSpec impulseRelay() {
    return {.kind = Kind::ImpulseRelay,
            .fileName = QStringLiteral("telerruptor"),
            .symbol = Symbol::Relay,
            .size = {6, 6},
            .body = {0, 0, 6, 6},
            .label = QStringLiteral("TR"),
            .terminals = {{QStringLiteral("bobina 1"), {0, 2}, Left, {1.4, 2}},
                          {QStringLiteral("bobina 2"), {0, 4}, Left, {1.4, 4}},
                          {QStringLiteral("contacte 1"), {6, 2}, Right, {4.6, 2}},
                          {QStringLiteral("contacte 2"), {6, 4}, Right, {4.6, 4}}},
            .loads = {{0, 1}},
            .actuators = {{2, {}, {{2, {Open, 3}, {5.3, 3.6}}}}},
            .formatVersion = 2};
}

// Supply on the left, push buttons and lamps on the right. The push
// buttons' input takes a little current to the neutral, like a coil; the
// contact joins the phase to the lamps while the time runs.
KindSpec staircaseTimer() {
    return {.kind = Kind::StaircaseTimer,
            .fileName = QStringLiteral("automàtic-escala"),
            .symbol = Symbol::Timer,
            .size = {8, 7},
            .body = {0, 0, 8, 7},
            .label = QStringLiteral("AE"),
            .terminals = {{QStringLiteral("fase"), {0, 2}, Left, {3, 2}},
                          {QStringLiteral("neutre"), {0, 4}, Left, {1.4, 4}},
                          {QStringLiteral("polsadors"), {8, 2}, Right, {6.6, 2}},
                          {QStringLiteral("làmpades"), {8, 4}, Right, {5, 4}}},
            .loads = {{2, 1}},
            .actuators = {{2, {}, {{0, {Open, 3}, {4.9, 2.9}}}}},
            .formatVersion = 2};
}

std::vector<KindSpec> table() {
    const QString b1 = QStringLiteral("born 1"), b2 = QStringLiteral("born 2");
    const QString b3 = QStringLiteral("born 3"), b4 = QStringLiteral("born 4");
    return {
        bar(Kind::Phase, "fase", "FASE"),
        bar(Kind::Neutral, "neutre", "NEUTRE"),
        // Open in position 0, its blade raised; closed in position 1.
        switchKind(Kind::Switch, "interruptor", "I", "switch_single",
                   {{b1, {0, 4}, Left, {1, 4}}, {b2, {4, 4}, Right, {3, 4}}},
                   {{0, {Open, 1}, {2.8, 3.1}}}),
        // The common terminal to terminal 1 in position 0, to 2 in position 1.
        switchKind(Kind::TwoWay, "commutador", "C", "switch_two_way",
                   {{QStringLiteral("comú"), {0, 4}, Left, {1, 4}},
                    {b1, {4, 3}, Right, {3, 3}},
                    {b2, {4, 5}, Right, {3, 5}}},
                   {{0, {1, 2}, {}}}),
        // Crossed in position 0 (1–4, 2–3), straight in position 1 (1–3, 2–4).
        switchKind(Kind::Intermediate, "creuament", "CR", "switch_intermediate",
                   {{b1, {0, 3}, Left, {1, 3}},
                    {b2, {0, 5}, Left, {1, 5}},
                    {b3, {4, 3}, Right, {3, 3}},
                    {b4, {4, 5}, Right, {3, 5}}},
                   {{0, {3, 2}, {}}, {1, {2, 3}, {}}}),
        {.kind = Kind::Lamp,
         .fileName = QStringLiteral("làmpada"),
         .symbol = Symbol::Lamp,
         .size = {4, 4},
         .body = {0, 0, 4, 4},
         .label = QStringLiteral("L"),
         .soleLabel = QStringLiteral("LLUM"),
         .terminals = {{b1, {0, 2}, Left, {2 - LampRadius, 2}},
                       {b2, {4, 2}, Right, {2 + LampRadius, 2}}},
         .loads = {{0, 1}}},
        earthBar(),
        socket(),
        doubleSwitch(),
        pushButton(b1, b2),
        bell(b1, b2),
        impulseRelay(),
        staircaseTimer(),
    };
}

} // namespace

std::vector<std::pair<int, int>> Actuator::joins(int position) const {
    std::vector<std::pair<int, int>> pairs;
    for (const Blade& blade : blades) {
        const int rest = blade.restsOn[size_t(position)];
        if (rest != Open)
            pairs.emplace_back(blade.pivot, rest);
    }
    return pairs;
}

const std::vector<KindSpec>& kinds() {
    static const std::vector<KindSpec> all = table();
    return all;
}

const KindSpec& describe(Kind kind) {
    const KindSpec& spec = kinds()[size_t(kind)];
    Q_ASSERT(spec.kind == kind);
    return spec;
}

bool isSwitch(Kind kind) {
    const auto& actuators = describe(kind).actuators;
    return !actuators.empty() && !actuators.front().button.isEmpty();
}

bool isMomentary(Kind kind) {
    return isSwitch(kind) && describe(kind).actuators.front().momentary;
}

bool isDevice(Kind kind) {
    const auto& actuators = describe(kind).actuators;
    return !actuators.empty() && actuators.front().button.isEmpty();
}

} // namespace circuit
