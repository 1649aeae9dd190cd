// SPDX-License-Identifier: GPL-3.0-or-later
#include "workshop/worksheet.h"

#include "workshop/board_painter.h"
#include "workshop/look.h"

#include <QFileInfo>
#include <QImage>
#include <QPageLayout>
#include <QPdfWriter>
#include <QPrinter>
#include <QSaveFile>
#ifdef AMPERA_SVG_EXPORT
#include <QSvgGenerator>
#endif

namespace workshop {

namespace {

constexpr int TextPoints = 11;
constexpr int TitlePoints = 18;
constexpr int PictureDpi = 150; // a PNG sharp enough to print
const QColor Rule(150, 150, 150);

QString documentTitle(const circuit::Exercise& e) {
    return QStringLiteral("Taller: ") + e.title;
}

// A label and a line to write on after it.
void paintBlankLine(QPainter& p, const QRectF& field, const QString& label) {
    const QFont font = sheetFont(TextPoints);
    p.setFont(font);
    p.setPen(Qt::black);
    p.drawText(field, Qt::AlignLeft | Qt::AlignBottom, label);
    const QFontMetricsF metrics(font);
    const qreal y = field.bottom() - metrics.descent() + 2;
    p.setPen(QPen(Qt::black, 0.6));
    p.drawLine(QPointF(field.left() + metrics.horizontalAdvance(label) + 4, y),
               QPointF(field.right(), y));
}

} // namespace

QString worksheetKindName(WorksheetKind kind) {
    return kind == WorksheetKind::Blank ? QStringLiteral("Full de treball en blanc")
                                        : QStringLiteral("Amb el meu muntatge");
}

QStringList worksheetFormats() {
#ifdef AMPERA_SVG_EXPORT
    return {QStringLiteral("pdf"), QStringLiteral("svg"), QStringLiteral("png")};
#else
    return {QStringLiteral("pdf"), QStringLiteral("png")};
#endif
}

Worksheet::Worksheet(const Workbench& bench, std::vector<circuit::Route> routes, WorksheetKind kind)
    : blank_(kind == WorksheetKind::Blank ? std::make_unique<Workbench>(bench.exercise())
                                          : nullptr),
      bench_(blank_ ? *blank_ : bench),
      // A blank sheet has the board an exercise starts with: no conductor,
      // or a fault-finding exercise's installation.
      routes_(blank_ ? circuit::routeAll(bench.exercise(), blank_->wiring().conductors)
                     : std::move(routes)),
      kind_(kind),
      layout_(layOutWorksheet(bench.exercise(), blank_ ? QString() : bench.report().text)) {}

Worksheet::~Worksheet() = default;

void Worksheet::paint(QPainter& p, const QRectF& target, int page) const {
    const qreal scale =
        std::min(target.width() / SheetPoints.width(), target.height() / SheetPoints.height());
    p.save();
    p.translate(target.center() - QPointF(SheetPoints.width(), SheetPoints.height()) * scale / 2);
    p.scale(scale, scale);
    p.setRenderHint(QPainter::Antialiasing);
    paintPage(p, page);
    p.restore();
}

void Worksheet::paintPage(QPainter& p, int page) const {
    const WorksheetLayout& l = layout_;
    p.fillRect(QRectF(QPointF(), SheetPoints), Qt::white);
    paintHeading(p, page);
    if (page == 0) {
        p.setFont(sheetFont(TextPoints));
        p.setPen(Qt::black);
        p.drawText(l.instruction, Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap,
                   bench_.exercise().instruction);
        p.setPen(QPen(QColor(190, 190, 190), 0.75));
        p.setBrush(Qt::NoBrush);
        const qreal half = l.boardScale / 2;
        p.drawRect(l.board.adjusted(-half, -half, half, half));
        BoardMarks marks;
        marks.routes = &routes_;
        marks.halos = false;
        paintBoard(p, bench_, marks, l.board.topLeft(), l.boardScale);
        if (kind_ == WorksheetKind::Wiring) {
            p.setFont(sheetFont(TextPoints, true));
            p.setPen(bench_.report().verdict == circuit::Verdict::Correct ? QColor(0, 96, 0)
                                                                          : QColor(160, 0, 0));
            p.drawText(l.verdict, Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap,
                       bench_.report().text);
        }
    }
    paintTable(p, page);
}

void Worksheet::paintHeading(QPainter& p, int page) const {
    const WorksheetLayout& l = layout_;
    const QFont title = sheetFont(TitlePoints, true);
    p.setFont(title);
    p.setPen(Qt::black);
    const QString text = page == 0 ? bench_.exercise().title
                                   : bench_.exercise().title + QStringLiteral(": taula de veritat");
    p.drawText(l.title, Qt::AlignLeft | Qt::AlignVCenter,
               QFontMetricsF(title).elidedText(text, Qt::ElideRight, l.title.width()));
    if (page != 0)
        return;
    // The name takes half the width, the course and the date a quarter each.
    const qreal gap = 18, quarter = (l.names.width() - 2 * gap) / 4;
    const QRectF name(l.names.topLeft(), QSizeF(2 * quarter, l.names.height()));
    paintBlankLine(p, name, QStringLiteral("Nom i cognoms:"));
    paintBlankLine(p, name.translated(2 * quarter + gap, 0).adjusted(0, 0, -quarter, 0),
                   QStringLiteral("Curs:"));
    paintBlankLine(p, name.translated(3 * quarter + 2 * gap, 0).adjusted(0, 0, -quarter, 0),
                   QStringLiteral("Data:"));
}

// What the cell of a combination holds: the switches' positions, what the
// exercise asks, and on the learner's sheet what the wiring does and a
// mark where the two differ.
QString Worksheet::cell(int row, int column) const {
    const circuit::Exercise& e = bench_.exercise();
    const circuit::Report& r = bench_.report();
    const int switches = int(e.switches.size()), lamps = int(e.lamps.size());
    if (column < switches)
        return QString::number(e.position(row, column));
    if (column < switches + lamps) {
        const auto& expected = kind_ == WorksheetKind::Blank ? e.table : r.expected;
        // Sequences, not a table, say what such a board must do.
        if (expected.empty())
            return QStringLiteral("—");
        return expected[size_t(row)][size_t(column - switches)] ? QStringLiteral("1")
                                                                : QStringLiteral("0");
    }
    if (kind_ == WorksheetKind::Blank)
        return {};
    if (column < switches + 2 * lamps)
        return outcomeCell(r.outcomes[size_t(row)], column - switches - lamps);
    return r.differs[size_t(row)] ? QStringLiteral("✗") : QString();
}

void Worksheet::paintTable(QPainter& p, int page) const {
    const TableLayout& t = layout_.table;
    const circuit::Exercise& e = bench_.exercise();
    const QStringList headings = sheetHeadings(e);
    const int rows = e.combinations();
    const int firstMarked = int(e.switches.size() + e.lamps.size());
    p.setFont(sheetFont(t.textPoints));
    for (int b = 0; b < int(t.blocks.size()); ++b) {
        if (t.blocks[size_t(b)].page != page)
            continue;
        const int first = b * t.rowsPerBlock, count = std::min(t.rowsPerBlock, rows - first);
        QPointF at = t.blocks[size_t(b)].at;
        for (int column = 0; column < int(headings.size()); ++column) {
            const qreal w = t.columnWidths[size_t(column)];
            for (int row = -1; row < count; ++row) {
                const QRectF box =
                    row < 0 ? QRectF(at, QSizeF(w, t.headingHeight))
                            : QRectF(at.x(), at.y() + t.headingHeight + row * t.rowHeight, w,
                                     t.rowHeight);
                const bool differs = row >= 0 && kind_ == WorksheetKind::Wiring &&
                                     column >= firstMarked &&
                                     bench_.report().differs[size_t(first + row)];
                p.fillRect(box, row < 0   ? QColor(230, 230, 230)
                                : differs ? QColor(255, 215, 215)
                                          : QColor(Qt::white));
                p.setPen(QPen(Rule, 0.6));
                p.drawRect(box);
                p.setPen(Qt::black);
                p.drawText(
                    box, Qt::AlignCenter,
                    row < 0 ? QString(headings[column]).replace(QLatin1Char(' '), QLatin1Char('\n'))
                            : cell(first + row, column));
            }
            at.rx() += w;
        }
    }
}

void Worksheet::paintPages(QPainter& p, QSizeF pageSize) const {
    for (int page = 0; page < pages(); ++page)
        paint(p, QRectF(QPointF(0, page * pageSize.height()), pageSize), page);
}

bool Worksheet::print(QPrinter& printer) const {
    printer.setFullPage(true);
    QPainter painter;
    if (!painter.begin(&printer))
        return false;
    // From the paper's size in points, not in whole dots, so that A4 is
    // drawn at exactly the sizes laid out.
    const QSizeF paper =
        printer.pageLayout().fullRect(QPageLayout::Point).size() * printer.resolution() / 72;
    for (int page = 0; page < pages(); ++page) {
        if (page > 0)
            printer.newPage();
        paint(painter, QRectF(QPointF(), paper), page);
    }
    return painter.end();
}

namespace {

bool writePdf(QIODevice* file, const Worksheet& sheet, const QString& title) {
    QPdfWriter writer(file);
    writer.setTitle(title);
    writer.setCreator(QStringLiteral("Ampera"));
    // Ten dots a point: the page is a whole number of dots, drawn at
    // exactly the sizes laid out.
    writer.setResolution(720);
    writer.setPageLayout(
        QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Landscape, QMarginsF(0, 0, 0, 0)));
    QPainter painter(&writer);
    for (int page = 0; page < sheet.pages(); ++page) {
        if (page > 0)
            writer.newPage();
        sheet.paint(painter, QRectF(0, 0, writer.width(), writer.height()), page);
    }
    return painter.end();
}

#ifdef AMPERA_SVG_EXPORT
bool writeSvg(QIODevice* file, const Worksheet& sheet, const QString& title) {
    const QSize size(int(SheetPoints.width()), int(SheetPoints.height()) * sheet.pages());
    QSvgGenerator generator;
    generator.setOutputDevice(file);
    generator.setResolution(72); // a user unit a point: the picture is A4 wide
    generator.setSize(size);
    generator.setViewBox(QRect(QPoint(), size));
    generator.setTitle(title);
    QPainter painter(&generator);
    sheet.paintPages(painter, SheetPoints);
    return painter.end();
}
#endif

} // namespace

bool Worksheet::save(const QString& path, QString* error) const {
    const QString format = QFileInfo(path).suffix().toLower();
    if (!worksheetFormats().contains(format)) {
        if (error)
            *error = QStringLiteral("No es pot desar la imatge «%1»: el format «%2» no és cap "
                                    "dels que el programa sap escriure (%3)")
                         .arg(path, format, worksheetFormats().join(QStringLiteral(", ")));
        return false;
    }
    const QString title = documentTitle(bench_.exercise());
    QSaveFile file(path);
    bool written = file.open(QIODevice::WriteOnly);
    if (written && format == QLatin1String("pdf"))
        written = writePdf(&file, *this, title);
#ifdef AMPERA_SVG_EXPORT
    else if (written && format == QLatin1String("svg"))
        written = writeSvg(&file, *this, title);
#endif
    else if (written) {
        const QSize page = (SheetPoints * PictureDpi / 72).toSize();
        QImage image(QSize(page.width(), page.height() * pages()), QImage::Format_RGB32);
        image.fill(Qt::white);
        image.setDotsPerMeterX(int(PictureDpi / 0.0254));
        image.setDotsPerMeterY(int(PictureDpi / 0.0254));
        QPainter painter(&image);
        paintPages(painter, page);
        painter.end();
        written = image.save(&file, "PNG");
    }
    if (written && file.commit())
        return true;
    if (error)
        *error =
            QStringLiteral("No s'ha pogut desar la imatge «%1»: %2").arg(path, file.errorString());
    return false;
}

} // namespace workshop
