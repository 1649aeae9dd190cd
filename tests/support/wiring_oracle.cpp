// SPDX-License-Identifier: GPL-3.0-or-later
#include "wiring_oracle.h"

#include "house_fixture.h"

#include "house/catalogue.h"

#include <QHash>

#include <algorithm>
#include <functional>

namespace testing::wiring {

Netlist::Netlist(QString phase, QString neutral, QString lampIn, QString lampOut, int switches)
    : phase_(std::move(phase)), neutral_(std::move(neutral)), switches_(switches) {
    edges_.push_back({QString(), std::move(lampIn), std::move(lampOut), -1, 0});
}

void Netlist::wire(const QString& conductor, const QString& a, const QString& b) {
    edges_.push_back({conductor, a, b, -1, 0});
}

void Netlist::wireWhen(int index, int position, const QString& conductor, const QString& a,
                       const QString& b) {
    Q_ASSERT(index >= 0 && index < switches_);
    edges_.push_back({conductor, a, b, index, position});
}

QStringList Netlist::conductors() const {
    QStringList names;
    for (const Edge& e : edges_)
        if (!e.conductor.isEmpty() && !names.contains(e.conductor))
            names << e.conductor;
    return names;
}

std::vector<int> Netlist::positionsOf(int combination) const {
    std::vector<int> positions(switches_);
    for (int i = 0; i < switches_; ++i)
        positions[i] = (combination >> (switches_ - 1 - i)) & 1;
    return positions;
}

Netlist::Flow Netlist::solve(int combination) const {
    return solve(positionsOf(combination));
}

Netlist::Flow Netlist::solve(const std::vector<int>& positions) const {
    Q_ASSERT(int(positions.size()) == switches_);
    std::vector<const Edge*> present;
    for (const Edge& e : edges_)
        if (e.switchIndex < 0 || positions[e.switchIndex] == e.position)
            present.push_back(&e);

    // Every simple path from phase to neutral: through the lamp it lights
    // the lamp and carries current; around it, it is a short circuit.
    Flow flow;
    QSet<QString> visited{phase_};
    std::vector<const Edge*> path;
    std::function<void(const QString&)> walk = [&](const QString& at) {
        if (at == neutral_) {
            bool throughLamp = false;
            for (const Edge* e : path)
                throughLamp = throughLamp || e->conductor.isEmpty();
            if (!throughLamp) {
                flow.shortCircuit = true;
                return;
            }
            flow.lit = true;
            for (const Edge* e : path)
                if (!e->conductor.isEmpty())
                    flow.live.insert(e->conductor);
            return;
        }
        for (const Edge* e : present) {
            const QString next = e->a == at ? e->b : e->b == at ? e->a : QString();
            if (next.isEmpty() || visited.contains(next))
                continue;
            visited.insert(next);
            path.push_back(e);
            walk(next);
            path.pop_back();
            visited.remove(next);
        }
    };
    walk(phase_);
    return flow;
}

// Terminal names: "C1.common", "C1.upper", "C1.lower" for a two-way switch
// (its lever joins the common terminal to the upper contact in position 1,
// to the lower one in position 0); "CR.upperLeft" and so on for the
// crossover; "phase.tap" and "neutral.tap" where the feed and the return
// leave the vertical supply conductors.

Netlist twoWayDiagram() {
    enum { C1, C2 };
    Netlist n("phase", "neutral", "lamp.in", "lamp.out", 2);
    n.wire("Line5", "phase", "phase.tap");
    n.wire("Line1", "phase.tap", "C1.common");
    n.wireWhen(C1, 1, "Lineinterruptor1", "C1.common", "C1.upper");
    n.wireWhen(C1, 0, "Lineinterruptor1", "C1.common", "C1.lower");
    n.wire("Line3", "C1.upper", "C2.upper");
    n.wire("Line2", "C1.lower", "C2.lower");
    n.wireWhen(C2, 1, "LineInterruptor2", "C2.upper", "C2.common");
    n.wireWhen(C2, 0, "LineInterruptor2", "C2.lower", "C2.common");
    n.wire("Line7", "C2.common", "lamp.in");
    n.wire("Line10", "lamp.out", "neutral.tap");
    n.wire("Line4", "neutral.tap", "neutral");
    return n;
}

Netlist masterBedroomDiagram() {
    enum { C1, CR, C2 };
    Netlist n("phase", "neutral", "lamp.in", "lamp.out", 3);
    n.wire("Line5", "phase", "phase.tap");
    n.wire("Line1", "phase.tap", "C1.common");
    n.wireWhen(C1, 1, "LineInterruptor1", "C1.common", "C1.upper");
    n.wireWhen(C1, 0, "LineInterruptor1", "C1.common", "C1.lower");
    n.wire("Line3", "C1.upper", "CR.upperLeft");
    n.wire("Line2", "C1.lower", "CR.lowerLeft");
    // Position 1 passes the travellers straight through, position 0 swaps
    // them.
    n.wireWhen(CR, 1, "Line_CR_1", "CR.upperLeft", "CR.upperRight");
    n.wireWhen(CR, 1, "Line_CR_2", "CR.lowerLeft", "CR.lowerRight");
    n.wireWhen(CR, 0, "Line_CR_1", "CR.upperLeft", "CR.lowerRight");
    n.wireWhen(CR, 0, "Line_CR_2", "CR.lowerLeft", "CR.upperRight");
    n.wire("Line13", "CR.upperRight", "C2.upper");
    n.wire("Line6", "CR.lowerRight", "C2.lower");
    n.wireWhen(C2, 1, "LineInterruptor2", "C2.upper", "C2.common");
    n.wireWhen(C2, 0, "LineInterruptor2", "C2.lower", "C2.common");
    n.wire("Line7", "C2.common", "lamp.in");
    n.wire("Line10", "lamp.out", "neutral.tap");
    n.wire("Line4", "neutral.tap", "neutral");
    return n;
}

} // namespace testing::wiring

namespace testing::wiring {

namespace {

// The lines of the diagram and of the truth table: those of the window and
// of its frames, not those of the miniature plan.
void collectLines(const ui::Container& container, std::vector<const ui::Line*>& lines) {
    for (const auto& child : container.children()) {
        if (auto* line = dynamic_cast<const ui::Line*>(child.get()))
            lines.push_back(line);
        else if (auto* frame = dynamic_cast<const ui::Frame*>(child.get()))
            collectLines(*frame, lines);
    }
}

bool isRed(QColor c) {
    return c.red() > 190 && c.green() < 70 && c.blue() < 70;
}
bool isBlack(QColor c) {
    return c.red() < 70 && c.green() < 70 && c.blue() < 70;
}
bool isYellow(QColor c) {
    return c.red() > 200 && c.green() > 200 && c.blue() < 90;
}

// Whether any pixel of the 3 × 3 block around `p` passes `test`: a slanted
// line is smoothed, so its centre pixel need not be pure.
bool near(const QImage& image, QPoint p, bool (*test)(QColor)) {
    for (int dy = -1; dy <= 1; ++dy)
        for (int dx = -1; dx <= 1; ++dx)
            if (test(image.pixelColor(p + QPoint(dx, dy))))
                return true;
    return false;
}

QString colourName(ui::Color c) {
    return QStringLiteral("0x%1").arg(c, 8, 16, QLatin1Char('0'));
}

// The truth-table row caption as digits: the switch positions, then the lamp.
QList<int> captionDigits(const QString& caption) {
    QList<int> digits;
    for (const QString& word : caption.split(QLatin1Char(' '), Qt::SkipEmptyParts))
        digits << word.toInt();
    return digits;
}

} // namespace

QStringList drawingDifferences(HouseFixture& house, const RoomDrawing& room, const Netlist& netlist,
                               int combination) {
    QStringList diffs;
    const auto expect = [&](bool ok, const QString& what) {
        if (!ok)
            diffs << what;
    };
    const Netlist::Flow flow = netlist.solve(combination);
    const std::vector<int> positions = netlist.positionsOf(combination);
    expect(!flow.shortCircuit, QStringLiteral("the wiring shorts phase to neutral"));
    ui::Form& form = house.window(room.window);

    for (const PositionLine& p : room.positionLines) {
        const ui::Line& line = form.line(p.line);
        const float actual = p.firstEnd ? line.y1() : line.y2();
        const float wanted = positions[p.switchIndex] ? p.position1 : p.position0;
        expect(actual == wanted,
               QStringLiteral("%1 ends at %2, not %3").arg(p.line).arg(actual).arg(wanted));
    }

    expect(form.shape("ShpBombeta").backStyle() == (flow.lit ? 1 : 0),
           QStringLiteral("lamp back style %1").arg(form.shape("ShpBombeta").backStyle()));
    expect(form.pictureBox(room.photographs, 0).visible() == flow.lit &&
               form.pictureBox(room.photographs, 1).visible() == !flow.lit,
           QStringLiteral("wrong photograph"));
    for (const QString& window : house::indicatorWindows())
        for (const QString& indicator : room.indicators)
            expect(house.window(window).image(indicator).visible() == flow.lit,
                   QStringLiteral("%1 on %2").arg(indicator, window));

    const int rows = 1 << netlist.switches();
    int highlighted = 0;
    for (int row = 0; row < rows; ++row) {
        const ui::Label& label = form.label(QStringLiteral("LblTaula"), row);
        const bool on =
            label.foreColor() == ui::colors::Red && label.backColor() == ui::colors::White;
        const bool off =
            label.foreColor() == ui::colors::Black && label.backColor() == ui::colors::ButtonFace;
        highlighted += on;
        expect(row == combination ? on : off, QStringLiteral("truth-table row %1").arg(row));
    }
    expect(highlighted == 1, QStringLiteral("%1 rows highlighted").arg(highlighted));
    QList<int> wantedDigits(positions.begin(), positions.end());
    wantedDigits << (flow.lit ? 1 : 0);
    const QString caption = form.label(QStringLiteral("LblTaula"), combination).caption();
    expect(captionDigits(caption) == wantedDigits,
           QStringLiteral("row caption \"%1\"").arg(caption));

    const QStringList conductors = netlist.conductors();
    for (const QString& name : conductors) {
        const ui::Color wanted = flow.live.contains(name) ? ui::colors::Red : ui::colors::Black;
        const ui::Color actual = form.line(name).borderColor();
        expect(
            actual == wanted,
            QStringLiteral("%1 is %2, not %3").arg(name, colourName(actual), colourName(wanted)));
    }
    std::vector<const ui::Line*> lines;
    collectLines(form, lines);
    for (const ui::Line* line : lines)
        if (!conductors.contains(line->name()))
            expect(line->borderColor() != ui::colors::Red,
                   QStringLiteral("%1 is no conductor but red").arg(line->name()));

    // The pixels: a point on each conductor, 30 % of the way along (clear of
    // the terminals and of the crossing links), and a point inside the lamp
    // beside its cross.
    const QSize size(1920, 1000);
    QWidget* surface = form.surface();
    const QSize before = surface->size();
    surface->resize(size);
    QHash<QString, QPoint> samples;
    for (const QString& name : conductors) {
        const ui::Line& line = form.line(name);
        const QPointF a(line.x1(), line.y1()), b(line.x2(), line.y2());
        samples.insert(name, form.toPixels(a + (b - a) * 0.3).toPoint());
    }
    const QRectF lamp = form.shape("ShpBombeta").bounds();
    const qreal radius = std::min(lamp.width(), lamp.height()) / 2;
    const QPoint inLamp = form.toPixels(lamp.center() - QPointF(0.6 * radius, 0)).toPoint();
    const QImage image = house.render(form, size);
    surface->resize(before);

    for (const QString& name : conductors) {
        const bool red = near(image, samples[name], isRed);
        const bool black = near(image, samples[name], isBlack);
        const bool live = flow.live.contains(name);
        expect(live ? red && !black : black && !red, QStringLiteral("%1 drawn %2")
                                                         .arg(name, red     ? "red"
                                                                    : black ? "black"
                                                                            : "neither"));
    }
    expect(isYellow(image.pixelColor(inLamp)) == flow.lit, QStringLiteral("lamp fill drawn"));

    expect(house.activeWindow() == room.window,
           QStringLiteral("%1 in front, not %2").arg(house.activeWindow(), room.window));
    expect(form.windowState() == ui::Form::WindowState::Maximized,
           QStringLiteral("window not maximised"));
    return diffs;
}

} // namespace testing::wiring
