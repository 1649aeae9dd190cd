#include "shell/startup.h"

#include "plan/floor_plan.h"
#include "rooms/room_windows.h"
#include "shell/help_window.h"
#include "shell/presentation.h"
#include "ui/forms.h"

namespace shell {

void prepare() {
    rooms::defineRoomWindows();
    plan::defineFloorPlan();
    ui::forms::define(QStringLiteral("frmPresentació"),
                      [] { return std::make_unique<Presentation>(); });
    ui::forms::define(QStringLiteral("FrmAjuda"), [] { return std::make_unique<HelpWindow>(); });
}

void showFirstWindow() { ui::forms::get(QStringLiteral("frmPresentació")).Show(); }

} // namespace shell
