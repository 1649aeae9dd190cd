// SPDX-License-Identifier: GPL-3.0-or-later
// A label control: a caption that wraps at its width, with text and back
// colours and a font.
#pragma once

#include "ui/color.h"
#include "ui/control.h"
#include "ui/fonts.h"

namespace ui {

class Label : public Control {
  public:
    enum class Align { Left, Centre };

    Label(Container& host, Name name, QRectF twips, QString caption);

    const QString& caption() const { return caption_; }
    void setCaption(const QString& caption);
    Color foreColor() const { return foreColor_; }
    void setForeColor(Color c);
    Color backColor() const { return backColor_; }
    void setBackColor(Color c);
    // 0: transparent, 1: opaque.
    int backStyle() const { return backStyle_; }
    void setBackStyle(int style);
    const FontSpec& font() const { return font_; }
    void setFont(const FontSpec& font);
    Align alignment() const { return align_; }
    void setAlignment(Align align);

    QRectF bounds() const override { return rect_; }
    void paint(const PaintContext& context) const override;

  private:
    QRectF rect_;
    QString caption_;
    Color foreColor_ = colors::ButtonText;
    Color backColor_ = colors::ButtonFace;
    int backStyle_ = 1;
    FontSpec font_;
    Align align_ = Align::Left;
};

} // namespace ui
