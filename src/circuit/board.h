// SPDX-License-Identifier: GPL-3.0-or-later
// Where things lie on the wiring board, in grid steps: the board's size,
// and where a component's footprint, terminals and buttons fall once it is
// placed and perhaps mirrored, from its kind's description. Conductors run
// along the grid, so terminals lie on grid points.
#pragma once

#include "circuit/exercise.h"

#include <QPoint>
#include <QPointF>
#include <QRect>

#include <vector>

namespace circuit::board {

constexpr int Width = 44;
constexpr int Height = 24;

// The space a component takes, its switch button included; no conductor
// runs through it.
QRect footprint(const Component& component);

// Whether the grid point lies within the component's footprint or on its
// outline, where no conductor runs.
bool takes(const Component& component, QPoint point);

// A point given on the kind's footprint, on the board: mirrored components
// are drawn flipped left to right.
QPointF onBoard(const Component& component, QPointF local);

// The centre of the component's body (a lamp's glass).
QPointF bodyCentre(const Component& component);

// The grid point of the component's terminal, by its index in the kind.
QPoint terminalPoint(const Component& component, int local);

// The direction a conductor leaves the terminal in, one grid step.
QPoint terminalExit(const Component& component, int local);

// The terminals, by their index in Exercise::terminals, that no conductor
// can reach from the others. A conductor leaves a terminal one step
// outwards and then runs over the free grid points (on the board and
// taken by no component), so every terminal's first step must be free and
// all of them must lead into one connected stretch of free points; those
// that lead elsewhere than most are given.
std::vector<int> unreachableTerminals(const Exercise& exercise);

// The area of an actuator's button, within the footprint.
QRect buttonArea(const Component& component, int actuator);

} // namespace circuit::board
