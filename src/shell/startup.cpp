#include "shell/startup.h"

#include "rooms/room_windows.h"

namespace shell {

void prepare() { rooms::defineRoomWindows(); }

} // namespace shell
