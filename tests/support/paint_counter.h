// SPDX-License-Identifier: GPL-3.0-or-later
// Counts the paint events a widget receives, to check and measure that a
// change repaints once.
#pragma once

#include <QEvent>
#include <QObject>

namespace testing {

class PaintCounter : public QObject {
  public:
    int paints = 0;
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::Paint)
            ++paints;
        return false;
    }
};

} // namespace testing
