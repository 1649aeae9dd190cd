// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/paint.h"

#include "ui/container.h"
#include "ui/twips.h"

#include <cmath>

namespace ui {

qreal PaintContext::penWidth(int width) const {
    return std::max<qreal>(1.0, std::round(width * twipsPerPixel * container.scale()));
}

QPointF PaintContext::point(QPointF twips, qreal pen, bool snapX, bool snapY) const {
    QPointF p = container.toPixels(twips);
    const qreal half = (int(pen) % 2) ? 0.5 : 0.0;
    if (snapX)
        p.setX(std::floor(p.x()) + half);
    if (snapY)
        p.setY(std::floor(p.y()) + half);
    return p;
}

} // namespace ui
