// SPDX-License-Identifier: GPL-3.0-or-later
#include "house/breaker.h"

#include "house/catalogue.h"
#include "house/windows.h"
#include "ui/controls.h"
#include "ui/forms.h"

namespace house {

namespace {

ui::Form& plan() {
    return ui::forms::get(floorPlan);
}

void hidePlanIndicators() {
    for (const QString& indicator : orders().clear)
        plan().image(indicator).setVisible(false);
}

// After a re-arm the plan shows the lamps that are lit. Clearing its
// indicators instead would show a room as dark whose lamp is lit: one
// opened from the menu and lit while the breaker was tripped, or any lit
// room when the breaker clicked was armed.
void showLampsOnPlan() {
    for (const Room& room : rooms()) {
        const bool lit = isLit(room.window);
        for (const QString& indicator : room.indicators)
            plan().image(indicator).setVisible(lit);
    }
}

void enablePlanImages(bool enabled) {
    for (const QString& image : orders().block)
        plan().image(image).setEnabled(enabled);
}

void trip() {
    plan().setWindowState(ui::Form::WindowState::Maximized);
    plan().label("lblMagneto").setVisible(true);
    plan().image("ImgAvis").setVisible(true);
    plan().pictureBox("PicMagneto", 1).setVisible(false);
    plan().pictureBox("PicMagneto", 0).setVisible(true);
    for (const QString& window : orders().unload)
        ui::forms::unload(window);
    hidePlanIndicators();
    enablePlanImages(false);
}

} // namespace

void ComprovaConsum(const ui::Form& roomWindow) {
    for (const QString& indicator : orders().check)
        if (!roomWindow.image(indicator).visible())
            return;
    trip();
}

bool isTripped() {
    return plan().pictureBox("PicMagneto", 0).visible();
}

void PicMagneto_Click(int) {
    plan().pictureBox("PicMagneto", 0).setVisible(false);
    plan().pictureBox("PicMagneto", 1).setVisible(true);
    plan().label("lblMagneto").setVisible(false);
    plan().image("ImgAvis").setVisible(false);
    showRooms();
    showLampsOnPlan();
    plan().setWindowState(ui::Form::WindowState::Maximized);
    enablePlanImages(true);
}

} // namespace house
