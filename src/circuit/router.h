// SPDX-License-Identifier: GPL-3.0-or-later
// Lays a conductor on the board: a path along the grid, in horizontal and
// vertical runs, from one terminal to another, around every component and
// through no other terminal, with few bends and little overlap with the
// conductors already laid.
#pragma once

#include "circuit/exercise.h"
#include "circuit/wiring.h"

#include <QPolygon>

#include <vector>

namespace circuit {

// The path's corners, from the first terminal's point to the second's.
QPolygon route(const Exercise& exercise, int from, int to, const std::vector<QPolygon>& laid);

// Every conductor's path, laid in wiring order from its lower-numbered
// terminal, as the board lays a wiring put on it whole.
std::vector<QPolygon> routeAll(const Exercise& exercise, const std::vector<Conductor>& conductors);

} // namespace circuit
