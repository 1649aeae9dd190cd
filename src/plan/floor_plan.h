// SPDX-License-Identifier: GPL-3.0-or-later
// The floor-plan window: the learner's home screen, with the plan of the
// house from which every room is entered, the house seen from one of its
// sides, and the circuit breaker with its warnings.
#pragma once

#include "ui/form.h"

namespace plan {

class FloorPlan : public ui::Form {
    Q_OBJECT
  public:
    FloorPlan();

    // Opens the nine rooms, then comes up in front of them.
    void Form_Load() override;

  private:
    void addPlanPanel();
    void addNotices();
    void addExitButton();
    void addBreaker();
};

// Tells the window registry how to build the floor plan.
void defineFloorPlan();

} // namespace plan
