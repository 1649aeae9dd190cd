// SPDX-License-Identifier: GPL-3.0-or-later
// Where things lie on the wiring board, in grid steps: the board's size,
// the space each kind of component takes, and where its terminals are.
// Conductors run along the grid, so terminals lie on grid points.
#pragma once

#include "circuit/exercise.h"

#include <QPoint>
#include <QRect>

namespace circuit::board {

constexpr int Width = 44;
constexpr int Height = 24;

// The space a component takes, its switch button included; no conductor
// runs through it.
QRect footprint(const Component& component);

// The grid point of the component's terminal with this local name.
QPoint terminalPoint(const Component& component, const QString& local);

// The direction a conductor leaves the terminal in, one grid step.
QPoint terminalExit(const Component& component, const QString& local);

// The area of a switch's button, within its footprint.
QRect buttonArea(const Component& component);

} // namespace circuit::board
