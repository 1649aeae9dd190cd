// SPDX-License-Identifier: GPL-3.0-or-later
// The SVG every picture is recorded from, hand-drawn or made by code, for
// the tests that look inside a picture or hold its recording against it.
#pragma once

#include <QByteArray>
#include <QString>

namespace testing {

QByteArray svgSource(const QString& name);

} // namespace testing
