// SPDX-License-Identifier: GPL-3.0-or-later
#include "rooms/room_window.h"

#include "house/breaker.h"
#include "house/plan_images.h"
#include "house/windows.h"
#include "ui/controls.h"

namespace rooms {

namespace {

constexpr QRectF planRect{5640, 360, 5055, 5055};
// The layouts reach 10 695 twips across (the miniature plan) and 8 055
// down (the master bedroom's captions); a margin as wide as the left one
// goes round them.
constexpr qreal margin = 120;

// The lines that outline a room on its miniature plan.
QString outlineName(int i) {
    return QStringLiteral("Line%1_activa").arg(i + 1);
}

// How the lamp's state reads to assistive tools.
QString lampState(bool lit) {
    return lit ? QStringLiteral("llum encès") : QStringLiteral("llum apagat");
}

// A truth-table row read with its column headings: "C1 1, C2 0, LLUM 0".
QString rowReading(const QString& headings, const QString& row) {
    const QStringList names = headings.simplified().split(QLatin1Char(' '));
    const QStringList values = row.simplified().split(QLatin1Char(' '));
    if (names.size() != values.size())
        return values.join(QLatin1Char(' '));
    QStringList pairs;
    for (int i = 0; i < names.size(); ++i)
        pairs << names[i] + QLatin1Char(' ') + values[i];
    return pairs.join(QStringLiteral(", "));
}

} // namespace

QSizeF roomExtent() {
    return QSizeF(10695 + margin, 8055 + margin);
}

RoomWindow::RoomWindow(const house::Room& room)
    : ui::Form(room.window, room.caption, roomExtent()), room_(room) {
    setLayoutExtent(roomExtent());
    // Closing a room only hides it, so that its lamp and switches stay as
    // every other window shows them.
    setCloseBox(CloseBox::Hides);
    addPhotographs();
    addNameLabel();
    addMiniaturePlan();
    describeLamp(false);
}

void RoomWindow::addPhotographs() {
    const QRectF rect(120, 360, 4935, room_.photographHeight);
    add<ui::PictureBox>(ui::Name(room_.photographs, 0), rect, room_.photoPicture)
        .setAccessibleName(QStringLiteral("Fotografia amb el ") + lampState(true));
    add<ui::PictureBox>(ui::Name(room_.photographs, 1), rect, house::darkPhotoPicture(room_))
        .setAccessibleName(QStringLiteral("Fotografia amb el ") + lampState(false));
}

void RoomWindow::addNameLabel() {
    auto& label = add<ui::Label>(room_.nameLabel, room_.nameLabelRect, room_.nameCaption);
    label.setFont({QStringLiteral("Arial"), room_.nameFontSize, true});
    label.setForeColor(ui::colors::Red);
    // Written one letter a line, the caption would be spelled out letter by
    // letter; assistive tools read the room's name instead.
    label.setAccessibleName(room_.caption);
}

void RoomWindow::addMiniaturePlan() {
    auto& plan = add<ui::PictureBox>(room_.plan, planRect);
    plan.setBackColor(room_.planOnWindowColour ? ui::colors::Window : ui::colors::ButtonFace);
    // The plan is entered with the mouse only; the menu reaches every room
    // from the keyboard.
    plan.setAccessibleName(QStringLiteral("Plànol de l'habitatge"));
    plan.setAccessibleDescription(
        QStringLiteral("Per anar a una altra estança, feu servir el menú Portal (Alt+P)"));
    plan.add<ui::Image>("ImgPlanta", QRectF(0, 0, 4935, 5055), QStringLiteral("plan"));
    house::addPlanImages(plan, room_.kitchenIndicatorLeft);
    if (!room_.activeFrame.isEmpty()) {
        auto& frame =
            plan.add<ui::Shape>(room_.activeFrame, ui::Shape::Kind::Rectangle, room_.activeRect);
        frame.setBorderWidth(2);
    }
    // Laid out undrawn, drawn at load.
    for (int i = 0; i < int(room_.planOutline.size()); ++i) {
        const QLineF& l = room_.planOutline[i];
        plan.add<ui::Line>(outlineName(i), l.x1(), l.y1(), l.x2(), l.y2()).setBorderStyle(0);
    }
}

void RoomWindow::Form_Load() {
    if (!room_.activeFrame.isEmpty())
        shape(room_.activeFrame).setBorderColor(ui::colors::Red);
    for (int i = 0; i < int(room_.planOutline.size()); ++i) {
        ui::Line& l = line(outlineName(i));
        l.setBorderStyle(1);
        l.setBorderColor(ui::colors::Red);
    }
}

ui::Frame& RoomWindow::addTruthTable(QRectF frameRect, QRectF title, const QString& titleCaption) {
    auto& table = add<ui::Frame>("FrmTVeritat", frameRect, QStringLiteral("Taula de Veritat"));
    table.setAccessibleDescription(QStringLiteral("Cap fila marcada"));
    table.add<ui::Label>("LblTítolTaula", title, titleCaption);
    return table;
}

void RoomWindow::addCaptions() {
    const ui::FontSpec font{QStringLiteral("Arial"), 9.75, true};
    add<ui::Label>("LblFase", room_.phaseCaption, QStringLiteral("FASE")).setFont(font);
    add<ui::Label>("LblNeutre", room_.neutralCaption, QStringLiteral("NEUTRE")).setFont(font);
}

void RoomWindow::addSwitchButton(const QString& name, QRectF rect, const QString& picture,
                                 const QString& accessibleName, std::function<void()> handler) {
    auto& button = add<ui::CommandButton>(name, rect, QString(), picture);
    button.setAccessibleName(accessibleName);
    button.setAccessibleDescription(surface()->accessibleDescription());
    button.onClick(std::move(handler));
}

void RoomWindow::showPhotograph(bool lit) {
    pictureBox(room_.photographs, 0).setVisible(lit);
    pictureBox(room_.photographs, 1).setVisible(!lit);
    describeLamp(lit);
}

void RoomWindow::describeLamp(bool lit) {
    // The window and its switch buttons, where the focus is while the
    // learner switches, both say how the lamp is.
    surface()->setAccessibleDescription(lampState(lit));
    for (const auto& child : Container::children())
        if (auto* button = dynamic_cast<ui::CommandButton*>(child.get()))
            button->setAccessibleDescription(lampState(lit));
}

void RoomWindow::highlightRow(int row, int rows) {
    for (int i = 0; i < rows; ++i)
        label("LblTaula", i).setForeColor(i == row ? ui::colors::Red : ui::colors::Black);
    for (int i = 0; i < rows; ++i)
        label("LblTaula", i).setBackColor(i == row ? ui::colors::White : ui::colors::ButtonFace);
    for (int i = 0; i < rows; ++i)
        label("LblTaula", i)
            .setAccessibleDescription(i == row ? QStringLiteral("fila marcada") : QString());
    const QString reading =
        rowReading(label("LblTítolTaula").caption(), label("LblTaula", row).caption());
    frame("FrmTVeritat").setAccessibleDescription(QStringLiteral("Fila marcada: ") + reading);
}

void RoomWindow::finishSwitching(bool lit) {
    house::ActualitzaIndicador(name(), room_.indicators, lit);
    house::ObreFinestra(name());
    if (lit)
        ComprovaConsum();
}

void RoomWindow::ComprovaConsum() {
    house::ComprovaConsum(*this);
}

} // namespace rooms
