// SPDX-License-Identifier: GPL-3.0-or-later
// The circuit breaker as the learner meets it: lighting the last dark lamp
// trips it and closes the house, the plan then refuses entry while the menu
// still opens rooms, and a click on the breaker (or Space, Enter) re-arms it.
#include "expected.h"
#include "house_fixture.h"

#include "house/catalogue.h"
#include "house/windows.h"

#include <QMdiArea>
#include <QMdiSubWindow>

namespace {

using testing::expected::openingOrder;

const QStringList planImages = [] {
    QStringList names;
    for (const house::PlanArea& area : house::planAreas())
        names << area.indicator << area.target;
    return names;
}();

const house::PlanArea& areaOf(const QString& window) {
    for (const house::PlanArea& area : house::planAreas())
        if (area.window == window)
            return area;
    qFatal("no plan area opens %s", qPrintable(window));
}

} // namespace

class BreakerTest : public QObject {
    Q_OBJECT

    std::unique_ptr<testing::HouseFixture> house;

    ui::Form& plan() { return house->window(house::floorPlan); }
    ui::PictureBox& breaker(int index) { return plan().pictureBox("PicMagneto", index); }

    // Enters a room from the plan and operates its first switch, which
    // lights a dark lamp.
    void light(const QString& window) {
        house->chooseMenu("mnuPlanta");
        house->press(plan().image(areaOf(window).target));
        QCOMPARE(house->activeWindow(), window);
        ui::Form& room = house->window(window);
        house->click(room.button(testing::firstSwitch(room)));
    }

    void lightAllBut(const QString& last) {
        house->chooseMenu("mnuPlanta");
        testing::lightAllBut({last}, [this](const QString& window) { light(window); });
    }

    void trip() {
        lightAllBut("frmCuina");
        light("frmCuina");
        QVERIFY(breaker(0).visible());
    }

    // Armed, with the plan in front of the nine rooms.
    void verifyArmed() {
        QCOMPARE(breaker(1).visible(), true);
        QCOMPARE(breaker(0).visible(), false);
        QCOMPARE(plan().label("lblMagneto").visible(), false);
        QCOMPARE(plan().image("ImgAvis").visible(), false);
        for (const QString& image : planImages)
            QVERIFY2(plan().image(image).enabled(), qPrintable(image));
        QCOMPARE(house->stacking(), openingOrder + QStringList{house::floorPlan});
        QCOMPARE(house->activeWindow(), house::floorPlan);
        QCOMPARE(plan().windowState(), ui::Form::WindowState::Maximized);
        for (const QString& room : openingOrder)
            QVERIFY2(house->window(room).isShown(), qPrintable(room));
    }

  private slots:
    void initTestCase() { house = std::make_unique<testing::HouseFixture>(); }
    void init() { house->reset(); }

    // Whichever room is lit last, the dining room with its two indicators
    // included, the breaker holds until then and trips on that click.
    void lastDarkLampTrips_data() {
        QTest::addColumn<QString>("last");
        for (const QString& window : openingOrder)
            QTest::newRow(qPrintable(window)) << window;
    }
    void lastDarkLampTrips() {
        QFETCH(QString, last);
        lightAllBut(last);
        if (QTest::currentTestFailed())
            return;
        const int dark = house::room(last).indicators.size();
        int shown = 0;
        for (const house::PlanArea& area : house::planAreas())
            shown += plan().image(area.indicator).visible();
        QCOMPARE(shown, 10 - dark);
        QVERIFY(breaker(1).visible());
        for (const QString& room : openingOrder)
            QVERIFY(house->loaded(room));

        QStringList unloaded;
        for (const QString& room : openingOrder)
            connect(house->loaded(room), &QObject::destroyed, this,
                    [&unloaded, room] { unloaded << room; });
        light(last);

        QCOMPARE(unloaded, QStringList({"frmCuina", "frmMenjadorbis", "frmHabitació1",
                                        "frmHabitació2", "frmHab_mat", "frmEstudi", "frmLavabogran",
                                        "frmLavabopetit", "frmEntrada"}));
        QCOMPARE(house->stacking(), QStringList{house::floorPlan});
        QCOMPARE(house->activeWindow(), house::floorPlan);
        QCOMPARE(plan().windowState(), ui::Form::WindowState::Maximized);
        QVERIFY(plan().label("lblMagneto").visible());
        QVERIFY(plan().label("LblAvisPia").visible());
        QVERIFY(plan().image("ImgAvis").visible());
        QVERIFY(breaker(0).visible());
        QVERIFY(!breaker(1).visible());
        for (const house::PlanArea& area : house::planAreas())
            QVERIFY2(!plan().image(area.indicator).visible(), qPrintable(area.indicator));
        for (const QString& image : planImages)
            QVERIFY2(!plan().image(image).enabled(), qPrintable(image));
    }

    void trippedPlanRefusesEntryButTheMenuOpensDarkRooms() {
        trip();
        for (const house::PlanArea& area : house::planAreas()) {
            house->press(plan().image(area.target));
            QCOMPARE(house->activeWindow(), house::floorPlan);
            QVERIFY(!house->loaded(area.window));
        }
        house->chooseMenu("mnuCuina");
        QCOMPARE(house->activeWindow(), QString("frmCuina"));
        QVERIFY(house->window("frmCuina").pictureBox("Pic_Cuina", 1).visible());
        QVERIFY(breaker(0).visible());
        QVERIFY(plan().label("lblMagneto").visible());
        QVERIFY(!plan().image("ImgCuina_ordre").enabled());
    }

    void reArmingOpensNineDarkRooms() {
        trip();
        house->click(breaker(0));
        verifyArmed();
        for (const house::Room& room : house::rooms()) {
            ui::Form& window = house->window(room.window);
            QVERIFY2(window.pictureBox(room.photographs, 1).visible(), qPrintable(room.window));
            for (const house::PlanArea& area : house::planAreas())
                QVERIFY(!window.image(area.indicator).visible());
        }
        for (const house::PlanArea& area : house::planAreas())
            QVERIFY(!plan().image(area.indicator).visible());
        house->press(plan().image("ImgEstudi_ordre"));
        QCOMPARE(house->activeWindow(), QString("frmEstudi"));
    }

    // A click on the armed breaker brings every room forward and the plan
    // back in front, but the plan goes on showing the rooms that are lit.
    void armedBreakerKeepsThePlansIndicators() {
        light("frmCuina");
        light("frmMenjadorbis");
        ui::Form* kitchen = house->loaded("frmCuina");
        house->window("frmEstudi").window()->close();
        house->chooseMenu("mnuPlanta");
        house->click(breaker(1));
        verifyArmed();
        QCOMPARE(house->loaded("frmCuina"), kitchen);
        QVERIFY(kitchen->pictureBox("Pic_Cuina", 0).visible());
        for (const house::PlanArea& area : house::planAreas()) {
            const bool lit = area.window == "frmCuina" || area.window == "frmMenjadorbis";
            QCOMPARE(plan().image(area.indicator).visible(), lit);
            QCOMPARE(kitchen->image(area.indicator).visible(), lit);
        }
    }

    // A room opened from the menu and lit while the breaker is tripped keeps
    // its lamp through the re-arm, and the plan shows it lit like every
    // other window; the other rooms are dark.
    void reArmingShowsALampLitWhileTripped() {
        trip();
        house->chooseMenu("mnuHabitació2");
        house->click(house->window("frmHabitació2").button("CmdInterruptor"));
        ui::Form* bedroom = house->loaded("frmHabitació2");
        house->chooseMenu("mnuPlanta");
        house->click(breaker(0));
        verifyArmed();
        QCOMPARE(house->loaded("frmHabitació2"), bedroom);
        QVERIFY(bedroom->pictureBox("Pic_Habitació2", 0).visible());
        for (const house::Room& room : house::rooms()) {
            ui::Form& window = house->window(room.window);
            const bool lit = room.window == "frmHabitació2";
            QCOMPARE(window.pictureBox(room.photographs, 1).visible(), !lit);
            for (ui::Form* shown : {&plan(), &window})
                QVERIFY2(shown->image("ImgHabitació2").visible(), qPrintable(shown->name()));
            for (const house::PlanArea& area : house::planAreas())
                if (area.indicator != "ImgHabitació2")
                    QVERIFY(!plan().image(area.indicator).visible());
        }
    }

    void breakerAnswersToTheKeyboard() {
        trip();
        QCOMPARE(breaker(0).widget()->accessibleName(), QString("Magnetotèrmic"));
        QCOMPARE(breaker(0).widget()->focusPolicy(), Qt::StrongFocus);
        QTest::keyClick(breaker(0).widget(), Qt::Key_Space);
        house->settle();
        verifyArmed();

        house->window("frmEntrada").window()->close();
        QVERIFY(!house->window("frmEntrada").isShown());
        QCOMPARE(breaker(1).widget()->accessibleName(), QString("Magnetotèrmic"));
        QTest::keyClick(breaker(1).widget(), Qt::Key_Return);
        house->settle();
        verifyArmed();
    }
};

QTEST_MAIN(BreakerTest)
#include "tst_breaker.moc"
