// SPDX-License-Identifier: GPL-3.0-or-later
#include "workshop/palette.h"

#include "ui/pushbutton.h"
#include "workshop/look.h"

#include <QBoxLayout>
#include <QButtonGroup>
#include <QLabel>
#include <QPainter>

namespace workshop {

namespace {

// A button that is a swatch of a colour, framed thickly while chosen.
class Swatch : public ui::PushButton {
  public:
    Swatch(circuit::Insulation colour, QWidget* parent)
        : ui::PushButton(QString(), QString(), parent), colour_(colour) {
        const QString name = circuit::insulationName(colour);
        setObjectName(QStringLiteral("Color ") + name);
        setAccessibleName(name);
        setToolTip(QStringLiteral("Conductor ") + name);
        setCheckable(true);
        setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    }

    QSize sizeHint() const override {
        const int h = fontMetrics().height();
        return {2 * h, int(1.8 * h)};
    }
    QSize minimumSizeHint() const override { return sizeHint() / 2; }

  protected:
    void paintEvent(QPaintEvent* event) override {
        ui::PushButton::paintEvent(event);
        QPainter p(this);
        p.setRenderHint(QPainter::Antialiasing);
        const int m = height() / 4;
        const QRectF swatch = QRectF(rect()).adjusted(m, m, -m, -m);
        p.setPen(QPen(Qt::black, 1));
        p.setBrush(insulationColour(colour_));
        p.drawRect(swatch);
        if (colour_ == circuit::Insulation::GreenYellow) {
            p.setClipRect(swatch);
            p.setPen(QPen(earthYellow(), swatch.height() / 3));
            for (qreal x = swatch.left() - swatch.height(); x < swatch.right();
                 x += swatch.height())
                p.drawLine(QPointF(x, swatch.bottom()), QPointF(x + swatch.height(), swatch.top()));
            p.setClipping(false);
        }
        if (isChecked()) {
            p.setPen(QPen(highlightColour(), std::max(2, m / 2)));
            p.setBrush(Qt::NoBrush);
            p.drawRect(swatch.adjusted(-m / 2.0, -m / 2.0, m / 2.0, m / 2.0));
        }
    }

  private:
    circuit::Insulation colour_;
};

} // namespace

Palette::Palette(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("Color del conductor"));
    auto* row = new QHBoxLayout(this);
    row->setContentsMargins(0, 0, 0, 0);
    row->addWidget(new QLabel(QStringLiteral("Color:"), this));
    auto* group = new QButtonGroup(this);
    for (circuit::Insulation colour : circuit::insulationColours()) {
        auto* swatch = new Swatch(colour, this);
        group->addButton(swatch);
        row->addWidget(swatch, 1);
        buttons_.push_back(swatch);
        connect(swatch, &QAbstractButton::clicked, this, [this, colour] { emit chosen(colour); });
    }
    showChoice(circuit::Insulation::Brown);
}

void Palette::showChoice(circuit::Insulation colour) {
    const auto& colours = circuit::insulationColours();
    for (size_t i = 0; i < colours.size(); ++i)
        if (colours[i] == colour)
            buttons_[i]->setChecked(true);
}

} // namespace workshop
