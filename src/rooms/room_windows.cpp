// SPDX-License-Identifier: GPL-3.0-or-later
#include "rooms/room_windows.h"

#include "rooms/master_bedroom.h"
#include "rooms/single_switch.h"
#include "rooms/two_way.h"
#include "ui/forms.h"

namespace rooms {

namespace {

std::unique_ptr<ui::Form> makeRoom(const house::Room& room) {
    switch (room.circuit) {
    case house::Circuit::SingleSwitch:
        return std::make_unique<SingleSwitchRoom>(room);
    case house::Circuit::TwoWay:
        return std::make_unique<TwoWayRoom>(room);
    case house::Circuit::TwoWayIntermediate:
        return std::make_unique<MasterBedroom>(room);
    }
    qFatal("%s has no circuit", qUtf8Printable(room.window));
}

} // namespace

void defineRoomWindows() {
    for (const house::Room& room : house::rooms())
        ui::forms::define(room.window, [&room] { return makeRoom(room); });
}

} // namespace rooms
