// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/shape.h"

#include "ui/container.h"
#include "ui/paint.h"

namespace ui {

Shape::Shape(Container& host, Name name, Kind kind, QRectF twips)
    : Control(host, std::move(name)), kind_(kind), rect_(twips) {}

void Shape::setBackColor(Color c) {
    set(backColor_, c);
}
void Shape::setBackStyle(int style) {
    set(backStyle_, style);
}
void Shape::setBorderColor(Color c) {
    set(borderColor_, c);
}
void Shape::setBorderWidth(int width) {
    set(borderWidth_, width);
}

void Shape::paint(const PaintContext& context) const {
    QRectF area = rect_;
    if (kind_ == Kind::Circle) {
        // A circle is as large as the smaller side and centred in the box.
        const qreal d = std::min(area.width(), area.height());
        area = QRectF(area.center() - QPointF(d / 2, d / 2), QSizeF(d, d));
    }
    const qreal pen = context.penWidth(borderWidth_);
    // The border is drawn inside the control's box.
    QRectF pixels = context.container.toPixels(area).adjusted(pen / 2, pen / 2, -pen / 2, -pen / 2);
    QPainter& p = context.painter;
    p.setRenderHint(QPainter::Antialiasing, kind_ == Kind::Circle);
    p.setPen(QPen(context.color(borderColor_), pen));
    p.setBrush(backStyle_ == 1 ? QBrush(context.color(backColor_)) : Qt::NoBrush);
    if (kind_ == Kind::Circle)
        p.drawEllipse(pixels);
    else
        p.drawRect(pixels);
}

} // namespace ui
