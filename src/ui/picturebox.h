// SPDX-License-Identifier: GPL-3.0-or-later
// A picture box: a container with a back colour and a picture drawn at its
// design size from the top-left corner; it reports clicks, from the mouse
// and, once it has both a click handler and an accessible name, from the
// keyboard (Space, Enter) and from assistive tools.
#pragma once

#include "ui/container.h"

#include <functional>

namespace ui {

class PictureBox : public Control, public Container {
  public:
    PictureBox(Container& host, Name name, QRectF twips, QString picture = {});

    const QString& picture() const { return picture_; }
    void setPicture(const QString& picture);
    Color backColor() const override { return back_; }
    void setBackColor(Color c);

    // The handler receives the element's index in its control array.
    void onClick(std::function<void(int index)> handler);
    bool clickable() const { return bool(click_); }
    // Runs the click handler, as a click does, unless the box is disabled.
    void click();
    // A named picture box that reports clicks takes the keyboard focus.
    void setAccessibleName(const QString& name) override;

    void setVisible(bool visible) override;
    void setEnabled(bool enabled) override;
    QRectF bounds() const override { return rect_; }
    QWidget* widget() const override { return surface(); }

  protected:
    void paintBackground(QPainter& painter) const override;
    void paintForeground(QPainter& painter) const override;
    void mousePressed(QMouseEvent* event) override;
    void mouseReleased(QMouseEvent* event) override;
    bool keyPressed(QKeyEvent* event) override;

  private:
    void updateFocusPolicy();

    QRectF rect_;
    QString picture_;
    Color back_ = colors::ButtonFace;
    std::function<void(int)> click_;
    bool pressed_ = false;
};

} // namespace ui
