// SPDX-License-Identifier: GPL-3.0-or-later
// The miniature plan of every room window: a press with any button on any
// of its twenty images brings up that image's room, on the press.
#include "house_fixture.h"

#include "house/catalogue.h"

class Navigation : public QObject {
    Q_OBJECT
    std::unique_ptr<testing::HouseFixture> house;

  private slots:
    void initTestCase() { house = std::make_unique<testing::HouseFixture>(); }
    void init() { house->reset(); }

    void everyImageOfEveryMiniatureNavigatesOnThePress_data() {
        QTest::addColumn<QString>("window");
        for (const house::Room& room : house::rooms())
            QTest::newRow(qPrintable(room.window)) << room.window;
    }
    void everyImageOfEveryMiniatureNavigatesOnThePress() {
        QFETCH(QString, window);
        house->window("frmPlanta");
        for (const house::PlanArea& area : house::planAreas()) {
            for (bool indicatorShown : {false, true}) {
                for (Qt::MouseButton button : {Qt::LeftButton, Qt::RightButton, Qt::MiddleButton}) {
                    ui::Form& from = house->window(window);
                    from.setWindowState(ui::Form::WindowState::Maximized);
                    from.image(area.indicator).setVisible(indicatorShown);
                    ui::Image& image = from.image(indicatorShown ? area.indicator : area.target);
                    // The target's middle may lie under another room's
                    // indicator; press where only this area is.
                    QTest::mousePress(
                        image.inputWidget(), button, {},
                        from.pictureBox(house::room(window).plan)
                            .toPixels(area.targetRect.intersected(area.indicatorRect).center())
                            .toPoint());
                    QCOMPARE(house->activeWindow(), area.window);
                    QCOMPARE(house->window(area.window).windowState(),
                             ui::Form::WindowState::Maximized);
                    QTest::mouseRelease(image.inputWidget(), button);
                    from.image(area.indicator).setVisible(false);
                }
            }
        }
    }

    void ownRoomKeepsItsWindowAndChangesNothing() {
        ui::Form& study = house->window("frmEstudi");
        study.setWindowState(ui::Form::WindowState::Maximized);
        house->press(study.image("ImgEstudi_ordre"));
        QCOMPARE(house->activeWindow(), QString("frmEstudi"));
        QCOMPARE(house->window("frmEstudi").shape("shpEstudi_activa").borderColor(),
                 ui::colors::Red);
    }

    void activeFrameTakesNoInput() {
        ui::Form& kitchen = house->window("frmCuina");
        kitchen.setWindowState(ui::Form::WindowState::Maximized);
        house->window("frmEntrada").setWindowState(ui::Form::WindowState::Maximized);
        house->window("frmCuina").setWindowState(ui::Form::WindowState::Maximized);
        // A press on the red frame's edge reaches the click target behind it.
        auto& frame = kitchen.shape("ShpCuina_activa");
        QTest::mousePress(frame.inputWidget(), Qt::LeftButton, {},
                          kitchen.pictureBox("PicPlantacuina")
                              .toPixels(frame.bounds().topLeft() + QPointF(300, 40))
                              .toPoint());
        QCOMPARE(house->activeWindow(), QString("frmCuina"));
        QCOMPARE(frame.borderColor(), ui::colors::Red);
    }

    // Going from room to room never rescales the drawing: the miniature
    // plan lies at the same place and size in every room. (Controls that
    // a room adds after the shared frame once gave each room its own
    // extent.)
    void everyRoomIsDrawnAtOneScale() {
        house->chooseMenu("mnuCuina");
        const QRectF kitchenPlan =
            house->window("frmCuina").pictureBox("PicPlantacuina").inputWidget()->geometry();
        for (const house::Room& room : house::rooms()) {
            house->press(house->window(house->activeWindow()).image(targetOf(room.window)));
            QCOMPARE(house->activeWindow(), room.window);
            const ui::Form& form = house->window(room.window);
            QCOMPARE(form.layoutExtent(), house->window("frmCuina").layoutExtent());
            QCOMPARE(QRectF(form.pictureBox(room.plan).inputWidget()->geometry()), kitchenPlan);
        }
    }

  private:
    static QString targetOf(const QString& window) {
        for (const house::PlanArea& area : house::planAreas())
            if (area.window == window)
                return area.target;
        return {};
    }
};

QTEST_MAIN(Navigation)
#include "tst_navigation.moc"
