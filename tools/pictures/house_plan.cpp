// SPDX-License-Identifier: GPL-3.0-or-later
#include "pictures/house_plan.h"

#include "house/catalogue.h"
#include "ui/twips.h"

#include <QByteArray>
#include <QPainterPath>
#include <QStringList>

#include <algorithm>
#include <cmath>

namespace house {
namespace {

// Wall thicknesses in plan pixels (one pixel is about 5 cm).
constexpr double outerThickness = 5;
constexpr double innerThickness = 3;

constexpr double twipsPerPixel = ui::twipsPerPixel;

const char* const planInk = "#000000";
const char* const openingInk = "#7a3fa0";
const char* const accentInk = "#8b1e1e";
const char* const litFill = "#ffff42";

// The shift of "plan_floor": on the floor-plan window the plan picture sits
// 120 twips to the right of the origin of the indicators.
constexpr double floorShift = 120 / twipsPerPixel;

Opening door(double from, double to, bool hingeAtFrom, bool swingsPositive) {
    return {OpeningKind::Door, from, to, hingeAtFrom, swingsPositive};
}
Opening window(double from, double to) {
    return {OpeningKind::Window, from, to};
}
Opening passage(double from, double to) {
    return {OpeningKind::Passage, from, to};
}

Wall outer(QPointF from, QPointF to, std::vector<Opening> openings = {}) {
    return {from, to, outerThickness, true, std::move(openings)};
}
Wall inner(QPointF from, QPointF to, std::vector<Opening> openings = {}) {
    return {from, to, innerThickness, false, std::move(openings)};
}

// The house. The rooms' wall lines are placed so that every indicator
// rectangle ends inside a wall: cut to its rectangle, a room's yellow area
// then always meets a wall and never shows a white seam, and the rectangles
// of neighbouring rooms overlap only on walls.
HousePlan describeHouse() {
    HousePlan h;
    h.outerWalls = {
        outer(
            {59, 15}, {267, 15},
            {{OpeningKind::EntranceDoor, 72, 92, true, true}, window(125, 150), window(215, 245)}),
        outer({267, 15}, {267, 82.5}, {window(35, 60)}),
        outer({267, 82.5}, {318, 82.5}, {window(280, 305)}),
        outer({318, 82.5}, {318, 230}, {window(110, 140), window(185, 212)}),
        outer({318, 230}, {281, 230}),
        outer({281, 230}, {281, 327}, {window(258, 290)}),
        outer({281, 327}, {110, 327}, {window(205, 245), window(125, 153)}),
        outer({110, 327}, {110, 298.5}),
        outer({110, 298.5}, {25, 298.5}, {{OpeningKind::FrenchWindow, 45, 90}}),
        outer({25, 298.5}, {25, 82.5}, {window(245, 280), window(160, 200), window(100, 114)}),
        outer({25, 82.5}, {59, 82.5}),
        outer({59, 82.5}, {59, 15}, {window(35, 55)}),
    };
    h.innerWalls = {
        inner({59, 82.5}, {267, 82.5}, {passage(66, 88), door(174, 190, false, false)}),
        inner({103.5, 15}, {103.5, 82.5}, {door(45, 61, false, true)}),
        inner({66, 82.5}, {66, 136.5}, {door(112, 126, false, false)}),
        inner({88, 82.5}, {88, 136.5}, {door(100, 116, true, true)}),
        inner({25, 136.5}, {169, 136.5}, {passage(66, 88)}),
        inner({169, 82.5}, {169, 327}, {door(150, 166, true, false)}),
        inner({195, 82.5}, {195, 230}, {door(100, 116, true, true), door(180, 196, false, true)}),
        inner({195, 167}, {318, 167}),
        inner({169, 230}, {281, 230}, {door(173, 189, true, true)}),
        inner({110, 224}, {169, 224}, {door(140, 156, false, true)}),
        inner({110, 224}, {110, 298.5}),
    };
    h.rooms = {
        {"lit_kitchen", QRectF(QPointF(103.5, 15), QPointF(267, 82.5))},
        {"lit_hall", QRectF(QPointF(59, 15), QPointF(103.5, 82.5))},
        {"lit_study", QRectF(QPointF(195, 82.5), QPointF(318, 167))},
        {"lit_master_bedroom", QRectF(QPointF(169, 230), QPointF(281, 327))},
        {"lit_bedroom1", QRectF(QPointF(195, 167), QPointF(318, 230))},
        {"lit_bedroom2", QRectF(QPointF(110, 224), QPointF(169, 327))},
        {"lit_bathroom", QRectF(QPointF(88, 82.5), QPointF(169, 136.5))},
        {"lit_washroom", QRectF(QPointF(25, 82.5), QPointF(66, 136.5))},
        {"lit_dining1", QRectF(QPointF(25, 136.5), QPointF(169, 224))},
        {"lit_dining2", QRectF(QPointF(25, 224), QPointF(110, 298.5))},
    };
    h.fixtures = {
        // kitchen: worktop with sink and hob
        {Fixture::Box, {112, 17.5, 100, 11}},
        {Fixture::RoundedBox, {126, 19.5, 16, 7}},
        {Fixture::Oval, {180, 19, 4, 4}},
        {Fixture::Oval, {187, 19, 4, 4}},
        {Fixture::Oval, {180, 24, 4, 4}},
        {Fixture::Oval, {187, 24, 4, 4}},
        // bathroom: bath, basin, toilet
        {Fixture::Box, {146, 84, 21.5, 42}},
        {Fixture::RoundedBox, {148.5, 86.5, 16.5, 37}},
        {Fixture::RoundedBox, {98, 84, 16, 8}},
        {Fixture::Oval, {101, 85.5, 10, 5}},
        {Fixture::Box, {120, 129, 12, 6}},
        {Fixture::Oval, {121.5, 120, 9, 10}},
        // washroom: toilet and basin
        {Fixture::Box, {27.5, 90, 6, 12}},
        {Fixture::Oval, {33, 91, 10, 10}},
        {Fixture::RoundedBox, {34, 128, 14, 7}},
        {Fixture::Oval, {37, 129.5, 8, 4.5}},
    };
    h.entranceStep = QRectF(69, 6.5, 26, 6);
    h.terrace = QRectF(QPointF(22.5, 301), QPointF(107.5, 322));
    h.wallHeight = 54;
    return h;
}

QString num(double v) {
    return QString::number(v, 'g', 6);
}

QString points(const QPolygonF& polygon) {
    QStringList parts;
    for (const QPointF& p : polygon)
        parts << num(p.x()) + ',' + num(p.y());
    return parts.join(' ');
}

QString rectElement(const QRectF& r, const QString& style) {
    return QStringLiteral(R"(<rect x="%1" y="%2" width="%3" height="%4" %5/>)")
        .arg(num(r.x()), num(r.y()), num(r.width()), num(r.height()), style);
}

QString lineElement(QPointF a, QPointF b, const char* ink, double width) {
    return QStringLiteral(
               R"(<line x1="%1" y1="%2" x2="%3" y2="%4" stroke="%5" stroke-width="%6"/>)")
        .arg(num(a.x()), num(a.y()), num(b.x()), num(b.y()), QString::fromLatin1(ink), num(width));
}

// A point on a wall: `along` on the wall's axis, `across` off its centre line.
QPointF wallPoint(const Wall& w, double along, double across) {
    return w.runsEastWest() ? QPointF(along, w.from.y() + across)
                            : QPointF(w.from.x() + across, along);
}

// The strip of plan a wall covers between two coordinates along its axis;
// taken from end to end it includes the half-thickness past each end.
QRectF wallBand(const Wall& w, double from, double to) {
    const double half = w.thickness / 2;
    if (from <= w.start())
        from -= half;
    if (to >= w.end())
        to += half;
    return QRectF(wallPoint(w, from, -half), wallPoint(w, to, half)).normalized();
}

// The solid pieces of a wall: it is drawn as black bars between its
// openings, each end of the wall lengthened by half its thickness so that
// walls meeting at a corner join without a notch.
QString wallBars(const Wall& w) {
    std::vector<Opening> gaps = w.openings;
    std::sort(gaps.begin(), gaps.end(),
              [](const Opening& a, const Opening& b) { return a.from < b.from; });
    QString out;
    double start = w.start();
    auto bar = [&](double from, double to) {
        out += rectElement(wallBand(w, from, to), QStringLiteral(R"(fill="%1")").arg(planInk));
    };
    for (const Opening& g : gaps) {
        bar(start, g.from);
        start = g.to;
    }
    bar(start, w.end());
    return out;
}

// A door: its leaf standing open at a right angle and the arc its edge
// sweeps, back to the other jamb.
QString doorSymbol(const Wall& w, const Opening& o) {
    const double width = o.to - o.from;
    const double hinge = o.hingeAtFrom ? o.from : o.to;
    const double jamb = o.hingeAtFrom ? o.to : o.from;
    const double side = o.swingsPositive ? 1 : -1;
    const QPointF pivot = wallPoint(w, hinge, 0);
    const QPointF tip = wallPoint(w, hinge, side * width);
    const QPointF closed = wallPoint(w, jamb, 0);
    const QPointF a = tip - pivot;
    const QPointF b = closed - pivot;
    const bool clockwise = a.x() * b.y() - a.y() * b.x() > 0;
    const double leafWidth = o.kind == OpeningKind::EntranceDoor ? 1.6 : 1.1;
    return lineElement(pivot, tip, openingInk, leafWidth) +
           QStringLiteral(
               R"(<path d="M%1,%2 A%3,%3 0 0,%4 %5,%6" fill="none" stroke="%7" stroke-width="0.8"/>)")
               .arg(num(tip.x()), num(tip.y()), num(width), clockwise ? "1" : "0", num(closed.x()),
                    num(closed.y()), QString::fromLatin1(openingInk));
}

// A window: two panes of glass drawn as thin lines across the gap, closed by
// the frames at both jambs.
QString windowSymbol(const Wall& w, const Opening& o) {
    const double pane = w.thickness / 4;
    const double half = w.thickness / 2;
    QString out;
    for (double across : {-pane, pane})
        out +=
            lineElement(wallPoint(w, o.from, across), wallPoint(w, o.to, across), openingInk, 0.8);
    for (double along : {o.from, o.to})
        out += lineElement(wallPoint(w, along, -half), wallPoint(w, along, half), openingInk, 0.8);
    if (o.kind == OpeningKind::FrenchWindow) {
        const double middle = (o.from + o.to) / 2;
        out +=
            lineElement(wallPoint(w, middle, -half), wallPoint(w, middle, half), openingInk, 0.8);
    }
    return out;
}

QString openingSymbol(const Wall& w, const Opening& o) {
    switch (o.kind) {
    case OpeningKind::Door:
    case OpeningKind::EntranceDoor:
        return doorSymbol(w, o);
    case OpeningKind::Window:
    case OpeningKind::FrenchWindow:
        return windowSymbol(w, o);
    case OpeningKind::Passage:
        break;
    }
    return {};
}

QString fixtureElement(const Fixture& f) {
    const QString style =
        QStringLiteral(R"(fill="none" stroke="%1" stroke-width="0.7")").arg(planInk);
    switch (f.shape) {
    case Fixture::Box:
        return rectElement(f.rect, style);
    case Fixture::RoundedBox:
        return rectElement(f.rect, QStringLiteral(R"(rx="2.5" ry="2.5" )") + style);
    case Fixture::Oval:
        break;
    }
    const QPointF c = f.rect.center();
    return QStringLiteral(R"(<ellipse cx="%1" cy="%2" rx="%3" ry="%4" %5/>)")
        .arg(num(c.x()), num(c.y()), num(f.rect.width() / 2), num(f.rect.height() / 2), style);
}

// The terrace by the dining room's glazed door: an edged paved area.
QString terraceElements(const QRectF& t) {
    QString out = rectElement(
        t, QStringLiteral(R"(fill="none" stroke="%1" stroke-width="1")").arg(accentInk));
    for (double x = t.left() + 10; x < t.right() - 1; x += 10)
        out += lineElement({x, t.top() + 1}, {x, t.bottom() - 1}, accentInk, 0.35);
    return out;
}

// Everything drawn in lines, in plan pixels.
QString planLines() {
    const HousePlan& h = housePlan();
    QString out;
    out += rectElement(h.entranceStep, QStringLiteral(R"(fill="%1")").arg(accentInk));
    out += terraceElements(h.terrace);
    for (const Fixture& f : h.fixtures)
        out += fixtureElement(f);
    for (const auto* walls : {&h.innerWalls, &h.outerWalls})
        for (const Wall& w : *walls)
            out += wallBars(w);
    for (const auto* walls : {&h.innerWalls, &h.outerWalls})
        for (const Wall& w : *walls)
            for (const Opening& o : w.openings)
                out += openingSymbol(w, o);
    return out;
}

// The lines that lie on a room's floor: its fixtures and the doors that
// swing into it.
QString floorLines(const QPolygonF& floor) {
    const HousePlan& h = housePlan();
    QString out;
    for (const Fixture& f : h.fixtures)
        if (floor.containsPoint(f.rect.center(), Qt::OddEvenFill))
            out += fixtureElement(f);
    for (const auto* walls : {&h.innerWalls, &h.outerWalls})
        for (const Wall& w : *walls)
            for (const Opening& o : w.openings) {
                if (o.kind != OpeningKind::Door && o.kind != OpeningKind::EntranceDoor)
                    continue;
                // The middle of the quarter the door sweeps.
                const double side = o.swingsPositive ? 1 : -1;
                const double width = o.to - o.from;
                const QPointF swept = wallPoint(w, (o.from + o.to) / 2, side * width / 2);
                if (floor.containsPoint(swept, Qt::OddEvenFill))
                    out += openingSymbol(w, o);
            }
    return out;
}

QString svgStart(const QRectF& view, QSize size) {
    return QStringLiteral(R"(<svg xmlns="http://www.w3.org/2000/svg" version="1.2" )"
                          R"(baseProfile="tiny" width="%1" height="%2" )"
                          R"(viewBox="%3 %4 %5 %6">)")
        .arg(size.width())
        .arg(size.height())
        .arg(num(view.x()), num(view.y()), num(view.width()), num(view.height()));
}

// The plan seen through `view` (plan pixels) at `size` pixels.
QByteArray planSvg(const QRectF& view, QSize size) {
    return (svgStart(view, size) +
            rectElement(view.adjusted(-1, -1, 1, 1), QStringLiteral(R"(fill="#ffffff")")) +
            planLines() + QStringLiteral("</svg>"))
        .toUtf8();
}

// A lit room's overlay: its floor filled yellow with what stands on it, and
// nothing else, so that the walls and all around the room are the plan's
// own, wherever the overlay is laid.
QByteArray overlaySvg(const QRectF& view, QSize size, const QPolygonF& floor) {
    return (svgStart(view, size) +
            QStringLiteral(R"(<polygon points="%1" fill="%2"/>)")
                .arg(points(floor), QString::fromLatin1(litFill)) +
            floorLines(floor) + QStringLiteral("</svg>"))
        .toUtf8();
}

const PlanArea* findArea(const QString& overlayName) {
    for (const PlanArea& a : planAreas())
        if (a.picture == overlayName)
            return &a;
    return nullptr;
}

} // namespace

const HousePlan& housePlan() {
    static const HousePlan plan = describeHouse();
    return plan;
}

QRectF overlayRect(const QString& overlayName) {
    const PlanArea* area = findArea(overlayName);
    if (!area)
        return {};
    const QRectF& r = area->indicatorRect;
    return {r.x() / twipsPerPixel, r.y() / twipsPerPixel, r.width() / twipsPerPixel,
            r.height() / twipsPerPixel};
}

QPolygonF roomArea(const QString& overlayName) {
    for (const PlanRoom& room : housePlan().rooms) {
        if (room.overlay != overlayName)
            continue;
        // The yellow stops at the faces of the walls and leaves the door gaps
        // white. The kitchen's overlay also lies 2 pixels further left on
        // most windows; its yellow keeps off the walls there too.
        QList<double> shifts = {0};
        const PlanArea* planArea = findArea(overlayName);
        if (planArea->leftSetByWindow)
            shifts << (planArea->indicatorRect.left() - kitchenIndicatorLeftOnOtherRooms) /
                          twipsPerPixel;
        QPainterPath area;
        area.addRect(room.bounds.intersected(overlayRect(overlayName)));
        QPainterPath walls;
        walls.setFillRule(Qt::WindingFill);
        for (const auto* list : {&housePlan().outerWalls, &housePlan().innerWalls})
            for (const Wall& w : *list)
                for (const double shift : shifts)
                    walls.addRect(wallBand(w, w.start(), w.end()).translated(shift, 0));
        return area.subtracted(walls).simplified().toFillPolygon();
    }
    return {};
}

std::vector<Picture> planPictures() {
    const QRectF whole(QPointF(0, 0), QSizeF(planPictureSize));
    std::vector<Picture> made = {
        {QStringLiteral("plan"), planSvg(whole, planPictureSize)},
        {QStringLiteral("plan_floor"), planSvg(whole.translated(floorShift, 0), planPictureSize)},
    };
    for (const PlanArea& area : planAreas()) {
        const QRectF view = overlayRect(area.picture);
        const QSize size(qRound(view.width()), qRound(view.height()));
        made.push_back({area.picture, overlaySvg(view, size, roomArea(area.picture))});
    }
    return made;
}

} // namespace house
