// SPDX-License-Identifier: GPL-3.0-or-later
// An image control: shows a picture at its design size (never stretched; a
// narrower control shows the left part of it) and reports mouse presses.
#pragma once

#include "ui/control.h"

#include <QString>

#include <functional>

namespace ui {

// A mouse press as an image reports it: the button (1 left, 2 right,
// 4 middle), the shift state (1 Shift, 2 Ctrl, 4 Alt) and the position in
// twips inside the image.
struct MouseDown {
    int button;
    int shift;
    float x;
    float y;
};

class Image : public Control {
  public:
    // An image without a picture draws nothing and only takes presses.
    Image(Container& host, Name name, QRectF twips, QString picture = {});

    const QString& picture() const { return picture_; }
    void setPicture(const QString& picture);
    float width() const { return float(rect_.width()); }
    void setWidth(float width);

    // Runs on the press itself, with any button, unless the image is
    // hidden or disabled.
    void onMouseDown(std::function<void(const MouseDown&)> handler);
    void press(Qt::MouseButton button, Qt::KeyboardModifiers modifiers, QPointF twips);

    QRectF bounds() const override { return rect_; }
    void paint(const PaintContext& context) const override;

  private:
    QRectF rect_;
    QString picture_;
    std::function<void(const MouseDown&)> mouseDown_;
};

// Draws `picture` at its design size with its top-left corner at `twips`,
// clipped to `clip` (both in the container's twips).
void paintPicture(const PaintContext& context, const QString& picture, QPointF twips, QRectF clip);

} // namespace ui
