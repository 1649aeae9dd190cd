// SPDX-License-Identifier: GPL-3.0-or-later
// Pictures are rendered once per size and kept within a budget: bringing
// the rooms back after a trip, or going back and forth between windows,
// renders nothing again.
#include "house_fixture.h"

#include "house/catalogue.h"
#include "house/windows.h"
#include "shell/startup.h"
#include "ui/pictures.h"

#include <QPainter>

class PictureCache : public QObject {
    Q_OBJECT
    std::unique_ptr<testing::HouseFixture> house;

    void paint(const QString& window) {
        house->window(window).setWindowState(ui::Form::WindowState::Maximized);
        house->window(window).surface()->repaint();
    }

    // At full-HD size the nine rooms' photographs alone are more than the
    // budget.
    void showAtFullHd() {
        house->reset();
        house->mainWindow().showNormal();
        house->mainWindow().resize(1920, 1080);
        house->settle();
    }

    // Lights the room and darkens it again, drawing each time.
    void switchTwice(const house::Room& room) {
        ui::Form& form = house->window(room.window);
        const QString button = room.circuit == house::Circuit::SingleSwitch
                                   ? QStringLiteral("CmdInterruptor")
                                   : QStringLiteral("CmdCommutador1");
        for (int click = 0; click < 2; ++click) {
            house->click(form.button(button));
            form.surface()->repaint();
        }
    }

  private slots:
    void initTestCase() {
        house = std::make_unique<testing::HouseFixture>();
        house->mainWindow().resize(1600, 900);
        house->mainWindow().show();
    }

    // Runs first, before anything else has been drawn in this process.
    void startUpRendersOnlyWhatThePresentationShows() {
        QCOMPARE(ui::pictures::renderCount(), 0);
        shell::showFirstWindow();
        house->mainWindow().grab();
        // The window icon, at the size of a sub-window's title-bar icon, is
        // all there is at first: the loading bar is the presentation's only
        // picture, and it is hidden until the first tick.
        QCOMPARE(ui::pictures::renderCount(), 1);
        house->window("frmPresentació").timer("TmrCarrega").fire();
        house->mainWindow().grab();
        QCOMPARE(ui::pictures::renderCount(), 2);
        house->chooseMenu("mnuPlanta");
    }

    void reArmingRendersNothingNew() {
        house->chooseMenu("mnuPlanta");
        paint("frmCuina");
        paint("frmPlanta");
        // Light every lamp: the last one trips the breaker.
        for (const house::Room& room : house::rooms())
            if (room.window != QLatin1String("frmCuina"))
                house::ActualitzaIndicador(room.window, room.indicators, true);
        house->window("frmCuina").setWindowState(ui::Form::WindowState::Maximized);
        house->click(house->window("frmCuina").button("CmdInterruptor"));
        QVERIFY(!house->loaded("frmCuina"));
        house->window("frmPlanta").surface()->repaint();

        const int before = ui::pictures::renderCount();
        house->click(house->window("frmPlanta").pictureBox("PicMagneto", 0));
        paint("frmPlanta");
        paint("frmCuina");
        QCOMPARE(ui::pictures::renderCount(), before);
    }

    // Visiting every room keeps the renderings within their budget, and the
    // room in front keeps both its photographs: once it has been lit and
    // darkened, doing so again renders nothing. (Each room is left dark, so
    // that the breaker does not trip.)
    void visitingEveryRoomStaysWithinTheBudget() {
        showAtFullHd();
        for (const house::Room& room : house::rooms()) {
            paint(room.window);
            switchTwice(room);
            QVERIFY2(ui::pictures::keptBytes() <= ui::pictures::keptBytesLimit(),
                     qPrintable(room.window));
            const int before = ui::pictures::renderCount();
            switchTwice(room);
            QCOMPARE(ui::pictures::renderCount(), before);
        }
    }

    // The floor plan's buttons, compass, breaker and warning are small next
    // to the photographs: a tour of every room, lit and dark, keeps them, so
    // coming back to the plan draws again at most its two large pictures,
    // the floor and the face of the house.
    void aTourOfTheRoomsKeepsTheSmallPictures() {
        showAtFullHd();
        paint("frmPlanta");
        for (const house::Room& room : house::rooms()) {
            paint(room.window);
            switchTwice(room);
        }
        const int before = ui::pictures::renderCount();
        paint("frmPlanta");
        QVERIFY(ui::pictures::renderCount() - before <= 2);
    }

    // Renderings of several megabytes are drawn into memory mapped on their
    // own: they must hold the same pixels as a plain image would.
    void largeRenderingsAreDrawnLikeSmallOnes() {
        const QSize size(1600, 1640);
        QImage expected(size, QImage::Format_ARGB32_Premultiplied);
        expected.fill(Qt::transparent);
        QPainter painter(&expected);
        painter.setRenderHint(QPainter::Antialiasing);
        ui::pictures::play(painter, "plan", QRectF(QPointF(0, 0), QSizeF(size)));
        painter.end();
        const QImage drawn = ui::pictures::pixmap("plan", size).toImage();
        QCOMPARE(drawn.convertToFormat(expected.format()), expected);
    }

    void samePictureAtSameSizeIsTheSamePixmap() {
        const QPixmap a = ui::pictures::pixmap("plan", QSize(329, 337));
        const int count = ui::pictures::renderCount();
        const QPixmap b = ui::pictures::pixmap("plan", QSize(329, 337));
        QCOMPARE(ui::pictures::renderCount(), count);
        QCOMPARE(a.cacheKey(), b.cacheKey());
        ui::pictures::pixmap("plan", QSize(658, 674));
        QCOMPARE(ui::pictures::renderCount(), count + 1);
    }
};

QTEST_MAIN(PictureCache)
#include "tst_picture_cache.moc"
