// SPDX-License-Identifier: GPL-3.0-or-later
// A class's year of wiring files, as a teacher collects them: right ones, on
// the neutral, faulty, and now and then one damaged on its way, the same
// files every time (a fixed seed), for the benchmark of `ampera --check`
// and for holding one build's answers against another's.
#pragma once

#include <QString>
#include <QStringList>

namespace testing {

// Writes `count` files into `folder` and returns their paths, in order.
QStringList writeClassFiles(const QString& folder, int count);

} // namespace testing
