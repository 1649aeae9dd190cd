// SPDX-License-Identifier: GPL-3.0-or-later
// Worksheets as a teacher hands them out: both kinds from the workshop's
// menu, read back from the files written (the text sizes of a PDF, the
// pixels of a PNG, the fills of an SVG), the layout of every size of
// truth table, and `ampera --worksheet` run with no display.
#include "house_fixture.h"
#include "natural_wirings.h"
#include "program_run.h"

#include "circuit/board.h"
#include "circuit/checker.h"
#include "circuit/circuit_file.h"
#include "circuit/exercise.h"
#include "circuit/library.h"
#include "circuit/router.h"
#include "workshop/board_items.h"
#include "workshop/board_view.h"
#include "workshop/look.h"
#include "workshop/workbench.h"
#include "workshop/worksheet.h"
#include "workshop/workshop_view.h"
#include "workshop/workshop_window.h"

#include <QApplication>
#include <QFile>
#include <QFileDialog>
#include <QImage>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLineEdit>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTimer>
#include <QTransform>

namespace {

using workshop::WorksheetKind;

// What a PDF's pages hold: their size, and the size on paper of every run
// of text, from the content streams' font size (Tf), text matrix (Tm) and
// transformation (cm, q, Q).
struct PdfPage {
    QSizeF size;
    QList<qreal> textSizes;
};

QByteArray inflate(const QByteArray& deflated) {
    // qUncompress reads zlib's format behind a 4-byte size, which only
    // sizes its first buffer.
    QByteArray sized(4, '\0');
    sized[1] = 1;
    return qUncompress(sized + deflated);
}

QList<qreal> textSizes(const QByteArray& content) {
    static const QRegularExpression token(
        QStringLiteral(R"(<[0-9A-Fa-f\s]*>|\((?:\\.|[^\\)])*\)|/[^\s/\[\]<>()]+|[-+.\d]+|)"
                       R"([A-Za-z'"*]+|\[|\])"));
    QList<qreal> sizes, operands;
    QList<QTransform> saved;
    QTransform ctm, tm;
    qreal font = 0;
    auto matrix = [&operands] {
        const auto& o = operands;
        return QTransform(o[0], o[1], o[2], o[3], o[4], o[5]);
    };
    for (auto it = token.globalMatch(QString::fromLatin1(content)); it.hasNext();) {
        const QString t = it.next().captured();
        bool number = false;
        const qreal value = t.toDouble(&number);
        if (number) {
            operands << value;
            continue;
        }
        if (t == "q")
            saved << ctm;
        else if (t == "Q" && !saved.isEmpty())
            ctm = saved.takeLast();
        else if (t == "cm" && operands.size() >= 6)
            ctm = matrix() * ctm;
        else if (t == "BT")
            tm = QTransform();
        else if (t == "Tm" && operands.size() >= 6)
            tm = matrix();
        else if (t == "Tf" && !operands.isEmpty())
            font = operands.last();
        else if (t == "Tj" || t == "TJ" || t == "'" || t == "\"") {
            const QTransform m = tm * ctm;
            sizes << font * std::sqrt(std::abs(m.determinant()));
        }
        if (!t.startsWith('/') && !t.startsWith('<') && !t.startsWith('(') && t != "[" && t != "]")
            operands.clear();
    }
    return sizes;
}

QList<PdfPage> readPdf(const QByteArray& pdf) {
    QHash<QByteArray, QByteArray> streams;
    static const QRegularExpression object(QStringLiteral(R"((\d+) 0 obj\s*<<)"));
    for (auto it = object.globalMatch(QString::fromLatin1(pdf)); it.hasNext();) {
        const auto m = it.next();
        const qsizetype start = pdf.indexOf("stream\n", m.capturedEnd());
        const qsizetype next = pdf.indexOf("endobj", m.capturedEnd());
        if (start < 0 || start > next)
            continue;
        const QByteArray dictionary = pdf.mid(m.capturedEnd(), start - m.capturedEnd());
        const qsizetype end = pdf.indexOf("endstream", start);
        const QByteArray data = pdf.mid(start + 7, end - start - 7);
        streams.insert(m.captured(1).toLatin1(),
                       dictionary.contains("/FlateDecode") ? inflate(data) : data);
    }
    QList<PdfPage> pages;
    static const QRegularExpression page(
        QStringLiteral(R"(/Type /Page\n[^>]*/Contents (\d+) 0 R[^>]*/MediaBox \[0 0 ([\d.]+) )"
                       R"(([\d.]+)\])"));
    for (auto it = page.globalMatch(QString::fromLatin1(pdf)); it.hasNext();) {
        const auto m = it.next();
        pages.push_back({QSizeF(m.captured(2).toDouble(), m.captured(3).toDouble()),
                         textSizes(streams.value(m.captured(1).toLatin1()))});
    }
    return pages;
}

QByteArray contents(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// An exercise of `switches` single switches and `lamps` lamps, each lamp
// lit by an odd number of switches turned on, or an even one.
circuit::Exercise exerciseOf(int switches, int lamps) {
    QJsonArray components = {
        QJsonObject{{"kind", "fase"}, {"name", "Fase"}, {"place", QJsonArray{1, 2}}},
        QJsonObject{{"kind", "neutre"}, {"name", "Neutre"}, {"place", QJsonArray{1, 19}}}};
    for (int s = 0; s < switches; ++s)
        components.append(QJsonObject{{"kind", "interruptor"},
                                      {"name", QString("Interruptor %1").arg(s + 1)},
                                      {"place", QJsonArray{8 + 6 * s, 6}}});
    for (int l = 0; l < lamps; ++l)
        components.append(QJsonObject{
            {"kind", "làmpada"},
            {"name", QString("Làmpada %1").arg(l + 1)},
            {"place", QJsonArray{l < 6 ? 8 + 6 * l : 14 + 6 * (l - 6), l < 6 ? 14 : 19}}});
    QJsonArray table;
    for (int k = 0; k < 1 << switches; ++k) {
        QJsonArray row;
        for (int l = 0; l < lamps; ++l)
            row.append(int((qPopulationCount(uint(k)) + uint(l)) % 2));
        table.append(row);
    }
    const QJsonObject o{
        {"format", "ampera-exercise"},
        {"version", 1},
        {"id", QString("prova-%1-%2").arg(switches).arg(lamps)},
        {"title", QString("%1 interruptors i %2 làmpades").arg(switches).arg(lamps)},
        {"instruction", "Fes que cada làmpada faci el que diu la taula."},
        {"components", components},
        {"table", table}};
    QString error;
    std::optional<circuit::Exercise> e = circuit::parseExercise(QJsonDocument(o).toJson(), &error);
    if (!e)
        qFatal("bad test exercise: %s", qPrintable(error));
    return *e;
}

const circuit::Exercise& builtIn(const QString& id) {
    for (const circuit::Exercise& e : circuit::builtInExercises())
        if (e.id == id)
            return e;
    qFatal("no exercise %s", qPrintable(id));
}

// Where a grid point of the board lies on a sheet's picture.
QPoint onPicture(const workshop::WorksheetLayout& l, QPointF grid, const QImage& image) {
    const qreal dots = image.width() / workshop::SheetPoints.width();
    return ((l.board.topLeft() + grid * l.boardScale) * dots).toPoint();
}

// Whether anything darker than the table's shading is drawn inside `area`
// (in points), away from its rules.
bool inked(const QImage& image, QRectF area) {
    const qreal dots = image.width() / workshop::SheetPoints.width();
    const QRect r =
        QRectF(area.topLeft() * dots, area.size() * dots).toRect().adjusted(4, 4, -4, -4);
    for (int y = r.top(); y <= r.bottom(); ++y)
        for (int x = r.left(); x <= r.right(); ++x)
            if (qGray(image.pixel(x, y)) < 150)
                return true;
    return false;
}

using Run = testing::ProgramRun;

} // namespace

class WorksheetsTest : public QObject {
    Q_OBJECT
    std::unique_ptr<testing::HouseFixture> house;
    QTemporaryDir dir;

    workshop::WorkshopWindow& open(const QString& id) {
        house->chooseMenu("mnuTaller_" + id);
        return static_cast<workshop::WorkshopWindow&>(house->window("frmTaller_" + id));
    }
    static workshop::BoardItem* terminal(workshop::WorkshopWindow& w, const QString& name) {
        for (workshop::BoardItem* item : w.view().board().terminalItems())
            if (item->objectName() == name)
                return item;
        qFatal("no terminal %s", qPrintable(name));
    }
    void wire(workshop::WorkshopWindow& w, const testing::Conductors& conductors) {
        for (const auto& [a, b] : conductors) {
            testing::tap(terminal(w, a));
            testing::tap(terminal(w, b));
        }
    }
    // Chooses `item` and answers its file dialog with `path`.
    void exportFromMenu(const QString& item, const QString& path) {
        QTimer::singleShot(50, [path] {
            auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
            if (!dialog)
                qFatal("no file dialog");
            dialog->findChild<QLineEdit*>("fileNameEdit")->setText(path);
            static_cast<QDialog*>(dialog)->accept();
        });
        house->chooseMenu(item);
    }

    // The program run in the test's folder with no display of any kind.
    Run ampera(const QStringList& arguments) { return testing::runProgram(arguments, dir.path()); }
    void write(const QString& name, const QByteArray& text) {
        QFile file(dir.filePath(name));
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(text);
    }

  private slots:
    void initTestCase() {
        QVERIFY(dir.isValid());
        house = std::make_unique<testing::HouseFixture>();
    }
    void init() {
        house->reset();
        house->mainWindow().show();
        QVERIFY(QTest::qWaitForWindowExposed(&house->mainWindow()));
    }

    void bothKindsFromTheMenu();
    void printingFillsTheSheetOfPaper();
    void printedTextIsNeverBelowNinePoints();
    void svgHasNoInvisibleFills();
    void everySizeOfTableIsLaidOutLegibly();
    void commandLineMakesSheetsWithoutADisplay();
    void commandLineRefusesInWords_data();
    void commandLineRefusesInWords();
};

// The blank sheet has the components alone: no conductor, nothing in "Fa"
// nor in the marks, no verdict; the learner's has them all.
void WorksheetsTest::bothKindsFromTheMenu() {
    auto& w = open("encreuament");
    testing::Conductors wrong = testing::naturalWiring("encreuament");
    wrong[6] = {"Làmpada, born 2", "Fase"}; // the lamp never lights: every lit row differs
    wire(w, wrong);
    const QString blank = dir.filePath("blanc.png"), mine = dir.filePath("meu.png");
    exportFromMenu("mnuTallerExportaBlanc", blank);
    exportFromMenu("mnuTallerExportaMuntatge", mine);
    const QImage empty(blank), wired(mine);
    QVERIFY(!empty.isNull() && !wired.isNull());
    // A4 landscape at 150 dots an inch.
    QCOMPARE(wired.size(), QSize(1754, 1240));

    const workshop::Workbench& bench = w.bench();
    const circuit::Exercise& e = bench.exercise();
    const auto blankLayout = workshop::layOutWorksheet(e, QString());
    const auto wiredLayout = workshop::layOutWorksheet(e, bench.report().text);
    const std::vector<circuit::Route>& routes = w.view().board().routes();
    QCOMPARE(routes.size(), size_t(wrong.size()));
    for (size_t i = 0; i < routes.size(); ++i) {
        const QPointF middle = (QPointF(routes[i][0]) + QPointF(routes[i][1])) / 2;
        const QColor drawn = workshop::insulationColour(bench.wiring().conductors[i].colour);
        QCOMPARE(wired.pixelColor(onPicture(wiredLayout, middle, wired)), drawn);
        QCOMPARE(empty.pixelColor(onPicture(blankLayout, middle, empty)), QColor(Qt::white));
    }
    // Columns: C1, CR, C2, Cal, Fa, Error; row 1 (0 0 1) asks for light.
    const workshop::TableLayout& t = blankLayout.table;
    auto cellRect = [](const workshop::TableLayout& t, int row, int column) {
        qreal x = t.blocks[0].at.x();
        for (int c = 0; c < column; ++c)
            x += t.columnWidths[size_t(c)];
        return QRectF(x, t.blocks[0].at.y() + t.headingHeight + row * t.rowHeight,
                      t.columnWidths[size_t(column)], t.rowHeight);
    };
    for (int column : {0, 3})
        QVERIFY(inked(empty, cellRect(t, 1, column)));
    for (int column : {4, 5}) {
        QVERIFY2(!inked(empty, cellRect(t, 1, column)), "the blank sheet's Fa and marks are empty");
        QVERIFY(inked(wired, cellRect(wiredLayout.table, 1, column)));
    }
    QVERIFY(blankLayout.verdict.isEmpty());
    QVERIFY(inked(wired, wiredLayout.verdict));
    // Every column is named on paper, the marks' too.
    QCOMPARE(workshop::sheetHeadings(e).back(), QString("Error"));
    for (int column = 0; column < 6; ++column)
        QVERIFY(inked(empty, QRectF(cellRect(t, 0, column).topLeft() - QPointF(0, t.headingHeight),
                                    QSizeF(t.columnWidths[size_t(column)], t.headingHeight))));
}

// Printed to a file, the page is the exported one: A4 landscape, its text
// at the sizes laid out.
void WorksheetsTest::printingFillsTheSheetOfPaper() {
    auto& w = open("encreuament");
    wire(w, testing::naturalWiring("encreuament"));
    const QString path = dir.filePath("imprès.pdf");
    QTimer::singleShot(50, [&] {
        auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
        if (!dialog)
            qFatal("no print dialog");
        // With no printer on the machine, Qt's dialog prints to a file.
        dialog->findChild<QLineEdit*>("filename")->setText(path);
        dialog->accept();
    });
    house->chooseMenu("mnuTallerImprimeixBlanc");
    const QList<PdfPage> pages = readPdf(contents(path));
    QCOMPARE(pages.size(), 1);
    QCOMPARE(pages[0].size, QSizeF(842, 595));
    // The board's names and the title, to the thousandth of a point the
    // PDF's numbers carry.
    const auto [smallest, largest] =
        std::minmax_element(pages[0].textSizes.begin(), pages[0].textSizes.end());
    QCOMPARE(qRound(*smallest * 1000), 10000);
    QCOMPARE(qRound(*largest * 1000), 18000);
}

void WorksheetsTest::printedTextIsNeverBelowNinePoints() {
    // Through the menu, a sheet with a wiring and its verdict.
    auto& w = open("encreuament");
    wire(w, testing::naturalWiring("encreuament"));
    const QString path = dir.filePath("full.pdf");
    exportFromMenu("mnuTallerExportaMuntatge", path);
    QList<PdfPage> pages = readPdf(contents(path));
    QCOMPARE(pages.size(), 1);
    // Title, the three name lines, the instruction, the board's labels,
    // the table's 6 headings and 48 cells (less the empty marks), the verdict.
    QVERIFY2(pages[0].textSizes.size() > 50,
             qPrintable(QString::number(pages[0].textSizes.size())));

    // Every built-in exercise and the largest tables, both kinds.
    std::vector<circuit::Exercise> exercises = circuit::builtInExercises();
    exercises.push_back(exerciseOf(5, 1));
    exercises.push_back(exerciseOf(6, 1));
    exercises.push_back(exerciseOf(6, 8));
    for (const circuit::Exercise& e : exercises)
        for (WorksheetKind kind : {WorksheetKind::Blank, WorksheetKind::Wiring}) {
            workshop::Workbench bench(e);
            const workshop::Worksheet sheet(bench, {}, kind);
            QString error;
            QVERIFY2(sheet.save(path, &error), qPrintable(error));
            const QList<PdfPage> read = readPdf(contents(path));
            QCOMPARE(read.size(), sheet.pages());
            pages += read;
        }
    for (const PdfPage& page : pages) {
        QCOMPARE(page.size, QSizeF(842, 595));
        QVERIFY(!page.textSizes.isEmpty());
        for (qreal size : page.textSizes)
            QVERIFY2(size >= 9 - 1e-6, qPrintable(QString("text of %1 pt").arg(size)));
    }
}

// An unlit lamp has no fill at all, and nothing is drawn at no opacity.
void WorksheetsTest::svgHasNoInvisibleFills() {
#ifndef AMPERA_SVG_EXPORT
    QSKIP("this build writes no SVG");
#else
    auto& w = open("encreuament");
    wire(w, testing::naturalWiring("encreuament"));
    const QString blank = dir.filePath("blanc.svg"), mine = dir.filePath("meu.svg");
    exportFromMenu("mnuTallerExportaBlanc", blank);
    const QByteArray dark = contents(blank);
    QVERIFY(dark.contains("<svg"));
    static const QRegularExpression invisible(QStringLiteral(R"(opacity="0(\.0*)?")"));
    QVERIFY2(!QString::fromUtf8(dark).contains(invisible), "an invisible fill");
    QVERIFY(!dark.contains("#ffff00"));
    // In the learner's, the lamp is filled exactly when it is lit.
    exportFromMenu("mnuTallerExportaMuntatge", mine);
    const QByteArray wired = contents(mine);
    QVERIFY2(!QString::fromUtf8(wired).contains(invisible), "an invisible fill");
    const bool lit = circuit::glowOf(w.bench().solution().brightness[0]) == circuit::Glow::Full;
    QCOMPARE(wired.contains("fill=\"#ffff00\""), lit);
    QVERIFY(wired.contains("Commutador 1"));
#endif
}

void WorksheetsTest::everySizeOfTableIsLaidOutLegibly() {
    const QRectF page(QPointF(), workshop::SheetPoints);
    const QRectF inside = page.adjusted(14, 14, -14, -14); // every printer's reach
    for (int switches = 0; switches <= 6; ++switches)
        for (int lamps = 1; lamps <= std::min(8, 14 - switches); ++lamps) {
            const circuit::Exercise e = exerciseOf(switches, lamps);
            for (const QString& verdict :
                 {QString(), circuit::check(e, circuit::Wiring::empty(e)).text}) {
                const auto l = workshop::layOutWorksheet(e, verdict);
                const QString where = QString("%1 × %2").arg(switches).arg(lamps);
                const workshop::TableLayout& t = l.table;
                QVERIFY2(t.textPoints >= workshop::SmallestSheetText, qPrintable(where));
                QVERIFY(t.rowHeight >= t.textPoints);
                // Every row is in some block, once.
                QCOMPARE(int(t.blocks.size()),
                         (e.combinations() + t.rowsPerBlock - 1) / t.rowsPerBlock);
                for (QRectF r : {l.title, l.names, l.instruction, l.board})
                    QVERIFY2(inside.contains(r), qPrintable(where));
                for (int b = 0; b < int(t.blocks.size()); ++b) {
                    const QRectF block = t.blockRect(b, t.rowsPerBlock);
                    QVERIFY2(inside.contains(block), qPrintable(where));
                    if (t.blocks[size_t(b)].page == 0)
                        for (QRectF r : {l.title, l.names, l.instruction, l.board, l.verdict})
                            QVERIFY2(!block.intersects(r), qPrintable(where));
                    for (int other = 0; other < b; ++other)
                        QVERIFY(t.blocks[size_t(other)].page != t.blocks[size_t(b)].page ||
                                !block.intersects(t.blockRect(other, t.rowsPerBlock)));
                }
                // The board takes most of the width, with the table beside
                // it or on the next page.
                QVERIFY2(l.board.width() > 0.55 * inside.width(), qPrintable(where));
                QVERIFY(!verdict.isEmpty() || l.verdict.isEmpty());
                if (!verdict.isEmpty())
                    QVERIFY(inside.contains(l.verdict) && !l.verdict.intersects(l.board));
                // Up to 32 rows and two lamps, one page.
                if (switches <= 5 && lamps <= 2)
                    QCOMPARE(l.pages, 1);
            }
        }
    // A board of sockets alone has no table: the board has the page.
    const auto sockets = workshop::layOutWorksheet(*circuit::findExercise("presa-de-corrent"), {});
    QVERIFY(sockets.table.blocks.empty());
    QCOMPARE(sockets.pages, 1);
    QVERIFY(inside.contains(sockets.board) && sockets.board.width() > 0.9 * inside.width());
}

// Blank sheets from an exercise's id or file, the learner's from a wiring
// file (or its exercise's blank one), with nothing on the error stream.
void WorksheetsTest::commandLineMakesSheetsWithoutADisplay() {
    QVERIFY2(QFile::exists(testing::programPath()), "build the ampera target first");
    const circuit::Exercise& e = builtIn("encreuament");
    const circuit::Wiring wiring = testing::wiringOf(e, testing::naturalWiring("encreuament"));
    write("pupil.ampera", circuit::serializeWiring(e, wiring));
    QFile own(":/exercises/commutada.json");
    QVERIFY(own.open(QIODevice::ReadOnly));
    write("teacher.json", own.readAll().replace("\"commutada\"", "\"escala\""));

    for (const QStringList& arguments :
         {QStringList{"--worksheet", "encreuament", "--output", "id.pdf"},
          QStringList{"--worksheet", "teacher.json", "--output", "file.pdf"},
          QStringList{"--worksheet", "pupil.ampera", "--output", "pupil.png"},
          QStringList{"--worksheet", "pupil.ampera", "--blank", "--output", "blank.png"}}) {
        const Run run = ampera(arguments);
        QCOMPARE(run.status, 0);
        QVERIFY2(run.err.isEmpty(), qPrintable(run.err));
        QVERIFY(run.out.isEmpty());
    }
    for (const char* pdf : {"id.pdf", "file.pdf"}) {
        const QList<PdfPage> pages = readPdf(contents(dir.filePath(pdf)));
        QCOMPARE(pages.size(), 1);
        QVERIFY(pages[0].textSizes.size() > 20);
    }
    QVERIFY(ampera({"--help"}).out.contains("--worksheet FONT"));

    // The pupil's wiring, drawn where the router lays it; none on the blank.
    const QImage wired(dir.filePath("pupil.png")), blank(dir.filePath("blank.png"));
    const std::vector<circuit::Route> routes = circuit::routeAll(e, wiring.conductors);
    const auto l = workshop::layOutWorksheet(e, circuit::check(e, wiring).text);
    const auto lb = workshop::layOutWorksheet(e, QString());
    const QPointF fromPhase = (QPointF(routes[0][0]) + QPointF(routes[0][1])) / 2;
    QCOMPARE(wired.pixelColor(onPicture(l, fromPhase, wired)), QColor(255, 0, 0));
    QCOMPARE(blank.pixelColor(onPicture(lb, fromPhase, blank)), QColor(Qt::white));
}

void WorksheetsTest::commandLineRefusesInWords_data() {
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<QString>("message");
    QTest::newRow("unknown exercise")
        << QStringList{"--worksheet", "escala", "--output", "x.pdf"}
        << "«escala» no és cap exercici conegut (punt-de-llum, commutada, encreuament";
    QTest::newRow("missing wiring")
        << QStringList{"--worksheet", "cap.ampera", "--output", "x.pdf"} << "no existeix";
    QTest::newRow("bad exercise file")
        << QStringList{"--worksheet", "trencat.json", "--output", "x.pdf"}
        << "no es pot llegir l'exercici «trencat.json»: no és JSON vàlid";
    QTest::newRow("bad wiring file")
        << QStringList{"--worksheet", "trencat.ampera", "--output", "x.pdf"} << "no és JSON vàlid";
    QTest::newRow("unknown extension")
        << QStringList{"--worksheet", "commutada", "--output", "x.doc"}
        << "el format «doc» no és cap dels que el programa sap escriure";
    QTest::newRow("cannot write") << QStringList{"--worksheet", "commutada", "--output",
                                                 "no/hi/és/x.pdf"}
                                  << "No s'ha pogut desar la imatge «no/hi/és/x.pdf»";
    QTest::newRow("no output") << QStringList{"--worksheet", "commutada"}
                               << "--worksheet necessita --output";
    QTest::newRow("no source") << QStringList{"--output", "x.pdf", "--worksheet"}
                               << "--worksheet vol un exercici o un muntatge";
    QTest::newRow("blank alone") << QStringList{"--blank", "--output", "x.pdf"}
                                 << "--blank i --output només van amb --worksheet";
    QTest::newRow("with --check") << QStringList{"--check", "--worksheet", "commutada", "--output",
                                                 "x.pdf"}
                                  << "--worksheet no va amb --check";
    QTest::newRow("two sources") << QStringList{"--worksheet", "commutada", "encreuament",
                                                "--output", "x.pdf"}
                                 << "no sé què fer amb «encreuament»";
}

// Exit status 2, a Catalan reason on the error stream, and no file.
void WorksheetsTest::commandLineRefusesInWords() {
    QFETCH(QStringList, arguments);
    QFETCH(QString, message);
    write("trencat.json", "{");
    write("trencat.ampera", "{\"format\": ");
    const Run run = ampera(arguments);
    QCOMPARE(run.status, 2);
    QVERIFY2(run.err.startsWith("ampera: ") && run.err.contains(message), qPrintable(run.err));
    QVERIFY(!QFile::exists(dir.filePath("x.pdf")) && !QFile::exists(dir.filePath("x.doc")));
}

QTEST_MAIN(WorksheetsTest)
#include "tst_worksheets.moc"
