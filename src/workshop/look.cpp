#include "workshop/look.h"

namespace workshop {

using circuit::Potential;

Potential shownPotential(const Workbench& bench, int terminal) {
    return bench.tripped() ? Potential::None : bench.solution().potential[size_t(terminal)];
}

QColor potentialColour(Potential potential) {
    switch (potential) {
    case Potential::Phase:
        return {255, 0, 0};
    case Potential::Neutral:
        return {0, 70, 255};
    case Potential::Between:
        return {160, 40, 200};
    case Potential::None:
        break;
    }
    return {0, 0, 0};
}

QString potentialText(Potential potential) {
    switch (potential) {
    case Potential::Phase:
        return QStringLiteral("a la tensió de la fase");
    case Potential::Neutral:
        return QStringLiteral("a la tensió del neutre");
    case Potential::Between:
        return QStringLiteral("entre la fase i el neutre");
    case Potential::None:
        break;
    }
    return QStringLiteral("sense connexió");
}

QString glowText(circuit::Glow glow) {
    switch (glow) {
    case circuit::Glow::Full:
        return QStringLiteral("encesa");
    case circuit::Glow::Weak:
        return QStringLiteral("encesa feble");
    case circuit::Glow::Off:
        break;
    }
    return QStringLiteral("apagada");
}

QColor lampColour() { return {255, 255, 0}; }

QColor highlightColour() { return {0, 120, 215}; }

} // namespace workshop
