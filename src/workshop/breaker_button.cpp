// SPDX-License-Identifier: GPL-3.0-or-later
#include "workshop/breaker_button.h"

#include "ui/pictures.h"
#include "workshop/board_view.h"

#include <QKeyEvent>
#include <QPainter>
#include <QStyleOptionFocusRect>

#include <algorithm>

namespace workshop {

BreakerButton::BreakerButton(QWidget* parent) : QAbstractButton(parent) {
    setObjectName(QStringLiteral("Magnetotèrmic"));
    setAccessibleName(QStringLiteral("Magnetotèrmic"));
    setFocusPolicy(Qt::StrongFocus);
    setCursor(Qt::PointingHandCursor);
    setState(State::On);
}

void BreakerButton::setState(State state) {
    state_ = state;
    const QString text =
        state == State::Tripped ? QStringLiteral("disparat: prem-lo per rearmar-lo")
        : state == State::Off   ? QStringLiteral("desconnectat: prem-lo per connectar-lo")
                                : QStringLiteral("connectat: prem-lo per desconnectar-lo");
    setAccessibleDescription(text);
    setToolTip(QStringLiteral("Magnetotèrmic ") + text);
    update();
}

namespace {

QString pictureOf(BreakerButton::State state) {
    return state == BreakerButton::State::On ? QStringLiteral("breaker_armed")
                                             : QStringLiteral("breaker_tripped");
}

} // namespace

void BreakerButton::setDrawnHeight(int pixels) {
    drawnHeight_ = pixels;
    setFixedSize(sizeHint());
    update();
}

QRect BreakerButton::drawnRect() const {
    const QSize design = ui::pictures::designSize(pictureOf(state_));
    const QSize shown = design.scaled(QSize(4 * drawnHeight_, drawnHeight_), Qt::KeepAspectRatio);
    return QRect(QPoint((width() - shown.width()) / 2, (height() - shown.height()) / 2), shown);
}

QSize BreakerButton::sizeHint() const {
    const QSize design = ui::pictures::designSize(pictureOf(State::On));
    const int reach = 2 * int(BoardView::Reach);
    return {drawnHeight_ * design.width() / std::max(1, design.height()) + reach,
            drawnHeight_ + reach};
}

void BreakerButton::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    const QString name = pictureOf(state_);
    const QRect device = ui::pictures::deviceRect(painter, drawnRect());
    ui::pictures::drawInDevicePixels(painter, device.topLeft(),
                                     ui::pictures::pixmap(name, device.size()));
    if (hasFocus()) {
        QStyleOptionFocusRect option;
        option.initFrom(this);
        option.rect = drawnRect().adjusted(-3, -3, 3, 3);
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
