// SPDX-License-Identifier: GPL-3.0-or-later
// What a light control needs to draw itself onto its container's surface.
#pragma once

#include "ui/color.h"

#include <QPainter>
#include <QPalette>

namespace ui {

class Container;

struct PaintContext {
    QPainter& painter;
    const Container& container;
    const QPalette& palette;

    QColor color(Color c) const { return toQColor(c, palette); }
    // Pen width in pixels for a border of `width` design pixels.
    qreal penWidth(int width) const;
    // A point in twips on the surface, moved onto the pixel grid for a pen
    // of `pen` pixels when `snap` is set, so that straight lines stay sharp.
    QPointF point(QPointF twips, qreal pen, bool snapX, bool snapY) const;
};

} // namespace ui
