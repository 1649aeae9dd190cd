// SPDX-License-Identifier: GPL-3.0-or-later
// A line control: two end points in twips, kept as single-precision numbers
// because the switch handlers compare them exactly.
#pragma once

#include "ui/color.h"
#include "ui/control.h"

namespace ui {

class Line : public Control {
  public:
    Line(Container& host, Name name, float x1, float y1, float x2, float y2);

    float x1() const { return x1_; }
    float y1() const { return y1_; }
    float x2() const { return x2_; }
    float y2() const { return y2_; }
    void setY1(float v) { set(y1_, v); }
    void setY2(float v) { set(y2_, v); }

    Color borderColor() const { return borderColor_; }
    void setBorderColor(Color c);
    // 0: transparent (not drawn), 1: solid.
    int borderStyle() const { return borderStyle_; }
    void setBorderStyle(int style);
    int borderWidth() const { return borderWidth_; }
    void setBorderWidth(int width);

    QRectF bounds() const override;
    void paint(const PaintContext& context) const override;

  private:
    float x1_, y1_, x2_, y2_;
    Color borderColor_ = colors::WindowText;
    int borderStyle_ = 1;
    int borderWidth_ = 1;
};

} // namespace ui
