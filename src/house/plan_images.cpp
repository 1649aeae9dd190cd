// SPDX-License-Identifier: GPL-3.0-or-later
#include "house/plan_images.h"

#include "house/catalogue.h"
#include "house/windows.h"
#include "ui/controls.h"

namespace house {

void addPlanImages(ui::Container& plan, float kitchenIndicatorLeft) {
    for (const PlanArea& area : planAreas()) {
        auto& target = plan.add<ui::Image>(area.target, area.targetRect);
        target.onMouseDown([window = area.window](const ui::MouseDown&) { ObreFinestra(window); });
    }
    for (const PlanArea& area : planAreas()) {
        QRectF rect = area.indicatorRect;
        if (area.leftSetByWindow)
            rect.moveLeft(kitchenIndicatorLeft);
        auto& indicator = plan.add<ui::Image>(area.indicator, rect, area.picture);
        indicator.setVisible(false);
        // Shown only while the room's lamp is lit, and read so.
        indicator.setAccessibleName(room(area.window).caption + QStringLiteral(": llum encès"));
        indicator.onMouseDown(
            [window = area.window](const ui::MouseDown&) { ObreFinestra(window); });
    }
}

} // namespace house
