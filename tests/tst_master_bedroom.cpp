// SPDX-License-Identifier: GPL-3.0-or-later
// The master bedroom: one lamp switched from three places, driven through
// its three buttons and checked against the wiring model.
#include "house_fixture.h"
#include "wiring_oracle.h"

#include "house/breaker.h"

namespace {

const QString window = QStringLiteral("frmHab_mat");

const testing::wiring::RoomDrawing drawing = {window,
                                              "Pic_Hab_mat",
                                              {"ImgHab_mat"},
                                              {{0, "LineInterruptor1", false, 6840, 7320},
                                               {1, "Line_CR_1", false, 6840, 7320},
                                               {1, "Line_CR_2", false, 7320, 6840},
                                               {2, "LineInterruptor2", false, 6840, 7320}}};

// The buttons by the bit they flip in k = 4·C1 + 2·CR + C2.
const char* const c1 = "CmdCommutador1";
const char* const cr = "CmdCreumement";
const char* const c2 = "CmdCommutador2";

} // namespace

class MasterBedroomTest : public QObject {
    Q_OBJECT
    std::unique_ptr<testing::HouseFixture> house;
    const testing::wiring::Netlist wiring = testing::wiring::masterBedroomDiagram();

    ui::Form& open() {
        house->chooseMenu("mnuHab_mat");
        return house->window(window);
    }
    void click(const char* button) {
        ui::Form& room = house->window(window);
        room.setWindowState(ui::Form::WindowState::Maximized);
        house->click(room.button(button));
    }

    void verifyDrawn(int combination) {
        const QStringList diffs =
            testing::wiring::drawingDifferences(*house, drawing, wiring, combination);
        QVERIFY2(diffs.isEmpty(),
                 qPrintable(
                     QStringLiteral("combination %1: %2").arg(combination).arg(diffs.join("; "))));
    }

    // Lights the lamps of the other rooms but `skip`.
    void lightTheOtherRooms(const QStringList& skip = {}) {
        testing::lightAllBut(skip + QStringList{window});
    }

  private slots:
    void initTestCase() { house = std::make_unique<testing::HouseFixture>(); }
    void init() { house->reset(); }

    void startsDarkWithNothingHighlighted() {
        ui::Form& room = open();
        QCOMPARE(room.line("LineInterruptor1").y2(), 7320.0f);
        QCOMPARE(room.line("Line_CR_1").y2(), 7320.0f);
        QCOMPARE(room.line("Line_CR_2").y2(), 6840.0f);
        QCOMPARE(room.line("LineInterruptor2").y2(), 7320.0f);
        QVERIFY(!wiring.solve(0).lit);
        QCOMPARE(room.shape("ShpBombeta").backStyle(), 0);
        QVERIFY(room.pictureBox("Pic_Hab_mat", 1).visible());
        for (int row = 0; row < 8; ++row)
            QCOMPARE(room.label("LblTaula", row).backColor(), ui::colors::ButtonFace);
        for (const QString& conductor : wiring.conductors())
            QCOMPARE(room.line(conductor).borderColor(), ui::colors::WindowText);
        QCOMPARE(room.label("LblTítolTaula").caption(),
                 QString("C1       CR       C2               LLUM"));
        QCOMPARE(room.label("LblTaula", 3).caption(),
                 QString("0          1          1                     0"));
        QCOMPARE(room.label("LblTaula", 4).caption(),
                 QString("1          0          0                     1"));
        QCOMPARE(room.button(c1).button()->accessibleName(), QString("Commutador 1"));
        QCOMPARE(room.button(cr).button()->accessibleName(), QString("Creuament"));
        QCOMPARE(room.button(c2).button()->accessibleName(), QString("Commutador 2"));
        QCOMPARE(room.shape("ShpHab_mat_activa").borderColor(), ui::colors::Red);
    }

    // A walk that changes one switch at a time visits all eight
    // combinations, each drawn as the wiring says.
    void everyCombinationAgreesWithTheWiring() {
        open();
        const struct {
            const char* button;
            int combination;
        } walk[] = {{c2, 1}, {cr, 3}, {c2, 2}, {c1, 6}, {c2, 7}, {cr, 5}, {c2, 4}, {c1, 0}};
        for (const auto& step : walk) {
            click(step.button);
            verifyDrawn(step.combination);
        }
    }

    void firstClickAndSameButtonTwice_data() {
        QTest::addColumn<QString>("button");
        QTest::addColumn<int>("firstRow");
        QTest::newRow("C1") << c1 << 4;
        QTest::newRow("CR") << cr << 2;
        QTest::newRow("C2") << c2 << 1;
    }
    void firstClickAndSameButtonTwice() {
        QFETCH(QString, button);
        QFETCH(int, firstRow);
        open();
        click(qPrintable(button));
        verifyDrawn(firstRow);
        click(qPrintable(button));
        verifyDrawn(0);
    }

    // The crossover alone lights and darkens the lamp, though neither
    // two-way switch moves.
    void crossoverAloneAlternates() {
        open();
        for (int i = 0; i < 2; ++i) {
            click(cr);
            verifyDrawn(2);
            click(cr);
            verifyDrawn(0);
        }
    }

    void fromAllOnEachButtonDarkens_data() {
        QTest::addColumn<QString>("button");
        QTest::addColumn<int>("row");
        QTest::newRow("C1") << c1 << 3;
        QTest::newRow("CR") << cr << 5;
        QTest::newRow("C2") << c2 << 6;
    }
    void fromAllOnEachButtonDarkens() {
        QFETCH(QString, button);
        QFETCH(int, row);
        open();
        click(c1);
        click(cr);
        click(c2);
        verifyDrawn(7);
        click(qPrintable(button));
        verifyDrawn(row);
    }

    void keyboardOperatesTheSwitches() {
        ui::Form& room = open();
        QTest::keyClick(room.button(cr).button(), Qt::Key_Space);
        house->settle();
        verifyDrawn(2);
        QTest::keyClick(room.button(c1).button(), Qt::Key_Return);
        house->settle();
        verifyDrawn(6);
        // Tab goes from C1 to C2, then to the crossover.
        const auto nextTabStop = [](QWidget* w) {
            do
                w = w->nextInFocusChain();
            while (!(w->focusPolicy() & Qt::TabFocus) || !w->isVisibleTo(w->window()));
            return w;
        };
        QCOMPARE(nextTabStop(room.button(c1).button()), room.button(c2).button());
        QCOMPARE(nextTabStop(room.button(c2).button()), room.button(cr).button());
    }

    // Positions that are not one of the eight combinations make every click
    // change nothing.
    void unknownPositionsChangeNothing() {
        ui::Form& room = open();
        room.line("Line_CR_1").setY2(7000);
        for (const char* button : {c1, cr, c2})
            click(button);
        QCOMPARE(room.line("LineInterruptor1").y2(), 7320.0f);
        QCOMPARE(room.line("Line_CR_1").y2(), 7000.0f);
        QCOMPARE(room.line("LineInterruptor2").y2(), 7320.0f);
        QCOMPARE(room.shape("ShpBombeta").backStyle(), 0);
        QCOMPARE(room.label("LblTaula", 0).backColor(), ui::colors::ButtonFace);
    }

    // Drawing a combination creates the windows that do not exist on the
    // way, with this room's indicator already set, and ends in front.
    void indicatorsReachWindowsThatWereClosed() {
        open();
        const QStringList closed = {"frmCuina", "frmEstudi", "frmMenjadorbis"};
        for (const QString& other : closed)
            ui::forms::unload(other);
        house->settle();
        click(c1);
        for (const QString& other : closed)
            QVERIFY2(house->loaded(other), qPrintable(other));
        verifyDrawn(4);
    }

    // Lighting the last dark lamp trips the breaker, from any button.
    void lightingTheLastLampTrips_data() { firstClickAndSameButtonTwice_data(); }
    void lightingTheLastLampTrips() {
        QFETCH(QString, button);
        lightTheOtherRooms();
        QVERIFY(!house::isTripped());
        click(qPrintable(button));
        QVERIFY(house::isTripped());
        QVERIFY(!house->loaded(window));
        QCOMPARE(house->activeWindow(), QString("frmPlanta"));
    }

    // Switching off never runs the overload check, even while all ten
    // lamps show on this window: a kitchen window built again after the
    // others were lit shows none of them, so lighting it from there does
    // not trip, yet this room's miniature then shows every lamp lit.
    void darkeningNeverTrips() {
        open();
        click(cr);
        lightTheOtherRooms({"frmCuina"});
        ui::forms::unload("frmCuina");
        house->settle();
        ui::Form& kitchen = house->window("frmCuina");
        kitchen.setWindowState(ui::Form::WindowState::Maximized);
        house->click(kitchen.button("CmdInterruptor"));
        QVERIFY(!house::isTripped());
        QVERIFY(house->window(window).image("ImgCuina").visible());
        click(c2);
        QVERIFY(!house::isTripped());
        verifyDrawn(3);
        click(c1);
        QVERIFY(house::isTripped());
    }

    // After a trip the room is built again and starts from combination 0.
    void reopenedAfterATripStartsAgain() {
        lightTheOtherRooms();
        click(c2);
        QVERIFY(house::isTripped());
        house->click(house->window("frmPlanta").pictureBox("PicMagneto", 0));
        QVERIFY(!house::isTripped());
        ui::Form& room = open();
        QCOMPARE(room.line("LineInterruptor2").y2(), 7320.0f);
        click(c2);
        verifyDrawn(1);
        QVERIFY(!room.image("ImgCuina").visible());
    }
};

QTEST_MAIN(MasterBedroomTest)
#include "tst_master_bedroom.moc"
