// SPDX-License-Identifier: GPL-3.0-or-later
#include "workshop/board_view.h"

#include "circuit/board.h"
#include "circuit/router.h"
#include "ui/pushbutton.h"
#include "workshop/board_items.h"
#include "workshop/board_painter.h"
#include "workshop/look.h"

#include <QAccessible>
#include <QContextMenuEvent>
#include <QHelpEvent>
#include <QKeyEvent>
#include <QMenu>
#include <QPaintEvent>
#include <QPainter>
#include <QToolTip>

#include <cmath>

namespace workshop {

namespace {

using circuit::Component;
using circuit::Kind;

QPair<int, int> keyOf(const circuit::Conductor& c) {
    return {std::min(c.from, c.to), std::max(c.from, c.to)};
}

qreal distanceToSegment(QPointF p, QPointF a, QPointF b) {
    const QPointF ab = b - a;
    const qreal length = QPointF::dotProduct(ab, ab);
    const qreal t =
        length > 0 ? std::clamp(QPointF::dotProduct(p - a, ab) / length, 0.0, 1.0) : 0.0;
    const QPointF nearest = a + t * ab;
    return std::hypot(p.x() - nearest.x(), p.y() - nearest.y());
}

qreal distanceToRect(QPointF p, const QRectF& r) {
    const qreal dx = std::max({r.left() - p.x(), 0.0, p.x() - r.right()});
    const qreal dy = std::max({r.top() - p.y(), 0.0, p.y() - r.bottom()});
    return std::hypot(dx, dy);
}

// How long a finger or button held still on a conductor takes to open its menu.
constexpr int LongPressMs = 600;
// How often a ringing bell's striker moves.
constexpr int RingMs = 120;

} // namespace

BoardView::BoardView(Workbench& bench, QWidget* parent) : QWidget(parent), bench_(bench) {
    setObjectName(QStringLiteral("Tauler"));
    setAccessibleName(QStringLiteral("Tauler"));
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
    setMouseTracking(true);
    conductorMenu_ = new QMenu(this);
    conductorMenu_->setObjectName(QStringLiteral("Menú del conductor"));
    QAction* remove = conductorMenu_->addAction(QStringLiteral("&Treu el conductor"));
    remove->setObjectName(QStringLiteral("Treu el conductor"));
    connect(remove, &QAction::triggered, this, &BoardView::removeSelectedConductor);
    longPress_.setSingleShot(true);
    longPress_.setInterval(LongPressMs);
    connect(&longPress_, &QTimer::timeout, this, [this] { offerConductorMenu(pressedAt_); });
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
        for (int sw = 0; sw < int(e.switches.size()); ++sw)
            if (e.switches[size_t(sw)] == i)
                createSwitchButton(c, sw);
        for (int t = 0; t < int(e.terminals.size()); ++t) {
            if (e.terminals[size_t(t)].component != i)
                continue;
            auto* item = new BoardItem(BoardItem::Role::Terminal, t, this);
            item->setObjectName(e.terminals[size_t(t)].name);
            connect(item, &BoardItem::activated, this, &BoardView::terminalActivated);
            terminals_.push_back(item);
        }
        if (c.kind == Kind::Lamp) {
            auto* item = new BoardItem(BoardItem::Role::Lamp, int(lamps_.size()), this);
            item->setObjectName(c.name);
            // Pressing a lamp marks it while faults are sought; else it
            // tells assistive tools again how it glows.
            connect(item, &BoardItem::activated, this, [this, item, i] {
                if (markingFaults()) {
                    markFault(circuit::FaultMark::Target::Lamp, i);
                    return;
                }
                QAccessibleEvent event(item, QAccessible::DescriptionChanged);
                QAccessible::updateAccessibility(&event);
            });
            lamps_.push_back(item);
        }
        if (c.kind == Kind::Bell || circuit::isDevice(c.kind))
            createPartItem(i);
    }
}

// A switch flips at each click; a push button is in position 1 while Space
// holds it down (the mouse and fingers hold it through the board).
void BoardView::createSwitchButton(const Component& c, int sw) {
    auto* button = new ui::PushButton(QString(), circuit::describe(c.kind).picture, this);
    button->setObjectName(bench_.exercise().switchName(sw));
    button->setAccessibleName(bench_.exercise().switchName(sw));
    button->setAttribute(Qt::WA_TransparentForMouseEvents);
    if (circuit::isMomentary(c.kind)) {
        connect(button, &QPushButton::pressed, this, [this, sw] { bench_.holdButton(sw, true); });
        connect(button, &QPushButton::released, this, [this, sw] { bench_.holdButton(sw, false); });
    } else {
        connect(button, &QPushButton::clicked, this, [this, sw] { bench_.flipSwitch(sw); });
    }
    switches_.push_back(button);
}

void BoardView::createPartItem(int component) {
    auto* item = new BoardItem(BoardItem::Role::Part, component, this);
    item->setObjectName(bench_.exercise().components[size_t(component)].name);
    connect(item, &BoardItem::activated, this, [item] {
        QAccessibleEvent event(item, QAccessible::DescriptionChanged);
        QAccessible::updateAccessibility(&event);
    });
    parts_.push_back(item);
    ring_.setInterval(RingMs);
    connect(&ring_, &QTimer::timeout, this, &BoardView::ringWhilePowered, Qt::UniqueConnection);
}

// What each part is doing, for assistive tools and tooltips: a bell
// ringing, a relay's contact, a timer's time left.
void BoardView::describeParts() {
    const circuit::Exercise& e = bench_.exercise();
    for (BoardItem* item : parts_) {
        const int c = item->index();
        const Kind kind = e.components[size_t(c)].kind;
        QString description;
        if (kind == Kind::Bell) {
            description = ringing(bench_, c) ? QStringLiteral("sona") : QStringLiteral("no sona");
        } else {
            const size_t d =
                size_t(std::find(e.devices.begin(), e.devices.end(), c) - e.devices.begin());
            description = bench_.devices().positions[d] ? QStringLiteral("contacte tancat")
                                                        : QStringLiteral("contacte obert");
            if (kind == Kind::StaircaseTimer && bench_.devices().positions[d])
                description += QStringLiteral(", ") + timeLeftText(bench_.devices().remaining[d]);
        }
        item->setNames(e.components[size_t(c)].name, description);
        item->setToolTip(e.components[size_t(c)].name + QStringLiteral(": ") + description);
    }
}

void BoardView::ringWhilePowered() {
    bool any = false;
    for (BoardItem* item : parts_)
        if (ringing(bench_, item->index())) {
            any = true;
            update(item->geometry().adjusted(-item->width() / 2, -item->height() / 2,
                                             item->width() / 2, item->height() / 2));
        }
    if (!any) {
        ring_.stop();
        ringFrame_ = 0;
        return;
    }
    ringFrame_ = 1 - ringFrame_;
    if (!ring_.isActive())
        ring_.start();
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
    select(-1);
    placeItems();
    emit itemsChanged();
}

void BoardView::routeConductors() {
    const circuit::Exercise& e = bench_.exercise();
    QHash<QPair<int, int>, circuit::Route> kept;
    routes_.clear();
    for (const circuit::Conductor& c : bench_.wiring().conductors) {
        const auto key = keyOf(c);
        auto found = routeCache_.constFind(key);
        circuit::Route path = found != routeCache_.cend()
                                  ? *found
                                  : circuit::route(e, key.first, key.second, routes_);
        kept.insert(key, path);
        routes_.push_back(path);
    }
    routeCache_ = kept;
}

void BoardView::describeTerminal(BoardItem* item) {
    const int t = item->index();
    QString description = bench_.locked() ? QString() : potentialText(shownPotential(bench_, t));
    if (t == pending_)
        description += QStringLiteral("; triat: prem un altre born per connectar-hi un conductor");
    if (t == bench_.probe(Workbench::Probe::Red))
        description += QStringLiteral("; hi ha la punta vermella");
    if (t == bench_.probe(Workbench::Probe::Black))
        description += QStringLiteral("; hi ha la punta negra");
    if (foundFault(circuit::FaultKind::OpenContact, t))
        description += QStringLiteral("; avaria: aquest contacte no tanca mai");
    item->setNames(bench_.exercise().terminals[size_t(t)].name, description);
}

void BoardView::refresh() {
    const circuit::Exercise& e = bench_.exercise();
    for (BoardItem* item : terminals_)
        describeTerminal(item);
    const auto& wires = bench_.wiring().conductors;
    for (BoardItem* item : conductors_) {
        const circuit::Conductor& c = wires[size_t(item->index())];
        const QString colour = circuit::insulationName(c.colour);
        item->setNames(
            QStringLiteral("Conductor: %1 – %2")
                .arg(e.terminals[size_t(c.from)].name, e.terminals[size_t(c.to)].name),
            (colour.isEmpty() ? QString() : colour + QStringLiteral("; ")) +
                (bench_.locked() ? QString() : potentialText(shownPotential(bench_, c.from))) +
                (foundFault(circuit::FaultKind::OpenConductor, item->index())
                     ? QStringLiteral("; avaria: trencat per dins")
                     : QString()));
    }
    for (BoardItem* item : lamps_) {
        const int lamp = e.lamps[size_t(item->index())];
        item->setNames(
            e.components[size_t(lamp)].name,
            glowText(!bench_.live() ? circuit::Glow::Off : bench_.solution().glow(item->index())) +
                (foundFault(circuit::FaultKind::BlownLamp, lamp) ? QStringLiteral("; avaria: fosa")
                                                                 : QString()));
    }
    describeParts();
    if (!parts_.empty() && !ring_.isActive())
        ringWhilePowered();
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
        const QPointF centre = toWidget(circuit::board::bodyCentre(c));
        const qreal r = circuit::LampRadius * s;
        item->setGeometry(QRectF(centre - QPointF(r, r), QSizeF(2 * r, 2 * r)).toRect());
    }
    for (size_t i = 0; i < switches_.size(); ++i) {
        const Component& c = e.components[size_t(e.switches[i])];
        const QRectF area = circuit::board::buttonArea(c, e.switchActuators[i]);
        // Two grid steps wide, in the middle of its area.
        const QPointF corner = area.topLeft() + QPointF((area.width() - 2) / 2, 0.35);
        const QRectF r(toWidget(corner), QSizeF(2 * s, 1.4 * s));
        switches_[i]->setGeometry(r.toRect());
        switches_[i]->setIconSize(QSize(int(1.1 * s), int(1.1 * s)));
    }
    for (BoardItem* item : parts_) {
        const Component& c = e.components[size_t(item->index())];
        const QRectF body = QRectF(circuit::describe(c.kind).body).translated(c.place);
        item->setGeometry(QRectF(toWidget(body.topLeft()), body.size() * s).toRect());
    }
    for (BoardItem* item : conductors_) {
        const circuit::Route& route = routes_[size_t(item->index())];
        QRectF bounds(toWidget(route.first()), QSizeF());
        for (const QPoint& point : route)
            bounds = bounds.united(QRectF(toWidget(point), QSizeF(1, 1)));
        item->setGeometry(bounds.adjusted(-s / 4, -s / 4, s / 4, s / 4).toAlignedRect());
    }
}

void BoardView::paintBoard(QPainter& painter, const QRectF& target, const QRectF& exposed) const {
    BoardMarks marks;
    marks.exposed = exposed;
    marks.routes = &routes_;
    marks.pending = pending_;
    marks.selected = selected_;
    // While faults are sought the testers, not colours, tell where the
    // phase is.
    marks.showVoltage = showVoltage_ && !bench_.locked();
    marks.redProbe = bench_.probe(Workbench::Probe::Red);
    marks.blackProbe = bench_.probe(Workbench::Probe::Black);
    auto focused = [](const std::vector<BoardItem*>& items) {
        for (const BoardItem* item : items)
            if (item->hasFocus())
                return item->index();
        return -1;
    };
    marks.focusedTerminal = focused(terminals_);
    marks.focusedConductor = focused(conductors_);
    marks.focusedLamp = focused(lamps_);
    marks.ringFrame = ringFrame_;
    marks.focusedPart = focused(parts_);
    workshop::paintBoard(painter, bench_, marks, gridOrigin(target), gridScale(target));
}

void BoardView::paintEvent(QPaintEvent* event) {
    QPainter painter(this);
    paintBoard(painter, rect(), event->rect());
}

void BoardView::resizeEvent(QResizeEvent*) {
    placeItems();
}

QSize BoardView::sizeHint() const {
    return QSizeF(22 * (circuit::board::Width + 2 * Margin),
                  22 * (circuit::board::Height + 2 * Margin))
        .toSize();
}

QSize BoardView::minimumSizeHint() const {
    return sizeHint() / 2;
}

// Whether a fault of this kind at `where` (a terminal, a conductor or a
// lamp's component) has been found and is still in the board.
bool BoardView::foundFault(circuit::FaultKind kind, int where) const {
    const auto& faults = bench_.wiring().faults;
    const std::vector<bool> found = bench_.found();
    for (size_t i = 0; i < faults.size() && i < found.size(); ++i) {
        const circuit::Fault& f = faults[i];
        const int at = kind == circuit::FaultKind::OpenConductor ? f.conductor
                       : kind == circuit::FaultKind::BlownLamp   ? f.component
                                                                 : f.terminal;
        if (found[i] && f.kind == kind && at == where)
            return true;
    }
    return false;
}

bool BoardView::markingFaults() const {
    return bench_.locked() && bench_.mode() == Workbench::Mode::Mark;
}

void BoardView::markFault(circuit::FaultMark::Target target, int index) {
    emit faultMarked(bench_.markFault(target, index));
    refresh();
}

void BoardView::setNextProbe(Workbench::Probe probe) {
    if (nextProbe_ == probe)
        return;
    nextProbe_ = probe;
    emit nextProbeChanged(probe);
}

// While faults are sought, a terminal takes the next probe of the tester
// in use, red then black, or a mark.
void BoardView::testTerminal(int t) {
    if (bench_.mode() == Workbench::Mode::Mark) {
        markFault(circuit::FaultMark::Target::Terminal, t);
        return;
    }
    const Workbench::Probe probe = nextProbe_;
    setNextProbe(probe == Workbench::Probe::Red ? Workbench::Probe::Black : Workbench::Probe::Red);
    bench_.placeProbe(probe, t);
}

void BoardView::terminalActivated(BoardItem* item) {
    const int t = item->index();
    if (bench_.locked()) {
        testTerminal(t);
        return;
    }
    if (pending_ < 0 || pending_ == t) {
        // Only the terminal's own ring changes, unless a conductor was selected.
        const bool wholeBoard = selected_ >= 0;
        select(-1);
        pending_ = pending_ == t ? -1 : t;
        if (pending_ >= 0 && !colourChosen_)
            setColour(circuit::usualColour(bench_.exercise(), t));
        describeTerminal(item);
        if (wholeBoard)
            update();
        else
            item->repaintMarks();
        return;
    }
    select(-1);
    const int from = pending_;
    pending_ = -1;
    if (!colourChosen_)
        setColour(circuit::usualColour(bench_.exercise(), from, t));
    colourChosen_ = false;
    if (!bench_.connectTerminals(from, t, colour_))
        refresh();
}

void BoardView::setColour(circuit::Insulation colour) {
    if (colour_ == colour)
        return;
    colour_ = colour;
    emit colourChanged(colour);
}

void BoardView::chooseColour(circuit::Insulation colour) {
    setColour(colour);
    const int conductor = selected_;
    colourChosen_ = conductor < 0;
    if (conductor < 0)
        return;
    bench_.recolourConductor(conductor, colour);
    // The same conductor stays chosen, to be coloured again or removed.
    select(conductor);
    refresh();
}

void BoardView::setShowVoltage(bool shown) {
    showVoltage_ = shown;
    update();
}

void BoardView::conductorActivated(BoardItem* item) {
    if (bench_.locked()) {
        if (markingFaults())
            markFault(circuit::FaultMark::Target::Conductor, item->index());
        return;
    }
    pending_ = -1;
    select(item->index());
    // The palette shows the chosen conductor's colour; a colour chosen
    // before for the next conductor is forgotten.
    colourChosen_ = false;
    const circuit::Insulation colour = bench_.wiring().conductors[size_t(item->index())].colour;
    if (colour != circuit::Insulation::Unstated)
        setColour(colour);
    refresh();
}

void BoardView::select(int conductor) {
    if (selected_ == conductor)
        return;
    selected_ = conductor;
    emit selectionChanged(conductor);
}

void BoardView::cancelPending() {
    pending_ = -1;
    select(-1);
    refresh();
}

void BoardView::removeSelectedConductor() {
    if (selected_ < 0)
        return;
    const int removed = selected_;
    const int from = bench_.wiring().conductors[size_t(removed)].from;
    select(-1);
    bench_.removeConductor(removed);
    for (BoardItem* t : terminals_)
        if (t->index() == from)
            t->setFocus(Qt::OtherFocusReason);
}

QWidget* BoardView::itemAt(QPointF point) const {
    QWidget* nearest = nullptr;
    qreal best = Reach;
    // Earlier kinds win ties: a press on a terminal where conductors meet
    // is for the terminal.
    auto consider = [&](QWidget* item, qreal distance) {
        if (distance < best || (distance == best && !nearest)) {
            best = distance;
            nearest = item;
        }
    };
    auto distanceToCentre = [&](QWidget* item) {
        const QPointF d = point - QRectF(item->geometry()).center();
        return std::max(0.0, std::hypot(d.x(), d.y()) - item->width() / 2.0);
    };
    for (BoardItem* t : terminals_)
        consider(t, distanceToCentre(t));
    for (QPushButton* button : switches_)
        consider(button, distanceToRect(point, QRectF(button->geometry())));
    for (BoardItem* lamp : lamps_)
        consider(lamp, distanceToCentre(lamp));
    for (BoardItem* part : parts_)
        consider(part, distanceToRect(point, QRectF(part->geometry())));
    for (BoardItem* c : conductors_) {
        const circuit::Route& route = routes_[size_t(c->index())];
        for (int i = 1; i < route.size(); ++i)
            consider(c, distanceToSegment(point, toWidget(route[i - 1]), toWidget(route[i])));
    }
    return nearest;
}

BoardItem* BoardView::terminalAt(QPointF point) const {
    auto* item = qobject_cast<BoardItem*>(itemAt(point));
    return item && item->role() == BoardItem::Role::Terminal ? item : nullptr;
}

void BoardView::pressItem(QWidget* item) {
    item->setFocus(Qt::MouseFocusReason);
    auto* button = qobject_cast<QPushButton*>(item);
    const auto sw = std::find(switches_.begin(), switches_.end(), button) - switches_.begin();
    const circuit::Exercise& e = bench_.exercise();
    if (button && circuit::isMomentary(e.components[size_t(e.switches[size_t(sw)])].kind)) {
        held_ = int(sw);
        button->setDown(true);
        bench_.holdButton(held_, true);
    } else if (button)
        button->click();
    else
        emit static_cast<BoardItem*>(item)->activated(static_cast<BoardItem*>(item));
}

void BoardView::offerConductorMenu(QPoint at) {
    if (selected_ < 0)
        return;
    // Beside the finger, not under it, so that lifting it chooses nothing.
    conductorMenu_->popup(mapToGlobal(at + QPoint(int(Reach), int(Reach) / 2)));
}

bool BoardView::event(QEvent* event) {
    if (event->type() == QEvent::ToolTip) {
        auto* help = static_cast<QHelpEvent*>(event);
        if (QWidget* item = itemAt(help->pos()))
            QToolTip::showText(help->globalPos(), item->toolTip(), this);
        else
            QToolTip::hideText();
        return true;
    }
    return QWidget::event(event);
}

void BoardView::mousePressEvent(QMouseEvent* event) {
    const QPoint at = event->position().toPoint();
    QWidget* item = itemAt(at);
    auto* boardItem = qobject_cast<BoardItem*>(item);
    const bool onConductor = boardItem && boardItem->role() == BoardItem::Role::Conductor;
    if (event->button() == Qt::RightButton) {
        // What the context menu that follows acts on.
        if (onConductor)
            conductorActivated(boardItem);
        return;
    }
    if (event->button() != Qt::LeftButton)
        return;
    if (!item) {
        cancelPending();
        return;
    }
    pressItem(item);
    draggedFrom_ = pending_;
    pressedAt_ = at;
    if (onConductor)
        longPress_.start();
}

void BoardView::mouseMoveEvent(QMouseEvent* event) {
    const QPoint at = event->position().toPoint();
    if ((at - pressedAt_).manhattanLength() > Reach / 2)
        longPress_.stop();
    setCursor(itemAt(at) ? Qt::PointingHandCursor : Qt::ArrowCursor);
}

void BoardView::letGo() {
    if (held_ < 0)
        return;
    const int sw = std::exchange(held_, -1);
    switches_[size_t(sw)]->setDown(false);
    bench_.holdButton(sw, false);
}

void BoardView::mouseReleaseEvent(QMouseEvent* event) {
    longPress_.stop();
    if (event->button() == Qt::LeftButton)
        letGo();
    const int from = std::exchange(draggedFrom_, -1);
    if (event->button() != Qt::LeftButton || from < 0 || pending_ != from)
        return;
    // Let go over another terminal: the end of a drag.
    BoardItem* target = terminalAt(event->position());
    if (target && target->index() != from)
        terminalActivated(target);
}

void BoardView::contextMenuEvent(QContextMenuEvent* event) {
    if (event->reason() == QContextMenuEvent::Mouse) {
        auto* item = qobject_cast<BoardItem*>(itemAt(event->pos()));
        if (!item || item->role() != BoardItem::Role::Conductor)
            return;
        offerConductorMenu(event->pos());
    } else if (selected_ >= 0) {
        offerConductorMenu(conductors_[size_t(selected_)]->geometry().center());
    }
}

void BoardView::keyPressEvent(QKeyEvent* event) {
    if ((event->key() == Qt::Key_Delete || event->key() == Qt::Key_Backspace) && selected_ >= 0) {
        removeSelectedConductor();
        return;
    }
    if (event->key() == Qt::Key_Escape && (pending_ >= 0 || selected_ >= 0)) {
        cancelPending();
        return;
    }
    QWidget::keyPressEvent(event);
}

} // namespace workshop
