#include "rooms/master_bedroom.h"

#include "ui/controls.h"

#include <algorithm>
#include <iterator>

namespace rooms {

namespace {

// A combination is k = 4·C1 + 2·CR + C2; these bits pick one switch out of
// it.
constexpr int c1Bit = 4;
constexpr int crBit = 2;
constexpr int c2Bit = 1;

// The combinations each button tests, in its order, before it flips.
constexpr int c1Tests[] = {0, 4, 1, 5, 2, 6, 3, 7};
constexpr int crTests[] = {0, 6, 1, 7, 2, 4, 3, 5};
constexpr int c2Tests[] = {0, 5, 1, 4, 3, 6, 2, 7};

// The line whose second end shows a switch's position.
const char* positionLine(int switchBit) {
    switch (switchBit) {
    case c1Bit:
        return "LineInterruptor1";
    case crBit:
        return "Line_CR_1";
    default:
        return "LineInterruptor2";
    }
}

float rowOf(bool upper) {
    return upper ? MasterBedroom::upperRow : MasterBedroom::lowerRow;
}

// The conductors in the order a drawing colours them. Those on every path
// carry current whenever the lamp is lit; of each pair of travellers and
// of the two crossover links, only the one on the closed path does.
struct Conductor {
    const char* name;
    bool onEveryPath;
};
const Conductor conductors[] = {
    {"LineInterruptor1", true}, {"Line1", true},      {"Line2", false},
    {"Line3", false},           {"Line4", true},      {"Line5", true},
    {"Line6", false},           {"Line7", true},      {"Line10", true},
    {"Line13", false},          {"Line_CR_1", false}, {"Line_CR_2", false},
    {"LineInterruptor2", true},
};

// The eight states. The lamp is lit when an odd number of switches are in
// position 1; the crossover's links run straight in position 1 and cross
// in position 0. A lit state names the traveller on C1's side, the link
// and the traveller on C2's side that carry its current.
struct State {
    bool lit;
    bool straight;
    const char* live[3];
};
const State states[8] = {
    {false, false, {}},                              // 000
    {true, false, {"Line2", "Line_CR_2", "Line13"}}, // 001
    {true, true, {"Line2", "Line_CR_2", "Line6"}},   // 010
    {false, true, {}},                               // 011
    {true, false, {"Line3", "Line_CR_1", "Line6"}},  // 100
    {false, false, {}},                              // 101
    {false, true, {}},                               // 110
    {true, true, {"Line3", "Line_CR_1", "Line13"}},  // 111
};

bool carriesCurrent(const State& state, const Conductor& conductor) {
    if (!state.lit)
        return false;
    return conductor.onEveryPath ||
           std::any_of(std::begin(state.live), std::end(state.live),
                       [&](const char* live) { return qstrcmp(live, conductor.name) == 0; });
}

// A truth-table row: the positions of C1, CR and C2, then the lamp.
QString rowCaption(int k) {
    const auto digit = [](bool on) { return on ? QLatin1Char('1') : QLatin1Char('0'); };
    const QString gap(10, QLatin1Char(' '));
    return digit(k & c1Bit) + gap + digit(k & crBit) + gap + digit(k & c2Bit) +
           QString(21, QLatin1Char(' ')) + digit(states[k].lit);
}

} // namespace

const MasterBedroom::Routine MasterBedroom::routines[8] = {
    &MasterBedroom::Estat000, &MasterBedroom::Estat001, &MasterBedroom::Estat010,
    &MasterBedroom::Estat011, &MasterBedroom::Estat100, &MasterBedroom::Estat101,
    &MasterBedroom::Estat110, &MasterBedroom::Estat111,
};

MasterBedroom::MasterBedroom(const house::Room& room) : RoomWindow(room) {
    addDiagram();
    addTruthTable();
}

void MasterBedroom::addDiagram() {
    addCaptions();
    add<ui::Line>("Line5", 120, 7440, 120, 6240);
    add<ui::Line>("Line1", 120, upperRow, 600, upperRow);
    // All three switches start in position 0: the lamp is dark.
    add<ui::Line>("LineInterruptor1", 600, upperRow, 1560, lowerRow);
    add<ui::Line>("Line3", 1560, upperRow, 2760, upperRow);
    add<ui::Line>("Line2", 1560, lowerRow, 2760, lowerRow);
    add<ui::Line>("Line_CR_1", 2760, upperRow, 3360, lowerRow);
    add<ui::Line>("Line_CR_2", 2760, lowerRow, 3360, upperRow);
    add<ui::Line>("Line13", 3360, upperRow, 4560, upperRow);
    add<ui::Line>("Line6", 3360, lowerRow, 4560, lowerRow);
    add<ui::Line>("LineInterruptor2", 5520, upperRow, 4560, lowerRow);
    add<ui::Line>("Line7", 5520, upperRow, 6315, upperRow);
    add<ui::Line>("Line10", 7200, upperRow, 7680, upperRow);
    add<ui::Line>("Line4", 7680, 6240, 7680, 7560);

    add<ui::Shape>("ShpBombeta", ui::Shape::Kind::Circle, QRectF(6240, 6360, 975, 855))
        .setBackColor(ui::colors::Yellow);
    add<ui::Line>("Line8", 6480, 6480, 6960, 7080);
    add<ui::Line>("Line9", 6480, 7080, 6960, 6480);
    const struct {
        const char* name;
        QPointF at;
    } terminals[] = {
        {"Shape1", {480, 6720}},   {"Shape2", {1440, 6720}}, {"Shape5", {1440, 7200}},
        {"Shape3", {2640, 6720}},  {"Shape4", {2640, 7200}}, {"Shape8", {3240, 6720}},
        {"Shape7", {3240, 7200}},  {"Shape6", {4440, 6720}}, {"Shape9", {4440, 7200}},
        {"Shape10", {5400, 6720}},
    };
    for (const auto& t : terminals)
        add<ui::Shape>(t.name, ui::Shape::Kind::Circle, QRectF(t.at, QSizeF(255, 255)));

    // Created in tab order: C1, C2, then the crossover.
    addSwitchButton("CmdCommutador1", {840, 6000, 495, 495}, QStringLiteral("switch_two_way"),
                    QStringLiteral("Commutador 1"), [this] { CmdCommutador1_Click(); });
    addSwitchButton("CmdCommutador2", {4800, 6000, 495, 495}, QStringLiteral("switch_two_way"),
                    QStringLiteral("Commutador 2"), [this] { CmdCommutador2_Click(); });
    addSwitchButton("CmdCreumement", {2760, 6000, 495, 495}, QStringLiteral("switch_intermediate"),
                    QStringLiteral("Creuament"), [this] { CmdCreumement_Click(); });
}

void MasterBedroom::addTruthTable() {
    auto& table =
        RoomWindow::addTruthTable({7800, 5400, 2775, 2535}, {120, 240, 2415, 255},
                                  QStringLiteral("C1       CR       C2               LLUM"));
    for (int k = 0; k < 8; ++k)
        table.add<ui::Label>(ui::Name("LblTaula", k),
                             QRectF(120, 600 + 240 * k, 2535, k == 7 ? 195 : 255), rowCaption(k));
    table.add<ui::Line>("Line12", 120, 480, 2520, 480);
    table.add<ui::Line>("Line11", 1680, 240, 1680, 2400);
}

void MasterBedroom::CmdCommutador1_Click() {
    flip(c1Bit, c1Tests);
}
void MasterBedroom::CmdCreumement_Click() {
    flip(crBit, crTests);
}
void MasterBedroom::CmdCommutador2_Click() {
    flip(c2Bit, c2Tests);
}

void MasterBedroom::flip(int switchBit, const int (&testOrder)[8]) {
    const float c1 = line("LineInterruptor1").y2();
    const float cr = line("Line_CR_1").y2();
    const float c2 = line("LineInterruptor2").y2();
    for (const int combination : testOrder) {
        // Exact comparisons: the lines only ever hold the two row values.
        const bool c1Matches = c1 == rowOf(combination & c1Bit);
        const bool crMatches = cr == rowOf(combination & crBit);
        const bool c2Matches = c2 == rowOf(combination & c2Bit);
        if (!(c1Matches && crMatches && c2Matches))
            continue;
        const int next = combination ^ switchBit;
        line(positionLine(switchBit)).setY2(rowOf(next & switchBit));
        (this->*routines[next])();
        return;
    }
}

void MasterBedroom::Estat000() {
    drawState(0);
}
void MasterBedroom::Estat001() {
    drawState(1);
}
void MasterBedroom::Estat010() {
    drawState(2);
}
void MasterBedroom::Estat011() {
    drawState(3);
}
void MasterBedroom::Estat100() {
    drawState(4);
}
void MasterBedroom::Estat101() {
    drawState(5);
}
void MasterBedroom::Estat110() {
    drawState(6);
}
void MasterBedroom::Estat111() {
    drawState(7);
}

void MasterBedroom::drawState(int combination) {
    const State& state = states[combination];
    for (const Conductor& conductor : conductors)
        line(conductor.name)
            .setBorderColor(carriesCurrent(state, conductor) ? ui::colors::Red : ui::colors::Black);
    // The links: upper to upper and lower to lower, or crossed.
    line("Line_CR_1").setY2(state.straight ? upperRow : lowerRow);
    line("Line_CR_2").setY2(state.straight ? lowerRow : upperRow);
    shape("ShpBombeta").setBackStyle(state.lit ? 1 : 0);
    showPhotograph(state.lit);
    highlightRow(combination, 8);
    // May unload this window when the lamp lit was the last one dark.
    finishSwitching(state.lit);
}

} // namespace rooms
