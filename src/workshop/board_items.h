// SPDX-License-Identifier: GPL-3.0-or-later
// The things on the board that a learner presses: terminals, conductors and
// lamps. The board draws them; each item is a small transparent button over
// its drawing, so that it takes mouse presses (on press, as everywhere in
// the program), the keyboard focus, Space and Enter, and tells assistive
// tools its name and the Press action.
#pragma once

#include <QAbstractButton>

namespace workshop {

class BoardItem : public QAbstractButton {
    Q_OBJECT
  public:
    enum class Role { Terminal, Conductor, Lamp };

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
    // A mouse button let go over the board, after a press on this item.
    void releasedAt(BoardItem* item, QPoint boardPosition);

  protected:
    void paintEvent(QPaintEvent*) override {}
    bool hitButton(const QPoint& pos) const override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

  private:
    Role role_;
    int index_;
};

} // namespace workshop
