// SPDX-License-Identifier: GPL-3.0-or-later
// The main window: its menu tree, the menu handlers, shortcuts and access
// keys, the multiple-document behaviour and the room windows' close box.
#include "expected.h"
#include "house_fixture.h"

#include "house/catalogue.h"

#include <QApplication>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMenuBar>
#include <QStyle>
#include <QStyleFactory>

class MainWindowTest : public QObject {
    Q_OBJECT
    std::unique_ptr<testing::HouseFixture> house;

    QMenu* portalMenu() { return house->mainWindow().findChild<QMenu*>("mnuPortal"); }

  private slots:
    void initTestCase() { house = std::make_unique<testing::HouseFixture>(); }
    void init() { house->reset(); }

    void menuTreeIsExact() {
        QCOMPARE(house->mainWindow().windowTitle(), QString("Voltesa"));
        QCOMPARE(house->mainWindow().objectName(), QString("MDIPortal"));
        const QList<QAction*> top = house->mainWindow().menuBar()->actions();
        QCOMPARE(top.size(), 3);
        QCOMPARE(top[0]->text(), QString("&Portal"));
        QCOMPARE(top[1]->text(), QString("&Taller"));
        QCOMPARE(top[2]->text(), QString("A&juda"));
        QVERIFY(!top[2]->menu());
        QStringList items;
        for (QAction* action : portalMenu()->actions())
            items << (action->isSeparator() ? QString("-") : action->text()) + "|" +
                         action->shortcut().toString();
        QCOMPARE(items, QStringList({"&Planta|Ctrl+P", "-|", "&Entrada|", "&Cuina|", "&Menjador|",
                                     "&Bany|", "&Lavabo|", "&Habitació Doble|", "Habitació&1|",
                                     "Habitació&2|", "Habitació&3|", "-|", "S&ortir|F11"}));
    }

    void eachRoomItemOpensItsWindowMaximisedInFront_data() {
        QTest::addColumn<QString>("item");
        QTest::addColumn<QString>("window");
        for (const auto& [item, window] : testing::expected::roomMenu)
            QTest::newRow(qPrintable(item)) << item << window;
    }
    void eachRoomItemOpensItsWindowMaximisedInFront() {
        QFETCH(QString, item);
        QFETCH(QString, window);
        house->chooseMenu("mnuCuina");
        house->chooseMenu(item);
        QCOMPARE(house->activeWindow(), window);
        QVERIFY(house->window(window).isShown());
        QCOMPARE(house->window(window).windowState(), ui::Form::WindowState::Maximized);
        QCOMPARE(house->window(window).caption(), house::room(window).caption);
        // The room opened before stays loaded behind it.
        QVERIFY(house->loaded("frmCuina"));
        QVERIFY(house->mainWindow().isVisible());
    }

    void reopeningARoomKeepsItsState() {
        house->chooseMenu("mnuBany");
        house->click(house->window("frmLavabogran").button("CmdInterruptor"));
        house->chooseMenu("mnuAseo");
        house->chooseMenu("mnuBany");
        QCOMPARE(house->activeWindow(), QString("frmLavabogran"));
        QCOMPARE(house->window("frmLavabogran").line("Lineinterruptor").y2(), 6720.0f);
    }

    void shortcutsOpenThePlanAndEndTheProgram() {
        house->chooseMenu("mnuCuina");
        house->mainWindow().show();
        house->mainWindow().activateWindow();
        house->type(QKeySequence(Qt::CTRL | Qt::Key_P));
        QCOMPARE(house->activeWindow(), QString("frmPlanta"));
        house->type(QKeySequence(Qt::Key_F11));
        QVERIFY(testing::programEnded());
        QVERIFY(!house->loaded("frmPlanta"));
        QVERIFY(!house->loaded("frmCuina"));
        QVERIFY(!house->mainWindow().isVisible());
    }

    void accessKeysReachEveryRoom() {
        house->mainWindow().show();
        QApplication::setActiveWindow(&house->mainWindow());
        QVERIFY(QTest::qWaitForWindowActive(&house->mainWindow()));
        QTest::keyClick(&house->mainWindow(), Qt::Key_P, Qt::AltModifier);
        QTRY_VERIFY(portalMenu()->isVisible());
        QTest::keyClick(portalMenu(), Qt::Key_M);
        house->settle();
        QCOMPARE(house->activeWindow(), QString("frmMenjadorbis"));
    }

    // Closing a room only hides it: every other window still shows its lamp,
    // and bringing it up again by any path shows it exactly as it was.
    void closeBoxHidesARoomAndKeepsItsState() {
        house->chooseMenu("mnuHabitació2");
        ui::Form& room = house->window("frmHabitació2");
        house->click(room.button("CmdInterruptor"));
        room.window()->close();
        house->settle();
        QCOMPARE(house->loaded("frmHabitació2"), &room);
        QVERIFY(!room.isShown());
        QVERIFY(house->window("frmPlanta").image("ImgHabitació2").visible());

        house->chooseMenu("mnuCuina");
        house->press(house->window("frmCuina").image("ImgHabitació2"));
        QCOMPARE(house->activeWindow(), QString("frmHabitació2"));
        QVERIFY(room.isShown());
        QCOMPARE(room.line("Lineinterruptor").y2(), 6720.0f);
        QVERIFY(room.pictureBox("Pic_Habitació2", 0).visible());
        QVERIFY(room.image("ImgHabitació2").visible());
        QCOMPARE(room.label("LblTaula", 1).foreColor(), ui::colors::Red);
    }

    // The style reads its standard icons only when they are shown; a room's
    // window menu still shows Fusion's own pictures.
    void windowMenuShowsTheStandardIcons() {
        house->chooseMenu("mnuCuina");
        auto* frame = qobject_cast<QMdiSubWindow*>(house->window("frmCuina").window());
        QVERIFY(frame);
        const std::unique_ptr<QStyle> fusion(QStyleFactory::create("Fusion"));
        const QList<QAction*> actions = frame->systemMenu()->actions();
        const auto close = std::find_if(actions.begin(), actions.end(), [](QAction* a) {
            return a->shortcut() == QKeySequence::Close;
        });
        QVERIFY(close != actions.end());
        const QImage shown = (*close)->icon().pixmap(16, 16).toImage();
        QVERIFY(!shown.isNull());
        QCOMPARE(shown,
                 fusion->standardIcon(QStyle::SP_TitleBarCloseButton).pixmap(16, 16).toImage());
    }
};

QTEST_MAIN(MainWindowTest)
#include "tst_main_window.moc"
