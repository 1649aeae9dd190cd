// SPDX-License-Identifier: GPL-3.0-or-later
#include "rooms/master_bedroom.h"

#include "ui/controls.h"

namespace rooms {

namespace {

// A combination is k = 4·C1 + 2·CR + C2: the crossover's position shows
// on its first link. Every button reads C1, CR, C2 in that order.
constexpr float upper = MasterBedroom::upperRow;
constexpr float lower = MasterBedroom::lowerRow;

// The links run straight (upper to upper, lower to lower) in position 1
// and cross in position 0.
const std::vector<LineMove> straight = {{"Line_CR_1", upper}, {"Line_CR_2", lower}};
const std::vector<LineMove> crossed = {{"Line_CR_1", lower}, {"Line_CR_2", upper}};

// The lamp is lit when an odd number of switches are in position 1. A lit
// state names the traveller on C1's side, the link and the traveller on
// C2's side that carry its current.
const CircuitTable circuit = {
    .levers = {{"LineInterruptor1", Lever::End::Finish, {lower, upper}},
               {"Line_CR_1", Lever::End::Finish, {lower, upper}},
               {"LineInterruptor2", Lever::End::Finish, {lower, upper}}},
    .buttons = {{0, {0, 1, 2}, {0, 4, 1, 5, 2, 6, 3, 7}},
                {1, {0, 1, 2}, {0, 6, 1, 7, 2, 4, 3, 5}},
                {2, {0, 1, 2}, {0, 5, 1, 4, 3, 6, 2, 7}}},
    .conductors = {{"LineInterruptor1", true},
                   {"Line1", true},
                   {"Line2", false},
                   {"Line3", false},
                   {"Line4", true},
                   {"Line5", true},
                   {"Line6", false},
                   {"Line7", true},
                   {"Line10", true},
                   {"Line13", false},
                   {"Line_CR_1", false},
                   {"Line_CR_2", false},
                   {"LineInterruptor2", true}},
    .states =
        {
            {false, {}, crossed},                               // 000
            {true, {"Line2", "Line_CR_2", "Line13"}, crossed},  // 001
            {true, {"Line2", "Line_CR_2", "Line6"}, straight},  // 010
            {false, {}, straight},                              // 011
            {true, {"Line3", "Line_CR_1", "Line6"}, crossed},   // 100
            {false, {}, crossed},                               // 101
            {false, {}, straight},                              // 110
            {true, {"Line3", "Line_CR_1", "Line13"}, straight}, // 111
        },
};

// A truth-table row: the positions of C1, CR and C2, then the lamp.
QString rowCaption(int k) {
    const auto digit = [](bool on) { return on ? QLatin1Char('1') : QLatin1Char('0'); };
    const QString gap(10, QLatin1Char(' '));
    return digit(k & 4) + gap + digit(k & 2) + gap + digit(k & 1) + QString(21, QLatin1Char(' ')) +
           digit(circuit.states[k].lit);
}

} // namespace

MasterBedroom::MasterBedroom(const house::Room& room) : SwitchedRoom(room, circuit) {
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
    press(0);
}
void MasterBedroom::CmdCreumement_Click() {
    press(1);
}
void MasterBedroom::CmdCommutador2_Click() {
    press(2);
}

void MasterBedroom::enterState(int combination) {
    switch (combination) {
    case 0:
        return Estat000();
    case 1:
        return Estat001();
    case 2:
        return Estat010();
    case 3:
        return Estat011();
    case 4:
        return Estat100();
    case 5:
        return Estat101();
    case 6:
        return Estat110();
    case 7:
        return Estat111();
    }
}

void MasterBedroom::Estat000() {
    draw(0);
}
void MasterBedroom::Estat001() {
    draw(1);
}
void MasterBedroom::Estat010() {
    draw(2);
}
void MasterBedroom::Estat011() {
    draw(3);
}
void MasterBedroom::Estat100() {
    draw(4);
}
void MasterBedroom::Estat101() {
    draw(5);
}
void MasterBedroom::Estat110() {
    draw(6);
}
void MasterBedroom::Estat111() {
    draw(7);
}

} // namespace rooms
