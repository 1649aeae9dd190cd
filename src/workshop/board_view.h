// SPDX-License-Identifier: GPL-3.0-or-later
// The wiring board: draws the exercise's components, the learner's
// conductors in their insulation's colour, glowing where they are live, and the lamps lit by the
// power they take, and turns presses and keys into edits of the wiring. The drawing scales with the
// widget, keeping the board's shape. Presses of the mouse, a pen or a finger are taken by the board
// itself: each goes to the nearest item within a finger's reach of where it lands.
#pragma once

#include "circuit/router.h"
#include "workshop/workbench.h"

#include <QHash>
#include <QTimer>
#include <QWidget>

#include <vector>

class QMenu;
class QPushButton;

namespace workshop {

class BoardItem;

class BoardView : public QWidget {
    Q_OBJECT
  public:
    explicit BoardView(Workbench& bench, QWidget* parent = nullptr);

    // How far from an item's outline or centre line a press still reaches
    // it, in logical pixels: about a fingertip on a pupil's laptop.
    static constexpr qreal Reach = 22;
    // The space round the board's grid, in grid steps.
    static constexpr qreal Margin = 0.6;

    // Draws the board into `target` (the screen, or a picture for export);
    // of the screen, only what reaches `exposed` when one is given.
    void paintBoard(QPainter& painter, const QRectF& target, const QRectF& exposed = {}) const;

    // The terminal pressed first, waiting for the second (-1: none).
    int pendingTerminal() const { return pending_; }
    // The selected conductor (-1: none).
    int selectedConductor() const { return selected_; }
    // The insulation colour of the next conductor drawn: the learner's
    // choice, or the usual one for the ends it is drawn between.
    circuit::Insulation nextColour() const { return colour_; }
    // A colour chosen on the palette: the selected conductor's, or with
    // none selected, the next one's.
    void chooseColour(circuit::Insulation colour);
    // Whether live conductors glow with their potential.
    void setShowVoltage(bool shown);
    // The probe the next press on a terminal places, while faults are
    // sought.
    Workbench::Probe nextProbe() const { return nextProbe_; }
    void setNextProbe(Workbench::Probe probe);
    void removeSelectedConductor();
    // The small menu a right-click or a long press on a conductor offers.
    QMenu* conductorMenu() const { return conductorMenu_; }
    // The path of each conductor, in grid steps, in wiring order.
    const std::vector<circuit::Route>& routes() const { return routes_; }

    // Where a grid point lies on the widget.
    QPointF toWidget(QPointF grid) const;
    // The items, for the tab order and for tests.
    const std::vector<BoardItem*>& terminalItems() const { return terminals_; }
    const std::vector<BoardItem*>& conductorItems() const { return conductors_; }
    const std::vector<BoardItem*>& lampItems() const { return lamps_; }
    const std::vector<QPushButton*>& switchButtons() const { return switches_; }
    // Bells, relays and timers, in component order.
    const std::vector<BoardItem*>& partItems() const { return parts_; }

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

  signals:
    // The focus chain of the board's items changed (conductors came or went).
    void itemsChanged();
    // A conductor was selected, or the selection went (-1).
    void selectionChanged(int conductor);
    // The next conductor's colour changed: chosen, or the usual one for the
    // terminal a drawing starts from.
    void colourChanged(circuit::Insulation colour);
    void nextProbeChanged(Workbench::Probe probe);
    // A mark was pressed: whether a fault was there.
    void faultMarked(bool right);

  protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    bool event(QEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

  private:
    void createComponentItems();
    void createSwitchButton(const circuit::Component& component, int sw);
    void createPartItem(int component);
    void describeParts();
    // Rings the bells that are powered, and stops when none is.
    void ringWhilePowered();
    // The push button a press of the mouse or a finger holds (-1: none).
    void letGo();
    void wiringChanged();
    void routeConductors();
    void refresh();
    void describeTerminal(BoardItem* item);
    void placeItems();
    // The item nearest to a point within reach: a terminal, a switch
    // button, a lamp or a conductor; null when there is none.
    QWidget* itemAt(QPointF point) const;
    BoardItem* terminalAt(QPointF point) const;
    void pressItem(QWidget* item);
    void terminalActivated(BoardItem* item);
    void conductorActivated(BoardItem* item);
    void select(int conductor);
    bool markingFaults() const;
    bool foundFault(circuit::FaultKind kind, int where) const;
    void markFault(circuit::FaultMark::Target target, int index);
    void testTerminal(int terminal);
    void setColour(circuit::Insulation colour);
    void offerConductorMenu(QPoint at);
    void cancelPending();
    qreal gridScale(const QRectF& target) const;
    QPointF gridOrigin(const QRectF& target) const;

    Workbench& bench_;
    int pending_ = -1;
    int selected_ = -1;
    circuit::Insulation colour_ = circuit::Insulation::Brown;
    // The learner chose the next conductor's colour on the palette; else it
    // takes the usual one for its ends.
    bool colourChosen_ = false;
    bool showVoltage_ = true;
    Workbench::Probe nextProbe_ = Workbench::Probe::Red;
    std::vector<circuit::Route> routes_;
    QHash<QPair<int, int>, circuit::Route> routeCache_;
    std::vector<BoardItem*> terminals_, conductors_, lamps_, parts_;
    std::vector<QPushButton*> switches_;
    // A press held on a conductor opens its menu, as a right-click does.
    QTimer longPress_;
    QPoint pressedAt_;
    int draggedFrom_ = -1; // the terminal a drag started from
    int held_ = -1;        // the push button held by the mouse or a finger
    QTimer ring_;          // moves the bells' strikers while they ring
    int ringFrame_ = 0;
    QMenu* conductorMenu_;
};

} // namespace workshop
