// SPDX-License-Identifier: GPL-3.0-or-later
// Everything a workshop window shows: the board on the left; on the right
// the instruction, the legend of colours, the live truth table, the breaker,
// the buttons and the verdict of the last check.
#pragma once

#include "workshop/workbench.h"

#include <QWidget>

class QLabel;
class QPushButton;
class QTableWidget;
class QTimer;

namespace workshop {

class BoardView;
class BreakerButton;

class WorkshopView : public QWidget {
    Q_OBJECT
  public:
    explicit WorkshopView(Workbench& bench, QWidget* parent = nullptr);

    BoardView& board() const { return *board_; }
    // Works every combination and shows the verdict beside the tables.
    void checkWiring();
    // A short word for the learner (a file saved), over the foot of the
    // board for a few seconds; nothing else moves for it.
    void showNotice(const QString& text);
    QLabel* notice() const { return notice_; }

  signals:
    // The learner asked for the room of the house that uses this circuit.
    void roomRequested(const QString& window);

  private:
    QWidget* createPanel();
    QWidget* createButtons();
    void createShortcuts();
    void showState();
    void fillTable();
    void orderTabs();
    void forgetCheck();

    Workbench& bench_;
    BoardView* board_;
    QLabel* instruction_;
    QTableWidget* table_;
    BreakerButton* breaker_;
    QLabel* tripMessage_;
    QPushButton* check_;
    QPushButton* clear_;
    QPushButton* undo_;
    QPushButton* redo_;
    QLabel* verdict_;
    QPushButton* openRoom_;
    QLabel* notice_;
    QTimer* noticeTime_;
    bool checked_ = false;
};

} // namespace workshop
