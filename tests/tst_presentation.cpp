// SPDX-License-Identifier: GPL-3.0-or-later
// The presentation screen: how it opens inside the main window, its texts
// and colours, the loading bar, the demonstration circuit lighting up and
// the hand-over to the floor plan, with the timers driven directly.
#include "house_fixture.h"

#include "house/catalogue.h"

#include <QMdiArea>
#include <QMdiSubWindow>

namespace {

const QString presentation = QStringLiteral("frmPresentació");

struct Wire {
    const char* name;
    ui::Color dark;
    ui::Color lit;
};

// Every line of the demonstration circuit, as laid out and once lit.
const Wire wires[] = {
    {"Line1", ui::colors::Menu, ui::colors::Yellow},
    {"Line2", ui::colors::Menu, ui::colors::Yellow},
    {"Line3", ui::colors::Menu, ui::colors::Black},
    {"Line4", ui::colors::Menu, ui::colors::Yellow},
    {"Line5", ui::colors::Menu, ui::colors::Yellow},
    {"Line6", ui::colors::Menu, ui::rgb(255, 255, 5)},
    {"Line7", ui::colors::Window, ui::colors::Black},
    {"Line8", ui::colors::Menu, ui::colors::Black},
    {"Line9", ui::colors::Yellow, ui::colors::Yellow},
};

bool isYellow(QColor c) {
    return c.red() > 230 && c.green() > 230 && c.blue() < 60;
}

} // namespace

class PresentationTest : public QObject {
    Q_OBJECT
    std::unique_ptr<testing::HouseFixture> house;

    // Starts the program as it does on a learner's machine.
    ui::Form& start() {
        ui::Form& form = house->window(presentation);
        form.Show();
        house->settle();
        return form;
    }

    // The colour a point of the window shows, given in twips.
    QColor colourAt(ui::Form& form, QPointF twips) {
        const QImage image = house->render(form, form.surface()->size());
        return image.pixelColor(form.toPixels(twips).toPoint());
    }

  private slots:
    void initTestCase() { house = std::make_unique<testing::HouseFixture>(); }
    void init() { house->reset(); }

    void opensInsideTheMainWindowAtItsDesignSize() {
        ui::Form& form = start();
        QVERIFY(house->mainWindow().isVisible());
        QVERIFY(house->mainWindow().isMaximized());
        auto* frame = qobject_cast<QMdiSubWindow*>(form.window());
        QVERIFY(frame);
        QVERIFY(house->mainWindow().area().subWindowList().contains(frame));
        QCOMPARE(house->activeWindow(), presentation);
        QCOMPARE(form.windowState(), ui::Form::WindowState::Normal);
        QVERIFY(form.caption().isEmpty());
        QVERIFY(frame->windowFlags().testFlag(Qt::FramelessWindowHint));
        // 9465 x 8595 twips at 15 twips a pixel.
        QCOMPARE(form.surface()->size(), QSize(631, 573));
        QCOMPARE(frame->size(), QSize(631, 573));
    }

    void textsAndColoursAreAsLaidOut() {
        using namespace ui::colors;
        ui::Form& form = start();
        const ui::Label& title = form.label("LblTítol");
        QCOMPARE(title.caption(), QString("Ampera"));
        QCOMPARE(title.foreColor(), Yellow);
        QCOMPARE(title.font().family, QString("Niagara Solid"));
        QCOMPARE(title.font().points, 36.0);
        QCOMPARE(title.alignment(), ui::Label::Align::Centre);

        const ui::Label& subtitle = form.label("lblSubtítol");
        QCOMPARE(subtitle.caption(),
                 QString("Funcionament dels aparells de comandament elèctric: interruptors, "
                         "commutadors i creuements.  Les taules de veritat."));
        QCOMPARE(subtitle.foreColor(), HighlightText);
        QCOMPARE(subtitle.font().family, QString("Niagara Solid"));
        QCOMPARE(subtitle.font().points, 14.25);

        const ui::Label& moment = form.label("LblMoment");
        QCOMPARE(moment.caption(), QString("Un moment, s'està carregant el programa !!"));
        QCOMPARE(moment.font().points, 9.75);
        QCOMPARE(moment.foreColor(), HighlightText);

        for (const char* name : {"LblFase", "LblNeutre"}) {
            QCOMPARE(form.label(name).foreColor(), HighlightText);
            QCOMPARE(form.label(name).backColor(), MenuText);
        }
        const QString credit = form.label("LblAutor").caption();
        QVERIFY(credit.contains("Ampera"));
        QVERIFY(!credit.contains('@'));

        // Every text lies on the window's background, the system button-text
        // colour resolved through the palette.
        const QColor back = ui::toQColor(ButtonText, form.surface()->palette());
        QCOMPARE(colourAt(form, {400, 400}), back);
        for (const char* name : {"LblTítol", "lblSubtítol", "LblMoment", "LblAutor"})
            QCOMPARE(form.label(name).backColor(), ButtonText);
        // The title is drawn in yellow.
        const QImage image = house->render(form, form.surface()->size());
        const QRect titleArea = form.toPixels(title.bounds()).toRect() & image.rect();
        int yellow = 0;
        for (int y = titleArea.top(); y <= titleArea.bottom(); ++y)
            for (int x = titleArea.left(); x <= titleArea.right(); ++x)
                yellow += isYellow(image.pixelColor(x, y));
        QVERIFY2(yellow > 200, qPrintable(QString::number(yellow)));
    }

    void timersRunFromLoad() {
        ui::Form& form = start();
        const std::pair<const char*, int> timers[] = {
            {"TmrCarrega", 100}, {"Rellotge2", 2500}, {"Rellotge1", 3000}};
        for (const auto& [name, interval] : timers) {
            QCOMPARE(form.timer(name).interval(), interval);
            QVERIFY(form.timer(name).enabled());
        }
    }

    void loadingBarAppearsAtFullWidthOnTheFirstTick() {
        ui::Form& form = start();
        ui::Image& bar = form.image("ImgCarrega");
        QCOMPARE(bar.picture(), QString("loading_bar"));
        QVERIFY(!bar.visible());
        const QPointF barMiddle = bar.bounds().center();
        const QColor before = colourAt(form, barMiddle);

        form.timer("TmrCarrega").fire();
        QVERIFY(bar.visible());
        QCOMPARE(bar.width(), 5295.0f);
        QVERIFY(colourAt(form, barMiddle) != before);

        // Later ticks draw it again and leave it as it was.
        form.timer("TmrCarrega").fire();
        QVERIFY(bar.visible());
        QCOMPARE(bar.width(), 5295.0f);
    }

    void demonstrationLampLightsAtTwoAndAHalfSeconds() {
        ui::Form& form = start();
        form.timer("TmrCarrega").fire();
        ui::Shape& lamp = form.shape("ShpBombeta");
        // A point inside the round lamp, clear of its cross and its rim.
        const QPointF inLamp(6620, 5520);

        for (const Wire& wire : wires)
            QCOMPARE(form.line(wire.name).borderColor(), wire.dark);
        QVERIFY(form.line("Line3").visible());
        QVERIFY(!form.line("Line9").visible());
        QCOMPARE(lamp.backStyle(), 0);
        QCOMPARE(lamp.borderColor(), ui::colors::Menu);
        QVERIFY(!isYellow(colourAt(form, inLamp)));

        form.timer("Rellotge2").fire();
        for (const Wire& wire : wires)
            QCOMPARE(form.line(wire.name).borderColor(), wire.lit);
        QVERIFY(!form.line("Line3").visible());
        QVERIFY(form.line("Line9").visible());
        QCOMPARE(lamp.backStyle(), 1);
        QCOMPARE(lamp.backColor(), ui::colors::Yellow);
        QCOMPARE(lamp.borderColor(), ui::colors::Black);
        QVERIFY(isYellow(colourAt(form, inLamp)));
        // The loading bar is untouched by the lighting.
        QCOMPARE(form.image("ImgCarrega").width(), 5295.0f);
    }

    void handOverBringsUpTheFloorPlanInFrontOfTheRooms() {
        ui::Form& form = start();
        form.timer("Rellotge2").fire();
        form.timer("Rellotge1").fire();
        house->settle();
        QVERIFY(!house->loaded(presentation));
        QCOMPARE(house->activeWindow(), QString("frmPlanta"));
        QVERIFY(house->loaded("frmPlanta")->isShown());
        for (const house::Room& room : house::rooms())
            QVERIFY2(house->loaded(room.window), qPrintable(room.window));
        for (QMdiSubWindow* frame : house->mainWindow().area().subWindowList())
            QVERIFY(frame->widget()->objectName() != presentation);
    }

    // A menu choice before the hand-over closes the screen at once and
    // stops its timers, so the floor plan never comes up over the room.
    void menuChoiceCancelsTheHandOver() {
        ui::Form& form = start();
        ui::Timer& handOver = form.timer("Rellotge1");
        QAction* kitchen = house->mainWindow().findChild<QAction*>("mnuCuina");
        kitchen->trigger();
        QVERIFY(!house->loaded(presentation));
        QVERIFY(!form.isShown());
        QVERIFY(!handOver.enabled());
        handOver.fire();
        QVERIFY(!house->loaded("frmPlanta"));

        house->settle();
        QCOMPARE(house->activeWindow(), QString("frmCuina"));
        QCOMPARE(house->window("frmCuina").windowState(), ui::Form::WindowState::Maximized);
        QVERIFY(!house->loaded("frmPlanta"));
        QVERIFY(!house->loaded(presentation));
    }

    // The credit reaches past the design width and is fitted in with the
    // rest, at the design size and on a large window alike.
    void wholeLayoutFitsTheWindowAtAnySize() {
        ui::Form& form = start();
        for (const QSize size : {QSize(631, 573), QSize(1920, 1000)}) {
            form.surface()->resize(size);
            const QRectF credit = form.toPixels(form.label("LblAutor").bounds());
            QVERIFY(credit.right() <= size.width());
            QVERIFY(form.toPixels(form.label("LblMoment").bounds()).bottom() <= size.height());
            QVERIFY(form.toPixels(form.label("LblTítol").bounds()).left() >= 0);
        }
    }
};

QTEST_MAIN(PresentationTest)
#include "tst_presentation.moc"
