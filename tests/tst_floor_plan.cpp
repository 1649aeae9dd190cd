// SPDX-License-Identifier: GPL-3.0-or-later
// The floor plan as the learner meets it: its first load opens the house,
// every plan area leads to its room, the exit button ends the program, and
// the compass buttons choose the face of the house that is seen.
#include "expected.h"
#include "house_fixture.h"

#include "house/catalogue.h"
#include "house/windows.h"

#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPushButton>

namespace {

using testing::expected::openingOrder;

} // namespace

class FloorPlanTest : public QObject {
    Q_OBJECT

    std::unique_ptr<testing::HouseFixture> house;

    ui::Form& plan() { return house->window(house::floorPlan); }

    QPushButton* buttonNamed(const QString& accessibleName) {
        for (auto* button : plan().surface()->findChildren<QPushButton*>())
            if (button->accessibleName() == accessibleName)
                return button;
        return nullptr;
    }

    QList<int> visibleViews() {
        QList<int> shown;
        for (int i = 0; i < 4; ++i)
            if (plan().pictureBox("PicVistes", i).visible())
                shown << i;
        return shown;
    }

  private slots:
    void initTestCase() { house = std::make_unique<testing::HouseFixture>(); }
    void init() { house->reset(); }

    void firstLoadOpensTheHouseBehindThePlan_data() {
        QTest::addColumn<QString>("cause");
        QTest::newRow("menu") << "menu";
        QTest::newRow("Ctrl+P") << "shortcut";
        QTest::newRow("indicator update") << "switch";
    }
    void firstLoadOpensTheHouseBehindThePlan() {
        QFETCH(QString, cause);
        QStringList expected = openingOrder + QStringList{house::floorPlan};
        if (cause == "menu") {
            house->chooseMenu("mnuPlanta");
        } else if (cause == "shortcut") {
            house->mainWindow().show();
            house->mainWindow().activateWindow();
            QVERIFY(QTest::qWaitForWindowActive(&house->mainWindow()));
            house->type(QKeySequence(Qt::CTRL | Qt::Key_P));
        } else {
            // The kitchen is open before the plan; lighting it writes the
            // plan's indicator, which loads the plan, and the kitchen then
            // comes back to the front.
            house->chooseMenu("mnuCuina");
            QVERIFY(!house->loaded(house::floorPlan));
            house->click(house->window("frmCuina").button("CmdInterruptor"));
            expected.removeOne("frmCuina");
            expected << "frmCuina";
            QVERIFY(plan().image("ImgCuina").visible());
        }
        QCOMPARE(house->stacking(), expected);
        QCOMPARE(house->activeWindow(), expected.last());
        for (const QString& room : openingOrder)
            QVERIFY(house->window(room).isShown());
    }

    // Every plan area, lit or dark, opens its room on the press itself,
    // whichever mouse button is pressed.
    void everyPlanAreaOpensItsRoom() {
        house->chooseMenu("mnuPlanta");
        for (const house::PlanArea& area : house::planAreas()) {
            for (bool lit : {false, true}) {
                house::ActualitzaIndicador(area.window, house::room(area.window).indicators, lit);
                const ui::Image& image = plan().image(lit ? area.indicator : area.target);
                for (Qt::MouseButton button : {Qt::LeftButton, Qt::RightButton, Qt::MiddleButton}) {
                    house->chooseMenu("mnuPlanta");
                    QCOMPARE(house->activeWindow(), house::floorPlan);
                    QTest::mousePress(image.inputWidget(), button, {}, image.centre());
                    QCOMPARE(house->activeWindow(), area.window);
                    QCOMPARE(house->window(area.window).windowState(),
                             ui::Form::WindowState::Maximized);
                    QTest::mouseRelease(image.inputWidget(), button, {}, image.centre());
                }
            }
        }
    }

    // Closing the plan only hides it: the breaker and the lit rooms stay.
    void closingThePlanKeepsItsState() {
        house->chooseMenu("mnuCuina");
        house->click(house->window("frmCuina").button("CmdInterruptor"));
        ui::Form* before = &plan();
        plan().window()->close();
        house->settle();
        QVERIFY(!plan().isShown());
        house->type(QKeySequence(Qt::CTRL | Qt::Key_P));
        QCOMPARE(house->loaded(house::floorPlan), before);
        QCOMPARE(house->activeWindow(), house::floorPlan);
        QVERIFY(plan().image("ImgCuina").visible());
    }

    void exitButtonEndsTheProgram() {
        house->chooseMenu("mnuPlanta");
        QPushButton* exit = buttonNamed("Sortir");
        QVERIFY(exit);
        QTest::mouseClick(exit, Qt::LeftButton);
        house->settle();
        QVERIFY(testing::programEnded());
        QVERIFY(!house->loaded(house::floorPlan));
        for (const QString& room : openingOrder)
            QVERIFY(!house->loaded(room));
    }

    void eastFaceIsSeenBeforeAnyPress() {
        house->chooseMenu("mnuPlanta");
        QCOMPARE(visibleViews(), QList<int>({0, 1, 2, 3}));
        QCOMPARE(plan().label("LblVista").caption(), QString());
        const ui::PictureBox& view = plan().pictureBox("PicVistes", 0);
        const QPoint middle = view.widget()->geometry().center();
        QCOMPARE(plan().surface()->childAt(middle), plan().pictureBox("PicVistes", 3).widget());
    }

    void compassButtonsShowOneFace_data() {
        QTest::addColumn<QStringList>("presses");
        QTest::addColumn<int>("view");
        QTest::addColumn<QString>("caption");
        QTest::newRow("south") << QStringList{"Sud"} << 0 << "Aquesta és la cara SUD";
        QTest::newRow("west") << QStringList{"Oest"} << 1 << "Aquesta és la cara OEST";
        QTest::newRow("north") << QStringList{"Nord"} << 2 << "Aquesta és la cara NORD";
        QTest::newRow("east") << QStringList{"Est"} << 3 << "Aquesta és la cara EST";
        QTest::newRow("south twice") << QStringList{"Sud", "Sud"} << 0 << "Aquesta és la cara SUD";
        QTest::newRow("west then east")
            << QStringList{"Oest", "Est"} << 3 << "Aquesta és la cara EST";
    }
    void compassButtonsShowOneFace() {
        QFETCH(QStringList, presses);
        QFETCH(int, view);
        QFETCH(QString, caption);
        house->chooseMenu("mnuPlanta");
        for (const QString& name : presses) {
            QPushButton* button = buttonNamed(name);
            QVERIFY2(button, qPrintable(name));
            QTest::mouseClick(button, Qt::LeftButton);
            house->settle();
            QCOMPARE(visibleViews().size(), 1);
        }
        QCOMPARE(visibleViews(), QList<int>{view});
        QCOMPARE(plan().label("LblVista").caption(), caption);
    }
};

QTEST_MAIN(FloorPlanTest)
#include "tst_floor_plan.moc"
