// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/commandbutton.h"

#include "ui/container.h"
#include "ui/pictures.h"
#include "ui/pushbutton.h"
#include "ui/twips.h"

namespace ui {

CommandButton::CommandButton(Container& host, Name name, QRectF twips, QString caption,
                             QString picture)
    : Control(host, std::move(name)), rect_(twips), picture_(std::move(picture)),
      button_(new PushButton(caption, picture_, host.surface())) {
    button_->setObjectName(this->name());
    button_->setFocusPolicy(Qt::StrongFocus);
    button_->setAutoDefault(false);
}

void CommandButton::onClick(std::function<void()> handler) {
    QObject::connect(button_, &QPushButton::clicked, button_,
                     [handler = std::move(handler)] { handler(); });
}

void CommandButton::setAccessibleName(const QString& name) {
    Control::setAccessibleName(name);
    button_->setToolTip(name);
}

void CommandButton::setVisible(bool visible) {
    Control::setVisible(visible);
    button_->setVisible(visible);
}

void CommandButton::setEnabled(bool enabled) {
    Control::setEnabled(enabled);
    button_->setEnabled(enabled);
}

void CommandButton::scaleChanged() {
    const qreal s = host().scale();
    button_->setFont(scaledFont(font_, s));
    if (!picture_.isEmpty())
        button_->setIconSize((QSizeF(pictures::designSize(picture_)) * twipsPerPixel * s).toSize());
}

} // namespace ui
