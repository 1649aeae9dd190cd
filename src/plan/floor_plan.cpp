// SPDX-License-Identifier: GPL-3.0-or-later
#include "plan/floor_plan.h"

#include "house/breaker.h"
#include "house/catalogue.h"
#include "house/plan_images.h"
#include "house/windows.h"
#include "plan/views.h"
#include "ui/controls.h"
#include "ui/forms.h"

namespace plan {

namespace {

// The layout reaches 12 255 twips across (the views) and 8 175 down (the
// breaker); the plan panel's left margin goes round it on the other sides.
constexpr qreal margin = 120;
constexpr QSizeF planExtent(12255 + margin, 8175 + margin);

// The standing warning and the trip message share one place, the message
// in front.
constexpr QRectF warningRect{2520, 6600, 2175, 975};

} // namespace

FloorPlan::FloorPlan() : ui::Form(house::floorPlan, QStringLiteral("Planta"), QSizeF(9585, 8595)) {
    setBackColor(ui::colors::CaptionText);
    setLayoutExtent(planExtent);
    // The breaker state and the lit rooms live in this window's controls,
    // so closing it only hides it; the menu brings it back as it was.
    setCloseBox(CloseBox::Hides);
    addPlanPanel();
    addNotices();
    addViews(*this);
    addExitButton();
    addBreaker();
}

void FloorPlan::addPlanPanel() {
    auto& panel = add<ui::PictureBox>("PicPlantacuina", QRectF(120, 240, 5055, 5055));
    panel.setBackColor(ui::colors::Window);
    // Rooms are entered from the plan with the mouse; the menu reaches
    // every room from the keyboard.
    panel.setAccessibleName(QStringLiteral("Plànol de l'habitatge"));
    panel.setAccessibleDescription(
        QStringLiteral("Per entrar a una estança, feu servir el menú Portal (Alt+P)"));
    panel.add<ui::Image>("ImgPlanta", QRectF(120, 0, 4935, 5055), QStringLiteral("plan_floor"));
    house::addPlanImages(panel, house::kitchenIndicatorLeftOnPlan);
}

void FloorPlan::addNotices() {
    auto& title =
        add<ui::Label>("LblRetol1", QRectF(480, 5640, 1455, 375), QStringLiteral("PLÀNOL TÀCTIL:"));
    title.setFont({QStringLiteral("Arial"), 9, true});
    title.setBackColor(ui::colors::CaptionText);
    add<ui::Label>("LblRetol2", QRectF(1920, 5640, 3255, 495),
                   QStringLiteral(" FEU UN CLICK A QUALSEVOL ESTANÇA        DEL PLÀNOL PER PODER "
                                  "ENTRAR"))
        .setBackColor(ui::colors::CaptionText);
}

void FloorPlan::addExitButton() {
    auto& exit = add<ui::CommandButton>("CmdSortir", QRectF(10560, 7440, 1095, 375),
                                        QStringLiteral("S&ortir"));
    exit.setAccessibleName(QStringLiteral("Sortir"));
    exit.setAccessibleDescription(QStringLiteral("Tanca el programa"));
    exit.onClick([] { ui::forms::endProgram(); });
}

void FloorPlan::addBreaker() {
    const QRectF breakerRect(600, 6000, 855, 2175);
    const char* const pictures[] = {"breaker_tripped", "breaker_armed"};
    const char* const states[] = {"Disparat: premeu-lo per tornar-lo a connectar", "Connectat"};
    for (int i = 0; i < 2; ++i) {
        auto& breaker = add<ui::PictureBox>(ui::Name("PicMagneto", i), breakerRect,
                                            QString::fromUtf8(pictures[i]));
        breaker.setAccessibleName(QStringLiteral("Magnetotèrmic"));
        breaker.setAccessibleDescription(QString::fromUtf8(states[i]));
        breaker.onClick(house::PicMagneto_Click);
    }
    pictureBox("PicMagneto", 0).setVisible(false);

    auto& warning =
        add<ui::Image>("ImgAvis", QRectF(1440, 6840, 1050, 450), QStringLiteral("warning"));
    warning.setVisible(false);
    warning.setAccessibleName(QStringLiteral("Avís"));

    auto& standing = add<ui::Label>(
        "LblAvisPia", warningRect,
        QStringLiteral("ALERTA!!!.  Si tens molts llums encesos es pot disparar el magnetotèrmic"));
    standing.setForeColor(ui::colors::Red);
    standing.setBackColor(ui::colors::HighlightText);

    auto& tripped = add<ui::Label>(
        "lblMagneto", warningRect,
        QStringLiteral("Tens molts llums encesos. S'ha disparat el magnetotèrmic.                "
                       "Pulsa a sobre  per carregar-lo"));
    tripped.setForeColor(ui::colors::Red);
    tripped.setBackColor(ui::colors::LightGrey);
    tripped.setVisible(false);
}

void FloorPlan::Form_Load() {
    house::showRooms();
    Show();
}

void defineFloorPlan() {
    ui::forms::define(house::floorPlan, [] { return std::make_unique<FloorPlan>(); });
}

} // namespace plan
