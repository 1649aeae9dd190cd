#include "workshop/board_view.h"

#include "circuit/board.h"
#include "circuit/router.h"
#include "ui/pictures.h"
#include "workshop/board_items.h"
#include "workshop/look.h"

#include <QAccessible>
#include <QKeyEvent>
#include <QPainter>
#include <QPainterPathStroker>
#include <QPushButton>

#include <cmath>

namespace workshop {

namespace {

using circuit::Component;
using circuit::Kind;

constexpr qreal Margin = 0.6;         // grid steps round the board
constexpr qreal WireWidth = 0.16;     // a conductor
constexpr qreal TerminalRadius = 0.28;
constexpr qreal LampRadius = 1.3;

QString switchPicture(Kind kind) {
    switch (kind) {
    case Kind::TwoWay:
        return QStringLiteral("switch_two_way");
    case Kind::Intermediate:
        return QStringLiteral("switch_intermediate");
    default:
        return QStringLiteral("switch_single");
    }
}

// Draws one component in grid steps, with the painter already scaled.
class ComponentPainter {
public:
    ComponentPainter(QPainter& painter, const Workbench& bench) : p_(painter), bench_(bench) {}

    void draw(int index) {
        const Component& c = bench_.exercise().components[size_t(index)];
        switch (c.kind) {
        case Kind::Phase:
        case Kind::Neutral:
            drawBar(c);
            break;
        case Kind::Lamp:
            drawLamp(c, lampIndex(index));
            break;
        default:
            drawSwitch(c, switchIndex(index));
            break;
        }
    }

private:
    int lampIndex(int component) const {
        const auto& lamps = bench_.exercise().lamps;
        return int(std::find(lamps.begin(), lamps.end(), component) - lamps.begin());
    }
    int switchIndex(int component) const {
        const auto& switches = bench_.exercise().switches;
        return int(std::find(switches.begin(), switches.end(), component) - switches.begin());
    }
    QColor colourOf(const Component& c, const QString& local) const {
        const auto t = bench_.exercise().terminal(local.isEmpty() ? c.name : c.name + QStringLiteral(", ") + local);
        return potentialColour(shownPotential(bench_, *t));
    }
    void pen(const QColor& colour, qreal width = WireWidth) {
        QPen pen(colour, width);
        pen.setCapStyle(Qt::RoundCap);
        pen.setJoinStyle(Qt::RoundJoin);
        p_.setPen(pen);
        p_.setBrush(Qt::NoBrush);
    }
    // A point of the component, mirrored when the component is.
    QPointF at(const Component& c, qreal x, qreal y) const {
        const qreal w = circuit::board::footprint(c).width();
        return QPointF(c.place) + QPointF(c.mirrored ? w - x : x, y);
    }

    void drawBar(const Component& c) {
        const QColor colour = colourOf(c, QString());
        pen(colour, 0.5);
        p_.drawLine(at(c, 0.4, 1), at(c, 6, 1));
        QFont font = p_.font();
        font.setBold(true);
        font.setPixelSize(100);
        p_.save();
        p_.translate(at(c, 0.2, 0.7));
        p_.scale(0.0075, 0.0075);
        p_.setFont(font);
        p_.setPen(Qt::black);
        p_.drawText(QPointF(0, 0), c.kind == Kind::Phase ? QStringLiteral("FASE") : QStringLiteral("NEUTRE"));
        p_.restore();
    }

    void drawLamp(const Component& c, int lamp) {
        const QPointF centre = at(c, 2, 2);
        const double brightness = bench_.tripped() ? 0 : bench_.solution().brightness[size_t(lamp)];
        pen(colourOf(c, QStringLiteral("born 1")));
        p_.drawLine(at(c, 0, 2), at(c, 2 - LampRadius, 2));
        pen(colourOf(c, QStringLiteral("born 2")));
        p_.drawLine(at(c, 2 + LampRadius, 2), at(c, 4, 2));
        if (circuit::glowOf(brightness) == circuit::Glow::Full) {
            const qreal glow = std::min(1.0, brightness);
            QRadialGradient halo(centre, LampRadius * 1.9);
            halo.setColorAt(0, QColor(255, 240, 80, int(150 * glow)));
            halo.setColorAt(1, QColor(255, 240, 80, 0));
            p_.setPen(Qt::NoPen);
            p_.setBrush(halo);
            p_.drawEllipse(centre, LampRadius * 1.9, LampRadius * 1.9);
        }
        pen(Qt::black, 0.1);
        QColor fill = lampColour();
        fill.setAlphaF(std::min(1.0, std::pow(brightness, 0.7)));
        p_.setBrush(fill);
        p_.drawEllipse(centre, LampRadius, LampRadius);
        const qreal d = LampRadius / std::sqrt(2.0);
        p_.drawLine(centre + QPointF(-d, -d), centre + QPointF(d, d));
        p_.drawLine(centre + QPointF(-d, d), centre + QPointF(d, -d));
        drawCaption(c, QRectF(QPointF(c.place) + QPointF(0, 3.45), QSizeF(4, 0.5)));
    }

    void drawSwitch(const Component& c, int sw) {
        const int position = bench_.wiring().positions[size_t(sw)];
        // Symbol rows: the buttons take the two rows above.
        const qreal y0 = 2;
        QPen box(QColor(0, 0, 0, 60), 0.05, Qt::DashLine);
        p_.setPen(box);
        p_.setBrush(Qt::NoBrush);
        p_.drawRoundedRect(QRectF(QPointF(c.place) + QPointF(0.5, y0 + 0.4), QSizeF(3, 3.2)), 0.3, 0.3);
        auto contact = [&](qreal x, qreal y, const QString& local) {
            pen(colourOf(c, local));
            p_.drawLine(at(c, x < 2 ? 0 : 4, y), at(c, x, y));
            p_.setBrush(Qt::white);
            pen(Qt::black, 0.06);
            p_.setBrush(Qt::white);
            p_.drawEllipse(at(c, x, y), 0.14, 0.14);
        };
        auto lever = [&](qreal x1, qreal y1, qreal x2, qreal y2, const QString& local) {
            pen(colourOf(c, local), WireWidth * 1.2);
            p_.drawLine(at(c, x1, y1), at(c, x2, y2));
        };
        const QString b1 = QStringLiteral("born 1"), b2 = QStringLiteral("born 2");
        switch (c.kind) {
        case Kind::Switch:
            contact(1, y0 + 2, b1);
            contact(3, y0 + 2, b2);
            if (position == 1)
                lever(1, y0 + 2, 3, y0 + 2, b1);
            else
                lever(1, y0 + 2, 2.8, y0 + 1.1, b1);
            break;
        case Kind::TwoWay: {
            const QString common = QStringLiteral("comú");
            contact(1, y0 + 2, common);
            contact(3, y0 + 1, b1);
            contact(3, y0 + 3, b2);
            lever(1, y0 + 2, 3, position == 0 ? y0 + 1 : y0 + 3, common);
            break;
        }
        case Kind::Intermediate: {
            const QString b3 = QStringLiteral("born 3"), b4 = QStringLiteral("born 4");
            contact(1, y0 + 1, b1);
            contact(1, y0 + 3, b2);
            contact(3, y0 + 1, b3);
            contact(3, y0 + 3, b4);
            if (position == 0) {
                lever(1, y0 + 1, 3, y0 + 3, b1);
                lever(1, y0 + 3, 3, y0 + 1, b2);
            } else {
                lever(1, y0 + 1, 3, y0 + 1, b1);
                lever(1, y0 + 3, 3, y0 + 3, b2);
            }
            break;
        }
        default:
            break;
        }
        drawCaption(c, QRectF(QPointF(c.place) + QPointF(0, y0 + 3.55), QSizeF(4, 0.5)));
    }

    void drawCaption(const Component& c, const QRectF& rect) {
        QFont font = p_.font();
        font.setBold(false);
        font.setPixelSize(100);
        p_.save();
        p_.translate(rect.topLeft());
        p_.scale(0.0045, 0.0045);
        p_.setFont(font);
        p_.setPen(QColor(60, 60, 60));
        p_.drawText(QRectF(0, 0, rect.width() / 0.0045, rect.height() / 0.0045),
                    Qt::AlignHCenter | Qt::AlignTop, c.name);
        p_.restore();
    }

    QPainter& p_;
    const Workbench& bench_;
};

QPair<int, int> keyOf(const circuit::Conductor& c) {
    return {std::min(c.from, c.to), std::max(c.from, c.to)};
}

} // namespace

BoardView::BoardView(Workbench& bench, QWidget* parent) : QWidget(parent), bench_(bench) {
    setObjectName(QStringLiteral("Tauler"));
    setAccessibleName(QStringLiteral("Tauler"));
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
    createComponentItems();
    connect(&bench_, &Workbench::wiringChanged, this, &BoardView::wiringChanged);
    connect(&bench_, &Workbench::changed, this, &BoardView::refresh);
    wiringChanged();
}

void BoardView::createComponentItems() {
    const circuit::Exercise& e = bench_.exercise();
    for (int i = 0; i < int(e.components.size()); ++i) {
        const Component& c = e.components[size_t(i)];
        if (circuit::isSwitch(c.kind)) {
            const int sw = int(switches_.size());
            auto* button = new QPushButton(this);
            button->setObjectName(c.name);
            button->setAccessibleName(c.name);
            button->setIcon(ui::pictures::icon(switchPicture(c.kind)));
            connect(button, &QPushButton::clicked, this, [this, sw] { bench_.flipSwitch(sw); });
            switches_.push_back(button);
        }
        for (int t = 0; t < int(e.terminals.size()); ++t) {
            if (e.terminals[size_t(t)].component != i)
                continue;
            auto* item = new BoardItem(BoardItem::Role::Terminal, t, this);
            item->setObjectName(e.terminals[size_t(t)].name);
            connect(item, &BoardItem::activated, this, &BoardView::terminalActivated);
            connect(item, &BoardItem::releasedAt, this, &BoardView::terminalReleased);
            terminals_.push_back(item);
        }
        if (c.kind == Kind::Lamp) {
            auto* item = new BoardItem(BoardItem::Role::Lamp, int(lamps_.size()), this);
            item->setObjectName(c.name);
            // Pressing a lamp tells assistive tools again how it glows.
            connect(item, &BoardItem::activated, this, [item] {
                QAccessibleEvent event(item, QAccessible::DescriptionChanged);
                QAccessible::updateAccessibility(&event);
            });
            lamps_.push_back(item);
        }
    }
}

void BoardView::wiringChanged() {
    routeConductors();
    const auto& wires = bench_.wiring().conductors;
    while (conductors_.size() > wires.size()) {
        delete conductors_.back();
        conductors_.pop_back();
    }
    while (conductors_.size() < wires.size()) {
        auto* item = new BoardItem(BoardItem::Role::Conductor, int(conductors_.size()), this);
        connect(item, &BoardItem::activated, this, &BoardView::conductorActivated);
        conductors_.push_back(item);
        item->show();
    }
    // Terminals lie over the conductors that meet them.
    for (BoardItem* t : terminals_)
        t->raise();
    if (selected_ >= int(wires.size()))
        selected_ = -1;
    placeItems();
    emit itemsChanged();
}

void BoardView::routeConductors() {
    const circuit::Exercise& e = bench_.exercise();
    QHash<QPair<int, int>, QPolygon> kept;
    routes_.clear();
    for (const circuit::Conductor& c : bench_.wiring().conductors) {
        const auto key = keyOf(c);
        auto found = routeCache_.constFind(key);
        QPolygon path = found != routeCache_.cend() ? *found : circuit::route(e, key.first, key.second, routes_);
        kept.insert(key, path);
        routes_.push_back(path);
    }
    routeCache_ = kept;
}

void BoardView::refresh() {
    const circuit::Exercise& e = bench_.exercise();
    for (BoardItem* item : terminals_) {
        const int t = item->index();
        QString description = potentialText(shownPotential(bench_, t));
        if (t == pending_)
            description += QStringLiteral("; triat: prem un altre born per connectar-hi un conductor");
        item->setNames(e.terminals[size_t(t)].name, description);
    }
    const auto& wires = bench_.wiring().conductors;
    for (BoardItem* item : conductors_) {
        const circuit::Conductor& c = wires[size_t(item->index())];
        item->setNames(QStringLiteral("Conductor: %1 – %2")
                           .arg(e.terminals[size_t(c.from)].name, e.terminals[size_t(c.to)].name),
                       potentialText(shownPotential(bench_, c.from)));
    }
    for (BoardItem* item : lamps_)
        item->setNames(e.components[size_t(e.lamps[size_t(item->index())])].name,
                       glowText(bench_.tripped() ? circuit::Glow::Off
                                                 : bench_.solution().glow(item->index())));
    for (size_t s = 0; s < switches_.size(); ++s) {
        const QString description = QStringLiteral("posició %1").arg(bench_.wiring().positions[s]);
        switches_[s]->setAccessibleDescription(description);
        switches_[s]->setToolTip(switches_[s]->accessibleName() + QStringLiteral(": ") + description);
    }
    update();
}

qreal BoardView::gridScale(const QRectF& target) const {
    return std::min(target.width() / (circuit::board::Width + 2 * Margin),
                    target.height() / (circuit::board::Height + 2 * Margin));
}

QPointF BoardView::gridOrigin(const QRectF& target) const {
    const qreal s = gridScale(target);
    const QSizeF used(circuit::board::Width * s, circuit::board::Height * s);
    return target.center() - QPointF(used.width() / 2, used.height() / 2);
}

QPointF BoardView::toWidget(QPointF grid) const {
    const QRectF r = rect();
    return gridOrigin(r) + grid * gridScale(r);
}

void BoardView::placeItems() {
    const qreal s = gridScale(rect());
    const circuit::Exercise& e = bench_.exercise();
    const int hit = int(std::max<qreal>(0.9 * s, 14));
    for (BoardItem* item : terminals_) {
        const circuit::Terminal& t = e.terminals[size_t(item->index())];
        const QPointF centre = toWidget(circuit::board::terminalPoint(e.components[size_t(t.component)], t.local));
        item->setGeometry(QRect(0, 0, hit, hit).translated((centre - QPointF(hit, hit) / 2).toPoint()));
    }
    for (BoardItem* item : lamps_) {
        const Component& c = e.components[size_t(e.lamps[size_t(item->index())])];
        const QPointF centre = toWidget(QPointF(c.place) + QPointF(2, 2));
        const qreal r = LampRadius * s;
        item->setGeometry(QRectF(centre - QPointF(r, r), QSizeF(2 * r, 2 * r)).toRect());
    }
    for (size_t i = 0; i < switches_.size(); ++i) {
        const Component& c = e.components[size_t(e.switches[i])];
        const QRectF area = circuit::board::buttonArea(c);
        const QRectF r(toWidget(area.topLeft() + QPointF(1.0, 0.35)), QSizeF(2 * s, 1.4 * s));
        switches_[i]->setGeometry(r.toRect());
        switches_[i]->setIconSize(QSize(int(1.1 * s), int(1.1 * s)));
    }
    const qreal width = std::max<qreal>(0.55 * s, 10);
    for (BoardItem* item : conductors_) {
        QPainterPath path;
        const QPolygon& route = routes_[size_t(item->index())];
        path.moveTo(toWidget(route.first()));
        for (int i = 1; i < route.size(); ++i)
            path.lineTo(toWidget(route[i]));
        QPainterPathStroker stroker;
        stroker.setWidth(width);
        const QRect bounds = path.boundingRect().adjusted(-width, -width, width, width).toAlignedRect();
        item->setGeometry(bounds);
        item->setMask(QRegion(stroker.createStroke(path.translated(-bounds.topLeft())).toFillPolygon().toPolygon()));
    }
}

void BoardView::paintBoard(QPainter& painter, const QRectF& target) const {
    const qreal s = gridScale(target);
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    painter.translate(gridOrigin(target));
    painter.scale(s, s);
    ComponentPainter components(painter, bench_);
    for (int i = 0; i < int(bench_.exercise().components.size()); ++i)
        components.draw(i);

    const auto& wires = bench_.wiring().conductors;
    for (size_t i = 0; i < wires.size(); ++i) {
        const bool focused = i < conductors_.size() && conductors_[i]->hasFocus();
        if (int(i) == selected_ || focused) {
            QPen halo(highlightColour(), WireWidth * 4, int(i) == selected_ ? Qt::SolidLine : Qt::DotLine,
                      Qt::RoundCap, Qt::RoundJoin);
            painter.setPen(halo);
            painter.drawPolyline(routes_[i]);
        }
        painter.setPen(QPen(potentialColour(shownPotential(bench_, wires[i].from)), WireWidth, Qt::SolidLine,
                            Qt::RoundCap, Qt::RoundJoin));
        painter.drawPolyline(routes_[i]);
    }

    const circuit::Exercise& e = bench_.exercise();
    for (const BoardItem* item : terminals_) {
        const int t = item->index();
        const circuit::Terminal& terminal = e.terminals[size_t(t)];
        const QPointF at = circuit::board::terminalPoint(e.components[size_t(terminal.component)], terminal.local);
        if (item->hasFocus()) {
            painter.setPen(QPen(highlightColour(), 0.08, Qt::DotLine));
            painter.setBrush(Qt::NoBrush);
            painter.drawEllipse(at, 0.5, 0.5);
        }
        painter.setPen(QPen(Qt::black, t == pending_ ? 0.12 : 0.07));
        painter.setBrush(t == pending_ ? QColor(255, 210, 0) : QColor(Qt::white));
        const qreal r = t == pending_ ? TerminalRadius * 1.35 : TerminalRadius;
        painter.drawEllipse(at, r, r);
    }
    for (const BoardItem* item : lamps_)
        if (item->hasFocus()) {
            const Component& c = e.components[size_t(e.lamps[size_t(item->index())])];
            painter.setPen(QPen(highlightColour(), 0.08, Qt::DotLine));
            painter.setBrush(Qt::NoBrush);
            painter.drawEllipse(QPointF(c.place) + QPointF(2, 2), LampRadius + 0.3, LampRadius + 0.3);
        }
    painter.restore();
}

void BoardView::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    paintBoard(painter, rect());
}

void BoardView::resizeEvent(QResizeEvent*) { placeItems(); }

QSize BoardView::sizeHint() const { return {int(22 * (circuit::board::Width + 2 * Margin)), heightForWidth(int(22 * (circuit::board::Width + 2 * Margin)))}; }

QSize BoardView::minimumSizeHint() const { return {320, heightForWidth(320)}; }

int BoardView::heightForWidth(int width) const {
    return int(width * (circuit::board::Height + 2 * Margin) / (circuit::board::Width + 2 * Margin));
}

void BoardView::terminalActivated(BoardItem* item) {
    const int t = item->index();
    selected_ = -1;
    if (pending_ < 0 || pending_ == t) {
        pending_ = pending_ == t ? -1 : t;
        refresh();
        return;
    }
    const int from = pending_;
    pending_ = -1;
    if (!bench_.connectTerminals(from, t))
        refresh();
}

void BoardView::terminalReleased(BoardItem* item, QPoint position) {
    auto* target = qobject_cast<BoardItem*>(childAt(position));
    if (!target || target == item || target->role() != BoardItem::Role::Terminal || pending_ != item->index())
        return;
    terminalActivated(target);
}

void BoardView::conductorActivated(BoardItem* item) {
    pending_ = -1;
    selected_ = item->index();
    refresh();
}

void BoardView::cancelPending() {
    pending_ = -1;
    selected_ = -1;
    refresh();
}

void BoardView::mousePressEvent(QMouseEvent*) { cancelPending(); }

void BoardView::keyPressEvent(QKeyEvent* event) {
    if ((event->key() == Qt::Key_Delete || event->key() == Qt::Key_Backspace) && selected_ >= 0) {
        const int removed = selected_;
        const int from = bench_.wiring().conductors[size_t(removed)].from;
        selected_ = -1;
        bench_.removeConductor(removed);
        for (BoardItem* t : terminals_)
            if (t->index() == from)
                t->setFocus(Qt::OtherFocusReason);
        return;
    }
    if (event->key() == Qt::Key_Escape && (pending_ >= 0 || selected_ >= 0)) {
        cancelPending();
        return;
    }
    QWidget::keyPressEvent(event);
}

} // namespace workshop
