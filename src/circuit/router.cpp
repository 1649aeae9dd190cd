// SPDX-License-Identifier: GPL-3.0-or-later
#include "circuit/router.h"

#include "circuit/board.h"

#include <array>
#include <climits>
#include <queue>

namespace circuit {

namespace {

constexpr int Columns = board::Width + 1;
constexpr int Rows = board::Height + 1;
constexpr int Step = 2;
constexpr int Bend = 3;
constexpr int Shared = 4; // running along a conductor already laid
const std::array<QPoint, 4> directions{QPoint(1, 0), QPoint(0, 1), QPoint(-1, 0), QPoint(0, -1)};

int cell(QPoint p) {
    return p.y() * Columns + p.x();
}
bool onBoard(QPoint p) {
    return p.x() >= 0 && p.y() >= 0 && p.x() < Columns && p.y() < Rows;
}

QPoint terminalPoint(const Exercise& e, int t) {
    const Terminal& terminal = e.terminals[size_t(t)];
    return board::terminalPoint(e.components[size_t(terminal.component)], terminal.local);
}

// What a path may not cross: every component, its outline included, and
// every terminal but the two it joins.
std::vector<bool> blockedPoints(const Exercise& e, int from, int to) {
    std::vector<bool> blocked(size_t(Columns * Rows), false);
    for (const Component& c : e.components) {
        const QRect f = board::footprint(c);
        for (int y = f.top(); y <= f.top() + f.height(); ++y)
            for (int x = f.left(); x <= f.left() + f.width(); ++x)
                if (onBoard({x, y}))
                    blocked[size_t(cell({x, y}))] = true;
    }
    const QPoint start = terminalPoint(e, from), goal = terminalPoint(e, to);
    for (int t = 0; t < int(e.terminals.size()); ++t) {
        const QPoint p = terminalPoint(e, t);
        blocked[size_t(cell(p))] = p != start && p != goal;
    }
    return blocked;
}

std::vector<int> sharedCost(const std::vector<Route>& laid) {
    std::vector<int> cost(size_t(Columns * Rows), 0);
    for (const Route& path : laid)
        for (int i = 1; i < path.size(); ++i) {
            const QPoint d = path[i] - path[i - 1];
            const QPoint unit(d.x() > 0   ? 1
                              : d.x() < 0 ? -1
                                          : 0,
                              d.y() > 0   ? 1
                              : d.y() < 0 ? -1
                                          : 0);
            if (unit.isNull() || (unit.x() != 0 && unit.y() != 0))
                continue;
            for (QPoint p = path[i - 1]; p != path[i] + unit; p += unit)
                if (onBoard(p))
                    cost[size_t(cell(p))] = Shared;
        }
    return cost;
}

// Keeps only the corners of a path of unit steps.
Route corners(const std::vector<QPoint>& points) {
    Route result;
    for (size_t i = 0; i < points.size(); ++i) {
        const bool turn = i > 0 && i + 1 < points.size() &&
                          points[i] - points[i - 1] != points[i + 1] - points[i];
        if (i == 0 || i + 1 == points.size() || turn)
            result << points[i];
    }
    return result;
}

} // namespace

Route route(const Exercise& e, int from, int to, const std::vector<Route>& laid) {
    const QPoint start = terminalPoint(e, from), goal = terminalPoint(e, to);
    if (start == goal)
        return Route{start, goal};
    const std::vector<bool> blocked = blockedPoints(e, from, to);
    const std::vector<int> shared = sharedCost(laid);

    // Dijkstra over (point, heading) with a price on every bend.
    const int states = Columns * Rows * 4;
    std::vector<int> best(size_t(states), INT_MAX), previous(size_t(states), -1);
    using Entry = std::pair<int, int>; // cost, state
    std::priority_queue<Entry, std::vector<Entry>, std::greater<>> open;
    for (int d = 0; d < 4; ++d) {
        const int s = cell(start) * 4 + d;
        best[size_t(s)] = 0;
        open.push({0, s});
    }
    int reached = -1;
    while (!open.empty()) {
        const auto [cost, s] = open.top();
        open.pop();
        if (cost > best[size_t(s)])
            continue;
        const QPoint at(s / 4 % Columns, s / 4 / Columns);
        if (at == goal) {
            reached = s;
            break;
        }
        for (int d = 0; d < 4; ++d) {
            const QPoint next = at + directions[size_t(d)];
            if (!onBoard(next) || blocked[size_t(cell(next))])
                continue;
            const int n = cell(next) * 4 + d;
            const int c =
                cost + Step + shared[size_t(cell(next))] + (d == s % 4 || at == start ? 0 : Bend);
            if (c < best[size_t(n)]) {
                best[size_t(n)] = c;
                previous[size_t(n)] = s;
                open.push({c, n});
            }
        }
    }
    if (reached < 0)
        return Route{start, QPoint(goal.x(), start.y()), goal};
    std::vector<QPoint> points;
    for (int s = reached; s >= 0; s = previous[size_t(s)])
        points.insert(points.begin(), QPoint(s / 4 % Columns, s / 4 / Columns));
    return corners(points);
}

std::vector<Route> routeAll(const Exercise& e, const std::vector<Conductor>& conductors) {
    std::vector<Route> laid;
    for (const Conductor& c : conductors)
        laid.push_back(route(e, std::min(c.from, c.to), std::max(c.from, c.to), laid));
    return laid;
}

} // namespace circuit
