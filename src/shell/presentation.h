// SPDX-License-Identifier: GPL-3.0-or-later
// The presentation screen: the series title, a line about the lesson, a
// small circuit that lights up and a loading bar, shown inside the main
// window at start-up until it hands over to the floor plan.
#pragma once

#include "ui/form.h"

namespace shell {

class Presentation : public ui::Form {
    Q_OBJECT
  public:
    Presentation();

    void Form_Load() override;

    // The loading bar, every 100 ms: drawn growing to its full width.
    void TmrCarrega_Timer();
    // At 2.5 s: the switch closes and the lamp lights.
    void Rellotge2_Timer();
    // At 3 s: the floor plan comes up and this screen goes for good.
    void Rellotge1_Timer();

  private:
    void addTexts();
    void addCircuit();
    void addLoadingBar();
    void addTimers();
    void lightCircuit();
};

} // namespace shell
