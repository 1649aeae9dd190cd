// SPDX-License-Identifier: GPL-3.0-or-later
// The two-way circuit: one lamp switched from two places by two two-way
// switches joined by two travellers. The study and the dining room share it.
#pragma once

#include "rooms/switching.h"

namespace rooms {

class TwoWayRoom : public SwitchedRoom {
    Q_OBJECT
  public:
    explicit TwoWayRoom(const house::Room& room);

    // Each flips its own switch and draws the resulting combination. The
    // switch positions are read back from the lever lines, nowhere else.
    void CmdCommutador1_Click();
    void CmdCommutador2_Click();

    // Where a lever's moving end rests, in twips: on the upper traveller's
    // contact (position 1) or on the lower one's (position 0).
    static constexpr float upperContact = 6720;
    static constexpr float lowerContact = 7440;

  private:
    void addDiagram();
    void addTruthTable();
};

} // namespace rooms
