// SPDX-License-Identifier: GPL-3.0-or-later
#include "circuit/board.h"

namespace circuit::board {

namespace {

// A bar is long and low; the other components are squares, with the
// switches' buttons in two rows above their symbol.
constexpr int BarWidth = 6;
constexpr int BarHeight = 2;
constexpr int Symbol = 4;
constexpr int ButtonRows = 2;

// The terminal's point relative to the footprint's top-left corner, drawn
// unmirrored.
QPoint localPoint(Kind kind, const QString& local) {
    const int mid = Symbol / 2;
    switch (kind) {
    case Kind::Phase:
    case Kind::Neutral:
        return {BarWidth, BarHeight / 2};
    case Kind::Lamp:
        return {local == QStringLiteral("born 1") ? 0 : Symbol, mid};
    case Kind::Switch:
        return {local == QStringLiteral("born 1") ? 0 : Symbol, ButtonRows + mid};
    case Kind::TwoWay:
        if (local == QStringLiteral("comú"))
            return {0, ButtonRows + mid};
        return {Symbol, ButtonRows + (local == QStringLiteral("born 1") ? mid - 1 : mid + 1)};
    case Kind::Intermediate: {
        const bool left = local == QStringLiteral("born 1") || local == QStringLiteral("born 2");
        const bool upper = local == QStringLiteral("born 1") || local == QStringLiteral("born 3");
        return {left ? 0 : Symbol, ButtonRows + (upper ? mid - 1 : mid + 1)};
    }
    }
    return {};
}

} // namespace

QRect footprint(const Component& c) {
    switch (c.kind) {
    case Kind::Phase:
    case Kind::Neutral:
        return {c.place, QSize(BarWidth, BarHeight)};
    case Kind::Lamp:
        return {c.place, QSize(Symbol, Symbol)};
    case Kind::Switch:
    case Kind::TwoWay:
    case Kind::Intermediate:
        return {c.place, QSize(Symbol, ButtonRows + Symbol)};
    }
    return {};
}

QPoint terminalPoint(const Component& c, const QString& local) {
    QPoint p = localPoint(c.kind, local);
    if (c.mirrored)
        p.setX(footprint(c).width() - p.x());
    return c.place + p;
}

QPoint terminalExit(const Component& c, const QString& local) {
    const QPoint p = terminalPoint(c, local) - c.place;
    return {p.x() == 0 ? -1 : 1, 0};
}

QRect buttonArea(const Component& c) {
    if (!isSwitch(c.kind))
        return {};
    return {c.place, QSize(Symbol, ButtonRows)};
}

} // namespace circuit::board
