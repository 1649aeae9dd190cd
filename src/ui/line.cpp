// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/line.h"

#include "ui/container.h"
#include "ui/paint.h"

namespace ui {

Line::Line(Container& host, Name name, float x1, float y1, float x2, float y2)
    : Control(host, std::move(name)), x1_(x1), y1_(y1), x2_(x2), y2_(y2) {}

void Line::setBorderColor(Color c) {
    set(borderColor_, c);
}

void Line::setBorderStyle(int style) {
    set(borderStyle_, style);
}

void Line::setBorderWidth(int width) {
    set(borderWidth_, width);
}

QRectF Line::bounds() const {
    return QRectF(QPointF(x1_, y1_), QPointF(x2_, y2_)).normalized();
}

void Line::paint(const PaintContext& context) const {
    if (borderStyle_ == 0)
        return;
    const qreal pen = context.penWidth(borderWidth_);
    const bool vertical = x1_ == x2_;
    const bool horizontal = y1_ == y2_;
    const QPointF a = context.point({x1_, y1_}, pen, vertical, horizontal);
    const QPointF b = context.point({x2_, y2_}, pen, vertical, horizontal);
    context.painter.setRenderHint(QPainter::Antialiasing, !(vertical || horizontal));
    context.painter.setPen(QPen(context.color(borderColor_), pen, Qt::SolidLine, Qt::SquareCap));
    context.painter.drawLine(a, b);
}

} // namespace ui
