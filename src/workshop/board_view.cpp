// SPDX-License-Identifier: GPL-3.0-or-later
#include "workshop/board_view.h"

#include "circuit/board.h"
#include "circuit/router.h"
#include "ui/pushbutton.h"
#include "workshop/board_items.h"
#include "workshop/board_painter.h"
#include "workshop/look.h"

#include <QAccessible>
#include <QKeyEvent>
#include <QPainter>
#include <QPainterPathStroker>

#include <cmath>

namespace workshop {

namespace {

using circuit::Component;
using circuit::Kind;

constexpr qreal Margin = 0.6; // grid steps round the board

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
    refresh();
}

void BoardView::createComponentItems() {
    const circuit::Exercise& e = bench_.exercise();
    for (int i = 0; i < int(e.components.size()); ++i) {
        const Component& c = e.components[size_t(i)];
        if (circuit::isSwitch(c.kind)) {
            const int sw = int(switches_.size());
            auto* button = new ui::PushButton(QString(), switchPicture(c.kind), this);
            button->setObjectName(c.name);
            button->setAccessibleName(c.name);
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
    // A changed wiring (an undo, say) may put another conductor at the
    // selected index; Delete must never remove one that was not chosen.
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
        QPolygon path = found != routeCache_.cend()
                            ? *found
                            : circuit::route(e, key.first, key.second, routes_);
        kept.insert(key, path);
        routes_.push_back(path);
    }
    routeCache_ = kept;
}

void BoardView::describeTerminal(BoardItem* item) {
    const int t = item->index();
    QString description = potentialText(shownPotential(bench_, t));
    if (t == pending_)
        description += QStringLiteral("; triat: prem un altre born per connectar-hi un conductor");
    item->setNames(bench_.exercise().terminals[size_t(t)].name, description);
}

void BoardView::refresh() {
    const circuit::Exercise& e = bench_.exercise();
    for (BoardItem* item : terminals_)
        describeTerminal(item);
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
        switches_[s]->setToolTip(switches_[s]->accessibleName() + QStringLiteral(": ") +
                                 description);
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
        const QPointF centre =
            toWidget(circuit::board::terminalPoint(e.components[size_t(t.component)], t.local));
        item->setGeometry(
            QRect(0, 0, hit, hit).translated((centre - QPointF(hit, hit) / 2).toPoint()));
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
        const QRect bounds =
            path.boundingRect().adjusted(-width, -width, width, width).toAlignedRect();
        item->setGeometry(bounds);
        item->setMask(QRegion(
            stroker.createStroke(path.translated(-bounds.topLeft())).toFillPolygon().toPolygon()));
    }
}

void BoardView::paintBoard(QPainter& painter, const QRectF& target) const {
    BoardMarks marks;
    marks.routes = &routes_;
    marks.pending = pending_;
    marks.selected = selected_;
    auto focused = [](const std::vector<BoardItem*>& items) {
        for (const BoardItem* item : items)
            if (item->hasFocus())
                return item->index();
        return -1;
    };
    marks.focusedTerminal = focused(terminals_);
    marks.focusedConductor = focused(conductors_);
    marks.focusedLamp = focused(lamps_);
    workshop::paintBoard(painter, bench_, marks, gridOrigin(target), gridScale(target));
}

void BoardView::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    paintBoard(painter, rect());
}

void BoardView::resizeEvent(QResizeEvent*) {
    placeItems();
}

QSize BoardView::sizeHint() const {
    return {int(22 * (circuit::board::Width + 2 * Margin)),
            heightForWidth(int(22 * (circuit::board::Width + 2 * Margin)))};
}

QSize BoardView::minimumSizeHint() const {
    return {320, heightForWidth(320)};
}

int BoardView::heightForWidth(int width) const {
    return int(width * (circuit::board::Height + 2 * Margin) /
               (circuit::board::Width + 2 * Margin));
}

void BoardView::terminalActivated(BoardItem* item) {
    const int t = item->index();
    if (pending_ < 0 || pending_ == t) {
        // Only the terminal's own ring changes, unless a conductor was selected.
        const bool wholeBoard = selected_ >= 0;
        selected_ = -1;
        pending_ = pending_ == t ? -1 : t;
        describeTerminal(item);
        if (wholeBoard)
            update();
        else
            item->repaintMarks();
        return;
    }
    selected_ = -1;
    const int from = pending_;
    pending_ = -1;
    if (!bench_.connectTerminals(from, t))
        refresh();
}

void BoardView::terminalReleased(BoardItem* item, QPoint position) {
    auto* target = qobject_cast<BoardItem*>(childAt(position));
    if (!target || target == item || target->role() != BoardItem::Role::Terminal ||
        pending_ != item->index())
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

void BoardView::mousePressEvent(QMouseEvent*) {
    cancelPending();
}

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
