// SPDX-License-Identifier: GPL-3.0-or-later
#include "circuit/board.h"

#include <algorithm>

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

bool takes(const Component& c, QPoint p) {
    return footprint(c).adjusted(0, 0, 1, 1).contains(p);
}

namespace {

constexpr int Columns = Width + 1;
constexpr int Rows = Height + 1;

bool isFree(const Exercise& e, QPoint p) {
    return p.x() >= 0 && p.y() >= 0 && p.x() < Columns && p.y() < Rows &&
           std::none_of(e.components.begin(), e.components.end(),
                        [&](const Component& c) { return takes(c, p); });
}

// Numbers the connected stretches of free points from 1; 0 where taken.
std::vector<int> stretches(const Exercise& e) {
    std::vector<int> stretch(size_t(Columns * Rows), 0);
    const auto at = [](QPoint p) { return size_t(p.y() * Columns + p.x()); };
    int count = 0;
    for (int y = 0; y < Rows; ++y)
        for (int x = 0; x < Columns; ++x) {
            if (stretch[at({x, y})] != 0 || !isFree(e, {x, y}))
                continue;
            ++count;
            std::vector<QPoint> stack{{x, y}};
            stretch[at({x, y})] = count;
            while (!stack.empty()) {
                const QPoint p = stack.back();
                stack.pop_back();
                for (const QPoint d : {QPoint(1, 0), QPoint(-1, 0), QPoint(0, 1), QPoint(0, -1)})
                    if (isFree(e, p + d) && stretch[at(p + d)] == 0) {
                        stretch[at(p + d)] = count;
                        stack.push_back(p + d);
                    }
            }
        }
    return stretch;
}

} // namespace

std::vector<int> unreachableTerminals(const Exercise& e) {
    const std::vector<int> stretch = stretches(e);
    // The stretch each terminal leads into, 0 for none.
    std::vector<int> into;
    for (const Terminal& t : e.terminals) {
        const Component& c = e.components[size_t(t.component)];
        const QPoint first = terminalPoint(c, t.local) + terminalExit(c, t.local);
        into.push_back(isFree(e, first) ? stretch[size_t(first.y() * Columns + first.x())] : 0);
    }
    int busiest = 0;
    long most = 0;
    for (int s : into) {
        const long n = long(std::count(into.begin(), into.end(), s));
        if (s != 0 && n > most) {
            busiest = s;
            most = n;
        }
    }
    std::vector<int> unreachable;
    for (int t = 0; t < int(into.size()); ++t)
        if (into[size_t(t)] != busiest)
            unreachable.push_back(t);
    return unreachable;
}

QRect buttonArea(const Component& c) {
    if (!isSwitch(c.kind))
        return {};
    return {c.place, QSize(Symbol, ButtonRows)};
}

} // namespace circuit::board
