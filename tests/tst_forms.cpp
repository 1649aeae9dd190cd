// SPDX-License-Identifier: GPL-3.0-or-later
// The forms layer on its own: windows by name, controls by exact name,
// presses, stacking, repainting, scaling and system colours.
#include "ui/controls.h"
#include "ui/forms.h"
#include "ui/pictures.h"

#include "house_fixture.h"
#include "paint_counter.h"

#include <QPainter>
#include <QTest>

namespace {

int loads = 0;

// A small window with a picture-less image under a second one, a line and
// a shape over both, a label and a picture button.
class TestForm : public ui::Form {
  public:
    TestForm() : ui::Form("frmProva", "Prova", {6000, 4000}) {
        add<ui::Image>("ImgDarrere", QRectF(1000, 1000, 2000, 1000));
        add<ui::Image>(ui::Name("ImgDavant", 0), QRectF(2000, 1000, 2000, 1000));
        add<ui::Image>(ui::Name("ImgDavant", 1), QRectF(4500, 3000, 1000, 800));
        add<ui::Line>("Línia", 1000, 1500, 5000, 1500);
        add<ui::Shape>("shpMarc", ui::Shape::Kind::Rectangle, QRectF(900, 900, 4200, 1200));
        add<ui::Label>("LblTaula", QRectF(0, 3000, 3000, 600), "text")
            .setBackColor(ui::colors::ButtonFace);
        add<ui::CommandButton>("CmdInterruptor", QRectF(4500, 1000, 750, 750), QString(),
                               "switch_single");
    }
    void Form_Load() override { ++loads; }
};

using testing::settle;

// Whether every opaque pixel of `picture` appears unchanged in `drawn` with
// the picture centred, give or take a device pixel of rounding.
bool showsCentred(const QImage& drawn, const QImage& picture) {
    const QImage shown = drawn.convertToFormat(QImage::Format_ARGB32);
    const QImage wanted = picture.convertToFormat(QImage::Format_ARGB32);
    const QPoint centred((shown.width() - wanted.width()) / 2,
                         (shown.height() - wanted.height()) / 2);
    for (int dy = -1; dy <= 1; ++dy)
        for (int dx = -1; dx <= 1; ++dx) {
            const QPoint at = centred + QPoint(dx, dy);
            bool same = true;
            for (int y = 0; same && y < wanted.height(); ++y)
                for (int x = 0; same && x < wanted.width(); ++x)
                    if (qAlpha(wanted.pixel(x, y)) == 255)
                        same = shown.valid(at + QPoint(x, y)) &&
                               shown.pixel(at + QPoint(x, y)) == wanted.pixel(x, y);
            if (same)
                return true;
        }
    return false;
}

} // namespace

class FormsLayer : public QObject {
    Q_OBJECT
    QStringList pressed;

    void recordPresses(ui::Form& form) {
        for (auto [name, index] : {std::pair{"ImgDarrere", -1}, {"ImgDavant", 0}, {"ImgDavant", 1}})
            form.get<ui::Image>(name, index)
                .onMouseDown([this, name, index](const ui::MouseDown& m) {
                    pressed << QStringLiteral("%1(%2):%3").arg(name).arg(index).arg(m.button);
                });
    }

  private slots:
    void init() {
        ui::forms::reset();
        ui::forms::define("frmProva", [] { return std::make_unique<TestForm>(); });
        loads = 0;
        pressed.clear();
    }

    void windowsAreCreatedOnFirstReferenceAndRebuiltAfterUnload() {
        QVERIFY(!ui::forms::loaded("frmProva"));
        ui::Form& first = ui::forms::get("frmProva");
        QCOMPARE(loads, 1);
        QCOMPARE(&ui::forms::get("frmProva"), &first);
        QCOMPARE(loads, 1);
        first.line("Línia").setY2(2000);

        ui::forms::unload("frmProva");
        QVERIFY(!ui::forms::loaded("frmProva"));
        ui::forms::unload("frmProva"); // a second unload does nothing
        ui::Form& second = ui::forms::get("frmProva");
        QCOMPARE(loads, 2);
        QCOMPARE(second.line("Línia").y2(), 1500.0f);
        settle();
    }

    void unloadingFromInsideItsOwnHandlerIsSafe() {
        ui::Form& form = ui::forms::get("frmProva");
        form.surface()->resize(600, 400);
        auto& image = form.image("ImgDarrere");
        bool ranToTheEnd = false;
        image.onMouseDown([&](const ui::MouseDown&) {
            ui::forms::unload("frmProva");
            // The window is gone from the registry but its controls live
            // until the handler has returned.
            image.setVisible(false);
            ranToTheEnd = !ui::forms::loaded("frmProva");
        });
        QTest::mousePress(form.surface(), Qt::LeftButton, {}, image.centre());
        QVERIFY(ranToTheEnd);
        settle();
        ui::forms::get("frmProva");
        QCOMPARE(loads, 2);
    }

    void controlsAreFoundByTheirExactNameAndIndex() {
        ui::Form& form = ui::forms::get("frmProva");
        QVERIFY(form.find("Línia"));
        QVERIFY(!form.find("línia"));
        QVERIFY(!form.find("Linia"));
        QVERIFY(form.find("ImgDavant", 0));
        QVERIFY(form.find("ImgDavant", 1));
        QVERIFY(!form.find("ImgDavant"));
        QVERIFY(!form.find("ImgDavant", 2));
    }

    void linesKeepSinglePrecisionEndPoints() {
        ui::Form& form = ui::forms::get("frmProva");
        auto& line = form.line("Línia");
        line.setY2(6720);
        QVERIFY(line.y2() == 6720.0f);
        line.setY2(6720.5f);
        QVERIFY(line.y2() != 6720.0f);
    }

    void imagesTakePressesWithAnyButtonFrontMostFirst() {
        ui::Form& form = ui::forms::get("frmProva");
        form.surface()->resize(600, 400);
        recordPresses(form);
        const QPoint overlap = form.toPixels(QPointF(2500, 1500)).toPoint();
        const QPoint backOnly = form.toPixels(QPointF(1500, 1200)).toPoint();
        // The line and the frame drawn over both images take no input.
        QTest::mousePress(form.surface(), Qt::LeftButton, {}, overlap);
        QTest::mousePress(form.surface(), Qt::RightButton, {}, backOnly);
        QTest::mousePress(form.surface(), Qt::MiddleButton, {}, overlap);
        QCOMPARE(pressed, QStringList({"ImgDavant(0):1", "ImgDarrere(-1):2", "ImgDavant(0):4"}));
    }

    void hiddenOrDisabledImagesLetPressesThrough() {
        ui::Form& form = ui::forms::get("frmProva");
        form.surface()->resize(600, 400);
        recordPresses(form);
        const QPoint overlap = form.toPixels(QPointF(2500, 1500)).toPoint();
        form.image("ImgDavant", 0).setEnabled(false);
        QTest::mousePress(form.surface(), Qt::LeftButton, {}, overlap);
        form.image("ImgDavant", 0).setEnabled(true);
        form.image("ImgDavant", 0).setVisible(false);
        QTest::mousePress(form.surface(), Qt::LeftButton, {}, overlap);
        form.image("ImgDarrere").setEnabled(false);
        QTest::mousePress(form.surface(), Qt::LeftButton, {}, overlap);
        QCOMPARE(pressed, QStringList({"ImgDarrere(-1):1", "ImgDarrere(-1):1"}));
    }

    void scalingKeepsPositionsAndAspect() {
        ui::Form& form = ui::forms::get("frmProva");
        recordPresses(form);
        auto& target = form.image("ImgDavant", 1);
        for (QSize size : {QSize(400, 300), QSize(1920, 1000), QSize(3840, 2000)}) {
            form.surface()->resize(size);
            const QRectF pixels = form.toPixels(target.bounds());
            // One scale for both axes, fitted to the extent of the controls.
            const qreal s = form.pixelsPerTwip();
            QCOMPARE(pixels.width() / target.bounds().width(), s);
            QCOMPARE(pixels.height() / target.bounds().height(), s);
            const QSizeF used = form.layoutExtent() * s;
            QVERIFY(qAbs(used.width() - size.width()) < 1 ||
                    qAbs(used.height() - size.height()) < 1);
            QTest::mousePress(form.surface(), Qt::LeftButton, {}, target.centre());
        }
        QCOMPARE(pressed.size(), 3);
        QVERIFY(pressed.filter("ImgDavant(1)").size() == 3);
    }

    // A picture button draws its picture 1:1 in device pixels, at whatever
    // scaling the screen has (this test also runs at 150 % and 200 %).
    void pictureButtonsDrawTheirPicturePixelForPixel() {
        ui::Form& form = ui::forms::get("frmProva");
        form.surface()->resize(1200, 800);
        form.surface()->show();
        settle();
        QPushButton* button = form.button("CmdInterruptor").button();
        QVERIFY(button->iconSize().width() > 32);
        const QImage drawn = button->grab().toImage();
        const QSize device = button->iconSize() * button->devicePixelRatioF();
        const QImage picture = ui::pictures::pixmap("switch_single", device).toImage();
        QVERIFY(showsCentred(drawn, picture));
        form.surface()->hide();
    }

    void propertyChangesCoalesceIntoOneRepaint() {
        ui::Form& form = ui::forms::get("frmProva");
        form.surface()->resize(600, 400);
        form.surface()->show();
        settle();
        testing::PaintCounter counter;
        form.surface()->installEventFilter(&counter);
        auto& line = form.line("Línia");
        for (int i = 0; i < 5000; ++i)
            line.setY2(float(1000 + i % 4000));
        settle();
        QCOMPARE(counter.paints, 1);
        form.surface()->hide();
    }

    void systemColoursAreResolvedWhenDrawn() {
        ui::Form& form = ui::forms::get("frmProva");
        form.surface()->resize(600, 400);
        const qreal ratio = form.surface()->devicePixelRatioF();
        const QPoint inLabel = (form.toPixels(QPointF(2900, 3550)) * ratio).toPoint();
        QPalette palette = form.surface()->palette();
        palette.setColor(QPalette::Button, QColor(10, 200, 30));
        form.surface()->setPalette(palette);
        QCOMPARE(form.surface()->grab().toImage().pixelColor(inLabel), QColor(10, 200, 30));
        palette.setColor(QPalette::Button, QColor(200, 10, 30));
        form.surface()->setPalette(palette);
        QCOMPARE(form.surface()->grab().toImage().pixelColor(inLabel), QColor(200, 10, 30));
        form.label("LblTaula").setBackColor(ui::rgb(255, 255, 255));
        QCOMPARE(form.surface()->grab().toImage().pixelColor(inLabel), QColor(Qt::white));
    }

    void endingTheProgramClosesEverythingAndStopsTimers() {
        ui::Form& form = ui::forms::get("frmProva");
        int ticks = 0;
        auto& timer = form.add<ui::Timer>("TmrProva", 1, true);
        timer.onTimer([&] { ++ticks; });
        form.Show();
        ui::forms::endProgram();
        QVERIFY(testing::programEnded());
        QVERIFY(!ui::forms::loaded("frmProva"));
        QTest::qWait(20);
        QCOMPARE(ticks, 0);
        settle();
    }
};

QTEST_MAIN(FormsLayer)
#include "tst_forms.moc"
