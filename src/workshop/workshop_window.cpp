#include "workshop/workshop_window.h"

#include "ui/forms.h"
#include "workshop/workshop_view.h"

namespace workshop {

namespace {
// The size a workshop window opens at when it is not maximised, in twips.
constexpr QSizeF DesignTwips(960 * 15, 620 * 15);
} // namespace

WorkshopWindow::WorkshopWindow(const circuit::Exercise& exercise)
    : ui::Form(windowName(exercise), QStringLiteral("Taller: ") + exercise.title, DesignTwips),
      bench_(exercise), view_(new WorkshopView(bench_, surface())) {
    setCloseBox(CloseBox::Hides);
    connect(view_, &WorkshopView::roomRequested, this, [](const QString& room) {
        ui::forms::get(room).setWindowState(ui::Form::WindowState::Maximized);
    });
    resized();
}

void WorkshopWindow::resized() {
    view_->setGeometry(surface()->rect());
    ui::Form::resized();
}

QString windowName(const circuit::Exercise& exercise) {
    return QStringLiteral("frmTaller_") + exercise.id;
}

void defineWorkshopWindows(const std::vector<circuit::Exercise>& exercises) {
    for (const circuit::Exercise& exercise : exercises)
        ui::forms::define(windowName(exercise),
                          [&exercise] { return std::make_unique<WorkshopWindow>(exercise); });
}

} // namespace workshop
