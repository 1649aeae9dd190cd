// SPDX-License-Identifier: GPL-3.0-or-later
// Lays a conductor on the board: a path along the grid, in horizontal and
// vertical runs, from one terminal to another, around every component and
// through no other terminal, with few bends and little overlap with the
// conductors already laid.
#pragma once

#include "circuit/exercise.h"
#include "circuit/wiring.h"

#include <QList>
#include <QPoint>

#include <vector>

namespace circuit {

// A conductor's path on the board: its corners, in grid steps.
using Route = QList<QPoint>;

// The path's corners, from the first terminal's point to the second's.
Route route(const Exercise& exercise, int from, int to, const std::vector<Route>& laid);

// Every conductor's path, laid in wiring order from its lower-numbered
// terminal, as the board lays a wiring put on it whole.
std::vector<Route> routeAll(const Exercise& exercise, const std::vector<Conductor>& conductors);

} // namespace circuit
