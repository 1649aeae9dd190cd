// SPDX-License-Identifier: GPL-3.0-or-later
// How the workshop shows what the solver found: the colour and the words
// for a potential, the words for a lamp's glow.
#pragma once

#include "workshop/workbench.h"

#include <QColor>
#include <QString>

namespace workshop {

// What a terminal shows: nothing is live while the breaker is down.
circuit::Potential shownPotential(const Workbench& bench, int terminal);

// Red at the phase's potential, blue at the neutral's, green at the earth's,
// black for neither, violet in between, as the legend explains.
QColor potentialColour(circuit::Potential potential);
QString potentialText(circuit::Potential potential);
QString glowText(circuit::Glow glow);

// A truth-table column's heading: "C1", "CR", "I", "L2", or "LLUM" for the
// only lamp.
QString shortName(const circuit::Component& component, bool onlyLamp);
// A switch button's column heading: "C1", or "ID 2" for the second button
// of a double switch.
QString switchHeading(const circuit::Exercise& exercise, int switchIndex);
// The headings of a truth table: the switches, what the exercise asks of
// each lamp ("Cal"), what the wiring does ("Fa"), and an empty one for the
// mark of the rows that differ.
QStringList truthTableHeadings(const circuit::Exercise& exercise, const QString& separator);
// A lamp's cell in a truth table: "1", "½" (weak), "0", or "CC" when that
// combination is a short circuit.
QString outcomeCell(const circuit::Outcome& outcome, int lamp);

// Whether a bell rings: powered, and the breaker on.
bool ringing(const Workbench& bench, int component);
// A timer's time left as shown: "27 s".
QString timeLeftText(double seconds);

// A conductor's insulation as drawn; green-and-yellow is green here, with
// stripes of earthYellow() over it.
QColor insulationColour(circuit::Insulation colour);
// The glow round a live conductor: pale red at the phase's potential, pale
// violet between the phase and the neutral; none (transparent) otherwise.
// It is opaque, and drawn under every conductor, which is cheaper to fill
// than a translucent one.
QColor liveGlow(circuit::Potential potential);

QColor lampColour();
// The yellow of the earth's green-and-yellow stripes.
QColor earthYellow();
// A socket's pilot light while the socket is live.
QColor socketLightColour();
QColor highlightColour();

} // namespace workshop
