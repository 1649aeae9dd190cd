// SPDX-License-Identifier: GPL-3.0-or-later
// The push button of the program's windows and of the workshop's board.
// Enter and Return press the focused button as Space does. A button with a
// picture draws it itself, 1:1 in device pixels, where the style would draw
// it as an icon: Qt gives an icon's pixmap the screen's pixel ratio on every
// paint, which copies all its pixels at 150 % and 200 %.
#pragma once

#include <QPushButton>

class QStyleOptionButton;

namespace ui {

class PushButton : public QPushButton {
  public:
    PushButton(const QString& caption, QString picture, QWidget* parent);

    const QString& picture() const { return picture_; }

  protected:
    void paintEvent(QPaintEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

  private:
    void paintPicture(QPainter& painter, const QStyleOptionButton& option) const;

    QString picture_;
};

} // namespace ui
