// SPDX-License-Identifier: GPL-3.0-or-later
// Draws the wiring board: components, conductors in their insulation's
// colour with a glow where they are live, lamps lit by the power they take,
// terminals. Positions are given in grid steps and drawn in pixels, so that
// pens and curves are stroked at the size they are seen (stroking at grid
// size under a large scale costs many times more).
#pragma once

#include "circuit/router.h"
#include "workshop/workbench.h"

#include <QPainter>

#include <vector>

namespace workshop {

// What the board shows besides the bench's state.
struct BoardMarks {
    const std::vector<circuit::Route>* routes = nullptr; // one a conductor, in grid steps
    int pending = -1;                                    // the terminal waiting for a second press
    int selected = -1;                                   // the selected conductor
    int focusedTerminal = -1;
    int focusedConductor = -1;
    int focusedLamp = -1;
    int focusedPart = -1; // a bell, relay or timer, by component
    // Whether live conductors glow with their potential over their
    // insulation's colour.
    bool showVoltage = true;
    // The glow around a lit lamp, for the screen; on paper the lamp's fill
    // alone says it is lit.
    bool halos = true;
    // Which way a ringing bell's striker leans.
    int ringFrame = 0;
    // The testers' probes, by terminal (-1: not placed).
    int redProbe = -1;
    int blackProbe = -1;
    // The part of the painter's area that is drawn again (a repaint of one
    // button, say); what lies wholly outside it is skipped. Empty: all.
    QRectF exposed;
};

// Draws the board with its top-left grid point at `origin`, `scale` pixels a
// grid step.
void paintBoard(QPainter& painter, const Workbench& bench, const BoardMarks& marks, QPointF origin,
                qreal scale);

} // namespace workshop
