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
    for (const char* window :
         {"frmCuina", "frmEntrada", "frmEstudi", "frmHabitació1", "frmHabitació2", "frmLavabogran",
          "frmLavabopetit", "frmMenjadorbis", "frmHab_mat"})
        ui::forms::get(QString::fromUtf8(window)).Show();
}

const QStringList& indicatorsInCheckOrder() {
    static const QStringList order = {
        "ImgCuina",   "ImgEntrada",   "ImgHabitació1", "ImgHabitació2", "ImgEstudi",
        "ImgHab_mat", "ImgMenjador1", "ImgMenjador2",  "ImgLavabogran", "ImgLavaboPetit"};
    return order;
}

} // namespace house
