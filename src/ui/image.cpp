// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/image.h"

#include "ui/container.h"
#include "ui/paint.h"
#include "ui/pictures.h"
#include "ui/twips.h"

#include <cmath>

namespace ui {

Image::Image(Container& host, Name name, QRectF twips, QString picture)
    : Control(host, std::move(name)), rect_(twips), picture_(std::move(picture)) {}

void Image::setPicture(const QString& picture) {
    set(picture_, picture);
}

void Image::setWidth(float width) {
    QRectF wider = rect_;
    wider.setWidth(width);
    set(rect_, wider);
}

void Image::onMouseDown(std::function<void(const MouseDown&)> handler) {
    mouseDown_ = std::move(handler);
}

void Image::press(Qt::MouseButton button, Qt::KeyboardModifiers modifiers, QPointF twips) {
    if (!visible() || !enabled() || !mouseDown_)
        return;
    const int buttonCode = button == Qt::RightButton ? 2 : button == Qt::MiddleButton ? 4 : 1;
    const int shift = (modifiers & Qt::ShiftModifier ? 1 : 0) |
                      (modifiers & Qt::ControlModifier ? 2 : 0) |
                      (modifiers & Qt::AltModifier ? 4 : 0);
    const QPointF local = twips - rect_.topLeft();
    mouseDown_({buttonCode, shift, float(local.x()), float(local.y())});
}

void Image::paint(const PaintContext& context) const {
    if (!picture_.isEmpty())
        paintPicture(context, picture_, rect_.topLeft(), rect_);
}

void paintPicture(const PaintContext& context, const QString& picture, QPointF twips, QRectF clip) {
    const QSize design = pictures::designSize(picture);
    const QRectF target = context.container.toPixels(QRectF(twips, QSizeF(design) * twipsPerPixel));
    const QRectF shown = target.intersected(context.container.toPixels(clip));
    if (shown.isEmpty())
        return;
    const QRect device = pictures::deviceRect(context.painter, target);
    QPainter& p = context.painter;
    p.save();
    p.setClipRect(shown);
    pictures::drawInDevicePixels(p, device.topLeft(), pictures::pixmap(picture, device.size()));
    p.restore();
}

} // namespace ui
