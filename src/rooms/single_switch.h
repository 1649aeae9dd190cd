// SPDX-License-Identifier: GPL-3.0-or-later
// The single-switch circuit: one lamp switched from one place. Six rooms
// share it, each with its own diagram geometry.
#pragma once

#include "rooms/switching.h"

namespace rooms {

class SingleSwitchRoom : public SwitchedRoom {
    Q_OBJECT
  public:
    explicit SingleSwitchRoom(const house::Room& room);

    // Toggles the lamp; the lamp is dark exactly while the dark
    // photograph shows.
    void CmdInterruptor_Click();

    // Lever positions, in twips, of the switch's moving end.
    static constexpr float closed = 6720;
    static constexpr float open = 7440;

  private:
    void addDiagram();
    void addTruthTable();
};

} // namespace rooms
