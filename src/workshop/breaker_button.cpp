// SPDX-License-Identifier: GPL-3.0-or-later
#include "workshop/breaker_button.h"

#include "ui/pictures.h"

#include <QKeyEvent>
#include <QPainter>
#include <QStyleOptionFocusRect>

namespace workshop {

BreakerButton::BreakerButton(QWidget* parent) : QAbstractButton(parent) {
    setObjectName(QStringLiteral("Magnetotèrmic"));
    setAccessibleName(QStringLiteral("Magnetotèrmic"));
    setFocusPolicy(Qt::StrongFocus);
    setCursor(Qt::PointingHandCursor);
    setTripped(false);
}

void BreakerButton::setTripped(bool tripped) {
    tripped_ = tripped;
    const QString state =
        tripped ? QStringLiteral("disparat: prem-lo per rearmar-lo") : QStringLiteral("armat");
    setAccessibleDescription(state);
    setToolTip(QStringLiteral("Magnetotèrmic ") + state);
    update();
}

QSize BreakerButton::sizeHint() const {
    return {29, 73};
}

void BreakerButton::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    const QString name =
        tripped_ ? QStringLiteral("breaker_tripped") : QStringLiteral("breaker_armed");
    const QSize design = ui::pictures::designSize(name);
    const QSize shown = design.scaled(size(), Qt::KeepAspectRatio);
    const QRect target(QPoint((width() - shown.width()) / 2, (height() - shown.height()) / 2),
                       shown);
    const QRect device = ui::pictures::deviceRect(painter, target);
    ui::pictures::drawInDevicePixels(painter, device.topLeft(),
                                     ui::pictures::pixmap(name, device.size()));
    if (hasFocus()) {
        QStyleOptionFocusRect option;
        option.initFrom(this);
        style()->drawPrimitive(QStyle::PE_FrameFocusRect, &option, &painter, this);
    }
}

void BreakerButton::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        click();
        return;
    }
    QAbstractButton::keyPressEvent(event);
}

} // namespace workshop
