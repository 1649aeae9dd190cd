// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/container.h"

#include "ui/form.h"
#include "ui/image.h"
#include "ui/paint.h"
#include "ui/twips.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QtMath>

namespace ui {

Container::Container(Form* form) : form_(form) {}

Container::~Container() = default;

QWidget* Container::surface() const {
    return surface_;
}

void Container::createSurface(QWidget* parent) {
    surface_ = new Surface(*this, parent);
}

qreal Container::scale() const {
    return form_->pixelsPerTwip();
}

QRectF Container::toPixels(const QRectF& twips) const {
    const qreal s = scale();
    return QRectF(origin() + twips.topLeft() * s, twips.size() * s);
}

QPointF Container::toPixels(const QPointF& twips) const {
    return origin() + twips * scale();
}

QPointF Container::toTwips(const QPointF& pixels) const {
    return (pixels - origin()) / scale();
}

void Container::repaint(const QRectF& twips) const {
    // A change inside the area marked last adds nothing; returning before
    // any arithmetic keeps a loop of thousands of changes cheap.
    if (!surface_ || lastMarked_.contains(twips))
        return;
    // A margin covers pen widths and antialiasing around the edges.
    const int margin = 3 + qCeil(twipsPerPixel * scale());
    const QRect area = toPixels(twips).toAlignedRect().adjusted(-margin, -margin, margin, margin);
    if ((QRegion(area) - pending_).isEmpty())
        return;
    pending_ += area;
    lastMarked_ = twips;
    surface_->update(area);
}

void Container::adopt(Control& control) {
    if (QWidget* own = control.widget()) {
        own->raise();
        own->setVisible(control.visible());
    }
}

void Container::layoutChildren() {
    const qreal s = scale();
    if (s <= 0)
        return;
    for (const auto& child : children_) {
        QWidget* own = child->widget();
        if (!own)
            continue;
        const QRectF r = toPixels(child->bounds());
        const QPoint topLeft(qRound(r.left()), qRound(r.top()));
        const QPoint bottomRight(qRound(r.right()), qRound(r.bottom()));
        own->setGeometry(QRect(topLeft, bottomRight - QPoint(1, 1)));
        child->scaleChanged();
        if (auto* inner = dynamic_cast<Container*>(child.get()))
            inner->layoutChildren();
    }
}

Control* Container::imageAt(const QPointF& twips) const {
    for (auto it = children_.rbegin(); it != children_.rend(); ++it) {
        auto* image = dynamic_cast<Image*>(it->get());
        if (image && image->visible() && image->enabled() && image->bounds().contains(twips))
            return image;
    }
    return nullptr;
}

void Container::paintBackground(QPainter& painter) const {
    painter.fillRect(surface_->rect(), toQColor(backColor(), surface_->palette()));
}

void Container::paintForeground(QPainter&) const {}

void Container::paintSurface(QPainter& painter) const {
    pending_ = QRegion();
    lastMarked_ = QRectF();
    paintBackground(painter);
    PaintContext context{painter, *this, surface_->palette()};
    for (const auto& child : children_)
        if (!child->widget() && child->visible())
            child->paint(context);
    paintForeground(painter);
}

void Container::mousePressed(QMouseEvent* event) {
    if (auto* image = dynamic_cast<Image*>(imageAt(toTwips(event->position()))))
        image->press(event->button(), event->modifiers(), toTwips(event->position()));
}

void Container::mouseReleased(QMouseEvent*) {}

bool Container::keyPressed(QKeyEvent*) {
    return false;
}

Surface::Surface(Container& container, QWidget* parent) : QWidget(parent), container_(container) {
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void Surface::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    container_.paintSurface(painter);
}

void Surface::mousePressEvent(QMouseEvent* event) {
    container_.mousePressed(event);
}

void Surface::mouseReleaseEvent(QMouseEvent* event) {
    container_.mouseReleased(event);
}

void Surface::keyPressEvent(QKeyEvent* event) {
    if (!container_.keyPressed(event))
        QWidget::keyPressEvent(event);
}

void Surface::resizeEvent(QResizeEvent*) {
    container_.resized();
}

void Surface::focusInEvent(QFocusEvent* event) {
    QWidget::focusInEvent(event);
    update();
}

void Surface::focusOutEvent(QFocusEvent* event) {
    QWidget::focusOutEvent(event);
    update();
}

} // namespace ui
