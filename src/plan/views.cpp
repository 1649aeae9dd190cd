// SPDX-License-Identifier: GPL-3.0-or-later
#include "plan/views.h"

#include "ui/controls.h"

namespace plan {

namespace {

constexpr QRectF viewRect{5280, 240, 6975, 5055};

// One side of the house: its picture, stacked at the index of its element
// of PicVistes, and the compass button that brings it to view. The side's
// name (the button's accessible name) also names the view and describes
// the button for assistive tools.
struct Face {
    const char* picture;
    const char* button;
    const char* buttonPicture;
    const char* accessibleName;
    QRectF buttonRect;
    const char* caption;
};

QString sideName(const Face& face) {
    return QString::fromUtf8(face.accessibleName).toLower();
}

// In the order of the PicVistes elements; the last one added lies in front.
const Face faces[] = {
    {"face_south",
     "CmdSud",
     "button_south",
     "Sud",
     {7920, 6600, 495, 495},
     "Aquesta és la cara SUD"},
    {"face_west",
     "CmdOest",
     "button_west",
     "Oest",
     {9240, 6600, 495, 495},
     "Aquesta és la cara OEST"},
    {"face_north",
     "CmdNord",
     "button_north",
     "Nord",
     {9240, 5520, 495, 495},
     "Aquesta és la cara NORD"},
    {"face_east", "CmdEst", "button_east", "Est", {7920, 5520, 495, 495}, "Aquesta és la cara EST"},
};

constexpr int faceCount = int(std::size(faces));

// Shows one view and hides the other three in rising order, then names the
// face shown.
void showFace(ui::Form& form, int shown) {
    form.pictureBox("PicVistes", shown).setVisible(true);
    for (int i = 0; i < faceCount; ++i)
        if (i != shown)
            form.pictureBox("PicVistes", i).setVisible(false);
    form.label("LblVista").setCaption(QString::fromUtf8(faces[shown].caption));
}

void addCompassButton(ui::Form& form, int face) {
    const Face& f = faces[face];
    auto& button = form.add<ui::CommandButton>(f.button, f.buttonRect, QString(),
                                               QString::fromUtf8(f.buttonPicture));
    button.setAccessibleName(QString::fromUtf8(f.accessibleName));
    button.setAccessibleDescription(QStringLiteral("Mostra la cara ") + sideName(f));
    // The compass buttons take the window's background.
    QPalette palette = button.button()->palette();
    palette.setColor(QPalette::Button, ui::toQColor(ui::colors::CaptionText, palette));
    button.button()->setPalette(palette);
    button.onClick([&form, face] { showFace(form, face); });
}

} // namespace

void addViews(ui::Form& form) {
    for (int i = 0; i < faceCount; ++i)
        form.add<ui::PictureBox>(ui::Name("PicVistes", i), viewRect,
                                 QString::fromUtf8(faces[i].picture))
            .setAccessibleName(QStringLiteral("Cara ") + sideName(faces[i]) +
                               QStringLiteral(" de la casa"));
    form.add<ui::Label>("LblRetol3", QRectF(5880, 5640, 1815, 375),
                        QStringLiteral("Feu un click a la cara que voleu veure:"))
        .setBackColor(ui::colors::CaptionText);
    form.add<ui::Image>("ImgRosaVents", QRectF(8160, 5760, 1200, 1200),
                        QStringLiteral("compass_rose"));
    // The buttons take the keyboard focus in reading order: east and north
    // above the rose, south and west below it.
    for (int face : {3, 2, 0, 1})
        addCompassButton(form, face);
    form.add<ui::Label>("LblVista", QRectF(9960, 5640, 2175, 375), QString())
        .setBackColor(ui::colors::CaptionText);
}

} // namespace plan
