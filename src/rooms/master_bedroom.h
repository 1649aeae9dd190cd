// SPDX-License-Identifier: GPL-3.0-or-later
// The master bedroom's circuit: one lamp switched from three places, by two
// two-way switches (C1 and C2) with an intermediate switch (CR) between
// them. Its eight combinations are one table that one routine draws.
#pragma once

#include "rooms/switching.h"

namespace rooms {

class MasterBedroom : public SwitchedRoom {
    Q_OBJECT
  public:
    explicit MasterBedroom(const house::Room& room);

    // Each flips its own switch and draws the resulting combination. The
    // positions are read back from the lines that show them.
    void CmdCommutador1_Click();
    void CmdCreumement_Click();
    void CmdCommutador2_Click();

    // The two conductor rows of the diagram. A lever resting on the upper
    // row is in position 1, on the lower row in position 0; the crossover's
    // first link ends on the upper row when straight (position 1).
    static constexpr float upperRow = 6840;
    static constexpr float lowerRow = 7320;

  protected:
    void enterState(int combination) override;

  private:
    // The drawing of each combination; the digits are C1, CR and C2. Each
    // draws its row of the one table of states.
    void Estat000();
    void Estat001();
    void Estat010();
    void Estat011();
    void Estat100();
    void Estat101();
    void Estat110();
    void Estat111();

    void addDiagram();
    void addTruthTable();
};

} // namespace rooms
