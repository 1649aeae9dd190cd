// SPDX-License-Identifier: GPL-3.0-or-later
// The workshop's diagram on paper or in a picture, for worksheets: the
// exercise's title and instruction, the board, the expected and the
// learner's truth tables side by side, and the verdict of the check.
#pragma once

#include <QPainter>
#include <QRectF>
#include <QString>
#include <QStringList>

namespace workshop {

class BoardView;
class Workbench;

// Draws the sheet to fill `page` (its proportions kept by the board).
void paintWorksheet(QPainter& painter, const QRectF& page, const Workbench& bench,
                    const BoardView& board);

// The extensions of the formats a sheet can be written in, the first the
// one proposed: PDF, SVG where the program has Qt SVG, and PNG.
QStringList worksheetFormats();

// Writes the sheet in the format its extension names. False with a Catalan
// reason naming the file.
bool exportWorksheet(const QString& path, const Workbench& bench, const BoardView& board,
                     QString* error);

} // namespace workshop
