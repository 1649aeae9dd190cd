// How the workshop shows what the solver found: the colour and the words
// for a potential, the words for a lamp's glow.
#pragma once

#include "workshop/workbench.h"

#include <QColor>
#include <QString>

namespace workshop {

// What a terminal shows: nothing is live while the breaker is tripped.
circuit::Potential shownPotential(const Workbench& bench, int terminal);

// Red at the phase's potential, blue at the neutral's, black for neither,
// violet in between, as the legend explains.
QColor potentialColour(circuit::Potential potential);
QString potentialText(circuit::Potential potential);
QString glowText(circuit::Glow glow);

QColor lampColour();
QColor highlightColour();

} // namespace workshop
