#include "rooms/two_way.h"

#include "ui/controls.h"

namespace rooms {

namespace {

// A combination is k = 2·C1 + C2; these bits pick one switch out of it.
constexpr int c1Bit = 2;
constexpr int c2Bit = 1;

// The combinations each button tests, in its order, before it flips.
constexpr int c1Tests[] = {1, 3, 2, 0};
constexpr int c2Tests[] = {1, 0, 3, 2};

float leverEnd(bool upper) {
    return upper ? TwoWayRoom::upperContact : TwoWayRoom::lowerContact;
}

// The conductors in the order a drawing colours them. Those on every path
// carry current whenever the lamp is lit; a traveller only when both
// levers rest on it.
struct Conductor {
    const char* name;
    bool onEveryPath;
};
const Conductor conductors[] = {
    {"Lineinterruptor1", true},
    {"Line1", true},
    {"Line2", false},
    {"Line3", false},
    {"Line4", true},
    {"Line5", true},
    {"Line7", true},
    {"Line10", true},
    {"LineInterruptor2", true},
};

// What each combination draws: the lamp is lit when both levers rest on
// the same traveller, which is then the one that carries current.
struct Combination {
    bool lit;
    const char* liveTraveller;
};
const Combination combinations[] = {
    {true, "Line2"}, // both on the lower traveller
    {false, ""},
    {false, ""},
    {true, "Line3"}, // both on the upper traveller
};

const QStringList rowCaptions = {
    QStringLiteral(" 0             0                1"),
    QStringLiteral(" 0             1                0"),
    QStringLiteral(" 1             0                0"),
    QStringLiteral(" 1             1                1"),
};

} // namespace

TwoWayRoom::TwoWayRoom(const house::Room& room) : RoomWindow(room) {
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
    const float c2 = line("LineInterruptor2").y1();
    const float c1 = line("Lineinterruptor1").y2();
    flip(c1Bit, {c1, c2}, c1Tests);
}

void TwoWayRoom::CmdCommutador2_Click() {
    const float c1 = line("Lineinterruptor1").y2();
    const float c2 = line("LineInterruptor2").y1();
    flip(c2Bit, {c1, c2}, c2Tests);
}

void TwoWayRoom::flip(int switchBit, Positions positions, const int (&testOrder)[4]) {
    for (const int combination : testOrder) {
        // Exact comparisons: the levers only ever hold the two contact values.
        const bool c1Matches = positions.c1 == leverEnd(combination & c1Bit);
        const bool c2Matches = positions.c2 == leverEnd(combination & c2Bit);
        if (!(c1Matches && c2Matches))
            continue;
        const int next = combination ^ switchBit;
        if (switchBit == c1Bit)
            line("Lineinterruptor1").setY2(leverEnd(next & c1Bit));
        else
            line("LineInterruptor2").setY1(leverEnd(next & c2Bit));
        draw(next);
        return;
    }
}

void TwoWayRoom::draw(int combination) {
    const Combination& c = combinations[combination];
    for (const Conductor& conductor : conductors) {
        const bool live =
            c.lit && (conductor.onEveryPath || qstrcmp(conductor.name, c.liveTraveller) == 0);
        line(conductor.name).setBorderColor(live ? ui::colors::Red : ui::colors::Black);
    }
    shape("ShpBombeta").setBackStyle(c.lit ? 1 : 0);
    showPhotograph(c.lit);
    highlightRow(combination, 4);
    // May unload this window when the lamp lit was the last one dark.
    finishSwitching(c.lit);
}

} // namespace rooms
