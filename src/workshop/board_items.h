// SPDX-License-Identifier: GPL-3.0-or-later
// The things on the board that a learner presses: terminals, conductors and
// lamps. The board draws them; each item is a small transparent button over
// its drawing, so that it takes the keyboard focus, Space and Enter, and
// tells assistive tools its name and the Press action. Presses of the
// mouse, pen or finger go through it to the board, which gives each to the
// nearest item within reach.
#pragma once

#include <QAbstractButton>
#include <QMouseEvent>

namespace workshop {

class BoardItem : public QAbstractButton {
    Q_OBJECT
  public:
    // A part is a bell, an impulse relay or a staircase timer, by its
    // component index.
    enum class Role { Terminal, Conductor, Lamp, Part };

    BoardItem(Role role, int index, QWidget* board);

    Role role() const { return role_; }
    // The terminal, conductor or lamp index in the exercise or the wiring.
    int index() const { return index_; }
    void setIndex(int index) { index_ = index; }
    void setNames(const QString& name, const QString& description);
    // Asks the board to draw again where this item's marks (focus ring,
    // pending ring) lie.
    void repaintMarks();

  signals:
    // Pressed with the mouse, Space, Enter or an assistive tool.
    void activated(BoardItem* item);

  protected:
    void paintEvent(QPaintEvent*) override {}
    // Left to the board, which they reach through the item.
    void mousePressEvent(QMouseEvent* event) override { event->ignore(); }
    void mouseReleaseEvent(QMouseEvent* event) override { event->ignore(); }
    void mouseMoveEvent(QMouseEvent* event) override { event->ignore(); }
    void keyPressEvent(QKeyEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

  private:
    Role role_;
    int index_;
};

} // namespace workshop
