// SPDX-License-Identifier: GPL-3.0-or-later
#include "pictures/house_views.h"

#include <QColor>
#include <QPainterPath>
#include <QPolygonF>
#include <QSize>
#include <QString>
#include <QStringList>

#include <algorithm>
#include <cmath>
#include <map>
#include <numbers>
#include <tuple>
#include <utility>
#include <vector>

// The views are a small 3-D scene: the outer walls of the plan raised as
// prisms, a hipped roof over them, the plan's doors and windows cut into
// the walls, seen in perspective and painted back to front with flat
// shading. All lengths are plan pixels (about 5 cm each).
namespace house {
namespace {

// The size of the views' picture boxes (6975 by 5055 twips), which the
// pictures fill exactly.
constexpr QSize viewSize{465, 337};
constexpr double overhang = 7;
constexpr double roofPitch = 0.62; // rise per run
constexpr double fasciaDepth = 3;
constexpr double windowSill = 18;
constexpr double openingHead = 44;
constexpr double tileSpacing = 5;

const char* const outlineInk = "#3a3a3a";
const char* const wallColour = "#e2b66e";
const char* const plinthColour = "#b98d4f";
const char* const roofColour = "#b5533c";
const char* const fasciaColour = "#f4ead6";
const char* const frameColour = "#fbf8f0";
const char* const glassColour = "#9fd3f2";
const char* const shutterColour = "#5b8c5a";
const char* const doorColour = "#9a6236";
const char* const pavingColour = "#dccbb0";

struct Vec3 {
    double x = 0;
    double y = 0;
    double z = 0;
};
Vec3 operator+(Vec3 a, Vec3 b) {
    return {a.x + b.x, a.y + b.y, a.z + b.z};
}
Vec3 operator-(Vec3 a, Vec3 b) {
    return {a.x - b.x, a.y - b.y, a.z - b.z};
}
Vec3 operator*(Vec3 a, double s) {
    return {a.x * s, a.y * s, a.z * s};
}
double dot(Vec3 a, Vec3 b) {
    return a.x * b.x + a.y * b.y + a.z * b.z;
}
Vec3 cross(Vec3 a, Vec3 b) {
    return {a.y * b.z - a.z * b.y, a.z * b.x - a.x * b.z, a.x * b.y - a.y * b.x};
}
Vec3 normalized(Vec3 a) {
    return a * (1 / std::sqrt(dot(a, a)));
}
Vec3 lift(QPointF p, double z) {
    return {p.x(), p.y(), z};
}

// Sunlight from the south-west, high in the sky: the same for every view,
// so a face keeps its shade whichever side it is seen from.
const Vec3 towardsSun = normalized({-0.5, 0.8, 1.0});

QString num(double v) {
    return QString::number(v, 'f', 2);
}

QString shaded(const char* base, Vec3 normal, double ambient = 0.72) {
    const double light =
        ambient + (1 - ambient) * std::max(0.0, dot(normalized(normal), towardsSun));
    const QColor c(QString::fromLatin1(base));
    return QColor::fromRgbF(c.redF() * light, c.greenF() * light, c.blueF() * light).name();
}

// A pinhole camera; `focal` and `offset` are fitted after the scene is known.
struct Camera {
    Vec3 eye;
    Vec3 right;
    Vec3 up;
    Vec3 forward;
    double focal = 1;
    QPointF offset;

    double depth(Vec3 p) const { return dot(p - eye, forward); }
    QPointF project(Vec3 p) const {
        const Vec3 d = p - eye;
        return offset + QPointF(dot(d, right), -dot(d, up)) * (focal / dot(d, forward));
    }
    // Where the ground meets the sky in the picture.
    double horizon() const {
        const Vec3 level = normalized({forward.x, forward.y, 0});
        return offset.y() - focal * dot(level, up) / dot(level, forward);
    }
    // How many picture pixels one plan pixel spans at `p`.
    double scaleAt(Vec3 p) const { return focal / depth(p); }
};

// The viewer stands on the side of the face, a little turned so that a
// second face shows in perspective beside it.
Camera cameraFor(Facing face, QPointF centre) {
    constexpr double turn = 28 * std::numbers::pi / 180;
    constexpr double distance = 700;
    constexpr double height = 170;
    QPointF away;
    switch (face) {
    case Facing::South:
        away = {0, 1};
        break;
    case Facing::West:
        away = {-1, 0};
        break;
    case Facing::North:
        away = {0, -1};
        break;
    case Facing::East:
        away = {1, 0};
        break;
    }
    const QPointF turned(away.x() * std::cos(turn) - away.y() * std::sin(turn),
                         away.x() * std::sin(turn) + away.y() * std::cos(turn));
    Camera c;
    c.eye = lift(centre + turned * distance, height);
    c.forward = normalized(lift(centre, 25) - c.eye);
    c.right = normalized(cross({0, 0, 1}, c.forward));
    c.up = cross(c.forward, c.right);
    return c;
}

// ---- The house as solids -------------------------------------------------

QPointF outwardNormal(const Wall& w) {
    const QPointF d = w.to - w.from;
    const double length = std::hypot(d.x(), d.y());
    return QPointF(d.y(), -d.x()) / length;
}

// The line a wall's outer face lies on, pushed `extra` further out.
double faceLine(const Wall& w, double extra) {
    const QPointF n = outwardNormal(w);
    const double out = w.thickness / 2 + extra;
    return w.runsEastWest() ? w.from.y() + n.y() * out : w.from.x() + n.x() * out;
}

// The outline of the outer faces of the walls (extra = 0) or of the eaves.
QPolygonF outline(double extra) {
    const auto& walls = housePlan().outerWalls;
    const size_t n = walls.size();
    QPolygonF corners;
    for (size_t i = 0; i < n; ++i) {
        const Wall& previous = walls[(i + n - 1) % n];
        const Wall& current = walls[i];
        corners << (current.runsEastWest()
                        ? QPointF(faceLine(previous, extra), faceLine(current, extra))
                        : QPointF(faceLine(current, extra), faceLine(previous, extra)));
    }
    return corners;
}

// A point on the outer face of a wall, `along` its axis.
QPointF onFace(const Wall& w, double along) {
    const double line = faceLine(w, 0);
    return w.runsEastWest() ? QPointF(along, line) : QPointF(line, along);
}

// ---- The hipped roof -----------------------------------------------------
//
// Over a footprint made of rectangles, a hipped roof of one pitch is, at
// every point, the highest of the hipped roofs of the rectangles that
// contain it. Each roof plane rises from one eave line; a plane is kept
// where no other rectangle's roof stands above it, and the pieces of one
// plane found from several rectangles are joined.

enum class Eave { West, East, North, South };

struct RoofPlane {
    Eave eave;
    double line;
    bool operator<(const RoofPlane& o) const {
        return eave != o.eave ? eave < o.eave : line < o.line;
    }
    // Distance from the eave line, inwards: the roof rises with it.
    double rise(QPointF p) const {
        switch (eave) {
        case Eave::West:
            return p.x() - line;
        case Eave::East:
            return line - p.x();
        case Eave::North:
            return p.y() - line;
        case Eave::South:
            break;
        }
        return line - p.y();
    }
    // The rise is linear: rise(p) = gradient . p + rise(origin).
    QPointF gradient() const {
        switch (eave) {
        case Eave::West:
            return {1, 0};
        case Eave::East:
            return {-1, 0};
        case Eave::North:
            return {0, 1};
        case Eave::South:
            break;
        }
        return {0, -1};
    }
    Vec3 normal() const {
        const QPointF g = gradient();
        return normalized({-g.x() * roofPitch, -g.y() * roofPitch, 1});
    }
};

std::vector<RoofPlane> planesOf(const QRectF& r) {
    return {{Eave::West, r.left()},
            {Eave::East, r.right()},
            {Eave::North, r.top()},
            {Eave::South, r.bottom()}};
}

// Keeps the part of a convex polygon where gradient . p + constant >= 0.
QPolygonF clipHalfPlane(const QPolygonF& polygon, QPointF gradient, double constant) {
    auto value = [&](QPointF p) { return gradient.x() * p.x() + gradient.y() * p.y() + constant; };
    QPolygonF kept;
    for (int i = 0; i < polygon.size(); ++i) {
        const QPointF a = polygon[i];
        const QPointF b = polygon[(i + 1) % polygon.size()];
        const double va = value(a);
        const double vb = value(b);
        if (va >= 0)
            kept << a;
        if ((va >= 0) != (vb >= 0))
            kept << a + (b - a) * (va / (va - vb));
    }
    return kept;
}

// Where, inside `r`, the rectangle's own roof stands higher than `plane`
// by more than `margin` (margin 0 with the plane's own rectangle: where
// `plane` is that roof's lowest, i.e. its own facet).
QPolygonF regionAbove(const QRectF& r, const RoofPlane& plane, double margin) {
    QPolygonF region = QPolygonF(r);
    region.removeLast();
    for (const RoofPlane& other : planesOf(r)) {
        // other.rise - plane.rise - margin >= 0
        const QPointF g = other.gradient() - plane.gradient();
        const double constant = other.rise({0, 0}) - plane.rise({0, 0}) - margin;
        if (g.isNull()) {
            if (constant < 0)
                return {};
            continue;
        }
        region = clipHalfPlane(region, g, constant);
        if (region.isEmpty())
            return {};
    }
    return region;
}

// The rectangles, from grid lines of the outline, that lie inside it and are
// not inside a larger one: their union is the footprint.
std::vector<QRectF> largestRectangles(const QPolygonF& footprint) {
    std::vector<double> xs;
    std::vector<double> ys;
    for (const QPointF& p : footprint) {
        xs.push_back(p.x());
        ys.push_back(p.y());
    }
    for (auto* v : {&xs, &ys}) {
        std::sort(v->begin(), v->end());
        v->erase(std::unique(v->begin(), v->end()), v->end());
    }
    auto inside = [&](size_t x0, size_t x1, size_t y0, size_t y1) {
        for (size_t i = x0; i < x1; ++i)
            for (size_t j = y0; j < y1; ++j)
                if (!footprint.containsPoint({(xs[i] + xs[i + 1]) / 2, (ys[j] + ys[j + 1]) / 2},
                                             Qt::OddEvenFill))
                    return false;
        return true;
    };
    std::vector<QRectF> all;
    for (size_t x0 = 0; x0 < xs.size(); ++x0)
        for (size_t x1 = x0 + 1; x1 < xs.size(); ++x1)
            for (size_t y0 = 0; y0 < ys.size(); ++y0)
                for (size_t y1 = y0 + 1; y1 < ys.size(); ++y1)
                    if (inside(x0, x1, y0, y1))
                        all.push_back(QRectF(QPointF(xs[x0], ys[y0]), QPointF(xs[x1], ys[y1])));
    std::vector<QRectF> largest;
    for (const QRectF& r : all)
        if (std::none_of(all.begin(), all.end(),
                         [&](const QRectF& o) { return o != r && o.contains(r); }))
            largest.push_back(r);
    return largest;
}

// Every roof plane with the part of the plan where it is the roof.
std::map<RoofPlane, QPainterPath> roofFacets(const QPolygonF& eaves) {
    constexpr double margin = 1e-6;
    const std::vector<QRectF> rects = largestRectangles(eaves);
    std::map<RoofPlane, QPainterPath> facets;
    for (const QRectF& r : rects) {
        for (const RoofPlane& plane : planesOf(r)) {
            QPainterPath piece;
            piece.addPolygon(regionAbove(r, plane, 0));
            for (const QRectF& other : rects) {
                if (other == r)
                    continue;
                const QPolygonF higher = regionAbove(other, plane, margin);
                if (higher.size() < 3)
                    continue;
                QPainterPath cut;
                cut.addPolygon(higher);
                piece = piece.subtracted(cut);
            }
            QPainterPath& joined = facets[plane];
            joined.setFillRule(Qt::WindingFill);
            joined = joined.united(piece);
        }
    }
    return facets;
}

// ---- Drawing -------------------------------------------------------------

// One flat piece of the scene, painted in order of distance.
struct Piece {
    double depth;
    QString svg;
};

class ViewPainter {
  public:
    explicit ViewPainter(const Camera& camera) : camera_(camera) {}

    QString polygon(const std::vector<Vec3>& corners, const QString& fill,
                    double strokeWidth = 0.8) const {
        QStringList points;
        for (const Vec3& p : corners) {
            const QPointF s = camera_.project(p);
            points << num(s.x()) + ',' + num(s.y());
        }
        QString stroke = strokeWidth > 0
                             ? QStringLiteral(R"( stroke="%1" stroke-width="%2" )"
                                              R"(stroke-linejoin="round")")
                                   .arg(QString::fromLatin1(outlineInk), num(strokeWidth))
                             : QString();
        return QStringLiteral(R"(<polygon points="%1" fill="%2"%3/>)")
            .arg(points.join(' '), fill, stroke);
    }

    QString line(Vec3 a, Vec3 b, const QString& colour, double width) const {
        const QPointF s = camera_.project(a);
        const QPointF t = camera_.project(b);
        return QStringLiteral(
                   R"(<line x1="%1" y1="%2" x2="%3" y2="%4" stroke="%5" stroke-width="%6"/>)")
            .arg(num(s.x()), num(s.y()), num(t.x()), num(t.y()), colour, num(width));
    }

    double depthOf(const std::vector<Vec3>& corners) const {
        Vec3 sum;
        for (const Vec3& p : corners)
            sum = sum + p;
        return camera_.depth(sum * (1.0 / double(corners.size())));
    }

    bool facesViewer(Vec3 point, Vec3 normal) const { return dot(camera_.eye - point, normal) > 0; }

    const Camera& camera() const { return camera_; }

  private:
    const Camera& camera_;
};

// A point `along` a wall's axis at height `z`, standing `out` in front of
// its outer face.
Vec3 onWall(const Wall& w, double along, double z, double out = 0) {
    return lift(onFace(w, along) + outwardNormal(w) * out, z);
}

// A rectangle on a wall face: between two positions along the wall and two
// heights.
std::vector<Vec3> onWall(const Wall& w, double from, double to, double low, double high,
                         double out = 0) {
    return {onWall(w, from, low, out), onWall(w, to, low, out), onWall(w, to, high, out),
            onWall(w, from, high, out)};
}

QString windowOn(const ViewPainter& v, const Wall& w, const Opening& o, Vec3 normal) {
    const bool french = o.kind == OpeningKind::FrenchWindow;
    const double low = french ? 0 : windowSill;
    const double frame = 1.6;
    const double width = o.to - o.from;
    const double shutter = std::min(width / 2, 11.0);
    QString out;
    const QString shutterFill = shaded(shutterColour, normal);
    for (double start : {o.from - shutter, o.to}) {
        out +=
            v.polygon(onWall(w, start, start + shutter, low, openingHead, 0.3), shutterFill, 0.6);
        for (double z = low + 4; z < openingHead - 2; z += 4)
            out += v.line(onWall(w, start + 1, z, 0.3), onWall(w, start + shutter - 1, z, 0.3),
                          shaded("#3f6b40", normal), 0.5);
    }
    if (!french)
        out += v.polygon(onWall(w, o.from - 1.5, o.to + 1.5, low - 2.5, low, 0.8),
                         shaded("#d9cfbd", normal), 0.6);
    out += v.polygon(onWall(w, o.from, o.to, low, openingHead), shaded(frameColour, normal), 0.7);
    out += v.polygon(onWall(w, o.from + frame, o.to - frame, low + frame, openingHead - frame),
                     shaded(glassColour, normal, 0.8), 0.5);
    const double middle = (o.from + o.to) / 2;
    out += v.polygon(onWall(w, middle - 0.6, middle + 0.6, low + frame, openingHead - frame),
                     shaded(frameColour, normal), 0);
    return out;
}

QString entranceOn(const ViewPainter& v, const Wall& w, const Opening& o, Vec3 normal) {
    QString out;
    out += v.polygon(onWall(w, o.from - 1.5, o.to + 1.5, 0, openingHead + 1.5),
                     shaded(frameColour, normal), 0.7);
    out +=
        v.polygon(onWall(w, o.from + 1, o.to - 1, 0, openingHead), shaded(doorColour, normal), 0.7);
    for (double z : {6.0, 24.0})
        out +=
            v.polygon(onWall(w, o.from + 4, o.to - 4, z, z + 14), shaded("#87542c", normal), 0.5);
    out += v.polygon(onWall(w, o.to - 5, o.to - 3.5, 21, 23.5, 0.2), "#f2d36b", 0.4);
    return out;
}

// Shrubs in flower along the foot of the walls, between the windows.
const std::vector<QPointF>& shrubs() {
    static const std::vector<QPointF> list = {
        {104, 5},   {180, 5},   {262, 5},  {15, 135},  {15, 225},
        {180, 334}, {270, 334}, {328, 90}, {328, 163}, {291, 313},
    };
    return list;
}

QString shrubAt(const ViewPainter& v, QPointF at) {
    const Camera& c = v.camera();
    const double s = c.scaleAt(lift(at, 0));
    QString out;
    const std::tuple<double, double, double> lobes[] = {{-4, 5, 5.5}, {4, 5, 5.5}, {0, 8, 6}};
    for (auto [dx, z, r] : lobes) {
        const QPointF p = c.project(lift(at, z)) + QPointF(dx * s, 0);
        out += QStringLiteral(R"(<circle cx="%1" cy="%2" r="%3" fill="#4e8a3c" stroke="%4" )"
                              R"(stroke-width="0.6"/>)")
                   .arg(num(p.x()), num(p.y()), num(r * s), QString::fromLatin1(outlineInk));
    }
    const std::tuple<double, double, const char*> flowers[] = {
        {-5, 7, "#f06a8a"}, {2, 10, "#ffffff"}, {5, 5, "#f06a8a"}, {-1, 4, "#ffd84a"}};
    for (auto [dx, z, colour] : flowers) {
        const QPointF p = c.project(lift(at, z)) + QPointF(dx * s, 0);
        out += QStringLiteral(R"(<circle cx="%1" cy="%2" r="%3" fill="%4"/>)")
                   .arg(num(p.x()), num(p.y()), num(1.2 * s), QString::fromLatin1(colour));
    }
    return out;
}

// The shrubs that grow in front of a wall: painted with it.
QString shrubsBy(const ViewPainter& v, const Wall& w, double start, double end) {
    const QPointF n = outwardNormal(w);
    const double line = faceLine(w, 0);
    QString out;
    for (const QPointF& at : shrubs()) {
        const double away = w.runsEastWest() ? (at.y() - line) * n.y() : (at.x() - line) * n.x();
        const double along = w.runsEastWest() ? at.x() : at.y();
        if (away > 0 && away < 15 && along > start && along < end)
            out += shrubAt(v, at);
    }
    return out;
}

// The visible outer walls with their doors and windows.
std::vector<Piece> wallPieces(const ViewPainter& v) {
    const double height = housePlan().wallHeight;
    std::vector<Piece> pieces;
    for (const Wall& w : housePlan().outerWalls) {
        const double start = w.start() - w.thickness / 2;
        const double end = w.end() + w.thickness / 2;
        const Vec3 normal = lift(outwardNormal(w), 0);
        const std::vector<Vec3> quad = onWall(w, start, end, 0, height);
        if (!v.facesViewer(quad[0], normal))
            continue;
        QString svg = v.polygon(quad, shaded(wallColour, normal), 1);
        svg += v.polygon(onWall(w, start, end, 0, 4), shaded(plinthColour, normal), 0.6);
        for (const Opening& o : w.openings)
            svg += o.kind == OpeningKind::EntranceDoor ? entranceOn(v, w, o, normal)
                                                       : windowOn(v, w, o, normal);
        svg += shrubsBy(v, w, start, end);
        pieces.push_back({v.depthOf(quad), svg});
    }
    return pieces;
}

// Rows of tiles: lines of equal height across a roof facet.
QString tileRows(const ViewPainter& v, const RoofPlane& plane, const QPolygonF& facet, double eave,
                 const QString& colour) {
    QString out;
    const QPointF g = plane.gradient();
    const bool alongY = g.y() == 0; // rows are lines x = const
    for (double rise = tileSpacing;; rise += tileSpacing) {
        std::vector<double> crossings;
        bool beyond = true;
        for (int i = 0; i < facet.size(); ++i) {
            const QPointF a = facet[i];
            const QPointF b = facet[(i + 1) % facet.size()];
            const double ra = plane.rise(a) - rise;
            const double rb = plane.rise(b) - rise;
            if (ra > 0 || rb > 0)
                beyond = false;
            if ((ra > 0) != (rb > 0)) {
                const QPointF p = a + (b - a) * (ra / (ra - rb));
                crossings.push_back(alongY ? p.y() : p.x());
            }
        }
        if (beyond)
            break;
        std::sort(crossings.begin(), crossings.end());
        for (size_t i = 0; i + 1 < crossings.size(); i += 2) {
            const double level = plane.line + (g.x() + g.y() > 0 ? rise : -rise);
            const QPointF p = alongY ? QPointF(level, crossings[i]) : QPointF(crossings[i], level);
            const QPointF q =
                alongY ? QPointF(level, crossings[i + 1]) : QPointF(crossings[i + 1], level);
            out += v.line(lift(p, eave + rise * roofPitch), lift(q, eave + rise * roofPitch),
                          colour, 0.5);
        }
    }
    return out;
}

// Drops the corners where a polygon goes straight on or turns back on
// itself, which joined facets leave behind and would be drawn as stray lines.
QPolygonF withoutStraightCorners(QPolygonF polygon) {
    constexpr double sameSpot = 1e-3;
    bool removed = true;
    while (removed && polygon.size() >= 3) {
        removed = false;
        for (int i = 0; i < polygon.size(); ++i) {
            const QPointF a = polygon[(i + polygon.size() - 1) % polygon.size()];
            const QPointF b = polygon[i];
            const QPointF c = polygon[(i + 1) % polygon.size()];
            const QPointF u = b - a;
            const QPointF w = c - b;
            const double lengthU = std::hypot(u.x(), u.y());
            const double lengthW = std::hypot(w.x(), w.y());
            if (lengthU < sameSpot || lengthW < sameSpot ||
                std::abs(u.x() * w.y() - u.y() * w.x()) <= 1e-4 * lengthU * lengthW) {
                polygon.remove(i);
                removed = true;
                break;
            }
        }
    }
    return polygon;
}

std::vector<Piece> roofPieces(const ViewPainter& v) {
    const double eave = housePlan().wallHeight;
    const QPolygonF eaves = outline(overhang);
    std::vector<Piece> pieces;
    for (const auto& [plane, region] : roofFacets(eaves)) {
        for (const QPolygonF& facet : region.simplified().toFillPolygons()) {
            const QPolygonF open = withoutStraightCorners(facet);
            if (open.size() < 3)
                continue;
            std::vector<Vec3> corners;
            for (const QPointF& p : open)
                corners.push_back(lift(p, eave + plane.rise(p) * roofPitch));
            if (!v.facesViewer(corners[0], plane.normal()))
                continue;
            QString svg = v.polygon(corners, shaded(roofColour, plane.normal(), 0.6), 0);
            svg += tileRows(v, plane, open, eave, shaded("#8e3b28", plane.normal(), 0.6));
            svg += v.polygon(corners, QStringLiteral("none"), 0.9);
            pieces.push_back({v.depthOf(corners), svg});
        }
    }
    for (int i = 0; i < eaves.size(); ++i) {
        const QPointF a = eaves[i];
        const QPointF b = eaves[(i + 1) % eaves.size()];
        const QPointF d = b - a;
        const Vec3 normal = normalized({d.y(), -d.x(), 0});
        const std::vector<Vec3> quad = {lift(a, eave - fasciaDepth), lift(b, eave - fasciaDepth),
                                        lift(b, eave), lift(a, eave)};
        if (v.facesViewer(quad[0], normal))
            pieces.push_back(
                {v.depthOf(quad) + 0.5, v.polygon(quad, shaded(fasciaColour, normal), 0.7)});
    }
    return pieces;
}

struct Tree {
    QPointF at;
    double height;
    double crown;
};

const std::vector<Tree>& trees() {
    static const std::vector<Tree> list = {
        {{-70, -30}, 95, 24},  {{400, -20}, 105, 26}, {{395, 360}, 90, 22},
        {{-70, 380}, 100, 25}, {{170, -110}, 85, 20}, {{190, 440}, 80, 20},
    };
    return list;
}

QString treeAt(const ViewPainter& v, const Tree& t) {
    const Camera& c = v.camera();
    const Vec3 base = lift(t.at, 0);
    const double s = c.scaleAt(base);
    const QPointF foot = c.project(base);
    const QPointF top = c.project(lift(t.at, t.height * 0.55));
    const QPointF crown = c.project(lift(t.at, t.height - t.crown));
    const double r = t.crown * s;
    QString out;
    out += QStringLiteral(R"(<ellipse cx="%1" cy="%2" rx="%3" ry="%4" fill="#3f6e32" )"
                          R"(fill-opacity="0.35"/>)")
               .arg(num(foot.x()), num(foot.y()), num(r * 0.8), num(r * 0.25));
    out += QStringLiteral(R"(<rect x="%1" y="%2" width="%3" height="%4" fill="#7a5230" )"
                          R"(stroke="%5" stroke-width="0.7"/>)")
               .arg(num(foot.x() - 2.5 * s), num(top.y()), num(5 * s), num(foot.y() - top.y()),
                    QString::fromLatin1(outlineInk));
    out += QStringLiteral(R"(<circle cx="%1" cy="%2" r="%3" fill="#4f8f3a" stroke="%4" )"
                          R"(stroke-width="0.8"/>)")
               .arg(num(crown.x()), num(crown.y()), num(r), QString::fromLatin1(outlineInk));
    out += QStringLiteral(R"(<circle cx="%1" cy="%2" r="%3" fill="#74b552"/>)")
               .arg(num(crown.x() - r * 0.3), num(crown.y() - r * 0.3), num(r * 0.55));
    return out;
}

QString ground(const ViewPainter& v) {
    const HousePlan& h = housePlan();
    QString out;
    auto flat = [&](const QRectF& r, const QString& fill) {
        return v.polygon({lift(r.topLeft(), 0), lift(r.topRight(), 0), lift(r.bottomRight(), 0),
                          lift(r.bottomLeft(), 0)},
                         fill, 0.6);
    };
    // The garden path up to the front door, the step and the terrace.
    out += flat(QRectF(QPointF(h.entranceStep.left() + 2, -140),
                       QPointF(h.entranceStep.right() - 2, h.entranceStep.top())),
                QString::fromLatin1(pavingColour));
    out += flat(h.entranceStep, QStringLiteral("#c9b79a"));
    out += flat(h.terrace, QString::fromLatin1(pavingColour));
    return out;
}

QString skyAndLand(const ViewPainter& v) {
    const double horizon = std::clamp(v.camera().horizon(), 20.0, 140.0);
    const int w = viewSize.width();
    const int h = viewSize.height();
    QString out =
        QStringLiteral(
            R"(<defs><linearGradient id="sky" x1="0" y1="0" x2="0" y2="%1" gradientUnits="userSpaceOnUse">)"
            R"(<stop offset="0" stop-color="#6fb6e8"/><stop offset="1" stop-color="#dff1fb"/>)"
            R"(</linearGradient><linearGradient id="land" x1="0" y1="%1" x2="0" y2="%2" )"
            R"(gradientUnits="userSpaceOnUse"><stop offset="0" stop-color="#a9d37a"/>)"
            R"(<stop offset="1" stop-color="#6fae4c"/></linearGradient></defs>)")
            .arg(num(horizon), QString::number(h));
    out += QStringLiteral(R"svg(<rect x="0" y="0" width="%1" height="%2" fill="url(#sky)"/>)svg")
               .arg(w)
               .arg(num(horizon + 1));
    // Distant hills, then the lawn up to the horizon.
    out += QStringLiteral(R"(<path d="M0,%1 Q60,%2 130,%1 T260,%1 T390,%1 T520,%1 V%3 H0 Z" )"
                          R"(fill="#8fbf72" stroke="none"/>)")
               .arg(num(horizon), num(horizon - 16), num(horizon + 2));
    out += QStringLiteral(R"svg(<rect x="0" y="%1" width="%2" height="%3" fill="url(#land)"/>)svg")
               .arg(num(horizon))
               .arg(w)
               .arg(num(h - horizon));
    for (auto [x, y, s] : {std::tuple{70.0, 28.0, 1.0}, std::tuple{390.0, 20.0, 0.8}}) {
        for (auto [dx, dy, r] : {std::tuple{0.0, 0.0, 11.0}, std::tuple{13.0, -5.0, 13.0},
                                 std::tuple{27.0, 1.0, 10.0}, std::tuple{13.0, 4.0, 10.0}})
            out += QStringLiteral(
                       R"(<circle cx="%1" cy="%2" r="%3" fill="#ffffff" fill-opacity="0.9"/>)")
                       .arg(num(x + dx * s), num(y + dy * s), num(r * s));
    }
    return out;
}

// Where the house, up to a little above its ridge, shows in the picture.
QRectF houseBounds(const Camera& camera) {
    const double top = housePlan().wallHeight + 80;
    QPolygonF projected;
    for (const QPointF& p : outline(overhang))
        for (double z : {0.0, top})
            projected << camera.project(lift(p, z));
    return projected.boundingRect();
}

QRectF treeBounds(const Camera& camera, const Tree& t) {
    const QPointF foot = camera.project(lift(t.at, 0));
    const QPointF crown = camera.project(lift(t.at, t.height - t.crown));
    const double r = t.crown * camera.scaleAt(lift(t.at, 0));
    return QRectF(QPointF(crown.x() - r, crown.y() - r), QPointF(crown.x() + r, foot.y()));
}

// Fits the camera so that the house fills most of the picture, standing on
// the lower part of it.
void fitCamera(Camera& camera) {
    const QRectF bounds = houseBounds(camera);
    const double scale = std::min(0.84 * viewSize.width() / bounds.width(),
                                  0.84 * viewSize.height() / bounds.height());
    camera.focal = scale;
    camera.offset = QPointF(viewSize.width() / 2.0 - bounds.center().x() * scale,
                            viewSize.height() * 0.93 - bounds.bottom() * scale);
}

QPointF planCentre() {
    const QRectF box = outline(0).boundingRect();
    return box.center();
}

} // namespace

QByteArray houseViewSvg(Facing face) {
    Camera camera = cameraFor(face, planCentre());
    fitCamera(camera);
    const ViewPainter v(camera);

    // Trees behind the house are painted before it; of those in front, only
    // the ones that leave the house in full view are painted.
    const double houseDepth = camera.depth(lift(planCentre(), 0));
    const QRectF house = houseBounds(camera);
    QString behind;
    QString before;
    for (const Tree& t : trees()) {
        if (camera.depth(lift(t.at, 0)) > houseDepth)
            behind += treeAt(v, t);
        else if (!treeBounds(camera, t).intersects(house))
            before += treeAt(v, t);
    }

    std::vector<Piece> walls = wallPieces(v);
    std::vector<Piece> roof = roofPieces(v);
    for (auto* list : {&walls, &roof})
        std::sort(list->begin(), list->end(),
                  [](const Piece& a, const Piece& b) { return a.depth > b.depth; });

    QString out =
        QStringLiteral(R"(<svg xmlns="http://www.w3.org/2000/svg" version="1.2" )"
                       R"(baseProfile="tiny" width="%1" height="%2" viewBox="0 0 %1 %2">)")
            .arg(viewSize.width())
            .arg(viewSize.height());
    out += skyAndLand(v);
    out += ground(v);
    out += behind;
    for (const auto* list : {&walls, &roof})
        for (const Piece& p : *list)
            out += p.svg;
    out += before;
    out += QStringLiteral("</svg>");
    return out.toUtf8();
}

std::vector<Picture> viewPictures() {
    const std::pair<const char*, Facing> faces[] = {{"face_south", Facing::South},
                                                    {"face_west", Facing::West},
                                                    {"face_north", Facing::North},
                                                    {"face_east", Facing::East}};
    std::vector<Picture> made;
    for (const auto& [name, face] : faces)
        made.push_back({QString::fromLatin1(name), houseViewSvg(face)});
    return made;
}

} // namespace house
