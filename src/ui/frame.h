// SPDX-License-Identifier: GPL-3.0-or-later
// A frame: a container drawn as a bordered box with a caption in its top
// edge (the truth tables sit in one).
#pragma once

#include "ui/container.h"
#include "ui/fonts.h"

namespace ui {

class Frame : public Control, public Container {
  public:
    Frame(Container& host, Name name, QRectF twips, QString caption);

    const QString& caption() const { return caption_; }
    QRectF bounds() const override { return rect_; }
    QWidget* widget() const override { return surface(); }
    void setVisible(bool visible) override;

  protected:
    void paintBackground(QPainter& painter) const override;

  private:
    QRectF rect_;
    QString caption_;
    FontSpec font_;
};

} // namespace ui
