// SPDX-License-Identifier: GPL-3.0-or-later
// The workshop's breaker, drawn as the floor plan's: up when it is on, down
// when a short circuit has tripped it or it was switched off by hand.
// Pressing it re-arms it, or switches it off or on. A band round the
// drawing takes presses too, so that a finger reaches it.
#pragma once

#include <QAbstractButton>

namespace workshop {

class BreakerButton : public QAbstractButton {
    Q_OBJECT
  public:
    explicit BreakerButton(QWidget* parent = nullptr);

    enum class State { On, Tripped, Off };
    void setState(State state);
    // The height the breaker is drawn at; the widget is a reach wider on
    // every side.
    void setDrawnHeight(int pixels);
    QRect drawnRect() const;
    QSize sizeHint() const override;

  protected:
    void paintEvent(QPaintEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

  private:
    State state_ = State::On;
    int drawnHeight_ = 73;
};

} // namespace workshop
