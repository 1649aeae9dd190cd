// SPDX-License-Identifier: GPL-3.0-or-later
// Lets the program finish what an event started: deferred deletions first,
// then every pending event (repaints, queued calls), as after a real one.
// Header-only, so that the benchmarks and tools reach it too.
#pragma once

#include <QCoreApplication>
#include <QEvent>

namespace testing {

inline void settle() {
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QCoreApplication::processEvents();
}

} // namespace testing
