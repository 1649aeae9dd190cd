#include "shell/startup.h"

#include "plan/floor_plan.h"
#include "rooms/room_windows.h"

namespace shell {

void prepare() {
    rooms::defineRoomWindows();
    plan::defineFloorPlan();
}

} // namespace shell
