// SPDX-License-Identifier: GPL-3.0-or-later
#include "workshop/worksheet_layout.h"

#include "circuit/board.h"
#include "ui/fonts.h"
#include "workshop/look.h"

#include <QFontMetricsF>

#include <cmath>
#include <optional>

namespace workshop {

namespace {

constexpr qreal Margin = 22; // under 8 mm, wider than most printers' own
constexpr qreal Gap = 16;
constexpr qreal BlockGap = 8;
constexpr int TitlePoints = 18;
constexpr int TextPoints = 11;
constexpr int LargestTableText = 12;
// Past this share of the width the table leaves the board too small to
// read, and goes on a page of its own.
constexpr qreal SmallestBoardShare = 0.55;

qreal lineHeight(const QFont& font) {
    return QFontMetricsF(font).lineSpacing();
}

qreal wrappedHeight(const QFont& font, qreal width, const QString& text) {
    if (text.isEmpty())
        return 0;
    return QFontMetricsF(font)
        .boundingRect(QRectF(0, 0, width, 1e6), Qt::TextWordWrap, text)
        .height();
}

// The widest word of a heading, or of anything a cell may hold.
qreal columnWidth(const QFontMetricsF& metrics, const QString& heading) {
    qreal widest = 0;
    for (const QString& word : heading.split(QLatin1Char(' ')))
        widest = std::max(widest, metrics.horizontalAdvance(word));
    for (const char* cell : {"CC", "½", "0", "1", "✗"})
        widest = std::max(widest, metrics.horizontalAdvance(QString::fromUtf8(cell)));
    return widest + metrics.height() * 0.8;
}

// The table in `blocks` blocks of rows, each at most `height` high, in the
// largest text whose rows fit, rows at most `tallestRow` times the text;
// none when even the smallest text does not fit.
std::optional<TableLayout> fitTable(const QStringList& headings, int rows, qreal height, int blocks,
                                    qreal tallestRow) {
    const int perBlock = (rows + blocks - 1) / blocks;
    qsizetype headingLines = 1;
    for (const QString& heading : headings)
        headingLines = std::max(headingLines, heading.count(QLatin1Char(' ')) + 1);
    for (int points = LargestTableText; points >= SmallestSheetText; --points) {
        const QFontMetricsF metrics(sheetFont(points));
        TableLayout t;
        t.textPoints = points;
        t.headingHeight = qreal(headingLines) * metrics.lineSpacing() + points * 0.6;
        t.rowHeight = std::min(points * tallestRow, (height - t.headingHeight) / perBlock);
        if (t.rowHeight < metrics.lineSpacing() * 1.1)
            continue;
        t.rowsPerBlock = perBlock;
        for (const QString& heading : headings)
            t.columnWidths.push_back(columnWidth(metrics, heading));
        return t;
    }
    return std::nullopt;
}

int blocksNeeded(const TableLayout& t, int rows) {
    return (rows + t.rowsPerBlock - 1) / t.rowsPerBlock;
}

qreal tableWidth(const TableLayout& t, int blocks) {
    return blocks * t.blockWidth() + (blocks - 1) * BlockGap;
}

// The board as large as `area` allows under the instruction and above the
// verdict, its grid inset by half a step so that terminals on its edge and
// their labels stay inside.
void placeBoard(WorksheetLayout& l, const QRectF& area, const circuit::Exercise& e,
                const QString& verdict) {
    const qreal instruction = wrappedHeight(sheetFont(TextPoints), area.width(), e.instruction);
    const qreal below = verdict.isEmpty()
                            ? 0
                            : wrappedHeight(sheetFont(TextPoints, true), area.width(), verdict) + 8;
    const qreal height = area.height() - instruction - 8 - below;
    l.boardScale =
        std::min(area.width() / (circuit::board::Width + 1), height / (circuit::board::Height + 1));
    l.instruction = QRectF(area.left(), area.top(), area.width(), instruction);
    const QPointF corner(area.left(), l.instruction.bottom() + 8);
    l.board = QRectF(corner + QPointF(0.5, 0.5) * l.boardScale,
                     QSizeF(circuit::board::Width, circuit::board::Height) * l.boardScale);
    const qreal boardBottom = corner.y() + (circuit::board::Height + 1) * l.boardScale;
    if (!verdict.isEmpty())
        l.verdict = QRectF(area.left(), boardBottom + 8, area.width(), below - 8);
}

// Blocks from `page` on, side by side in `area` (against its right edge,
// or centred) and on as many pages as they need.
void placeBlocks(TableLayout& t, int rows, const QRectF& area, int page, bool alignRight) {
    const int count = blocksNeeded(t, rows);
    const int perPage = std::max(1, int((area.width() + BlockGap) / (t.blockWidth() + BlockGap)));
    for (int b = 0; b < count; ++b) {
        const int onPage = std::min(perPage, count - b / perPage * perPage);
        const qreal left = alignRight ? area.right() - tableWidth(t, onPage)
                                      : area.center().x() - tableWidth(t, onPage) / 2;
        t.blocks.push_back(
            {page + b / perPage,
             QPointF(left + (b % perPage) * (t.blockWidth() + BlockGap), area.top())});
    }
}

} // namespace

QFont sheetFont(int points, bool bold) {
    QFont font(ui::installedFamily(QStringLiteral("Arial")));
    font.setPixelSize(points);
    font.setBold(bold);
    font.setHintingPreference(QFont::PreferNoHinting);
    return font;
}

qreal TableLayout::blockWidth() const {
    qreal width = 0;
    for (qreal w : columnWidths)
        width += w;
    return width;
}

QRectF TableLayout::blockRect(int block, int rows) const {
    return QRectF(blocks[size_t(block)].at, QSizeF(blockWidth(), headingHeight + rows * rowHeight));
}

QStringList sheetHeadings(const circuit::Exercise& exercise) {
    QStringList headings = truthTableHeadings(exercise, QStringLiteral(" "));
    headings.back() = QStringLiteral("Error");
    return headings;
}

namespace {

// The table beside the board, in as few blocks as fit the page's height,
// its rows as tall as a line of handwriting; none when that leaves the
// board too narrow.
std::optional<WorksheetLayout> tableBeside(WorksheetLayout l, const QRectF& body,
                                           const circuit::Exercise& e, const QString& verdict) {
    const QStringList headings = sheetHeadings(e);
    const int rows = e.combinations();
    for (int blocks = 1; blocks <= 3; ++blocks) {
        std::optional<TableLayout> table = fitTable(headings, rows, body.height(), blocks, 3);
        if (!table)
            continue;
        const qreal boardWidth = body.width() - tableWidth(*table, blocks) - Gap;
        if (boardWidth < body.width() * SmallestBoardShare)
            return std::nullopt;
        placeBlocks(*table, rows, body, 0, true);
        l.table = *table;
        placeBoard(l, QRectF(body.topLeft(), QSizeF(boardWidth, body.height())), e, verdict);
        return l;
    }
    return std::nullopt;
}

// A short table under the board, in one block or two, the verdict beside
// it: the board then has the whole width.
std::optional<WorksheetLayout> tableBelow(const WorksheetLayout& start, const QRectF& body,
                                          const circuit::Exercise& e, const QString& verdict) {
    const QStringList headings = sheetHeadings(e);
    const int rows = e.combinations();
    std::optional<WorksheetLayout> best;
    for (int blocks = 1; blocks <= 2; ++blocks) {
        std::optional<TableLayout> t = fitTable(headings, rows, body.height() * 0.3, blocks, 1.8);
        if (!t || tableWidth(*t, blocks) > body.width() * 0.6)
            continue;
        WorksheetLayout l = start;
        const qreal width = tableWidth(*t, blocks);
        const qreal height = t->headingHeight + t->rowsPerBlock * t->rowHeight;
        const qreal verdictWidth = body.width() - width - Gap;
        const qreal verdictHeight =
            wrappedHeight(sheetFont(TextPoints, true), verdictWidth, verdict);
        placeBoard(l, body.adjusted(0, 0, 0, -std::max(height, verdictHeight) - 8), e, QString());
        const qreal top = l.board.bottom() + l.boardScale / 2 + 8;
        placeBlocks(*t, rows, QRectF(body.left(), top, width, height), 0, false);
        l.table = *t;
        if (!verdict.isEmpty())
            l.verdict = QRectF(body.left() + width + Gap, top, verdictWidth, verdictHeight);
        if (!best || l.boardScale > best->boardScale)
            best = l;
    }
    return best;
}

} // namespace

WorksheetLayout layOutWorksheet(const circuit::Exercise& e, const QString& verdict) {
    WorksheetLayout l;
    const QRectF content(QPointF(Margin, Margin), SheetPoints - QSizeF(2 * Margin, 2 * Margin));
    l.title = QRectF(content.left(), content.top(), content.width(),
                     lineHeight(sheetFont(TitlePoints, true)));
    l.names = QRectF(content.left(), l.title.bottom() + 6, content.width(),
                     lineHeight(sheetFont(TextPoints)) + 6);
    const QRectF body(content.left(), l.names.bottom() + 12, content.width(),
                      content.bottom() - l.names.bottom() - 12);
    // A board of sockets alone has no lamp to tabulate: the board has the page.
    if (e.lamps.empty()) {
        placeBoard(l, body, e, verdict);
        return l;
    }
    // Whichever leaves the larger board.
    const std::optional<WorksheetLayout> beside = tableBeside(l, body, e, verdict);
    const std::optional<WorksheetLayout> below = tableBelow(l, body, e, verdict);
    if (beside && (!below || beside->boardScale >= below->boardScale))
        return *beside;
    if (below)
        return *below;
    // The board has the first page to itself; the table follows under the
    // title of the next.
    placeBoard(l, body, e, verdict);
    const QRectF rest(content.left(), l.names.top(), content.width(),
                      content.bottom() - l.names.top());
    // One row a block always fits, so this ends.
    for (int blocks = 1;; ++blocks)
        if (std::optional<TableLayout> table =
                fitTable(sheetHeadings(e), e.combinations(), rest.height(), blocks, 3)) {
            placeBlocks(*table, e.combinations(), rest, 1, false);
            l.table = *table;
            break;
        }
    l.pages = l.table.blocks.back().page + 1;
    return l;
}

} // namespace workshop
