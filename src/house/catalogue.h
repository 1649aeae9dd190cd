// The house: its nine rooms with the windows that show them, and the ten
// plan areas that every plan of the house carries (the dining room is
// L-shaped and drawn as two areas).
// Window and control names are fixed identifiers, irregular spelling and
// accents included (PicPantaLavaboGran, Imglavabopetit_ordre): never
// "correct" them (see "For the next developer" in the README).
#pragma once

#include <QRectF>
#include <QString>
#include <QStringList>

#include <vector>

namespace house {

enum class Circuit { SingleSwitch, TwoWay, TwoWayIntermediate };

struct Room {
    QString window;       // frmCuina
    QString caption;      // window caption
    QString nameLabel;    // the vertical room-name label
    QString nameCaption;  // spelled with blanks between the letters
    QRectF nameLabelRect; // left 5160, width 375; top and height per room
    QStringList indicators;
    QString photographs;  // the picture-box pair: 0 lit, 1 dark
    QString photoPicture; // picture name of the lit photograph
    QString plan;         // the miniature plan's picture box
    QString activeFrame;  // the shape that marks the room (empty for the dining room)
    QRectF activeRect;
    Circuit circuit;
    // The other room windows whose indicators a switch action writes, in
    // order, after this window itself and the floor plan.
    QStringList updateOrder;
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
};

// The ten plan areas, in house order.
const std::vector<PlanArea>& planAreas();

// On the room windows other than the kitchen the kitchen's indicator stands
// here, 30 twips left of where it stands on the kitchen and the floor plan.
inline constexpr qreal kitchenIndicatorLeftOnOtherRooms = 1530;

} // namespace house
