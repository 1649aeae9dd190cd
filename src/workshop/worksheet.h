// The workshop's diagram on paper or in a picture, for worksheets: the
// exercise's title and instruction, the board, the expected and the
// learner's truth tables side by side, and the verdict of the check.
#pragma once

#include <QPainter>
#include <QRectF>
#include <QString>

namespace workshop {

class BoardView;
class Workbench;

// Draws the sheet to fill `page` (its proportions kept by the board).
void paintWorksheet(QPainter& painter, const QRectF& page, const Workbench& bench,
                    const BoardView& board);

// Writes the sheet as SVG or PNG, chosen by the file's extension. False
// with a Catalan reason naming the file.
bool exportWorksheet(const QString& path, const Workbench& bench, const BoardView& board,
                     QString* error);

} // namespace workshop
