#include "rooms/room_windows.h"

#include "rooms/single_switch.h"
#include "ui/forms.h"

namespace rooms {

namespace {

std::unique_ptr<ui::Form> makeRoom(const house::Room& room) {
    switch (room.circuit) {
    case house::Circuit::SingleSwitch:
        return std::make_unique<SingleSwitchRoom>(room);
    case house::Circuit::TwoWay:
    case house::Circuit::TwoWayIntermediate:
        break;
    }
    return std::make_unique<RoomWindow>(room);
}

} // namespace

void defineRoomWindows() {
    for (const house::Room& room : house::rooms())
        ui::forms::define(room.window, [&room] { return makeRoom(room); });
}

} // namespace rooms
