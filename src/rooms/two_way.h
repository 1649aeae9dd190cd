// The two-way circuit: one lamp switched from two places by two two-way
// switches joined by two travellers. The study and the dining room share it.
#pragma once

#include "rooms/room_window.h"

namespace rooms {

class TwoWayRoom : public RoomWindow {
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
    struct Positions {
        float c1, c2;
    };
    void addDiagram();
    void addTruthTable();
    // Runs the tests of one button in its order; at the first combination
    // that matches, moves that button's lever and draws the combination it
    // leads to.
    void flip(int switchBit, Positions positions, const int (&testOrder)[4]);
    void draw(int combination);
};

} // namespace rooms
