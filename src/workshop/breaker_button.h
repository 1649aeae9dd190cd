// SPDX-License-Identifier: GPL-3.0-or-later
// The workshop's breaker, drawn as the floor plan's: up when armed, down
// when a short circuit has tripped it. Pressing it re-arms it.
#pragma once

#include <QAbstractButton>

namespace workshop {

class BreakerButton : public QAbstractButton {
    Q_OBJECT
  public:
    explicit BreakerButton(QWidget* parent = nullptr);

    void setTripped(bool tripped);
    QSize sizeHint() const override;

  protected:
    void paintEvent(QPaintEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

  private:
    bool tripped_ = false;
};

} // namespace workshop
