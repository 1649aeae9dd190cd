// SPDX-License-Identifier: GPL-3.0-or-later
#include "workshop/worksheet.h"

#include "circuit/board.h"
#include "workshop/board_painter.h"
#include "workshop/board_view.h"
#include "workshop/look.h"

#include <QFileInfo>
#include <QImage>
#include <QPageLayout>
#include <QPdfWriter>
#include <QSaveFile>
#ifdef AMPERA_SVG_EXPORT
#include <QSvgGenerator>
#endif

namespace workshop {

namespace {

constexpr QSize SheetPixels(1600, 1130); // about A4 landscape

// The table: the switches, what the exercise asks, what the wiring does,
// and a mark on the rows that differ.
void paintTable(QPainter& p, QRectF area, const Workbench& bench) {
    const circuit::Exercise& e = bench.exercise();
    const circuit::Report& r = bench.report();
    const QStringList heading = truthTableHeadings(e, QStringLiteral(" "));
    const int rows = e.combinations() + 1, columns = int(heading.size());
    const qreal h = std::min<qreal>(area.height() / rows, 34), w = area.width() / columns;
    QFont font = p.font();
    font.setPixelSize(int(h * 0.45));
    p.setFont(font);
    for (int row = 0; row < rows; ++row)
        for (int column = 0; column < columns; ++column) {
            const QRectF box(area.left() + column * w, area.top() + row * h, w, h);
            QString text;
            const int k = row - 1;
            const int switches = int(e.switches.size()), lamps = int(e.lamps.size());
            if (row == 0)
                text = heading[column];
            else if (column < switches)
                text = QString::number(e.position(k, column));
            else if (column < switches + lamps)
                text = r.expected[size_t(k)][size_t(column - switches)] ? QStringLiteral("1")
                                                                        : QStringLiteral("0");
            else if (column < switches + 2 * lamps)
                text = outcomeCell(r.outcomes[size_t(k)], column - switches - lamps);
            else
                text = r.differs[size_t(k)] ? QStringLiteral("✗") : QString();
            const bool differs = row > 0 && r.differs[size_t(k)] && column >= switches + lamps;
            p.fillRect(box, row == 0  ? QColor(230, 230, 230)
                            : differs ? QColor(255, 215, 215)
                                      : Qt::white);
            p.setPen(QColor(150, 150, 150));
            p.drawRect(box);
            p.setPen(Qt::black);
            p.drawText(box, Qt::AlignCenter | Qt::TextWordWrap, text);
        }
}

} // namespace

void paintWorksheet(QPainter& p, const QRectF& page, const Workbench& bench,
                    const BoardView& board) {
    const circuit::Exercise& e = bench.exercise();
    p.save();
    p.fillRect(page, Qt::white);
    const qreal margin = page.width() * 0.03;
    QRectF body = page.adjusted(margin, margin, -margin, -margin);
    QFont font = p.font();
    font.setPixelSize(int(page.width() / 45));
    font.setBold(true);
    p.setFont(font);
    p.setPen(Qt::black);
    const QRectF title(body.left(), body.top(), body.width(), font.pixelSize() * 1.5);
    p.drawText(title, Qt::AlignLeft | Qt::AlignVCenter, QStringLiteral("Taller: ") + e.title);
    font.setBold(false);
    font.setPixelSize(int(page.width() / 80));
    p.setFont(font);
    const QRectF instruction(body.left(), title.bottom(), body.width(), font.pixelSize() * 3.2);
    p.drawText(instruction, Qt::AlignLeft | Qt::TextWordWrap, e.instruction);

    const QRectF boardArea(body.left(), instruction.bottom(), body.width() * 0.68,
                           body.bottom() - instruction.bottom());
    BoardMarks marks;
    marks.routes = &board.routes();
    const qreal scale = std::min(boardArea.width() / circuit::board::Width,
                                 boardArea.height() / circuit::board::Height);
    paintBoard(p, bench, marks, boardArea.topLeft(), scale);

    const QRectF side(boardArea.right() + margin, instruction.bottom(),
                      body.right() - boardArea.right() - margin, boardArea.height());
    const QRectF tableArea(side.left(), side.top(), side.width(), side.height() * 0.55);
    paintTable(p, tableArea, bench);
    p.setFont(font);
    p.setPen(bench.report().verdict == circuit::Verdict::Correct ? QColor(0, 96, 0)
                                                                 : QColor(160, 0, 0));
    p.drawText(QRectF(side.left(), tableArea.bottom() + margin / 2, side.width(),
                      side.bottom() - tableArea.bottom()),
               Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap, bench.report().text);
    p.restore();
}

QStringList worksheetFormats() {
#ifdef AMPERA_SVG_EXPORT
    return {QStringLiteral("pdf"), QStringLiteral("svg"), QStringLiteral("png")};
#else
    return {QStringLiteral("pdf"), QStringLiteral("png")};
#endif
}

namespace {

QString title(const Workbench& bench) {
    return QStringLiteral("Taller: ") + bench.exercise().title;
}

bool writePdf(QIODevice* file, const Workbench& bench, const BoardView& board) {
    QPdfWriter writer(file);
    writer.setTitle(title(bench));
    writer.setPageSize(QPageSize(QPageSize::A4));
    writer.setPageOrientation(QPageLayout::Landscape);
    QPainter painter(&writer);
    const QRectF page(QPointF(), QSizeF(writer.width(), writer.height()));
    paintWorksheet(painter, page, bench, board);
    return painter.end();
}

#ifdef AMPERA_SVG_EXPORT
bool writeSvg(QIODevice* file, const Workbench& bench, const BoardView& board) {
    QSvgGenerator generator;
    generator.setOutputDevice(file);
    generator.setSize(SheetPixels);
    generator.setViewBox(QRect(QPoint(), SheetPixels));
    generator.setTitle(title(bench));
    QPainter painter(&generator);
    paintWorksheet(painter, QRectF(QPoint(), SheetPixels), bench, board);
    return painter.end();
}
#endif

bool writePng(QIODevice* file, const Workbench& bench, const BoardView& board) {
    QImage image(SheetPixels, QImage::Format_RGB32);
    QPainter painter(&image);
    paintWorksheet(painter, QRectF(QPoint(), SheetPixels), bench, board);
    painter.end();
    return image.save(file, "PNG");
}

} // namespace

bool exportWorksheet(const QString& path, const Workbench& bench, const BoardView& board,
                     QString* error) {
    const QString format = QFileInfo(path).suffix().toLower();
    if (!worksheetFormats().contains(format)) {
        if (error)
            *error = QStringLiteral("No es pot desar la imatge «%1»: el format «%2» no és cap "
                                    "dels que el programa sap escriure (%3)")
                         .arg(path, format, worksheetFormats().join(QStringLiteral(", ")));
        return false;
    }
    QSaveFile file(path);
    bool written = file.open(QIODevice::WriteOnly);
    if (written && format == QLatin1String("pdf"))
        written = writePdf(&file, bench, board);
#ifdef AMPERA_SVG_EXPORT
    else if (written && format == QLatin1String("svg"))
        written = writeSvg(&file, bench, board);
#endif
    else if (written)
        written = writePng(&file, bench, board);
    if (written && file.commit())
        return true;
    if (error)
        *error =
            QStringLiteral("No s'ha pogut desar la imatge «%1»: %2").arg(path, file.errorString());
    return false;
}

} // namespace workshop
