// SPDX-License-Identifier: GPL-3.0-or-later
#include "workshop/clock.h"

namespace workshop {

namespace {

// Often enough that the seconds shown change on time.
constexpr int TickMs = 250;

} // namespace

TimerClock::TimerClock(QObject* parent) : Clock(parent) {
    timer_.setInterval(TickMs);
    connect(&timer_, &QTimer::timeout, this,
            [this] { emit elapsed(double(since_.restart()) / 1000); });
}

void TimerClock::setRunning(bool running) {
    if (running == timer_.isActive())
        return;
    if (running) {
        since_.start();
        timer_.start();
    } else {
        timer_.stop();
    }
}

} // namespace workshop
