// SPDX-License-Identifier: GPL-3.0-or-later
#include "workshop/board_painter.h"

#include "circuit/board.h"
#include "workshop/look.h"

#include <QHash>
#include <QPainterPath>
#include <QPixmap>

#include <cmath>

namespace workshop {

namespace {

using circuit::Component;
using circuit::LampRadius;
using circuit::Symbol;
using circuit::TerminalSpec;

constexpr qreal WireWidth = 0.16;
constexpr qreal TerminalRadius = 0.28;
// What the stamps of round things may take together: 8 MiB.
constexpr qint64 MaxStampPixels = 2 << 20;

// Grid steps to pixels.
class Grid {
  public:
    Grid(QPainter& painter, QPointF origin, qreal scale, const QRectF& exposed)
        : p(painter), origin_(origin), s(scale), exposed_(exposed) {}

    QPointF px(QPointF grid) const { return origin_ + grid * s; }

    // Whether a stroke or fill within `reach` pixels of `pixels` can touch
    // the exposed part. Stroking costs the same clipped or not, so what
    // cannot show is not drawn at all.
    bool shows(const QRectF& pixels, qreal reach) const {
        const qreal margin = reach + 2; // antialiasing
        return exposed_.isEmpty() ||
               exposed_.intersects(pixels.normalized().adjusted(-margin, -margin, margin, margin));
    }

    void line(QPointF a, QPointF b, const QColor& colour, qreal width = WireWidth) {
        if (!shows(QRectF(px(a), px(b)), width * s / 2))
            return;
        p.setPen(QPen(colour, width * s, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        p.drawLine(px(a), px(b));
    }
    void polyline(const QPolygonF& points, const QPen& pen) {
        QPen scaled = pen;
        scaled.setWidthF(pen.widthF() * s);
        QPolygonF mapped;
        for (const QPointF& point : points)
            mapped << px(point);
        if (!shows(mapped.boundingRect(), scaled.widthF() / 2))
            return;
        p.setPen(scaled);
        p.setBrush(Qt::NoBrush);
        p.drawPolyline(mapped);
    }
    void polyline(const circuit::Route& points, const QPen& pen) {
        QPolygonF grid;
        for (const QPoint& point : points)
            grid << QPointF(point);
        polyline(grid, pen);
    }
    void circle(QPointF centre, qreal radius, const QPen& pen, const QBrush& brush) {
        const qreal r = radius * s;
        if (!shows(QRectF(px(centre) - QPointF(r, r), QSizeF(2 * r, 2 * r)), pen.widthF() * s / 2))
            return;
        QPen scaled = pen;
        scaled.setWidthF(pen.widthF() * s);
        p.setPen(pen.style() == Qt::NoPen ? QPen(Qt::NoPen) : scaled);
        p.setBrush(brush);
        p.drawEllipse(px(centre), radius * s, radius * s);
    }
    // Text of `height` grid steps, its top-left corner at `at`, or centred
    // in `width` grid steps when a width is given.
    void text(QPointF at, qreal height, const QString& text, bool bold, const QColor& colour,
              qreal width = 0) {
        QFont font = p.font();
        font.setBold(bold);
        // Never smaller than a menu's text, however small the board.
        font.setPixelSize(std::max(10, int(std::lround(height * s))));
        const QRectF box(px(at), QSizeF(width > 0 ? width * s : 1000, height * s * 1.4));
        // The text may run out of its box: no glyph is wider than its em.
        const qreal run = text.size() * font.pixelSize();
        if (!shows(width > 0 ? box.adjusted(-run / 2, 0, run / 2, 0) : box.adjusted(0, 0, run, 0),
                   font.pixelSize()))
            return;
        p.setFont(font);
        p.setPen(colour);
        p.drawText(box,
                   (width > 0 ? Qt::AlignHCenter : Qt::AlignLeft) | Qt::AlignTop | Qt::TextDontClip,
                   text);
    }
    // A circle with an outline (a terminal, a contact).
    void ring(QPointF centre, qreal radius, qreal outline, const QColor& fill);
    // `colour` at `centre` fading to nothing at `radius`: a lit lamp's glow.
    void glow(QPointF centre, qreal radius, const QColor& colour);

    QPainter& p;

  private:
    // What a stamp looks like, its sizes in hundredths of a pixel.
    struct Look {
        bool glow;
        qint64 radius, outline, ratio;
        QRgb colour;
        friend bool operator==(const Look&, const Look&) = default;
        friend size_t qHash(const Look& l, size_t seed = 0) {
            return qHashMulti(seed, l.glow, l.radius, l.outline, l.ratio, l.colour);
        }
    };
    // Stamps something round from a picture of it kept for its look. `draw`
    // draws it round `middle`, in device pixels, `scale` of them a grid
    // step. False on paper, where it is to be drawn as it is.
    template <typename Draw> bool stamp(QPointF centre, qreal reach, Look look, const Draw& draw);

    QPointF origin_;
    qreal s;
    QRectF exposed_;
};

// The board has dozens of terminals and contacts, and a lamp's glow is a
// gradient over thousands of pixels; on the screen each look is drawn once,
// in device pixels so that it stays crisp, and stamped.
template <typename Draw>
bool Grid::stamp(QPointF centre, qreal reach, Look look, const Draw& draw) {
    const int device = p.device()->devType();
    if (device != QInternal::Widget && device != QInternal::Image && device != QInternal::Pixmap)
        return false;
    const qreal ratio = p.device()->devicePixelRatioF();
    look.ratio = qRound64(ratio * 100);
    static QHash<Look, QPixmap> stamps;
    static qint64 pixels = 0; // in all the stamps kept
    auto found = stamps.constFind(look);
    if (found == stamps.cend()) {
        const int side = int(std::ceil(2 * reach * s * ratio)) + 2;
        if (stamps.size() > 64 || pixels + qint64(side) * side > MaxStampPixels) {
            stamps.clear();
            pixels = 0;
        }
        pixels += qint64(side) * side;
        QPixmap stamp(side, side);
        stamp.fill(Qt::transparent);
        QPainter painter(&stamp);
        painter.setRenderHint(QPainter::Antialiasing);
        draw(painter, QPointF(side, side) / 2, s * ratio);
        painter.end();
        stamp.setDevicePixelRatio(ratio);
        found = stamps.insert(look, stamp);
    }
    const qreal half = found->width() / ratio / 2;
    p.drawPixmap(px(centre) - QPointF(half, half), *found);
    return true;
}

void Grid::ring(QPointF centre, qreal radius, qreal outline, const QColor& fill) {
    const qreal r = (radius + outline) * s;
    if (!shows(QRectF(px(centre) - QPointF(r, r), QSizeF(2 * r, 2 * r)), 2))
        return;
    const Look look{false, qRound64(radius * s * 100), qRound64(outline * s * 100), 0, fill.rgba()};
    if (!stamp(centre, radius + outline, look, [&](QPainter& painter, QPointF middle, qreal scale) {
            painter.setPen(QPen(Qt::black, outline * scale));
            painter.setBrush(fill);
            painter.drawEllipse(middle, radius * scale, radius * scale);
        }))
        circle(centre, radius, QPen(Qt::black, outline), fill);
}

void Grid::glow(QPointF centre, qreal radius, const QColor& colour) {
    const qreal r = radius * s;
    if (!shows(QRectF(px(centre) - QPointF(r, r), QSizeF(2 * r, 2 * r)), 0))
        return;
    auto fading = [&](QPointF middle, qreal scale) {
        QRadialGradient gradient(middle, radius * scale);
        gradient.setColorAt(0, colour);
        QColor none = colour;
        none.setAlpha(0);
        gradient.setColorAt(1, none);
        return gradient;
    };
    const Look look{true, qRound64(r * 100), 0, 0, colour.rgba()};
    if (!stamp(centre, radius, look, [&](QPainter& painter, QPointF middle, qreal scale) {
            painter.setPen(Qt::NoPen);
            painter.setBrush(fading(middle, scale));
            painter.drawEllipse(middle, radius * scale, radius * scale);
        }))
        circle(centre, radius, Qt::NoPen, fading(px(centre), s));
}

class ComponentPainter {
  public:
    ComponentPainter(Grid& grid, const Workbench& bench, const BoardMarks& marks)
        : g_(grid), bench_(bench), marks_(marks) {}

    void draw(int index) {
        const circuit::Exercise& e = bench_.exercise();
        switch (circuit::describe(e.components[size_t(index)].kind).symbol) {
        case Symbol::Bar:
            drawBar(index);
            break;
        case Symbol::Lamp:
            drawLamp(index, indexIn(e.lamps, index));
            break;
        case Symbol::Switch:
            drawSwitch(index, indexIn(e.switches, index));
            break;
        case Symbol::EarthBar:
            drawEarthBar(index);
            break;
        case Symbol::Socket:
            drawSocket(index, indexIn(e.sockets, index));
            break;
        case Symbol::Bell:
            drawBell(index);
            break;
        case Symbol::Relay:
            drawRelay(index, indexIn(e.devices, index));
            break;
        case Symbol::Timer:
            drawTimer(index, indexIn(e.devices, index));
            break;
        }
    }

  private:
    static int indexIn(const std::vector<int>& list, int component) {
        return int(std::find(list.begin(), list.end(), component) - list.begin());
    }
    const Component& component(int index) const {
        return bench_.exercise().components[size_t(index)];
    }
    // A lead's colour: its potential's, or black while voltages are hidden.
    QColor colourOf(int index, int local) const {
        if (!marks_.showVoltage)
            return Qt::black;
        return potentialColour(shownPotential(bench_, bench_.exercise().terminalOf(index, local)));
    }
    // A point of the component's footprint on the board.
    QPointF at(int index, QPointF local) const {
        return circuit::board::onBoard(component(index), local);
    }
    // The component's name under its body.
    void name(const Component& c, qreal below) {
        const QRect body = circuit::describe(c.kind).body;
        g_.text(QPointF(c.place) + QPointF(body.left(), body.top() + below), 0.45, c.name, false,
                QColor(60, 60, 60), body.width());
    }
    // Each terminal's lead into the symbol, in the terminal's colour, with
    // a contact at its end where a blade may rest.
    void leads(int index, bool contacts) {
        const auto& terminals = circuit::describe(component(index).kind).terminals;
        for (int t = 0; t < int(terminals.size()); ++t) {
            const TerminalSpec& terminal = terminals[size_t(t)];
            g_.line(at(index, terminal.point), at(index, terminal.inner), colourOf(index, t));
            if (contacts)
                g_.ring(at(index, terminal.inner), 0.14, 0.06, Qt::white);
        }
    }

    void drawBar(int index) {
        const Component& c = component(index);
        const circuit::KindSpec& kind = circuit::describe(c.kind);
        const TerminalSpec& terminal = kind.terminals.front();
        g_.line(at(index, terminal.inner), at(index, terminal.point), colourOf(index, 0), 0.5);
        g_.text(at(index, {0.2, -0.25}), 0.75, kind.caption, true, Qt::black);
    }

    void drawLamp(int index, int lamp) {
        const Component& c = component(index);
        const QPointF centre = circuit::board::bodyCentre(c);
        const double brightness = !bench_.live() ? 0 : bench_.solution().brightness[size_t(lamp)];
        leads(index, false);
        if (marks_.halos && circuit::glowOf(brightness) == circuit::Glow::Full)
            g_.glow(centre, LampRadius * 1.9,
                    QColor(255, 240, 80, int(150 * std::min(1.0, brightness))));
        // A dark lamp has no fill at all: a fill of no opacity would be
        // drawn lit by renderers that ignore opacity.
        QColor fill = lampColour();
        fill.setAlphaF(std::min(1.0, std::pow(brightness, 0.7)));
        g_.circle(centre, LampRadius, QPen(Qt::black, 0.1),
                  fill.alpha() > 0 ? QBrush(fill) : QBrush(Qt::NoBrush));
        const qreal d = LampRadius / std::sqrt(2.0);
        g_.line(centre + QPointF(-d, -d), centre + QPointF(d, d), Qt::black, 0.1);
        g_.line(centre + QPointF(-d, d), centre + QPointF(d, -d), Qt::black, 0.1);
        name(c, 3.4);
    }

    // A faint frame round the contacts; each blade turns on its pivot's
    // contact and rests on another's, or points away from them while open.
    void drawSwitch(int index, int sw) {
        const Component& c = component(index);
        const circuit::KindSpec& kind = circuit::describe(c.kind);
        const QColor frame(0, 0, 0, 50);
        const QPointF corner = QPointF(c.place) + QPointF(kind.body.topLeft()) + QPointF(0.5, 0.4);
        const QSizeF size(kind.body.width() - 1, kind.body.height() - 0.8);
        const QPointF corners[] = {corner, corner + QPointF(size.width(), 0),
                                   corner + QPointF(size.width(), size.height()),
                                   corner + QPointF(0, size.height())};
        for (int i = 0; i < 4; ++i)
            g_.line(corners[i], corners[(i + 1) % 4], frame, 0.05);
        leads(index, true);
        // The component's buttons follow one another in the switch list.
        const circuit::Exercise& e = bench_.exercise();
        for (; sw < int(e.switches.size()) && e.switches[size_t(sw)] == index; ++sw) {
            const int position = bench_.wiring().positions[size_t(sw)];
            const auto& actuator = kind.actuators[size_t(e.switchActuators[size_t(sw)])];
            for (const circuit::Blade& blade : actuator.blades) {
                const int rest = blade.restsOn[size_t(position)];
                const QPointF end =
                    rest == circuit::Blade::Open ? blade.open : kind.terminals[size_t(rest)].inner;
                g_.line(at(index, kind.terminals[size_t(blade.pivot)].inner), at(index, end),
                        colourOf(index, blade.pivot), WireWidth * 1.2);
            }
        }
        name(c, kind.body.height() - 0.45);
    }

    // The earth bar is green and yellow whatever it touches, like every
    // earth conductor.
    void drawEarthBar(int index) {
        const circuit::KindSpec& kind = circuit::describe(component(index).kind);
        const TerminalSpec& terminal = kind.terminals.front();
        const QPointF from = g_.px(at(index, terminal.inner)),
                      to = g_.px(at(index, terminal.point));
        const qreal width = 0.5 * (g_.px({1, 0}) - g_.px({0, 0})).x();
        g_.p.setPen(
            QPen(potentialColour(circuit::Potential::Earth), width, Qt::SolidLine, Qt::RoundCap));
        g_.p.drawLine(from, to);
        QPen yellow(earthYellow(), width, Qt::CustomDashLine, Qt::FlatCap);
        yellow.setDashPattern({1.5, 1.5});
        g_.p.setPen(yellow);
        g_.p.drawLine(from, to);
        g_.text(at(index, {0.2, -0.25}), 0.75, kind.caption, true, Qt::black);
    }

    // A socket's face: the two pins, the earthing clips above and below
    // them, and a pilot light that is lit while the pins have the mains
    // between them. Each lead bends once on its way to its pin or clip.
    void drawSocket(int index, int socket) {
        const Component& c = component(index);
        const circuit::KindSpec& kind = circuit::describe(c.kind);
        g_.circle(at(index, {3.5, 3}), 2, QPen(Qt::black, 0.1), QColor(250, 250, 245));
        for (int t = 0; t < int(kind.terminals.size()); ++t) {
            const TerminalSpec& terminal = kind.terminals[size_t(t)];
            const QPointF elbow(terminal.inner.x(), terminal.point.y());
            g_.line(at(index, terminal.point), at(index, elbow), colourOf(index, t));
            g_.line(at(index, elbow), at(index, terminal.inner), colourOf(index, t));
        }
        for (int pin = 0; pin < 2; ++pin)
            g_.circle(at(index, kind.terminals[size_t(pin)].inner), 0.3, Qt::NoPen, Qt::black);
        const QColor earth = colourOf(index, 2);
        for (qreal y : {1.25, 4.8})
            g_.line(at(index, {3, y}), at(index, {4, y}), earth, 0.25);
        const bool live = bench_.live() && bench_.solution().sockets[size_t(socket)].powered;
        g_.circle(at(index, {5.4, 0.7}), 0.4, QPen(Qt::black, 0.06),
                  live ? socketLightColour() : QColor(Qt::white));
        name(c, 6.3);
    }

    // A dome over a rim with its striker below; while it rings, the
    // striker swings from side to side and strike lines leave the dome.
    void drawBell(int index) {
        const Component& c = component(index);
        leads(index, false);
        const bool rings = ringing(bench_, index);
        QPainterPath dome;
        dome.moveTo(g_.px(at(index, {0.9, 2.6})));
        dome.cubicTo(g_.px(at(index, {0.9, 0.4})), g_.px(at(index, {3.1, 0.4})),
                     g_.px(at(index, {3.1, 2.6})));
        dome.closeSubpath();
        const qreal pixel = (g_.px({1, 0}) - g_.px({0, 0})).x();
        g_.p.setPen(QPen(Qt::black, 0.1 * pixel));
        g_.p.setBrush(rings ? QBrush(lampColour()) : QBrush(Qt::NoBrush));
        g_.p.drawPath(dome);
        const qreal swing = rings ? (marks_.ringFrame ? 0.25 : -0.25) : 0;
        g_.circle(at(index, {2 + swing, 3.0}), 0.28, QPen(Qt::black, 0.08), Qt::black);
        if (rings)
            for (const qreal side : {-1.0, 1.0}) {
                const QPointF from(2 + side * 1.45, 1.2), step(side * 0.6, 0);
                for (const qreal lift : {-0.45, 0.0, 0.45})
                    g_.line(at(index, from + QPointF(0, lift)),
                            at(index, from + step + QPointF(0, lift * 1.6)), Qt::black, 0.08);
            }
        name(c, 3.4);
    }

    // The frame round a device, with small labels of what it holds.
    void deviceFrame(int index) {
        const Component& c = component(index);
        const QRect body = circuit::describe(c.kind).body;
        const QPointF corner = QPointF(c.place) + QPointF(body.topLeft()) + QPointF(0.5, 0.6);
        const QSizeF size(body.width() - 1, body.height() - 1.2);
        const QPointF corners[] = {corner, corner + QPointF(size.width(), 0),
                                   corner + QPointF(size.width(), size.height()),
                                   corner + QPointF(0, size.height())};
        for (int i = 0; i < 4; ++i)
            g_.line(corners[i], corners[(i + 1) % 4], QColor(0, 0, 0, 120), 0.06);
    }
    void label(int index, QPointF local, qreal width, const QString& text) {
        g_.text(at(index, local) - QPointF(component(index).mirrored ? width : 0, 0), 0.4, text,
                false, QColor(60, 60, 60), width);
    }
    // The contact that the circuit moves, on its pivot's lead.
    void deviceContact(int index, int position) {
        const circuit::KindSpec& kind = circuit::describe(component(index).kind);
        for (const circuit::Blade& blade : kind.actuators.front().blades) {
            const int rest = blade.restsOn[size_t(position)];
            const QPointF end =
                rest == circuit::Blade::Open ? blade.open : kind.terminals[size_t(rest)].inner;
            g_.line(at(index, kind.terminals[size_t(blade.pivot)].inner), at(index, end),
                    colourOf(index, blade.pivot), WireWidth * 1.2);
        }
    }

    // The coil on the left, filled while energised, linked by a dashed line
    // to the contact it works on the right.
    void drawRelay(int index, int device) {
        const Component& c = component(index);
        const circuit::DeviceState& d = bench_.devices();
        deviceFrame(index);
        leads(index, true);
        const QRectF coil(at(index, {1.4, 1.6}), at(index, {2.6, 4.4}));
        const qreal pixel = (g_.px({1, 0}) - g_.px({0, 0})).x();
        g_.p.setPen(QPen(Qt::black, 0.1 * pixel));
        const bool energised = bench_.live() && d.energised[size_t(device)];
        g_.p.setBrush(energised ? QBrush(lampColour()) : QBrush(Qt::white));
        g_.p.drawRect(QRectF(g_.px(coil.topLeft()), g_.px(coil.bottomRight())).normalized());
        g_.line(at(index, {2.6, 3}), at(index, {4.5, 3}), QColor(90, 90, 90), 0.05);
        deviceContact(index, d.positions[size_t(device)]);
        label(index, {0.6, 0.65}, 2.8, QStringLiteral("bobina"));
        label(index, {3.4, 0.65}, 2.4, QStringLiteral("contacte"));
        name(c, 5.15);
    }

    // Labelled terminals, the contact, and the time: left while it runs,
    // the time it gives, in grey, while it is off.
    void drawTimer(int index, int device) {
        const Component& c = component(index);
        const circuit::DeviceState& d = bench_.devices();
        deviceFrame(index);
        leads(index, true);
        deviceContact(index, d.positions[size_t(device)]);
        label(index, {0.6, 2.25}, 2.2, QStringLiteral("fase"));
        label(index, {0.6, 4.25}, 2.2, QStringLiteral("neutre"));
        label(index, {5.2, 1.3}, 2.3, QStringLiteral("polsadors"));
        label(index, {5.2, 4.25}, 2.3, QStringLiteral("làmpades"));
        const bool running = d.positions[size_t(device)] == 1;
        g_.text(QPointF(c.place) + QPointF(0, 4.75), 0.7,
                timeLeftText(running ? d.remaining[size_t(device)] : c.seconds), running,
                running ? Qt::black : QColor(130, 130, 130), 8);
        name(c, 6.0);
    }

    Grid& g_;
    const Workbench& bench_;
    const BoardMarks& marks_;
};

// The two pieces of a route with a gap of `gap` grid steps at the middle
// of its length: a conductor found broken.
std::pair<QPolygonF, QPolygonF> cutInTwo(const circuit::Route& route, qreal gap) {
    qreal length = 0;
    for (int i = 1; i < route.size(); ++i)
        length += QLineF(route[i - 1], route[i]).length();
    QPolygonF first{QPointF(route.first())}, second;
    qreal walked = 0;
    for (int i = 1; i < route.size(); ++i) {
        const QLineF run(route[i - 1], route[i]);
        const qreal from = walked, to = walked + run.length();
        const qreal cutStart = (length - gap) / 2, cutEnd = (length + gap) / 2;
        if (second.isEmpty() && to >= cutStart && run.length() > 0)
            first << run.pointAt(std::max<qreal>(0, (cutStart - from) / run.length()));
        else if (second.isEmpty())
            first << run.p2();
        if (second.isEmpty() && to >= cutEnd && run.length() > 0)
            second << run.pointAt(std::max<qreal>(0, (cutEnd - from) / run.length()));
        if (!second.isEmpty())
            second << run.p2();
        walked = to;
    }
    return {first, second};
}

// What a found fault looks like: a conductor cut in the middle with a red
// mark at each end, a lamp with a cracked glass, a contact crossed out.
QColor faultColour() {
    return {220, 0, 0};
}

void drawCutConductor(Grid& g, const circuit::Route& route, const QPen& pen) {
    const auto [first, second] = cutInTwo(route, 0.9);
    g.polyline(first, pen);
    g.polyline(second, pen);
    for (const QPointF end : {first.last(), second.first()})
        g.circle(end, 0.14, Qt::NoPen, faultColour());
}

void drawFoundFaults(Grid& g, const Workbench& bench) {
    const circuit::Exercise& e = bench.exercise();
    const std::vector<bool> found = bench.found();
    for (size_t i = 0; i < bench.wiring().faults.size() && i < found.size(); ++i) {
        const circuit::Fault& f = bench.wiring().faults[i];
        if (!found[i] || f.kind == circuit::FaultKind::OpenConductor)
            continue;
        if (f.kind == circuit::FaultKind::BlownLamp) {
            const QPointF c = circuit::board::bodyCentre(e.components[size_t(f.component)]);
            g.polyline(QPolygonF{c + QPointF(-0.9, -0.5), c + QPointF(-0.2, 0.1),
                                 c + QPointF(0.2, -0.3), c + QPointF(0.9, 0.5)},
                       QPen(faultColour(), 0.14, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
            continue;
        }
        const circuit::Terminal& t = e.terminals[size_t(f.terminal)];
        const QPointF at =
            circuit::board::terminalPoint(e.components[size_t(t.component)], t.local);
        const qreal d = 0.45;
        g.line(at + QPointF(-d, -d), at + QPointF(d, d), faultColour(), 0.12);
        g.line(at + QPointF(-d, d), at + QPointF(d, -d), faultColour(), 0.12);
    }
}

// The testers' probes on their terminals: a thick ring of the probe's
// colour, and its tip coming from above, the red from the left and the
// black from the right.
void drawProbes(Grid& g, const circuit::Exercise& e, const BoardMarks& marks) {
    const struct {
        int terminal;
        QColor colour;
        qreal side;
    } probes[] = {{marks.redProbe, QColor(220, 0, 0), -1},
                  {marks.blackProbe, QColor(20, 20, 20), 1}};
    for (const auto& probe : probes) {
        if (probe.terminal < 0)
            continue;
        const circuit::Terminal& t = e.terminals[size_t(probe.terminal)];
        const QPointF at =
            circuit::board::terminalPoint(e.components[size_t(t.component)], t.local);
        g.circle(at, 0.5, QPen(probe.colour, 0.14), Qt::NoBrush);
        const QPointF from = at + QPointF(0.9 * probe.side, -1.3);
        g.line(from, at + (from - at) * 0.38, probe.colour, 0.22);
    }
}

QPen wirePen(const QColor& colour, qreal width) {
    return QPen(colour, width, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
}

// A route drawn with a pen, with a gap where it was found broken.
void drawRoute(Grid& g, const circuit::Route& route, const QPen& pen, bool cut) {
    if (cut)
        drawCutConductor(g, route, pen);
    else
        g.polyline(route, pen);
}

// The glow round a live conductor that states its colour.
void drawGlow(Grid& g, const circuit::Route& route, circuit::Insulation colour,
              circuit::Potential potential, bool cut) {
    const QColor glow = liveGlow(potential);
    if (colour != circuit::Insulation::Unstated && glow.alpha())
        drawRoute(g, route, wirePen(glow, WireWidth * 3.2), cut);
}

// A conductor in its insulation's colour. One that states no colour (from
// a file written before conductors had one) is drawn in the colour of its
// potential, as it always was.
void drawConductor(Grid& g, const circuit::Route& route, circuit::Insulation colour,
                   circuit::Potential potential, bool showVoltage, bool cut) {
    if (colour == circuit::Insulation::Unstated) {
        drawRoute(g, route,
                  wirePen(showVoltage ? potentialColour(potential) : Qt::black, WireWidth), cut);
        return;
    }
    drawRoute(g, route, wirePen(insulationColour(colour), WireWidth * 1.25), cut);
    if (colour == circuit::Insulation::GreenYellow) {
        QPen stripes(earthYellow(), WireWidth * 1.25, Qt::CustomDashLine, Qt::FlatCap,
                     Qt::RoundJoin);
        stripes.setDashPattern({2.5, 2.5});
        drawRoute(g, route, stripes, cut);
    }
}

// The conductors found broken, by index.
std::vector<bool> cutConductors(const Workbench& bench) {
    std::vector<bool> cut(bench.wiring().conductors.size(), false);
    const std::vector<bool> found = bench.found();
    const auto& faults = bench.wiring().faults;
    for (size_t i = 0; i < faults.size() && i < found.size(); ++i)
        if (found[i] && faults[i].kind == circuit::FaultKind::OpenConductor)
            cut[size_t(faults[i].conductor)] = true;
    return cut;
}

} // namespace

void paintBoard(QPainter& painter, const Workbench& bench, const BoardMarks& marks, QPointF origin,
                qreal scale) {
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    Grid g(painter, origin, scale, marks.exposed);
    const circuit::Exercise& e = bench.exercise();
    ComponentPainter components(g, bench, marks);
    for (int i = 0; i < int(e.components.size()); ++i)
        components.draw(i);

    const auto& wires = bench.wiring().conductors;
    const std::vector<bool> cut = cutConductors(bench);
    const size_t drawn = marks.routes ? std::min(wires.size(), marks.routes->size()) : 0;
    // Every glow first, so that none hides a conductor it crosses.
    for (size_t i = 0; i < drawn && marks.showVoltage; ++i)
        drawGlow(g, (*marks.routes)[i], wires[i].colour, shownPotential(bench, wires[i].from),
                 cut[i]);
    for (size_t i = 0; i < drawn; ++i) {
        const circuit::Route& route = (*marks.routes)[i];
        if (int(i) == marks.selected || int(i) == marks.focusedConductor)
            g.polyline(route, QPen(highlightColour(), WireWidth * 4,
                                   int(i) == marks.selected ? Qt::SolidLine : Qt::DotLine,
                                   Qt::RoundCap, Qt::RoundJoin));
        drawConductor(g, route, wires[i].colour, shownPotential(bench, wires[i].from),
                      marks.showVoltage, cut[i]);
    }
    drawFoundFaults(g, bench);

    for (int t = 0; t < int(e.terminals.size()); ++t) {
        const circuit::Terminal& terminal = e.terminals[size_t(t)];
        const QPointF at =
            circuit::board::terminalPoint(e.components[size_t(terminal.component)], terminal.local);
        if (t == marks.focusedTerminal)
            g.circle(at, 0.5, QPen(highlightColour(), 0.08, Qt::DotLine), Qt::NoBrush);
        if (t == marks.pending)
            g.ring(at, TerminalRadius * 1.35, 0.12, QColor(255, 210, 0));
        else
            g.ring(at, TerminalRadius, 0.07, Qt::white);
    }
    drawProbes(g, e, marks);
    if (marks.focusedPart >= 0) {
        const Component& c = e.components[size_t(marks.focusedPart)];
        const QRectF body = QRectF(circuit::describe(c.kind).body).translated(c.place);
        g.polyline(QPolygonF{body.topLeft(), body.topRight(), body.bottomRight(), body.bottomLeft(),
                             body.topLeft()},
                   QPen(highlightColour(), 0.08, Qt::DotLine));
    }
    if (marks.focusedLamp >= 0) {
        const Component& c = e.components[size_t(e.lamps[size_t(marks.focusedLamp)])];
        g.circle(circuit::board::bodyCentre(c), LampRadius + 0.3,
                 QPen(highlightColour(), 0.08, Qt::DotLine), Qt::NoBrush);
    }
    painter.restore();
}

} // namespace workshop
