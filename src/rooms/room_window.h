// SPDX-License-Identifier: GPL-3.0-or-later
// The frame every room window shares: the photograph pair, the room's name
// written downwards, the miniature plan that marks the room and leads to
// every other room, and the end of every switch action.
#pragma once

#include "house/catalogue.h"
#include "ui/form.h"

#include <functional>

namespace ui {
class Frame;
}

namespace rooms {

// All nine rooms are drawn at one scale: the extent of their layouts.
QSizeF roomExtent();

class RoomWindow : public ui::Form {
    Q_OBJECT
  public:
    explicit RoomWindow(const house::Room& room);

    const house::Room& room() const { return room_; }
    void Form_Load() override;

    // Whether the lit photograph shows (element 0 visible, 1 hidden); the
    // window and its switch buttons tell assistive tools how the lamp is.
    void showPhotograph(bool lit);
    // Marks truth-table row `row` red on white and every other row of the
    // `rows` labels black on button face: text colours first, then backs.
    // The table tells assistive tools which row is marked.
    void highlightRow(int row, int rows);

  protected:
    // The truth-table frame with its title label.
    ui::Frame& addTruthTable(QRectF frame, QRectF title, const QString& titleCaption);
    // The phase and neutral captions under the diagram.
    void addCaptions();
    // The switch button above a lever.
    void addSwitchButton(const QString& name, QRectF rect, const QString& picture,
                         const QString& accessibleName, std::function<void()> handler);

    // The end of every switch action: the lamp's indicators on every
    // window, this window brought up again, and after lighting the
    // overload check, which may unload this very window.
    void finishSwitching(bool lit);
    void ComprovaConsum();

  private:
    void addPhotographs();
    void addNameLabel();
    void addMiniaturePlan();
    void describeLamp(bool lit);

    const house::Room& room_;
};

} // namespace rooms
