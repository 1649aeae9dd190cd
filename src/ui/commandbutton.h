// SPDX-License-Identifier: GPL-3.0-or-later
// A command button: a real push button that shows a picture or a caption
// (with an access key), takes the keyboard focus and reports clicks.
#pragma once

#include "ui/control.h"
#include "ui/fonts.h"

#include <QPointer>
#include <QPushButton>

#include <functional>

namespace ui {

class CommandButton : public Control {
  public:
    CommandButton(Container& host, Name name, QRectF twips, QString caption, QString picture = {});

    void onClick(std::function<void()> handler);
    // The name is the button's tooltip too.
    void setAccessibleName(const QString& name) override;
    const QString& picture() const { return picture_; }
    void setVisible(bool visible) override;
    void setEnabled(bool enabled) override;

    QRectF bounds() const override { return rect_; }
    QWidget* widget() const override { return button_; }
    QPushButton* button() const { return button_; }
    void scaleChanged() override;

  private:
    QRectF rect_;
    QString picture_;
    FontSpec font_;
    QPointer<QPushButton> button_;
};

} // namespace ui
