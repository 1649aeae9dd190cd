// SPDX-License-Identifier: GPL-3.0-or-later
#include "workshop/look.h"

#include <QRegularExpression>

#include <cmath>

namespace workshop {

using circuit::Potential;

Potential shownPotential(const Workbench& bench, int terminal) {
    return !bench.live() ? Potential::None : bench.solution().potential[size_t(terminal)];
}

QColor potentialColour(Potential potential) {
    switch (potential) {
    case Potential::Phase:
        return {255, 0, 0};
    case Potential::Neutral:
        return {0, 70, 255};
    case Potential::Between:
        return {160, 40, 200};
    case Potential::Earth:
        return {0, 150, 60};
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
    case Potential::Earth:
        return QStringLiteral("connectat a la terra");
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

QString shortName(const circuit::Component& c, bool onlyLamp) {
    static const QRegularExpression number(QStringLiteral("(\\d+)$"));
    const QString digits = number.match(c.name).captured(1);
    const circuit::KindSpec& kind = circuit::describe(c.kind);
    if (kind.label.isEmpty())
        return c.name;
    return onlyLamp && !kind.soleLabel.isEmpty() ? kind.soleLabel : kind.label + digits;
}

QString switchHeading(const circuit::Exercise& e, int s) {
    const QString heading = shortName(e.components[size_t(e.switches[size_t(s)])], false);
    const QString name = e.switchName(s);
    // A component with several buttons: its heading and the button's number.
    return name == e.components[size_t(e.switches[size_t(s)])].name
               ? heading
               : heading + QLatin1Char(' ') + name.section(QLatin1Char(' '), -1);
}

QStringList truthTableHeadings(const circuit::Exercise& e, const QString& separator) {
    QStringList headings;
    for (int s = 0; s < int(e.switches.size()); ++s)
        headings << switchHeading(e, s);
    for (const QString& prefix : {QStringLiteral("Cal"), QStringLiteral("Fa")})
        for (int l : e.lamps)
            headings << prefix + separator +
                            shortName(e.components[size_t(l)], e.lamps.size() == 1);
    headings << QString();
    return headings;
}

QString outcomeCell(const circuit::Outcome& outcome, int lamp) {
    if (outcome.shortCircuit)
        return QStringLiteral("CC");
    switch (outcome.lamps[size_t(lamp)]) {
    case circuit::Glow::Full:
        return QStringLiteral("1");
    case circuit::Glow::Weak:
        return QStringLiteral("½");
    case circuit::Glow::Off:
        break;
    }
    return QStringLiteral("0");
}

QColor insulationColour(circuit::Insulation colour) {
    switch (colour) {
    case circuit::Insulation::Brown:
        return {139, 84, 38};
    case circuit::Insulation::Black:
        return {25, 25, 25};
    case circuit::Insulation::Grey:
        return {140, 140, 140};
    case circuit::Insulation::Blue:
        return {70, 160, 240};
    case circuit::Insulation::GreenYellow:
        return {0, 150, 60};
    case circuit::Insulation::Unstated:
        break;
    }
    return {0, 0, 0};
}

QColor liveGlow(Potential potential) {
    switch (potential) {
    case Potential::Phase:
        return {250, 150, 150};
    case Potential::Between:
        return {215, 155, 240};
    default:
        break;
    }
    return Qt::transparent;
}

QColor lampColour() {
    return {255, 255, 0};
}

QColor earthYellow() {
    return {250, 215, 0};
}

QColor socketLightColour() {
    return {255, 110, 0};
}

QColor highlightColour() {
    return {0, 120, 215};
}

bool ringing(const Workbench& bench, int component) {
    return bench.live() && bench.solution().load(component) == circuit::Glow::Full;
}

QString timeLeftText(double seconds) {
    return QStringLiteral("%1 s").arg(int(std::ceil(seconds - 1e-9)));
}

} // namespace workshop
