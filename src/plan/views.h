// SPDX-License-Identifier: GPL-3.0-or-later
// The views of the house on the floor plan: four pictures of the house, one
// per side, stacked in one place, and the compass buttons that choose which
// of them is seen.
#pragma once

namespace ui {
class Form;
}

namespace plan {

// Adds the four stacked views (the east face in front), the caption that
// names the face shown and the compass with its buttons.
void addViews(ui::Form& form);

} // namespace plan
