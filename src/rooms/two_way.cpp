// SPDX-License-Identifier: GPL-3.0-or-later
#include "rooms/two_way.h"

#include "ui/controls.h"

namespace rooms {

namespace {

// A combination is k = 2·C1 + C2. Each button reads the other switch
// first. The lamp is lit when both levers rest on the same traveller,
// which then carries the current.
const CircuitTable circuit = {
    .levers = {{"Lineinterruptor1",
                Lever::End::Finish,
                {TwoWayRoom::lowerContact, TwoWayRoom::upperContact}},
               {"LineInterruptor2",
                Lever::End::Start,
                {TwoWayRoom::lowerContact, TwoWayRoom::upperContact}}},
    .buttons = {{0, {1, 0}, {1, 3, 2, 0}}, {1, {0, 1}, {1, 0, 3, 2}}},
    .conductors = {{"Lineinterruptor1", true},
                   {"Line1", true},
                   {"Line2", false},
                   {"Line3", false},
                   {"Line4", true},
                   {"Line5", true},
                   {"Line7", true},
                   {"Line10", true},
                   {"LineInterruptor2", true}},
    .states = {{true, {"Line2"}, {}}, // both on the lower traveller
               {false, {}, {}},
               {false, {}, {}},
               {true, {"Line3"}, {}}}, // both on the upper traveller
};

const QStringList rowCaptions = {
    QStringLiteral(" 0             0                1"),
    QStringLiteral(" 0             1                0"),
    QStringLiteral(" 1             0                0"),
    QStringLiteral(" 1             1                1"),
};

} // namespace

TwoWayRoom::TwoWayRoom(const house::Room& room) : SwitchedRoom(room, circuit) {
    addDiagram();
    addTruthTable();
}

void TwoWayRoom::addDiagram() {
    const QSizeF terminal(255, 255);
    addCaptions();
    add<ui::Line>("Line5", 240, 7320, 240, 6120);
    add<ui::Line>("Line1", 240, 6720, 960, 6720);
    add<ui::Shape>("Shape1", ui::Shape::Kind::Circle, QRectF({840, 6600}, terminal));
    // The layout leaves C1 on the lower traveller and C2 on the upper one:
    // the lamp starts dark.
    add<ui::Line>("Lineinterruptor1", 960, 6720, 2040, lowerContact);
    add<ui::Shape>("Shape2", ui::Shape::Kind::Circle, QRectF({1920, 6600}, terminal));
    add<ui::Shape>("Shape5", ui::Shape::Kind::Circle, QRectF({1920, 7320}, terminal));
    add<ui::Line>("Line3", 2040, 6720, 3720, 6720);
    add<ui::Line>("Line2", 2040, 7440, 3720, 7440);
    add<ui::Shape>("Shape3", ui::Shape::Kind::Circle, QRectF({3600, 6600}, terminal));
    add<ui::Shape>("Shape4", ui::Shape::Kind::Circle, QRectF({3600, 7320}, terminal));
    add<ui::Line>("LineInterruptor2", 3720, upperContact, 4800, 6720);
    add<ui::Shape>("Shape6", ui::Shape::Kind::Circle, QRectF({4680, 6600}, terminal));
    add<ui::Line>("Line7", 4800, 6720, 5720, 6720);
    add<ui::Shape>("ShpBombeta", ui::Shape::Kind::Circle, QRectF(5640, 6240, 975, 855))
        .setBackColor(ui::colors::Yellow);
    add<ui::Line>("Line8", 5880, 6360, 6360, 6960);
    add<ui::Line>("Line9", 5880, 6960, 6360, 6360);
    add<ui::Line>("Line10", 6600, 6720, 7080, 6720);
    add<ui::Line>("Line4", 7080, 6120, 7080, 7440);
    addSwitchButton("CmdCommutador1", {1320, 5880, 495, 495}, QStringLiteral("switch_two_way"),
                    QStringLiteral("Commutador 1"), [this] { CmdCommutador1_Click(); });
    addSwitchButton("CmdCommutador2", {4080, 5880, 495, 495}, QStringLiteral("switch_two_way"),
                    QStringLiteral("Commutador 2"), [this] { CmdCommutador2_Click(); });
}

void TwoWayRoom::addTruthTable() {
    auto& table = RoomWindow::addTruthTable({7800, 5760, 2055, 2175}, {120, 360, 1815, 255},
                                            QStringLiteral("C1          C2           LLUM"));
    table.add<ui::Label>(ui::Name("LblTaula", 0), QRectF(120, 720, 1815, 255), rowCaptions[0]);
    for (int k = 1; k < 4; ++k)
        table.add<ui::Label>(ui::Name("LblTaula", k), QRectF(120, 720 + 360 * k, 1695, 255),
                             rowCaptions[k]);
    table.add<ui::Line>("Line6", 120, 600, 1920, 600);
    table.add<ui::Line>("Line11", 1200, 360, 1200, 2040);
}

void TwoWayRoom::CmdCommutador1_Click() {
    press(0);
}

void TwoWayRoom::CmdCommutador2_Click() {
    press(1);
}

} // namespace rooms
