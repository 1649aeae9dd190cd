// SPDX-License-Identifier: GPL-3.0-or-later
// Tells the window registry how to build each of the nine room windows.
#pragma once

namespace rooms {

void defineRoomWindows();

} // namespace rooms
