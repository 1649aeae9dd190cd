// SPDX-License-Identifier: GPL-3.0-or-later
// The twenty images that every plan of the house carries: a click target
// over each of the ten plan areas, and in front of it the area's lamp
// indicator; a press on either brings up the area's room.
#pragma once

namespace ui {
class Container;
}

namespace house {

// Adds the click targets, then the indicators (hidden), to a plan. The
// kitchen's indicator stands 30 twips further left on most windows.
void addPlanImages(ui::Container& plan, float kitchenIndicatorLeft);

} // namespace house
