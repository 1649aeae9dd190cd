// SPDX-License-Identifier: GPL-3.0-or-later
#include "circuit/board.h"

#include <algorithm>

namespace circuit::board {

QRect footprint(const Component& c) {
    return {c.place, describe(c.kind).size};
}

QPointF onBoard(const Component& c, QPointF local) {
    if (c.mirrored)
        local.setX(footprint(c).width() - local.x());
    return QPointF(c.place) + local;
}

QPointF bodyCentre(const Component& c) {
    return onBoard(c, QRectF(describe(c.kind).body).center());
}

QPoint terminalPoint(const Component& c, int local) {
    return onBoard(c, describe(c.kind).terminals[size_t(local)].point).toPoint();
}

QPoint terminalExit(const Component& c, int local) {
    const QPoint exit = describe(c.kind).terminals[size_t(local)].exit;
    return c.mirrored ? QPoint(-exit.x(), exit.y()) : exit;
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

QRect buttonArea(const Component& c, int actuator) {
    const QRect button = describe(c.kind).actuators[size_t(actuator)].button;
    const QPointF corner =
        onBoard(c, c.mirrored ? button.topRight() + QPoint(1, 0) : button.topLeft());
    return {corner.toPoint(), button.size()};
}

} // namespace circuit::board
