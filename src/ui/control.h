// SPDX-License-Identifier: GPL-3.0-or-later
// The base of every control of a window: its name (and index in a control
// array), its container, the Visible and Enabled properties, and what
// assistive tools report about it.
#pragma once

#include <QPointF>
#include <QRectF>
#include <QString>

#include <utility>

class QWidget;

namespace ui {

class Container;
class Form;
struct PaintContext;

// A control's name and, for an element of a control array, its index
// (arrays count from 0; -1 marks a control that is not in an array).
struct Name {
    Name(const char* text, int index = -1) : text(QString::fromUtf8(text)), index(index) {}
    Name(QString text, int index = -1) : text(std::move(text)), index(index) {}
    QString text;
    int index;
};

class Control {
  public:
    Control(Container& host, Name name);
    virtual ~Control();
    Control(const Control&) = delete;
    Control& operator=(const Control&) = delete;

    const QString& name() const { return name_; }
    int index() const { return index_; }
    Container& host() const { return host_; }
    Form& form() const;

    bool visible() const { return visible_; }
    virtual void setVisible(bool visible);
    bool enabled() const { return enabled_; }
    virtual void setEnabled(bool enabled);

    // What assistive tools (screen readers) report for the control. A
    // control with a widget of its own passes these on to it; a light one is
    // reported by its container: labels always, other light controls once
    // they have a name.
    const QString& accessibleName() const { return accessibleName_; }
    virtual void setAccessibleName(const QString& name);
    const QString& accessibleDescription() const { return accessibleDescription_; }
    void setAccessibleDescription(const QString& description);

    // Where the control lies inside its container, in twips.
    virtual QRectF bounds() const = 0;

    // Draws a light control onto its container's surface.
    virtual void paint(const PaintContext&) const {}

    // Called after the window's scale changed, for controls whose widgets
    // carry sizes of their own (fonts, icons).
    virtual void scaleChanged() {}

    // The widget of a control that owns one (picture box, button, frame);
    // light controls are drawn by their container and have none.
    virtual QWidget* widget() const { return nullptr; }

    // The middle of the control in pixels of the widget that receives its
    // mouse input (its own widget, or its container's for a light control).
    QPoint centre() const;
    QWidget* inputWidget() const;

  protected:
    // Sets a property and, if its value changed, marks what must be redrawn
    // before and after, so that a property that moves or grows the control
    // repaints where it was as well as where it is. Says whether it changed.
    template <class T, class V> bool set(T& property, V&& value) {
        if (property == value)
            return false;
        changed();
        property = std::forward<V>(value);
        changed();
        return true;
    }

    // Marks what the control shows for repainting: its own widget, or for a
    // light control its area on the container's surface. Painting happens
    // once per turn of the event loop however many properties change.
    void changed() const;

  private:
    Container& host_;
    QString name_;
    int index_;
    bool visible_ = true;
    bool enabled_ = true;
    QString accessibleName_;
    QString accessibleDescription_;
};

} // namespace ui
