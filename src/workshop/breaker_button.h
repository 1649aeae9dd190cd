// SPDX-License-Identifier: GPL-3.0-or-later
// The workshop's breaker, drawn as the floor plan's: up when armed, down
// when a short circuit has tripped it. Pressing it re-arms it. A band round
// the drawing takes presses too, so that a finger reaches it.
#pragma once

#include <QAbstractButton>

namespace workshop {

class BreakerButton : public QAbstractButton {
    Q_OBJECT
  public:
    explicit BreakerButton(QWidget* parent = nullptr);

    void setTripped(bool tripped);
    // The height the breaker is drawn at; the widget is a reach wider on
    // every side.
    void setDrawnHeight(int pixels);
    QRect drawnRect() const;
    QSize sizeHint() const override;

  protected:
    void paintEvent(QPaintEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

  private:
    bool tripped_ = false;
    int drawnHeight_ = 73;
};

} // namespace workshop
