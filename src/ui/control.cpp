#include "ui/control.h"

#include "ui/container.h"
#include "ui/form.h"

#include <QWidget>

namespace ui {

Control::Control(Container& host, Name name)
    : host_(host), name_(std::move(name.text)), index_(name.index) {
    host_.form().registerControl(*this);
}

Control::~Control() = default;

Form& Control::form() const { return host_.form(); }

void Control::setVisible(bool visible) {
    if (visible_ == visible)
        return;
    visible_ = visible;
    changed();
}

void Control::setEnabled(bool enabled) {
    if (enabled_ == enabled)
        return;
    enabled_ = enabled;
    changed();
}

void Control::changed() const { host_.repaint(bounds()); }

QWidget* Control::inputWidget() const { return widget() ? widget() : host_.surface(); }

QPoint Control::centre() const {
    if (QWidget* own = widget())
        return own->rect().center();
    return host_.toPixels(bounds()).center().toPoint();
}

} // namespace ui
