// SPDX-License-Identifier: GPL-3.0-or-later
// The wiring board: draws the exercise's components, the learner's
// conductors coloured by potential and the lamps lit by the power they take,
// and turns presses and keys into edits of the wiring. The drawing scales
// with the widget, keeping the board's shape.
#pragma once

#include "workshop/workbench.h"

#include <QHash>
#include <QPolygon>
#include <QWidget>

#include <vector>

class QPushButton;

namespace workshop {

class BoardItem;

class BoardView : public QWidget {
    Q_OBJECT
  public:
    explicit BoardView(Workbench& bench, QWidget* parent = nullptr);

    // Draws the board into `target` (the screen, or a picture for export).
    void paintBoard(QPainter& painter, const QRectF& target) const;

    // The terminal pressed first, waiting for the second (-1: none).
    int pendingTerminal() const { return pending_; }
    // The selected conductor (-1: none).
    int selectedConductor() const { return selected_; }
    // The path of each conductor, in grid steps, in wiring order.
    const std::vector<QPolygon>& routes() const { return routes_; }

    // Where a grid point lies on the widget.
    QPointF toWidget(QPointF grid) const;
    // The items, for the tab order and for tests.
    const std::vector<BoardItem*>& terminalItems() const { return terminals_; }
    const std::vector<BoardItem*>& conductorItems() const { return conductors_; }
    const std::vector<BoardItem*>& lampItems() const { return lamps_; }
    const std::vector<QPushButton*>& switchButtons() const { return switches_; }

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;
    bool hasHeightForWidth() const override { return true; }
    int heightForWidth(int width) const override;

  signals:
    // The focus chain of the board's items changed (conductors came or went).
    void itemsChanged();

  protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

  private:
    void createComponentItems();
    void wiringChanged();
    void routeConductors();
    void refresh();
    void describeTerminal(BoardItem* item);
    void placeItems();
    void terminalActivated(BoardItem* item);
    void terminalReleased(BoardItem* item, QPoint position);
    void conductorActivated(BoardItem* item);
    void cancelPending();
    qreal gridScale(const QRectF& target) const;
    QPointF gridOrigin(const QRectF& target) const;

    Workbench& bench_;
    int pending_ = -1;
    int selected_ = -1;
    std::vector<QPolygon> routes_;
    QHash<QPair<int, int>, QPolygon> routeCache_;
    std::vector<BoardItem*> terminals_, conductors_, lamps_;
    std::vector<QPushButton*> switches_;
};

} // namespace workshop
