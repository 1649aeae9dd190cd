// SPDX-License-Identifier: GPL-3.0-or-later
#include "house/windows.h"

#include "house/catalogue.h"
#include "ui/controls.h"
#include "ui/forms.h"

namespace house {

void ObreFinestra(const QString& window) {
    ui::forms::get(window).setWindowState(ui::Form::WindowState::Maximized);
}

void ActualitzaIndicador(const QString& actingWindow, const QStringList& indicators, bool lit) {
    for (const QString& indicator : indicators)
        ui::forms::get(actingWindow).image(indicator).setVisible(lit);
    const QStringList others = QStringList{floorPlan} + room(actingWindow).updateOrder;
    for (const QString& indicator : indicators)
        for (const QString& window : others)
            ui::forms::get(window).image(indicator).setVisible(lit);
}

bool isLit(const QString& roomWindow) {
    const ui::Form* form = ui::forms::loaded(roomWindow);
    return form && !form->pictureBox(room(roomWindow).photographs, 1).visible();
}

void showRooms() {
    for (const QString& window : orders().load)
        ui::forms::get(window).Show();
}

} // namespace house
