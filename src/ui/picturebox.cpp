// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/picturebox.h"

#include "ui/form.h"
#include "ui/image.h"
#include "ui/paint.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QStyleOptionFocusRect>

namespace ui {

PictureBox::PictureBox(Container& host, Name name, QRectF twips, QString picture)
    : Control(host, std::move(name)), Container(&host.form()), rect_(twips),
      picture_(std::move(picture)) {
    createSurface(host.surface());
}

void PictureBox::setPicture(const QString& picture) {
    set(picture_, picture);
}

void PictureBox::setBackColor(Color c) {
    set(back_, c);
}

void PictureBox::onClick(std::function<void(int)> handler) {
    click_ = std::move(handler);
    updateFocusPolicy();
}

void PictureBox::setAccessibleName(const QString& name) {
    Control::setAccessibleName(name);
    updateFocusPolicy();
}

void PictureBox::updateFocusPolicy() {
    const bool operable = click_ && !accessibleName().isEmpty();
    surface()->setFocusPolicy(operable ? Qt::StrongFocus : Qt::NoFocus);
}

void PictureBox::setVisible(bool visible) {
    Control::setVisible(visible);
    surface()->setVisible(visible);
}

void PictureBox::setEnabled(bool enabled) {
    Control::setEnabled(enabled);
    surface()->setEnabled(enabled);
}

void PictureBox::paintBackground(QPainter& painter) const {
    Container::paintBackground(painter);
    if (!picture_.isEmpty()) {
        PaintContext context{painter, *this, surface()->palette()};
        paintPicture(context, picture_, QPointF(0, 0), QRectF(QPointF(0, 0), rect_.size()));
    }
}

void PictureBox::paintForeground(QPainter& painter) const {
    if (!surface()->hasFocus())
        return;
    QStyleOptionFocusRect option;
    option.initFrom(surface());
    option.rect = surface()->rect().adjusted(1, 1, -1, -1);
    surface()->style()->drawPrimitive(QStyle::PE_FrameFocusRect, &option, &painter, surface());
}

void PictureBox::mousePressed(QMouseEvent* event) {
    pressed_ = event->button() == Qt::LeftButton;
    Container::mousePressed(event);
}

void PictureBox::mouseReleased(QMouseEvent* event) {
    const bool inside = surface()->rect().contains(event->position().toPoint());
    if (pressed_ && inside && event->button() == Qt::LeftButton)
        click();
    pressed_ = false;
}

bool PictureBox::keyPressed(QKeyEvent* event) {
    switch (event->key()) {
    case Qt::Key_Space:
    case Qt::Key_Return:
    case Qt::Key_Enter:
        if (!click_)
            return false;
        click();
        return true;
    default:
        return false;
    }
}

void PictureBox::click() {
    if (click_ && enabled())
        click_(index());
}

} // namespace ui
