// SPDX-License-Identifier: GPL-3.0-or-later
// What holds controls: a window's client area, a picture box or a frame.
// A container owns a widget (its surface) that paints its light controls,
// back to front, and hands mouse presses to the front-most image under the
// pointer; controls with widgets of their own are child widgets of it.
//
// Who destroys what. The window registry (ui::forms) owns each window and
// deletes it when it is unloaded. A container owns its controls (children_)
// but not its surface: the widgets form Qt's parent tree instead, a
// window's surface (inside its sub-window frame, if it has one) holding the
// surfaces of its picture boxes and frames and its buttons' push buttons,
// and so on down. A window's destructor stops its timers, then deletes its
// frame or surface, which takes every widget of the window with it while
// all its controls still exist; only then does ~Container destroy the
// controls, each picture box or frame destroying its own controls before
// itself. No control deletes or touches a widget as it is destroyed (a
// button holds its push button through a QPointer), so controls are never
// removed one by one: they go with their window.
#pragma once

#include "ui/color.h"
#include "ui/control.h"

#include <QWidget>

#include <memory>
#include <vector>

namespace ui {

class Form;
class Surface;

class Container {
  public:
    explicit Container(Form* form);
    virtual ~Container();
    Container(const Container&) = delete;
    Container& operator=(const Container&) = delete;

    Form& form() const { return *form_; }
    QWidget* surface() const;

    // Pixels per twip; one scale serves the whole window.
    qreal scale() const;
    // Where the twips origin of this container lies on its surface.
    virtual QPointF origin() const { return {}; }

    QRectF toPixels(const QRectF& twips) const;
    QPointF toPixels(const QPointF& twips) const;
    QPointF toTwips(const QPointF& pixels) const;

    // Creates a control inside this container, in front of those made
    // before it.
    template <class T, class... Args> T& add(Args&&... args) {
        auto control = std::make_unique<T>(*this, std::forward<Args>(args)...);
        T& result = *control;
        children_.push_back(std::move(control));
        adopt(result);
        return result;
    }
    const std::vector<std::unique_ptr<Control>>& children() const { return children_; }

    // Schedules a repaint of an area given in twips.
    void repaint(const QRectF& twips) const;

    // Places the widgets of child controls for the present scale.
    void layoutChildren();

  protected:
    // Makes `surface` the widget of this container; `parent` is the widget
    // of the enclosing container (null for a window).
    void createSurface(QWidget* parent);

    virtual Color backColor() const { return colors::ButtonFace; }
    virtual void paintBackground(QPainter& painter) const;
    virtual void paintForeground(QPainter& painter) const;
    virtual void mousePressed(QMouseEvent* event);
    virtual void mouseReleased(QMouseEvent* event);
    virtual bool keyPressed(QKeyEvent* event);
    virtual void resized() { layoutChildren(); }

  private:
    friend class Surface;
    void adopt(Control& control);
    void paintSurface(QPainter& painter) const;
    // The front-most visible and enabled image under a point in twips.
    Control* imageAt(const QPointF& twips) const;

    Form* form_;
    Surface* surface_ = nullptr;
    // What is waiting to be painted, in pixels, and the last area added to
    // it, in twips.
    mutable QRegion pending_;
    mutable QRectF lastMarked_;
    std::vector<std::unique_ptr<Control>> children_;
};

// The widget behind a container: it forwards painting and input to it.
class Surface : public QWidget {
    Q_OBJECT
  public:
    Surface(Container& container, QWidget* parent);

    Container& container() const { return container_; }

  protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

  private:
    Container& container_;
};

} // namespace ui
