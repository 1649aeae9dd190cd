// SPDX-License-Identifier: GPL-3.0-or-later
#include "rooms/switching.h"

#include "ui/controls.h"

#include <algorithm>

namespace rooms {

namespace {

int bitOf(int combination, int lever, int levers) {
    return (combination >> (levers - 1 - lever)) & 1;
}

} // namespace

SwitchedRoom::SwitchedRoom(const house::Room& room, const CircuitTable& table)
    : RoomWindow(room), table_(table) {}

int SwitchedRoom::position(const Lever& lever) const {
    if (lever.readFromPhotograph)
        return pictureBox(room().photographs, 1).visible() ? 0 : 1;
    const ui::Line& l = line(lever.line);
    const float end = lever.end == Lever::End::Start ? l.y1() : l.y2();
    // Exact comparisons: the levers only ever hold their two contact values.
    return end == lever.at[0] ? 0 : end == lever.at[1] ? 1 : -1;
}

void SwitchedRoom::moveLever(const Lever& lever, int position) {
    ui::Line& l = line(lever.line);
    if (lever.end == Lever::End::Start)
        l.setY1(lever.at[position]);
    else
        l.setY2(lever.at[position]);
}

void SwitchedRoom::press(int button) {
    const Button& b = table_.buttons[button];
    const int levers = int(table_.levers.size());
    std::vector<int> positions(levers, -1);
    for (const int lever : b.readOrder)
        positions[lever] = position(table_.levers[lever]);
    for (const int combination : b.tests) {
        bool matches = true;
        for (int lever = 0; lever < levers; ++lever)
            matches &= positions[lever] == bitOf(combination, lever, levers);
        if (!matches)
            continue;
        const int next = combination ^ (1 << (levers - 1 - b.lever));
        moveLever(table_.levers[b.lever], bitOf(next, b.lever, levers));
        enterState(next);
        return;
    }
}

void SwitchedRoom::draw(int combination) {
    const State& state = table_.states[combination];
    for (const Conductor& conductor : table_.conductors) {
        const bool live =
            state.lit && (conductor.onEveryPath ||
                          std::any_of(state.live.begin(), state.live.end(), [&](const char* name) {
                              return qstrcmp(name, conductor.name) == 0;
                          }));
        line(conductor.name).setBorderColor(live ? ui::colors::Red : ui::colors::Black);
    }
    for (const LineMove& move : state.moves)
        line(move.line).setY2(move.y2);
    const int rows = int(table_.states.size());
    if (table_.rowBeforeLamp)
        highlightRow(combination, rows);
    shape("ShpBombeta").setBackStyle(state.lit ? 1 : 0);
    showPhotograph(state.lit);
    if (!table_.rowBeforeLamp)
        highlightRow(combination, rows);
    // May unload this window when the lamp lit was the last one dark.
    finishSwitching(state.lit);
}

} // namespace rooms
