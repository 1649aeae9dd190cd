// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/control.h"

#include "ui/accessibility.h"
#include "ui/container.h"
#include "ui/form.h"

#include <QWidget>

namespace ui {

Control::Control(Container& host, Name name)
    : host_(host), name_(std::move(name.text)), index_(name.index) {
    host_.form().registerControl(*this);
}

Control::~Control() = default;

Form& Control::form() const {
    return host_.form();
}

void Control::setVisible(bool visible) {
    if (set(visible_, visible) && !widget())
        notifyAccessibility(*this, visible ? QAccessible::ObjectShow : QAccessible::ObjectHide);
}

void Control::setEnabled(bool enabled) {
    set(enabled_, enabled);
}

void Control::setAccessibleName(const QString& name) {
    accessibleName_ = name;
    if (QWidget* own = widget())
        own->setAccessibleName(name);
    else
        notifyAccessibility(*this, QAccessible::NameChanged);
}

void Control::setAccessibleDescription(const QString& description) {
    accessibleDescription_ = description;
    if (QWidget* own = widget())
        own->setAccessibleDescription(description);
    else
        notifyAccessibility(*this, QAccessible::DescriptionChanged);
}

void Control::changed() const {
    if (QWidget* own = widget())
        own->update();
    else
        host_.repaint(bounds());
}

QWidget* Control::inputWidget() const {
    return widget() ? widget() : host_.surface();
}

QPoint Control::centre() const {
    if (QWidget* own = widget())
        return own->rect().center();
    return host_.toPixels(bounds()).center().toPoint();
}

} // namespace ui
