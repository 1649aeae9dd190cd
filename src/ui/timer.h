// SPDX-License-Identifier: GPL-3.0-or-later
// A timer control: runs its handler every Interval milliseconds while it is
// enabled; it stops for good when its window is unloaded.
#pragma once

#include "ui/control.h"

#include <QTimer>

#include <functional>
#include <memory>

namespace ui {

class Timer : public Control {
  public:
    Timer(Container& host, Name name, int intervalMs, bool enabled);
    ~Timer() override;

    int interval() const { return timer_->interval(); }
    void setEnabled(bool enabled) override;
    void onTimer(std::function<void()> handler);
    // Runs the handler now, as a tick of the timer would.
    void fire();

    QRectF bounds() const override { return {}; }

  private:
    std::unique_ptr<QTimer> timer_;
    std::function<void()> handler_;
};

} // namespace ui
