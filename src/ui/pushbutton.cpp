// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/pushbutton.h"

#include "ui/pictures.h"

#include <QKeyEvent>
#include <QPainter>
#include <QStyleOptionButton>

namespace ui {

PushButton::PushButton(const QString& caption, QString picture, QWidget* parent)
    : QPushButton(caption, parent), picture_(std::move(picture)) {}

void PushButton::paintEvent(QPaintEvent* event) {
    if (picture_.isEmpty()) {
        QPushButton::paintEvent(event);
        return;
    }
    QPainter painter(this);
    QStyleOptionButton option;
    initStyleOption(&option);
    style()->drawControl(QStyle::CE_PushButtonBevel, &option, &painter, this);
    paintPicture(painter, option);
    if (option.state & QStyle::State_HasFocus) {
        QStyleOptionFocusRect focus;
        focus.QStyleOption::operator=(option);
        focus.rect = style()->subElementRect(QStyle::SE_PushButtonFocusRect, &option, this);
        style()->drawPrimitive(QStyle::PE_FrameFocusRect, &focus, &painter, this);
    }
}

void PushButton::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        click();
        return;
    }
    QPushButton::keyPressEvent(event);
}

// Centred in the button's contents, as the style centres an icon.
void PushButton::paintPicture(QPainter& painter, const QStyleOptionButton& option) const {
    const QRect contents = style()->subElementRect(QStyle::SE_PushButtonContents, &option, this);
    const QSize shown = iconSize();
    const QPoint topLeft(contents.x() + (contents.width() - shown.width()) / 2,
                         contents.y() + (contents.height() - shown.height()) / 2);
    const QRect device = pictures::deviceRect(painter, QRectF(topLeft, shown));
    QPixmap pixmap = pictures::pixmap(picture_, device.size());
    if (!isEnabled())
        pixmap = style()->generatedIconPixmap(QIcon::Disabled, pixmap, &option);
    pictures::drawInDevicePixels(painter, device.topLeft(), pixmap);
}

} // namespace ui
