// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/frame.h"

#include "ui/form.h"

#include <QPainter>

namespace ui {

Frame::Frame(Container& host, Name name, QRectF twips, QString caption)
    : Control(host, std::move(name)), Container(&host.form()), rect_(twips),
      caption_(std::move(caption)) {
    createSurface(host.surface());
}

void Frame::setVisible(bool visible) {
    Control::setVisible(visible);
    surface()->setVisible(visible);
}

void Frame::paintBackground(QPainter& painter) const {
    Container::paintBackground(painter);
    const qreal s = scale();
    const QPalette& palette = surface()->palette();
    painter.save();
    painter.scale(s, s);
    painter.setFont(twipsFont(font_));
    const QFontMetricsF metrics(painter.font());
    const qreal textTop = 0;
    const qreal lineY = metrics.height() / 2;
    const QRectF box(QPointF(8, lineY), rect_.size() - QSizeF(16, lineY + 8));
    // An etched border: a dark line with a light one beside it.
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.setPen(QPen(palette.color(QPalette::Mid), 1.0 / s));
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(box);
    painter.setPen(QPen(palette.color(QPalette::Light), 1.0 / s));
    painter.drawRect(box.translated(1.0 / s, 1.0 / s));
    const QRectF text(QPointF(120, textTop),
                      QSizeF(metrics.horizontalAdvance(caption_) + 60, metrics.height()));
    painter.fillRect(text, toQColor(backColor(), palette));
    painter.setPen(toQColor(colors::ButtonText, palette));
    painter.drawText(text, Qt::AlignCenter, caption_);
    painter.restore();
}

} // namespace ui
