// SPDX-License-Identifier: GPL-3.0-or-later
// The study and the dining room: one lamp switched from two places, driven
// through the switch buttons and checked against the wiring model.
#include "house_fixture.h"
#include "wiring_oracle.h"

#include "house/breaker.h"
#include "house/catalogue.h"

using testing::wiring::RoomDrawing;

namespace {

RoomDrawing drawingOf(const QString& window) {
    const bool dining = window == QLatin1String("frmMenjadorbis");
    return {
        window,
        dining ? "Pic_Menjador" : "Pic_Estudi",
        dining ? QStringList{"ImgMenjador1", "ImgMenjador2"} : QStringList{"ImgEstudi"},
        {{0, "Lineinterruptor1", false, 6720, 7440}, {1, "LineInterruptor2", true, 6720, 7440}}};
}

QString menuItemOf(const QString& window) {
    return window == QLatin1String("frmMenjadorbis") ? "mnuMenjador" : "mnuSalaEstudi";
}

} // namespace

class TwoWay : public QObject {
    Q_OBJECT
    std::unique_ptr<testing::HouseFixture> house;
    const testing::wiring::Netlist wiring = testing::wiring::twoWayDiagram();

    ui::Form& open(const QString& window) {
        house->chooseMenu(menuItemOf(window));
        return house->window(window);
    }
    // Brings the room up, as a learner must, and clicks one of its buttons.
    void clickIn(const QString& window, const QString& button) {
        ui::Form& room = house->window(window);
        room.setWindowState(ui::Form::WindowState::Maximized);
        house->click(room.button(button));
    }
    void clickC1(const QString& window) { clickIn(window, "CmdCommutador1"); }
    void clickC2(const QString& window) { clickIn(window, "CmdCommutador2"); }

    // The drawn window agrees with the wiring model for `combination`.
    void verifyDrawn(const QString& window, int combination) {
        const QStringList diffs =
            testing::wiring::drawingDifferences(*house, drawingOf(window), wiring, combination);
        QVERIFY2(diffs.isEmpty(),
                 qPrintable(
                     QStringLiteral("combination %1: %2").arg(combination).arg(diffs.join("; "))));
    }

    void lightAllBut(const QString& except) {
        testing::lightAllBut({except});
        QVERIFY(!house::isTripped());
    }

    void rooms() {
        QTest::addColumn<QString>("window");
        QTest::newRow("study") << QStringLiteral("frmEstudi");
        QTest::newRow("dining room") << QStringLiteral("frmMenjadorbis");
    }

  private slots:
    void initTestCase() { house = std::make_unique<testing::HouseFixture>(); }
    void init() { house->reset(); }

    void startsDarkWithNothingHighlighted_data() { rooms(); }
    void startsDarkWithNothingHighlighted() {
        QFETCH(QString, window);
        ui::Form& room = open(window);
        // C1 on the lower traveller, C2 on the upper one: combination 1.
        QCOMPARE(room.line("Lineinterruptor1").y2(), 7440.0f);
        QCOMPARE(room.line("LineInterruptor2").y1(), 6720.0f);
        QVERIFY(!wiring.solve(1).lit);
        QCOMPARE(room.shape("ShpBombeta").backStyle(), 0);
        QVERIFY(room.pictureBox(drawingOf(window).photographs, 1).visible());
        for (int row = 0; row < 4; ++row)
            QCOMPARE(room.label("LblTaula", row).backColor(), ui::colors::ButtonFace);
        for (const QString& conductor : wiring.conductors())
            QCOMPARE(room.line(conductor).borderColor(), ui::colors::WindowText);
        QCOMPARE(room.label("LblTítolTaula").caption(), QString("C1          C2           LLUM"));
        QCOMPARE(room.label("LblTaula", 0).caption(), QString(" 0             0                1"));
        QCOMPARE(room.label("LblTaula", 3).caption(), QString(" 1             1                1"));
        QCOMPARE(room.button("CmdCommutador1").button()->accessibleName(), QString("Commutador 1"));
        QCOMPARE(room.button("CmdCommutador2").button()->accessibleName(), QString("Commutador 2"));
    }

    // C1, C2, C1, C2 from the start visits every combination (rows 3, 2,
    // 0, 1) and ends where it began.
    void everyCombinationAgreesWithTheWiring_data() { rooms(); }
    void everyCombinationAgreesWithTheWiring() {
        QFETCH(QString, window);
        open(window);
        clickC1(window);
        verifyDrawn(window, 3);
        clickC2(window);
        verifyDrawn(window, 2);
        clickC1(window);
        verifyDrawn(window, 0);
        clickC2(window);
        verifyDrawn(window, 1);
    }

    void firstClickAndSameButtonTwice_data() {
        QTest::addColumn<QString>("window");
        QTest::addColumn<QString>("button");
        QTest::addColumn<int>("firstRow");
        for (const QString& window :
             {QStringLiteral("frmEstudi"), QStringLiteral("frmMenjadorbis")}) {
            QTest::addRow("%s C1", qPrintable(window)) << window << "CmdCommutador1" << 3;
            QTest::addRow("%s C2", qPrintable(window)) << window << "CmdCommutador2" << 0;
        }
    }
    void firstClickAndSameButtonTwice() {
        QFETCH(QString, window);
        QFETCH(QString, button);
        QFETCH(int, firstRow);
        ui::Form& room = open(window);
        house->click(room.button(button));
        verifyDrawn(window, firstRow);
        house->click(room.button(button));
        verifyDrawn(window, 1);
    }

    void keyboardOperatesTheSwitches() {
        ui::Form& room = open("frmEstudi");
        QTest::keyClick(room.button("CmdCommutador1").button(), Qt::Key_Space);
        house->settle();
        verifyDrawn("frmEstudi", 3);
        QTest::keyClick(room.button("CmdCommutador2").button(), Qt::Key_Return);
        house->settle();
        verifyDrawn("frmEstudi", 2);
        QTest::keyClick(room.button("CmdCommutador2").button(), Qt::Key_Enter);
        house->settle();
        verifyDrawn("frmEstudi", 3);
    }

    // Lever coordinates that are not one of the four combinations make a
    // click change nothing.
    void unknownPositionsChangeNothing() {
        ui::Form& room = open("frmEstudi");
        room.line("Lineinterruptor1").setY2(7440.5f);
        house->click(room.button("CmdCommutador1"));
        house->click(room.button("CmdCommutador2"));
        QCOMPARE(room.line("Lineinterruptor1").y2(), 7440.5f);
        QCOMPARE(room.line("LineInterruptor2").y1(), 6720.0f);
        QCOMPARE(room.line("Line1").borderColor(), ui::colors::WindowText);
        QCOMPARE(room.label("LblTaula", 1).backColor(), ui::colors::ButtonFace);
        QVERIFY(!house->window("frmPlanta").image("ImgEstudi").visible());
    }

    // The indicators are written on windows that did not exist, which are
    // created on the way; the acting room stays in front.
    void indicatorsReachWindowsThatWereClosed_data() { rooms(); }
    void indicatorsReachWindowsThatWereClosed() {
        QFETCH(QString, window);
        open(window);
        const QStringList closed = {"frmCuina", "frmHab_mat", "frmLavabopetit",
                                    window == "frmEstudi" ? "frmMenjadorbis" : "frmEstudi"};
        for (const QString& other : closed)
            ui::forms::unload(other);
        house->settle();
        for (const QString& other : closed)
            QVERIFY(!house->loaded(other));
        clickC2(window);
        for (const QString& other : closed)
            QVERIFY2(house->loaded(other), qPrintable(other));
        verifyDrawn(window, 0);
    }

    void theDiningRoomIsOutlinedInRedAtLoad() {
        ui::Form& room = open("frmMenjadorbis");
        const QLineF outline[] = {{360, 2040, 2520, 2040},  {2520, 2040, 2520, 3360},
                                  {2520, 3360, 1680, 3360}, {1680, 3360, 1680, 4490},
                                  {1680, 4490, 360, 4490},  {360, 4440, 360, 2040}};
        const QSize size(1920, 1000);
        QWidget* surface = room.surface();
        const QSize before = surface->size();
        surface->resize(size);
        auto& plan = room.pictureBox("PicPlantaMenjador");
        QList<QPoint> samples;
        for (int i = 0; i < 6; ++i) {
            const ui::Line& line = room.line(QStringLiteral("Line%1_activa").arg(i + 1));
            QCOMPARE(QLineF(line.x1(), line.y1(), line.x2(), line.y2()), outline[i]);
            QCOMPARE(line.borderStyle(), 1);
            QCOMPARE(line.borderColor(), ui::colors::Red);
            // The middle of each side, in the window's pixels.
            const QPointF middle = plan.toPixels(outline[i].center());
            samples << plan.surface()->mapTo(surface, middle.toPoint());
        }
        const QImage image = house->render(room, size);
        surface->resize(before);
        // Some pixel next to the middle of each side is red (the side may
        // fall between two pixels).
        for (const QPoint& p : samples) {
            bool red = false;
            for (int dy = -1; dy <= 1; ++dy)
                for (int dx = -1; dx <= 1; ++dx) {
                    const QColor c = image.pixelColor(p + QPoint(dx, dy));
                    red = red || (c.red() > 190 && c.green() < 70 && c.blue() < 70);
                }
            QVERIFY2(red, qPrintable(QStringLiteral("(%1, %2)").arg(p.x()).arg(p.y())));
        }
        // The study is marked by its rectangle instead.
        QCOMPARE(open("frmEstudi").shape("shpEstudi_activa").borderColor(), ui::colors::Red);
    }

    // Both dining-room indicators count: with the eight others shown,
    // lighting the dining room from either button trips the breaker.
    void lightingTheLastLampTrips_data() {
        QTest::addColumn<QString>("window");
        QTest::addColumn<QString>("button");
        for (const QString& window :
             {QStringLiteral("frmEstudi"), QStringLiteral("frmMenjadorbis")})
            for (const QString& button :
                 {QStringLiteral("CmdCommutador1"), QStringLiteral("CmdCommutador2")})
                QTest::addRow("%s %s", qPrintable(window), qPrintable(button)) << window << button;
    }
    void lightingTheLastLampTrips() {
        QFETCH(QString, window);
        QFETCH(QString, button);
        lightAllBut(window);
        clickIn(window, button);
        QVERIFY(house::isTripped());
        for (const house::Room& room : house::rooms())
            QVERIFY2(!house->loaded(room.window), qPrintable(room.window));
        QCOMPARE(house->activeWindow(), QString("frmPlanta"));
    }

    // Switching off never runs the overload check, even while every
    // indicator of this window shows: a kitchen window built again after
    // the other lamps were lit shows none of them, so lighting it from
    // there does not trip, yet the rooms' own miniatures now show all ten.
    // Lighting again then trips at once.
    void darkeningNeverTrips_data() { rooms(); }
    void darkeningNeverTrips() {
        QFETCH(QString, window);
        lightAllBut("frmCuina");
        ui::forms::unload("frmCuina");
        house->settle();
        clickIn("frmCuina", "CmdInterruptor");
        QVERIFY(!house::isTripped());
        for (const char* indicator : {"ImgCuina", "ImgEstudi", "ImgMenjador1", "ImgMenjador2"})
            QVERIFY(house->window(window).image(indicator).visible());
        clickC1(window);
        QVERIFY(!house::isTripped());
        verifyDrawn(window, 1);
        clickC2(window);
        QVERIFY(house::isTripped());
    }

    // After a trip the room is built again from its layout and starts from
    // its first combination.
    void reopenedAfterATripStartsAgain() {
        lightAllBut("frmEstudi");
        clickC1("frmEstudi");
        QVERIFY(house::isTripped());
        house->click(house->window("frmPlanta").pictureBox("PicMagneto", 0));
        QVERIFY(!house::isTripped());
        ui::Form& study = open("frmEstudi");
        QCOMPARE(study.line("Lineinterruptor1").y2(), 7440.0f);
        QCOMPARE(study.line("LineInterruptor2").y1(), 6720.0f);
        clickC1("frmEstudi");
        verifyDrawn("frmEstudi", 3);
        QVERIFY(!study.image("ImgCuina").visible());
    }
};

QTEST_MAIN(TwoWay)
#include "tst_two_way.moc"
