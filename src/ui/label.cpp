// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/label.h"

#include "ui/accessibility.h"
#include "ui/container.h"
#include "ui/paint.h"

#include <QTextLayout>

namespace ui {

namespace {

// Draws `text` wrapped at `width`, its lines as far apart as the layout's
// font sets them, so that every line lies where the layout expects it.
void drawWrapped(QPainter& painter, QString text, const FontSpec& spec, qreal width,
                 Qt::Alignment align) {
    text.replace(QLatin1String("\r\n"), QString(QChar::LineSeparator));
    text.replace(QLatin1Char('\n'), QChar::LineSeparator);
    QTextLayout layout(text, twipsFont(spec));
    QTextOption option(align);
    option.setWrapMode(QTextOption::WordWrap);
    layout.setTextOption(option);
    const qreal pitch = lineSpacingTwips(spec);
    layout.beginLayout();
    qreal top = 0;
    for (QTextLine line = layout.createLine(); line.isValid(); line = layout.createLine()) {
        line.setLineWidth(width);
        line.setPosition(QPointF(0, top));
        top += pitch;
    }
    layout.endLayout();
    layout.draw(&painter, QPointF(0, 0));
}

} // namespace

Label::Label(Container& host, Name name, QRectF twips, QString caption)
    : Control(host, std::move(name)), rect_(twips), caption_(std::move(caption)) {}

void Label::setCaption(const QString& caption) {
    // Assistive tools read a label by its caption.
    if (set(caption_, caption))
        notifyAccessibility(*this, QAccessible::NameChanged);
}
void Label::setForeColor(Color c) {
    set(foreColor_, c);
}
void Label::setBackColor(Color c) {
    set(backColor_, c);
}
void Label::setBackStyle(int style) {
    set(backStyle_, style);
}
void Label::setAlignment(Align align) {
    set(align_, align);
}

void Label::setFont(const FontSpec& font) {
    set(font_, font);
}

void Label::paint(const PaintContext& context) const {
    QPainter& p = context.painter;
    const QRectF pixels = context.container.toPixels(rect_);
    if (backStyle_ == 1)
        p.fillRect(pixels, context.color(backColor_));
    // Text is laid out in twips through a scaled painter, so it wraps at the
    // same places at every size of the window.
    p.save();
    p.setClipRect(pixels);
    p.translate(pixels.topLeft());
    p.scale(context.container.scale(), context.container.scale());
    p.setRenderHint(QPainter::TextAntialiasing);
    p.setPen(context.color(foreColor_));
    const Qt::Alignment align = align_ == Align::Centre ? Qt::AlignHCenter : Qt::AlignLeft;
    drawWrapped(p, caption_, font_, rect_.width(), align);
    p.restore();
}

} // namespace ui
