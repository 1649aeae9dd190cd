// SPDX-License-Identifier: GPL-3.0-or-later
// Everything a workshop window shows: the board, and beside it (below it on
// screens nearer square, where that gives the board more room) the
// instruction, the legend of colours, the palette of insulation colours,
// the live truth table, the breaker, the buttons and the messages. The panel's size and text follow
// the window's size, never what it says, so the board stays still when a message comes.
#pragma once

#include "workshop/workbench.h"

#include <QWidget>

#include <vector>

class QBoxLayout;
class QCheckBox;
class QVBoxLayout;
class QLabel;
class QPushButton;
class QTableWidget;
class QTimer;

namespace workshop {

class BoardView;
class BreakerButton;
class Palette;

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

  protected:
    void resizeEvent(QResizeEvent* event) override;

  signals:
    // The learner asked for the room of the house that uses this circuit.
    void roomRequested(const QString& window);

  private:
    QWidget* createPanel();
    QWidget* createAbout();
    QString legendText() const;
    QWidget* createColours(QWidget* parent);
    QWidget* createTester(QWidget* parent);
    void showTester();
    QWidget* createTableBlock();
    QWidget* createSequenceBlock(QWidget* block, QVBoxLayout* column);
    void fillSequences();
    QWidget* createControls();
    QWidget* createButtons();
    // Lays the panel beside or below the board, whichever leaves the board
    // larger, and sizes its text and controls for the window.
    void arrange();
    void createShortcuts();
    QString shortCircuitText() const;
    void showState();
    void fillTable();
    void orderTabs();
    void forgetCheck();

    Workbench& bench_;
    BoardView* board_;
    QBoxLayout* layout_;
    QWidget* panel_;
    QBoxLayout* panelLayout_;
    QWidget* messages_;
    QLabel* instruction_;
    QLabel* legend_;
    QWidget* colours_;
    Palette* palette_;
    QCheckBox* showVoltage_;
    // A fault-finding exercise's: the testers, the marks and the repair.
    QWidget* tester_ = nullptr;
    std::vector<QPushButton*> modeButtons_;
    QPushButton* repair_ = nullptr;
    QPushButton* redProbe_ = nullptr;
    QPushButton* blackProbe_ = nullptr;
    QLabel* reading_ = nullptr;
    QLabel* faultNote_ = nullptr;
    QTableWidget* table_;
    BreakerButton* breaker_;
    QLabel* tripMessage_;
    QPushButton* check_;
    QPushButton* clear_;
    QPushButton* undo_;
    QPushButton* redo_;
    QPushButton* removeConductor_;
    QLabel* verdict_;
    QPushButton* openRoom_;
    QLabel* notice_;
    QTimer* noticeTime_;
    bool checked_ = false;
};

} // namespace workshop
