// SPDX-License-Identifier: GPL-3.0-or-later
// What runs the staircase timers down in the window. The bench asks for
// ticks only while a timer is running; a TimerClock measures real time
// between them, and tests put in a clock of their own that they move by
// hand, so that no test waits.
#pragma once

#include <QElapsedTimer>
#include <QObject>
#include <QTimer>

namespace workshop {

class Clock : public QObject {
    Q_OBJECT
  public:
    using QObject::QObject;
    virtual void setRunning(bool running) = 0;
    virtual bool running() const = 0;

  signals:
    // Time went by.
    void elapsed(double seconds);
};

class TimerClock : public Clock {
    Q_OBJECT
  public:
    explicit TimerClock(QObject* parent = nullptr);
    void setRunning(bool running) override;
    bool running() const override { return timer_.isActive(); }

  private:
    QTimer timer_;
    QElapsedTimer since_;
};

} // namespace workshop
