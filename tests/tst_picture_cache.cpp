// Pictures are rendered once per size and kept: bringing the nine rooms
// back after a trip, or going back and forth between windows, renders
// nothing again.
#include "house_fixture.h"

#include "house/catalogue.h"
#include "house/windows.h"
#include "shell/startup.h"
#include "ui/pictures.h"

class PictureCache : public QObject {
    Q_OBJECT
    std::unique_ptr<testing::HouseFixture> house;

    void paintEveryRoom() {
        for (const house::Room& room : house::rooms()) {
            house->window(room.window).setWindowState(ui::Form::WindowState::Maximized);
            house->window(room.window).surface()->repaint();
        }
        house->window("frmPlanta").setWindowState(ui::Form::WindowState::Maximized);
        house->window("frmPlanta").surface()->repaint();
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
        paintEveryRoom();
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
        paintEveryRoom();
        QCOMPARE(ui::pictures::renderCount(), before);
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
