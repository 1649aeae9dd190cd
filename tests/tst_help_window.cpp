// SPDX-License-Identifier: GPL-3.0-or-later
// The help window: its exact text and titles, its place outside the main
// window, and how it is opened, brought up again, closed and ended.
#include "house_fixture.h"

#include <QApplication>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QSignalSpy>
#include <QTimer>

namespace {

const QString help = QStringLiteral("FrmAjuda");

// The text exactly as the learner reads it, written out once more here so
// that a changed character in the program shows up.
const char* const expectedText =
    "Programa de simulació de circuits elèctrics bàsics d'il·luminació\r\n"
    "\r\n"
    "En aquest programa s'intenta fer una simulació del funcionament dels següents elements "
    "de controls: interruptors, commutadors i creuements.\r\n"
    "\r\n"
    "Funcionament del programa:\r\n"
    "\r\n"
    "Des de la pantalla inicial es pot accedir a cada una de les estances de l'habitatge fent "
    "un \"click\" a sobre dels plànol de la planta o des del menú desplegable Portal. També en "
    "aquesta pantalla podem veure la casa en vistes en 3D.\r\n"
    "\r\n"
    "A l'accedir a les diferents habitacions de la casa podrem encendre o apagar el llum "
    "corresponent i comprovar en la taula de veritat l'estat  en que es troben els aparells de "
    "comandament i els receptors.\r\n"
    "\r\n"
    "Per poder passar d'una habitació a l'altra només ens caldrà fer un \"click\" sobre el "
    "plànol de planta corresponent o des del menú Portal.\r\n"
    "\r\n"
    "Sempre podrem veure quines són les habitacions que tenim amb el llum encès o apagat en el "
    "plànol de planta.\r\n"
    "\r\n"
    "Si tenim enceses totes les llums de la casa, es considera que el consum és excessiu i "
    "aleshores ens saltarà el magnetotèrmic. Per poder continuar haurem de connectar-lo de "
    "nou.\r\n";

int visibleHelpWindows() {
    int count = 0;
    for (QWidget* widget : QApplication::topLevelWidgets())
        count += widget->isVisible() && widget->objectName() == help;
    return count;
}

} // namespace

class HelpWindowTest : public QObject {
    Q_OBJECT
    std::unique_ptr<testing::HouseFixture> house;

    ui::Form& openHelp() {
        house->chooseMenu("mnuAjuda");
        ui::Form* form = house->loaded(help);
        Q_ASSERT(form);
        return *form;
    }

  private slots:
    void initTestCase() { house = std::make_unique<testing::HouseFixture>(); }
    void init() { house->reset(); }

    void textIsExactCharacterForCharacter() {
        const QString text = openHelp().label("LblAjuda").caption();
        QCOMPARE(text, QString::fromUtf8(expectedText));
        QCOMPARE(text.count("\r\n\r\n"), 7);
        QVERIFY(text.endsWith(".\r\n"));
        QCOMPARE(text.count('\n'), text.count("\r\n"));
    }

    void boldTitlesLieOverTheirLines() {
        ui::Form& form = openHelp();
        const ui::Label& text = form.label("LblAjuda");
        const ui::Label& first = form.label("LblTitol1");
        const ui::Label& second = form.label("LblTitol2");
        QCOMPARE(first.caption(), text.caption().section("\r\n", 0, 0));
        QCOMPARE(second.caption(), QString("Funcionament del programa"));
        for (const ui::Label* title : {&first, &second}) {
            QCOMPARE(title->font().points, 9.75);
            QVERIFY(title->font().bold);
            QCOMPARE(title->backColor(), ui::colors::CaptionText);
            QCOMPARE(title->backStyle(), 1);
        }
        QCOMPARE(text.font().points, 8.0);
        QVERIFY(!text.font().bold);
        QCOMPARE(first.bounds().topLeft(), text.bounds().topLeft());

        // The titles are in front of the text.
        const auto& children = static_cast<const ui::Container&>(form).children();
        const auto position = [&](const ui::Control& control) {
            return std::find_if(children.begin(), children.end(),
                                [&](const auto& child) { return child.get() == &control; }) -
                   children.begin();
        };
        QVERIFY(position(first) > position(text));
        QVERIFY(position(second) > position(text));
    }

    // The regular line under the second title must be fully covered: the
    // strip just above the title shows nothing but the background.
    void secondTitleHidesTheLineBeneathIt() {
        ui::Form& form = openHelp();
        for (const QSize size : {QSize(584, 528), QSize(1168, 1056)}) {
            const QImage image = house->render(form, size);
            form.surface()->resize(size);
            const QColor back = ui::toQColor(ui::colors::CaptionText, form.surface()->palette());
            const QRectF title = form.label("LblTitol2").bounds();
            const QRect strip =
                form.toPixels(QRectF(title.left(), title.top() - 45, title.width(), 45)).toRect();
            for (int y = strip.top(); y < strip.bottom(); ++y)
                for (int x = strip.left(); x < strip.right(); ++x)
                    QVERIFY2(image.pixelColor(x, y) == back,
                             qPrintable(QStringLiteral("ink at %1,%2").arg(x).arg(y)));
            // And the title itself is drawn.
            const QPoint inTitle = form.toPixels(title.center()).toPoint();
            bool ink = false;
            for (int x = strip.left(); x < strip.right() && !ink; ++x)
                ink = image.pixelColor(x, inTitle.y()) != back;
            QVERIFY(ink);
        }
    }

    void opensAsATopLevelWindowBesideTheMainWindow() {
        house->window("frmPresentació").Show();
        ui::Form& form = openHelp();
        QCOMPARE(form.kind(), ui::Form::Kind::TopLevel);
        QWidget* window = form.window();
        QVERIFY(window->isWindow());
        QVERIFY(!window->parentWidget());
        QVERIFY(window->isVisible());
        QCOMPARE(window->windowTitle(), QString("Autoria: Voltesa - Ajuda"));
        QCOMPARE(form.windowState(), ui::Form::WindowState::Normal);
        for (QMdiSubWindow* frame : house->mainWindow().area().subWindowList())
            QVERIFY(frame->widget() != form.surface());
        QVERIFY(!house->mainWindow().isAncestorOf(window));
        // The presentation screen is left alone.
        QVERIFY(house->loaded("frmPresentació"));
        QCOMPARE(house->activeWindow(), QString("frmPresentació"));
    }

    void openingAgainBringsUpTheSameWindow() {
        ui::Form& form = openHelp();
        house->chooseMenu("mnuCuina");
        QCOMPARE(&openHelp(), &form);
        QCOMPARE(visibleHelpWindows(), 1);
        form.window()->hide();
        QCOMPARE(&openHelp(), &form);
        QVERIFY(form.isShown());
    }

    void closeBoxUnloadsItAndTheMenuBuildsItAgain() {
        openHelp().window()->close();
        house->settle();
        QVERIFY(!house->loaded(help));
        QCOMPARE(visibleHelpWindows(), 0);
        ui::Form& again = openHelp();
        QVERIFY(again.isShown());
        QCOMPARE(again.label("LblAjuda").caption(), QString::fromUtf8(expectedText));
    }

    // Closing the main window leaves the help window up; closing it too
    // then leaves nothing on the screen, and the program ends.
    void outlivesTheMainWindowAndEndsTheProgramLast() {
        ui::Form& form = openHelp();
        house->mainWindow().show();
        house->mainWindow().close();
        house->settle();
        QVERIFY(!house->mainWindow().isVisible());
        QVERIFY(form.isShown());

        QSignalSpy lastClosed(qApp, &QGuiApplication::lastWindowClosed);
        QTimer::singleShot(0, form.window(), [&form] { form.window()->close(); });
        // Only a program that fails to end ever meets this guard.
        QTimer guard;
        guard.setSingleShot(true);
        connect(&guard, &QTimer::timeout, [] { qApp->exit(1); });
        guard.start(10000);
        QCOMPARE(qApp->exec(), 0);
        QCOMPARE(lastClosed.count(), 1);
        house->settle();
        QVERIFY(!house->loaded(help));
    }

    void exitItemClosesIt() {
        openHelp();
        house->chooseMenu("mnuSortir");
        QVERIFY(!house->loaded(help));
        QCOMPARE(visibleHelpWindows(), 0);
    }
};

QTEST_MAIN(HelpWindowTest)
#include "tst_help_window.moc"
