#include "rooms/single_switch.h"

#include "ui/controls.h"

namespace rooms {

namespace {

// Where the parts of one room's diagram lie. Horizontal conductors run at
// y 6720, given by their x range; the terminals are 255 twips across.
struct Geometry {
    const char* window;
    float feedEnd;                      // Line1, from x 240
    QPointF pivot;                      // Shape1
    QLineF lever;                       // Lineinterruptor as laid out (open)
    QPointF contact;                    // Shape2
    float toLampStart, toLampEnd;       // Line3
    QRectF lamp;                        // ShpBombeta: the kitchen's is a rectangle, others circles
    QLineF crossA, crossB;              // Line7 and Line2 inside a round lamp
    float toNeutralStart, toNeutralEnd; // Line6
    float neutralX;                     // Line4
    QRectF phaseCaption, neutralCaption;
};

const Geometry geometries[] = {
    {"frmCuina",
     960,
     {840, 6600},
     {960, 6720, 2040, 7440},
     {1920, 6600},
     2040,
     3480,
     {3480, 6480, 1695, 495},
     {},
     {},
     5160,
     5640,
     5640,
     {240, 7560, 735, 255},
     {4920, 7560, 975, 375}},
    {"frmEntrada",
     1080,
     {960, 6600},
     {1080, 6720, 2160, 7440},
     {2040, 6600},
     2160,
     4080,
     {4080, 6240, 855, 855},
     {4200, 6360, 4800, 6960},
     {4200, 6960, 4800, 6360},
     4920,
     5760,
     5760,
     {240, 7440, 735, 375},
     {4920, 7440, 855, 375}},
    {"frmHabitació1",
     960,
     {840, 6600},
     {960, 6720, 2040, 7440},
     {1920, 6600},
     2040,
     3960,
     {3960, 6240, 855, 855},
     {4080, 6360, 4680, 6960},
     {4080, 6960, 4680, 6360},
     4800,
     5640,
     5640,
     {240, 7440, 735, 255},
     {4560, 7560, 975, 375}},
    {"frmHabitació2",
     960,
     {960, 6600},
     {1080, 6720, 2160, 7440},
     {2040, 6600},
     2160,
     4080,
     {4080, 6240, 855, 855},
     {4200, 6360, 4800, 6960},
     {4200, 6960, 4800, 6360},
     4920,
     5760,
     5760,
     {240, 7440, 735, 255},
     {4680, 7440, 975, 375}},
    {"frmLavabogran",
     960,
     {840, 6600},
     {960, 6720, 2040, 7440},
     {1920, 6600},
     2040,
     3960,
     {3960, 6240, 855, 855},
     {4080, 6360, 4680, 6960},
     {4080, 6960, 4680, 6360},
     4800,
     5640,
     5640,
     {240, 7440, 735, 255},
     {4560, 7440, 975, 375}},
    {"frmLavabopetit",
     960,
     {840, 6600},
     {960, 6720, 2040, 7440},
     {1920, 6600},
     2040,
     3960,
     {3960, 6240, 855, 855},
     {4080, 6360, 4680, 6960},
     {4080, 6960, 4680, 6360},
     4800,
     5640,
     5640,
     {360, 7320, 735, 255},
     {4680, 7320, 975, 375}},
};

const Geometry& geometryOf(const QString& window) {
    for (const Geometry& g : geometries)
        if (window == QString::fromUtf8(g.window))
            return g;
    qFatal("%s has no single-switch diagram", qPrintable(window));
}

bool isKitchen(const QString& window) {
    return window == QLatin1String("frmCuina");
}

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
    const Geometry& g = geometryOf(name());
    addCaptions(g.phaseCaption, g.neutralCaption);
    add<ui::Line>("Line5", 240, 7320, 240, 6120);
    add<ui::Line>("Line1", 240, row, g.feedEnd, row);
    add<ui::Shape>("Shape1", ui::Shape::Kind::Circle, QRectF(g.pivot, QSizeF(255, 255)));
    add<ui::Line>("Lineinterruptor", g.lever.x1(), g.lever.y1(), g.lever.x2(), g.lever.y2());
    add<ui::Shape>("Shape2", ui::Shape::Kind::Circle, QRectF(g.contact, QSizeF(255, 255)));
    add<ui::Line>("Line3", g.toLampStart, row, g.toLampEnd, row);
    if (isKitchen(name())) {
        add<ui::Shape>("ShpBombeta", ui::Shape::Kind::Rectangle, g.lamp);
    } else {
        add<ui::Shape>("ShpBombeta", ui::Shape::Kind::Circle, g.lamp)
            .setBackColor(ui::colors::Yellow);
        add<ui::Line>("Line7", g.crossA.x1(), g.crossA.y1(), g.crossA.x2(), g.crossA.y2());
        add<ui::Line>("Line2", g.crossB.x1(), g.crossB.y1(), g.crossB.x2(), g.crossB.y2());
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
    table.add<ui::Line>(isKitchen(name()) ? "Line2" : "Line8", 120, 720, 1320, 720);
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
