// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/timer.h"

namespace ui {

Timer::Timer(Container& host, Name name, int intervalMs, bool enabled)
    : Control(host, std::move(name)), timer_(std::make_unique<QTimer>()) {
    timer_->setInterval(intervalMs);
    QObject::connect(timer_.get(), &QTimer::timeout, [this] { fire(); });
    setEnabled(enabled);
}

Timer::~Timer() = default;

void Timer::setEnabled(bool enabled) {
    Control::setEnabled(enabled);
    if (enabled)
        timer_->start();
    else
        timer_->stop();
}

void Timer::onTimer(std::function<void()> handler) {
    handler_ = std::move(handler);
}

void Timer::fire() {
    if (enabled() && handler_)
        handler_();
}

} // namespace ui
