// SPDX-License-Identifier: GPL-3.0-or-later
// The house: its nine rooms with the windows that show them, and the ten
// plan areas that every plan of the house carries (the dining room is
// L-shaped and drawn as two areas).
// Window and control names are fixed identifiers, irregular spelling and
// accents included (PicPantaLavaboGran, Imglavabopetit_ordre): never
// "correct" them (see "For the next developer" in the README).
#pragma once

#include <QLineF>
#include <QPointF>
#include <QRectF>
#include <QString>
#include <QStringList>

#include <vector>

namespace house {

enum class Circuit { SingleSwitch, TwoWay, TwoWayIntermediate };

// Where the parts of a single-switch diagram lie. Horizontal conductors run
// at y 6720, given by their x range; the terminals are 255 twips across.
struct SingleSwitchDiagram {
    float feedEnd = 0;                           // Line1, from x 240
    QPointF pivot;                               // Shape1
    QLineF lever;                                // Lineinterruptor as laid out (open)
    QPointF contact;                             // Shape2
    float toLampStart = 0, toLampEnd = 0;        // Line3
    QRectF lamp;                                 // ShpBombeta
    bool roundLamp = true;                       // a crossed circle; else a plain rectangle
    QLineF crossA{}, crossB{};                   // Line7 and Line2 inside a round lamp
    float toNeutralStart = 0, toNeutralEnd = 0;  // Line6
    float neutralX = 0;                          // Line4
    QString tableRule = QStringLiteral("Line8"); // the rule under the truth table's heads
};

// The kitchen's indicator stands here on the floor plan and the kitchen,
// and 30 twips further left on the other room windows.
inline constexpr qreal kitchenIndicatorLeftOnPlan = 1560;
inline constexpr qreal kitchenIndicatorLeftOnOtherRooms = 1530;

// Everything that is particular to one room. The last members have the
// value most rooms share; a room that differs says so.
struct Room {
    QString window;   // frmCuina
    QString caption;  // window caption
    QString menuItem; // its item in the Portal menu, and the item's caption
    QString menuCaption;
    QString nameLabel;    // the vertical room-name label
    QString nameCaption;  // spelled with blanks between the letters
    QRectF nameLabelRect; // left 5160, width 375; top and height per room
    QStringList indicators;
    QString photographs;   // the picture-box pair: 0 lit, 1 dark
    QString photoPicture;  // picture name of the lit photograph
    QString plan;          // the miniature plan's picture box
    QString activeFrame{}; // the shape that marks the room (empty for the dining room)
    QRectF activeRect{};
    // Lines that outline the room on its miniature plan where a rectangle
    // cannot (the L-shaped dining room).
    std::vector<QLineF> planOutline{};
    Circuit circuit;
    QRectF phaseCaption; // the captions under the diagram
    QRectF neutralCaption;
    SingleSwitchDiagram singleSwitch{}; // single-switch rooms only
    // The other room windows whose indicators a switch action writes, in
    // order, after this window itself and the floor plan.
    QStringList updateOrder;

    qreal photographHeight = 5055;
    qreal nameFontSize = 18; // points
    // The miniature plan's background: the system window colour, or else
    // the button face.
    bool planOnWindowColour = false;
    qreal kitchenIndicatorLeft = kitchenIndicatorLeftOnOtherRooms;
};

// The nine rooms in house order.
const std::vector<Room>& rooms();
const Room& room(const QString& window);

// The picture name of a room's dark photograph, made from the lit one when
// the program is built.
inline QString darkPhotoPicture(const Room& r) {
    return r.photoPicture + QStringLiteral("_dark");
}

// The window of the floor plan, which carries the indicators too.
inline const QString floorPlan = QStringLiteral("frmPlanta");

// The ten windows that carry indicators: the floor plan, then the rooms in
// house order.
QStringList indicatorWindows();

struct PlanArea {
    QString indicator;
    QRectF indicatorRect;
    QString picture; // the room filled yellow, cut from the plan
    QString target;  // the click target over the area
    QRectF targetRect;
    QString window; // the room window that a press on it brings up
    // The kitchen's indicator: its left edge depends on the window that
    // shows the plan (Room::kitchenIndicatorLeft).
    bool leftSetByWindow = false;
};

// The ten plan areas, in house order.
const std::vector<PlanArea>& planAreas();

// The orders in which the house goes through its rooms and plan images.
// Each is a fact of its own, not derived from another.
struct Orders {
    QStringList load;   // room windows shown on a re-arm of the breaker
    QStringList unload; // room windows unloaded when the breaker trips
    QStringList check;  // indicators the overload check reads
    QStringList clear;  // indicators the floor plan hides on a trip and a re-arm
    QStringList block;  // the twenty plan images, disabled while tripped
    QStringList menu;   // room windows in the Portal menu
};
const Orders& orders();

} // namespace house
