// SPDX-License-Identifier: GPL-3.0-or-later
// Where everything goes on a worksheet, an A4 page in landscape measured in
// points: the title and the lines for the pupil's name, course and date,
// the board as large as the page allows, the instruction and the verdict
// under it, and beside it the truth table, its rows sized to the space and
// split into blocks side by side when they are many. A table too large to
// sit beside a board of a fair size goes on a page of its own.
#pragma once

#include "circuit/exercise.h"

#include <QFont>
#include <QRectF>
#include <QStringList>

#include <vector>

namespace workshop {

// A4 landscape, in points (1/72 inch).
constexpr QSizeF SheetPoints(842, 595);
// No text on a sheet is smaller than this, in points.
constexpr int SmallestSheetText = 9;

// The sheet's font: `points` high on paper, as the sheet is drawn in points.
QFont sheetFont(int points, bool bold = false);

struct TableLayout {
    struct Block {
        int page;
        QPointF at; // the top-left corner
    };
    int textPoints = SmallestSheetText;
    qreal headingHeight = 0;
    qreal rowHeight = 0;
    std::vector<qreal> columnWidths;
    int rowsPerBlock = 0;
    std::vector<Block> blocks; // block b has the rows from b * rowsPerBlock on

    qreal blockWidth() const;
    // A block's outline, heading included, for `rows` rows.
    QRectF blockRect(int block, int rows) const;
};

struct WorksheetLayout {
    int pages = 1;
    QRectF title, names;
    QRectF board; // the board's drawn extent: board::Width by Height grid steps
    qreal boardScale = 1;
    QRectF instruction, verdict; // under the board; the verdict is empty on a blank sheet
    TableLayout table;
};

// The headings of the sheet's truth table: the switches, "Cal", "Fa" and a
// named column for the mark of the rows that differ.
QStringList sheetHeadings(const circuit::Exercise& exercise);

// Lays out the sheet of `exercise`; `verdict` is empty for a blank sheet.
WorksheetLayout layOutWorksheet(const circuit::Exercise& exercise, const QString& verdict);

} // namespace workshop
