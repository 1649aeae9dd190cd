#include "ui/label.h"

#include "ui/container.h"
#include "ui/paint.h"

namespace ui {

Label::Label(Container& host, Name name, QRectF twips, QString caption)
    : Control(host, std::move(name)), rect_(twips), caption_(std::move(caption)) {}

template <class T> void Label::set(T& property, T value) {
    if (property == value)
        return;
    property = value;
    changed();
}

void Label::setCaption(const QString& caption) { set(caption_, caption); }
void Label::setForeColor(Color c) { set(foreColor_, c); }
void Label::setBackColor(Color c) { set(backColor_, c); }
void Label::setBackStyle(int style) { set(backStyle_, style); }
void Label::setAlignment(Align align) { set(align_, align); }

void Label::setFont(const FontSpec& font) {
    font_ = font;
    changed();
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
    p.setFont(twipsFont(font_));
    p.setPen(context.color(foreColor_));
    const int align = align_ == Align::Centre  ? Qt::AlignHCenter
                      : align_ == Align::Right ? Qt::AlignRight
                                               : Qt::AlignLeft;
    QString text = caption_;
    text.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    p.drawText(QRectF(QPointF(0, 0), rect_.size()), align | Qt::AlignTop | Qt::TextWordWrap, text);
    p.restore();
}

} // namespace ui
