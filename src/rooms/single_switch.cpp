#include "rooms/single_switch.h"

#include "ui/controls.h"

namespace rooms {

namespace {

// The conductors that carry current when the lamp is lit, in the order
// the handler colours them.
const char* const conductors[] = {"Lineinterruptor", "Line1", "Line3", "Line4", "Line5", "Line6"};

constexpr float row = 6720;

} // namespace

SingleSwitchRoom::SingleSwitchRoom(const house::Room& room) : RoomWindow(room) {
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
    const bool lit = pictureBox(room().photographs, 1).visible();
    line("Lineinterruptor").setY2(lit ? closed : open);
    for (const char* conductor : conductors)
        line(conductor).setBorderColor(lit ? ui::colors::Red : ui::colors::Black);
    highlightRow(lit ? 1 : 0, 2);
    shape("ShpBombeta").setBackStyle(lit ? 1 : 0);
    showPhotograph(lit);
    finishSwitching(lit);
}

} // namespace rooms
