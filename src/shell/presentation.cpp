// SPDX-License-Identifier: GPL-3.0-or-later
#include "shell/presentation.h"

#include "house/catalogue.h"
#include "ui/controls.h"
#include "ui/forms.h"
#include "ui/twips.h"

namespace shell {

namespace {

const QString windowName = QStringLiteral("frmPresentació");

// The client area the screen opens with, in twips.
constexpr QSizeF designSize(9465, 8595);

// The full width of the loading bar, in twips: its picture's width.
constexpr int barWidth = 5295;

// The lamp's wiring in the order it turns yellow when the switch closes.
const char* const liveWires[] = {"Line1", "Line2", "Line4", "Line5"};

// The neutral bar's yellow is a shade off the others (blue 5, not 0).
constexpr ui::Color neutralYellow = ui::rgb(255, 255, 5);

ui::Label& addLabel(ui::Form& form, const char* name, QRectF twips, const QString& caption,
                    ui::Color fore, ui::Color back) {
    auto& label = form.add<ui::Label>(name, twips, caption);
    label.setForeColor(fore);
    label.setBackColor(back);
    return label;
}

} // namespace

Presentation::Presentation() : ui::Form(windowName, QString(), designSize) {
    setBackColor(ui::colors::ButtonText);
    // The screen has no caption to be named by.
    surface()->setAccessibleName(QStringLiteral("Presentació"));
    addTexts();
    addCircuit();
    addLoadingBar();
    addTimers();
    // The credit label reaches past the right edge of the client area: the
    // whole layout is fitted into the window so that none of it is cut off.
    const QSizeF controls = layoutExtent();
    setLayoutExtent(controls.expandedTo(designSize));
}

void Presentation::Form_Load() {
    removeTitleBar();
    window()->resize((designSize / ui::twipsPerPixel).toSize());
}

void Presentation::addTexts() {
    using namespace ui::colors;
    auto& title = addLabel(*this, "LblTítol", {720, 960, 9375, 1575}, QStringLiteral("Ampera"),
                           Yellow, ButtonText);
    title.setAlignment(ui::Label::Align::Centre);
    title.setFont({QStringLiteral("Niagara Solid"), 36});

    auto& subtitle = addLabel(*this, "lblSubtítol", {2520, 3120, 6015, 1335},
                              QStringLiteral("Funcionament dels aparells de comandament "
                                             "elèctric: interruptors, commutadors i "
                                             "creuements.  Les taules de veritat."),
                              HighlightText, ButtonText);
    subtitle.setAlignment(ui::Label::Align::Centre);
    subtitle.setFont({QStringLiteral("Niagara Solid"), 14.25});

    addLabel(*this, "LblFase", {2640, 6120, 735, 375}, QStringLiteral("FASE"), HighlightText,
             MenuText);
    addLabel(*this, "LblNeutre", {7560, 6120, 735, 375}, QStringLiteral("NEUTRE"), HighlightText,
             MenuText);
}

void Presentation::addCircuit() {
    using namespace ui::colors;
    const auto wire = [this](const char* name, float x1, float y1, float x2, float y2) -> auto& {
        auto& line = add<ui::Line>(name, x1, y1, x2, y2);
        line.setBorderColor(Menu);
        return line;
    };
    const auto terminal = [this](const char* name, QRectF twips) -> auto& {
        auto& shape = add<ui::Shape>(name, ui::Shape::Kind::Circle, twips);
        shape.setBorderColor(Menu);
        return shape;
    };
    wire("Line1", 2880, 5160, 2880, 5880);
    wire("Line2", 2880, 5520, 4440, 5520);
    terminal("Shape1", {4320, 5400, 375, 255});
    wire("Line3", 4440, 5520, 5400, 5160);
    auto& closedLever = wire("Line9", 4440, 5520, 5640, 5520);
    closedLever.setBorderColor(Yellow);
    closedLever.setVisible(false);
    terminal("Shape2", {5280, 5400, 375, 255});
    wire("Line4", 5500, 5520, 6480, 5520);
    auto& lamp = terminal("ShpBombeta", {6360, 5160, 975, 735});
    lamp.setBackColor(Yellow);
    lamp.setBackStyle(0);
    wire("Line7", 6600, 5280, 7080, 5760).setBorderColor(Window);
    wire("Line8", 6600, 5760, 7080, 5280);
    wire("Line5", 7200, 5520, 7920, 5520);
    wire("Line6", 7920, 5160, 7920, 5880);
}

void Presentation::addLoadingBar() {
    using namespace ui::colors;
    auto& credit = addLabel(*this, "LblAutor", {7680, 6600, 2535, 495},
                            QStringLiteral("Fet per l'equip Ampera\r\nContacte: projecte Ampera"),
                            HighlightText, ButtonText);
    credit.setAlignment(ui::Label::Align::Centre);

    add<ui::Image>("ImgCarrega", QRectF(2760, 7200, barWidth, 540), QStringLiteral("loading_bar"))
        .setVisible(false);

    auto& moment = addLabel(*this, "LblMoment", {3240, 8040, 4215, 255},
                            QStringLiteral("Un moment, s'està carregant el programa !!"),
                            HighlightText, ButtonText);
    moment.setFont({QStringLiteral("MS Sans Serif"), 9.75});
}

void Presentation::addTimers() {
    add<ui::Timer>("TmrCarrega", 100, true).onTimer([this] { TmrCarrega_Timer(); });
    add<ui::Timer>("Rellotge2", 2500, true).onTimer([this] { Rellotge2_Timer(); });
    add<ui::Timer>("Rellotge1", 3000, true).onTimer([this] { Rellotge1_Timer(); });
}

void Presentation::TmrCarrega_Timer() {
    // The bar grows one twip at a time within a single tick; the window is
    // repainted once afterwards, so the learner sees it at full width.
    ui::Image& bar = image("ImgCarrega");
    for (int width = 1; width <= barWidth; ++width) {
        bar.setWidth(float(width));
        bar.setVisible(true);
    }
}

void Presentation::Rellotge2_Timer() {
    // Every pass writes the same values; the circuit is lit after the first.
    for (int pass = 1; pass <= 100; ++pass)
        lightCircuit();
}

void Presentation::lightCircuit() {
    using namespace ui::colors;
    line("Line3").setBorderColor(Black);
    line("Line9").setVisible(true);
    line("Line7").setBorderColor(Black);
    line("Line8").setBorderColor(Black);
    for (const char* wire : liveWires)
        line(wire).setBorderColor(Yellow);
    line("Line6").setBorderColor(neutralYellow);
    line("Line3").setVisible(false);
    shape("ShpBombeta").setBackStyle(1);
    shape("ShpBombeta").setBorderColor(Black);
}

void Presentation::Rellotge1_Timer() {
    ui::forms::get(house::floorPlan).Show();
    ui::forms::unload(windowName);
}

} // namespace shell
