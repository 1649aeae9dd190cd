// SPDX-License-Identifier: GPL-3.0-or-later
#include "shell/startup.h"

#include "plan/floor_plan.h"
#include "rooms/room_windows.h"
#include "shell/help_window.h"
#include "shell/presentation.h"
#include "shell/qt_catalan.h"
#include "ui/forms.h"
#include "ui/pictures.h"
#include "workshop/workshop_window.h"

#include <QApplication>

namespace shell {

void prepare() {
    QApplication::setWindowIcon(ui::pictures::icon(QStringLiteral("icon")));
    installQtCatalan();
    rooms::defineRoomWindows();
    plan::defineFloorPlan();
    ui::forms::define(QStringLiteral("frmPresentació"),
                      [] { return std::make_unique<Presentation>(); });
    ui::forms::define(QStringLiteral("FrmAjuda"), [] { return std::make_unique<HelpWindow>(); });
    workshop::defineWorkshopWindows();
}

void showFirstWindow() {
    ui::forms::get(QStringLiteral("frmPresentació")).Show();
}

} // namespace shell
