// SPDX-License-Identifier: GPL-3.0-or-later
// Mirroring a lamp onto every window: the order of the writes, windows
// created on the way, and the acting window left in front.
#include "house_fixture.h"

#include "house/catalogue.h"
#include "house/windows.h"

#include <QMdiArea>
#include <QMdiSubWindow>

namespace {

// The other room windows each single-switch room writes, in order, after
// itself and the floor plan (typed here from the room's description, not
// taken from the program's table).
const QHash<QString, QStringList> expectedOrders = {
    {"frmCuina",
     {"frmEntrada", "frmEstudi", "frmHab_mat", "frmHabitació1", "frmHabitació2", "frmLavabogran",
      "frmLavabopetit", "frmMenjadorbis"}},
    {"frmEntrada",
     {"frmCuina", "frmEstudi", "frmHab_mat", "frmHabitació1", "frmHabitació2", "frmLavabogran",
      "frmLavabopetit", "frmMenjadorbis"}},
    {"frmHabitació1",
     {"frmEntrada", "frmEstudi", "frmHab_mat", "frmCuina", "frmHabitació2", "frmLavabogran",
      "frmLavabopetit", "frmMenjadorbis"}},
    {"frmHabitació2",
     {"frmEntrada", "frmEstudi", "frmHab_mat", "frmHabitació1", "frmCuina", "frmLavabogran",
      "frmLavabopetit", "frmMenjadorbis"}},
    {"frmLavabogran",
     {"frmEntrada", "frmEstudi", "frmHab_mat", "frmHabitació1", "frmHabitació2", "frmCuina",
      "frmLavabopetit", "frmMenjadorbis"}},
    {"frmLavabopetit",
     {"frmEntrada", "frmEstudi", "frmHab_mat", "frmHabitació1", "frmHabitació2", "frmLavabogran",
      "frmCuina", "frmMenjadorbis"}},
    {"frmEstudi",
     {"frmCuina", "frmEntrada", "frmHab_mat", "frmHabitació1", "frmHabitació2", "frmLavabogran",
      "frmLavabopetit", "frmMenjadorbis"}},
    {"frmHab_mat",
     {"frmCuina", "frmEntrada", "frmMenjadorbis", "frmHabitació1", "frmHabitació2", "frmLavabogran",
      "frmLavabopetit", "frmEstudi"}},
    {"frmMenjadorbis",
     {"frmCuina", "frmEntrada", "frmHab_mat", "frmHabitació1", "frmHabitació2", "frmLavabogran",
      "frmLavabopetit", "frmEstudi"}},
};

} // namespace

class Indicators : public QObject {
    Q_OBJECT
    std::unique_ptr<testing::HouseFixture> house;

  private slots:
    void initTestCase() { house = std::make_unique<testing::HouseFixture>(); }
    void init() { house->reset(); }

    // With only the floor plan and the acting room loaded, the other rooms
    // are created in the order the acting room writes them.
    void windowsAreCreatedOnTheWayInEachRoomsOrder_data() {
        QTest::addColumn<QString>("window");
        for (const house::Room& room : house::rooms())
            QTest::newRow(qPrintable(room.window)) << room.window;
    }
    void windowsAreCreatedOnTheWayInEachRoomsOrder() {
        QFETCH(QString, window);
        house->window("frmPlanta");
        for (const house::Room& room : house::rooms())
            if (room.window != window)
                ui::forms::unload(room.window);
        house->settle();
        QStringList stillLoaded;
        for (const house::Room& room : house::rooms())
            if (ui::forms::loaded(room.window))
                stillLoaded << room.window;
        QCOMPARE(stillLoaded, QStringList{window});

        // Each window is put into the main window's area as it is created.
        QStringList roomWindows;
        for (const house::Room& room : house::rooms())
            roomWindows << room.window;
        const auto roomsInArea = [&] {
            QStringList names;
            for (const QMdiSubWindow* frame :
                 house->mainWindow().area().subWindowList(QMdiArea::CreationOrder))
                if (roomWindows.contains(frame->widget()->objectName()))
                    names << frame->widget()->objectName();
            return names;
        };
        const QStringList before = roomsInArea();
        ui::Form& acting = house->window(window);
        acting.setWindowState(ui::Form::WindowState::Maximized);
        if (acting.find("CmdInterruptor"))
            house->click(acting.button("CmdInterruptor"));
        else
            house::ActualitzaIndicador(window, house::room(window).indicators, true);
        QStringList created = roomsInArea();
        for (const QString& name : before)
            created.removeOne(name);
        QCOMPARE(created, expectedOrders.value(window));
        for (const QString& indicator : house::room(window).indicators)
            for (const QString& other : house::indicatorWindows())
                QVERIFY(house->window(other).image(indicator).visible());
    }

    void everyLitLampShowsOnAllTenWindowsAndTheActingWindowStaysInFront() {
        house->window("frmPlanta");
        ui::Form& kitchen = house->window("frmCuina");
        kitchen.setWindowState(ui::Form::WindowState::Maximized);
        ui::forms::unload("frmMenjadorbis");
        house->settle();
        house->click(kitchen.button("CmdInterruptor"));
        QVERIFY(ui::forms::loaded("frmMenjadorbis"));
        QVERIFY(house->window("frmMenjadorbis").image("ImgCuina").visible());
        QCOMPARE(house->activeWindow(), QString("frmCuina"));
        for (const QString& window : house::indicatorWindows())
            QVERIFY2(house->window(window).image("ImgCuina").visible(), qPrintable(window));
    }
};

QTEST_MAIN(Indicators)
#include "tst_indicators.moc"
