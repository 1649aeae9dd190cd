// SPDX-License-Identifier: GPL-3.0-or-later
// A shape control: a rectangle or a circle with a border and a back colour
// that shows only while its back style is opaque.
#pragma once

#include "ui/color.h"
#include "ui/control.h"

namespace ui {

class Shape : public Control {
  public:
    enum class Kind { Rectangle, Circle };

    Shape(Container& host, Name name, Kind kind, QRectF twips);

    Kind kind() const { return kind_; }
    Color backColor() const { return backColor_; }
    void setBackColor(Color c);
    // 0: transparent, 1: opaque.
    int backStyle() const { return backStyle_; }
    void setBackStyle(int style);
    Color borderColor() const { return borderColor_; }
    void setBorderColor(Color c);
    int borderWidth() const { return borderWidth_; }
    void setBorderWidth(int width);

    QRectF bounds() const override { return rect_; }
    void paint(const PaintContext& context) const override;

  private:
    Kind kind_;
    QRectF rect_;
    Color backColor_ = colors::Window;
    int backStyle_ = 0;
    Color borderColor_ = colors::WindowText;
    int borderWidth_ = 1;
};

} // namespace ui
