// SPDX-License-Identifier: GPL-3.0-or-later
#include "rooms/single_switch.h"

#include "ui/controls.h"

namespace rooms {

namespace {

constexpr float row = 6720;

// One switch; the lamp is lit in position 1, and every conductor then
// carries current.
const CircuitTable circuit = {
    .levers = {{"Lineinterruptor",
                Lever::End::Finish,
                {SingleSwitchRoom::open, SingleSwitchRoom::closed},
                true}},
    .buttons = {{0, {0}, {0, 1}}},
    .conductors = {{"Lineinterruptor", true},
                   {"Line1", true},
                   {"Line3", true},
                   {"Line4", true},
                   {"Line5", true},
                   {"Line6", true}},
    .states = {{false, {}, {}}, {true, {}, {}}},
    .rowBeforeLamp = true,
};

} // namespace

SingleSwitchRoom::SingleSwitchRoom(const house::Room& room) : SwitchedRoom(room, circuit) {
    addDiagram();
    addTruthTable();
}

void SingleSwitchRoom::addDiagram() {
    const house::SingleSwitchDiagram& g = room().singleSwitch;
    addCaptions();
    add<ui::Line>("Line5", 240, 7320, 240, 6120);
    add<ui::Line>("Line1", 240, row, g.feedEnd, row);
    add<ui::Shape>("Shape1", ui::Shape::Kind::Circle, QRectF(g.pivot, QSizeF(255, 255)));
    add<ui::Line>("Lineinterruptor", g.lever.x1(), g.lever.y1(), g.lever.x2(), g.lever.y2());
    add<ui::Shape>("Shape2", ui::Shape::Kind::Circle, QRectF(g.contact, QSizeF(255, 255)));
    add<ui::Line>("Line3", g.toLampStart, row, g.toLampEnd, row);
    if (g.roundLamp) {
        add<ui::Shape>("ShpBombeta", ui::Shape::Kind::Circle, g.lamp)
            .setBackColor(ui::colors::Yellow);
        add<ui::Line>("Line7", g.crossA.x1(), g.crossA.y1(), g.crossA.x2(), g.crossA.y2());
        add<ui::Line>("Line2", g.crossB.x1(), g.crossB.y1(), g.crossB.x2(), g.crossB.y2());
    } else {
        add<ui::Shape>("ShpBombeta", ui::Shape::Kind::Rectangle, g.lamp);
    }
    add<ui::Line>("Line6", g.toNeutralStart, row, g.toNeutralEnd, row);
    add<ui::Line>("Line4", g.neutralX, 6120, g.neutralX, 7440);
    addSwitchButton("CmdInterruptor", {1440, 5880, 495, 495}, QStringLiteral("switch_single"),
                    QStringLiteral("Interruptor"), [this] { CmdInterruptor_Click(); });
}

void SingleSwitchRoom::addTruthTable() {
    auto& table = RoomWindow::addTruthTable({7320, 5760, 1455, 1695}, {120, 360, 1215, 255},
                                            QStringLiteral("INT         LLUM"));
    table.add<ui::Label>(ui::Name("LblTaula", 0), QRectF(120, 960, 1095, 255),
                         QStringLiteral(" 0             0  "));
    table.add<ui::Label>(ui::Name("LblTaula", 1), QRectF(120, 1320, 1095, 255),
                         QStringLiteral(" 1             1"));
    table.add<ui::Line>(room().singleSwitch.tableRule, 120, 720, 1320, 720);
    table.add<ui::Line>("Line11", 600, 360, 600, 1560);
}

void SingleSwitchRoom::CmdInterruptor_Click() {
    press(0);
}

} // namespace rooms
