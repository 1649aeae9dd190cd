// SPDX-License-Identifier: GPL-3.0-or-later
// The six single-switch rooms, driven through their switch buttons.
#include "expected.h"
#include "house_fixture.h"

#include "house/catalogue.h"

namespace {

using testing::expected::singleSwitchRooms;
const QStringList conductors = {"Lineinterruptor", "Line1", "Line3", "Line4", "Line5", "Line6"};

QString indicatorOf(const QString& window) {
    return house::room(window).indicators.first();
}

} // namespace

class SingleSwitch : public QObject {
    Q_OBJECT
    std::unique_ptr<testing::HouseFixture> house;

    ui::Form& open(const QString& window) {
        house->window("frmPlanta"); // every room exists once the plan does
        house->window(window).setWindowState(ui::Form::WindowState::Maximized);
        return house->window(window);
    }

    void verifyLamp(const QString& window, bool lit) {
        ui::Form& room = house->window(window);
        const QString photos = house::room(window).photographs;
        QCOMPARE(room.line("Lineinterruptor").y2(), lit ? 6720.0f : 7440.0f);
        for (const QString& conductor : conductors)
            QCOMPARE(room.line(conductor).borderColor(), lit ? ui::colors::Red : ui::colors::Black);
        QCOMPARE(room.shape("ShpBombeta").backStyle(), lit ? 1 : 0);
        QCOMPARE(room.pictureBox(photos, 0).visible(), lit);
        QCOMPARE(room.pictureBox(photos, 1).visible(), !lit);
        const int on = lit ? 1 : 0;
        QCOMPARE(room.label("LblTaula", on).foreColor(), ui::colors::Red);
        QCOMPARE(room.label("LblTaula", on).backColor(), ui::colors::White);
        QCOMPARE(room.label("LblTaula", 1 - on).foreColor(), ui::colors::Black);
        QCOMPARE(room.label("LblTaula", 1 - on).backColor(), ui::colors::ButtonFace);
        for (const QString& other : house::indicatorWindows())
            QCOMPARE(house->window(other).image(indicatorOf(window)).visible(), lit);
        QCOMPARE(house->activeWindow(), window);
        QCOMPARE(room.windowState(), ui::Form::WindowState::Maximized);
    }

  private slots:
    void initTestCase() { house = std::make_unique<testing::HouseFixture>(); }
    void init() { house->reset(); }

    void layoutStartsOpenAndUnhighlighted_data() { rooms(); }
    void layoutStartsOpenAndUnhighlighted() {
        QFETCH(QString, window);
        ui::Form& room = open(window);
        QCOMPARE(room.line("Lineinterruptor").y2(), 7440.0f);
        QCOMPARE(room.label("LblTaula", 0).caption(), QString(" 0             0  "));
        QCOMPARE(room.label("LblTaula", 1).caption(), QString(" 1             1"));
        QCOMPARE(room.label("LblTítolTaula").caption(), QString("INT         LLUM"));
        QCOMPARE(room.label("LblTaula", 0).foreColor(), room.label("LblTaula", 1).foreColor());
        QCOMPARE(room.line("Line1").borderColor(), ui::colors::WindowText);
        QVERIFY(room.pictureBox(house::room(window).photographs, 1).visible());
        QCOMPARE(room.shape("ShpBombeta").backStyle(), 0);
    }

    void firstClickLightsSecondDarkens_data() { rooms(); }
    void firstClickLightsSecondDarkens() {
        QFETCH(QString, window);
        ui::Form& room = open(window);
        house->click(room.button("CmdInterruptor"));
        verifyLamp(window, true);
        house->click(room.button("CmdInterruptor"));
        verifyLamp(window, false);
        house->click(room.button("CmdInterruptor"));
        verifyLamp(window, true);
    }

    void keyboardOperatesTheSwitch() {
        ui::Form& room = open("frmEntrada");
        auto& button = room.button("CmdInterruptor");
        QCOMPARE(button.button()->accessibleName(), QString("Interruptor"));
        QTest::keyClick(button.button(), Qt::Key_Space);
        house->settle();
        verifyLamp("frmEntrada", true);
        QTest::keyClick(button.button(), Qt::Key_Return);
        house->settle();
        verifyLamp("frmEntrada", false);
    }

    void lampIsARectangleInTheKitchenAndACircleElsewhere() {
        ui::Form& kitchen = open("frmCuina");
        ui::Form& hall = open("frmEntrada");
        // The colour at the lamp's middle, `offset` pixels to the right.
        auto lampPixel = [this](ui::Form& form, int offset) {
            const QImage image = house->render(form, QSize(1920, 1000));
            form.surface()->resize(image.size());
            const QPointF centre = form.toPixels(form.shape("ShpBombeta").bounds().center());
            return image.pixelColor(centre.toPoint() + QPoint(offset, 0));
        };
        const QColor buttonFace = kitchen.surface()->palette().color(QPalette::Button);
        QCOMPARE(lampPixel(kitchen, 0), buttonFace);
        QCOMPARE(lampPixel(hall, 12), buttonFace);
        house->click(kitchen.button("CmdInterruptor"));
        house->click(hall.button("CmdInterruptor"));
        // Lit, the kitchen's rectangle fills with the window colour and the
        // hall's circle with yellow; the cross stays drawn over it.
        QCOMPARE(lampPixel(kitchen, 0), QColor(Qt::white));
        QCOMPARE(lampPixel(hall, 12), QColor(Qt::yellow));
        QVERIFY(lampPixel(hall, 0).lightness() < 40);
    }

    void windowCreatedAfterALampWasLitStartsDark() {
        ui::Form& kitchen = open("frmCuina");
        house->click(kitchen.button("CmdInterruptor"));
        ui::forms::unload("frmEntrada");
        house->settle();
        ui::Form& hall = house->window("frmEntrada");
        // Creating a window writes no indicator: it shows every lamp dark,
        // while the others still show the kitchen lit.
        QVERIFY(!hall.image("ImgCuina").visible());
        QVERIFY(house->window("frmPlanta").image("ImgCuina").visible());
        house->click(hall.button("CmdInterruptor"));
        QVERIFY(hall.image("ImgEntrada").visible());
        QVERIFY(kitchen.image("ImgEntrada").visible());
    }

  private:
    void rooms() {
        QTest::addColumn<QString>("window");
        for (const QString& window : singleSwitchRooms)
            QTest::newRow(qPrintable(window)) << window;
    }
};

QTEST_MAIN(SingleSwitch)
#include "tst_single_switch.moc"
