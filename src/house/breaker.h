// SPDX-License-Identifier: GPL-3.0-or-later
// The circuit breaker of the house: it trips when every lamp is lit at
// once, closing every room, and the learner re-arms it on the floor plan.
// Its state is only what the floor plan's controls show.
#pragma once

namespace ui {
class Form;
}

namespace house {

// The overload check a room window runs after lighting its lamp: trips the
// breaker when all ten indicators show on that window.
void ComprovaConsum(const ui::Form& roomWindow);

// The click on either breaker picture of the floor plan: re-arms it and
// opens the nine rooms afresh.
void PicMagneto_Click(int index);

bool isTripped();

} // namespace house
