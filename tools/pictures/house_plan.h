// SPDX-License-Identifier: GPL-3.0-or-later
// The floor plan of the house as data, and the pictures drawn from it: the
// plan itself and the ten lit-room overlays that are laid over it. Where
// each overlay lies comes from the room catalogue, which places the
// program's indicators and click targets, so they line up by construction.
#pragma once

#include <QByteArray>
#include <QPointF>
#include <QPolygonF>
#include <QRectF>
#include <QSize>
#include <QString>

#include <algorithm>
#include <vector>

namespace house {

// Plan coordinates are pixels of the plan picture (15 twips each); x grows
// to the east and y to the south, so north is at the top of the plan.
inline constexpr QSize planPictureSize{329, 337};

enum class OpeningKind {
    Door,         // an inner door: a gap with a swinging leaf
    EntranceDoor, // the front door, in an outer wall
    Window,
    FrenchWindow, // a glazed door onto the terrace
    Passage,      // an open gap without a door
};

// A gap in a wall, between two coordinates along the wall's axis (x for a
// wall that runs east-west, y for one that runs north-south).
struct Opening {
    OpeningKind kind;
    double from;
    double to;
    bool hingeAtFrom = true;    // doors: which jamb carries the hinge
    bool swingsPositive = true; // doors: opens towards +y (or +x)
};

// A straight wall along its centre line; every wall runs north-south or
// east-west.
struct Wall {
    QPointF from;
    QPointF to;
    double thickness;
    bool outer;
    std::vector<Opening> openings;

    bool runsEastWest() const { return from.y() == to.y(); }
    // The ends of the centre line as coordinates along the wall's axis.
    double start() const {
        return runsEastWest() ? std::min(from.x(), to.x()) : std::min(from.y(), to.y());
    }
    double end() const {
        return runsEastWest() ? std::max(from.x(), to.x()) : std::max(from.y(), to.y());
    }
};

// A room as the rectangle between the centre lines of its walls.
struct PlanRoom {
    QString overlay; // picture name of its lit overlay
    QRectF bounds;
};

// Something built in, drawn in thin lines: counters, sinks, baths.
struct Fixture {
    enum Shape { Box, RoundedBox, Oval } shape;
    QRectF rect;
};

struct HousePlan {
    // The outer walls in order, clockwise as seen on the plan, each starting
    // where the previous one ends.
    std::vector<Wall> outerWalls;
    std::vector<Wall> innerWalls;
    std::vector<PlanRoom> rooms;
    std::vector<Fixture> fixtures;
    QRectF entranceStep;
    QRectF terrace;
    double wallHeight; // in plan pixels, for the views from outside
};

const HousePlan& housePlan();

// The lit area of an overlay in plan pixels: its room cut to the overlay's
// indicator rectangle. Empty for an unknown name.
QPolygonF roomArea(const QString& overlayName);

// The rectangle in plan pixels that an overlay covers (its indicator).
QRectF overlayRect(const QString& overlayName);

// A picture made at build time: its name in the program's picture catalogue
// and its SVG text.
struct Picture {
    QString name;
    QByteArray svg;
};

// "plan", "plan_floor" and the ten "lit_*" overlays.
std::vector<Picture> planPictures();

} // namespace house
