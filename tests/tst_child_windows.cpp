// SPDX-License-Identifier: GPL-3.0-or-later
// The child windows of the main window on screens of different sizes: where
// each new one opens, the size of its client area, the maximised mode when
// a maximised child is closed, and the main window's own close box during
// the presentation.
#include "expected.h"
#include "house_fixture.h"

#include "house/catalogue.h"
#include "shell/startup.h"
#include "ui/twips.h"

#include <QMdiArea>
#include <QMdiSubWindow>

namespace {

const QString presentation = QStringLiteral("frmPresentació");

QMdiSubWindow* frameOf(ui::Form& form) {
    return qobject_cast<QMdiSubWindow*>(form.window());
}

} // namespace

class ChildWindowsTest : public QObject {
    Q_OBJECT
    std::unique_ptr<testing::HouseFixture> house;

    // Starts the program in a main window of `size`, as on a screen of that
    // size, and lets the presentation screen hand over to the floor plan.
    void startAndHandOver(QSize size) {
        house->mainWindow().resize(size);
        house->mainWindow().show();
        house->settle();
        shell::showFirstWindow();
        house->settle();
        house->window(presentation).timer("Rellotge1").fire();
        house->settle();
    }

    QRect clientArea() { return house->mainWindow().area().viewport()->rect(); }

  private slots:
    void initTestCase() { house = std::make_unique<testing::HouseFixture>(); }
    void init() { house->reset(); }

    // Every child opens where the one before it opened, one title bar lower
    // and to the right, or back at the top-left when it would not fit; none
    // lies partly outside the client area, and the floor plan, the last to
    // open, is in front with its title-bar buttons in view.
    void newWindowsCascadeInsideTheClientArea_data() {
        QTest::addColumn<QSize>("screen");
        QTest::newRow("1024x768") << QSize(1024, 768);
        QTest::newRow("1920x1080") << QSize(1920, 1080);
    }
    void newWindowsCascadeInsideTheClientArea() {
        QFETCH(QSize, screen);
        QList<QPoint> opened;
        house->mainWindow().resize(screen);
        house->mainWindow().show();
        house->settle();
        shell::showFirstWindow();
        opened << house->window(presentation).window()->pos();
        house->window(presentation).timer("Rellotge1").fire();
        house->settle();
        const QStringList order = testing::expected::openingOrder + QStringList{house::floorPlan};

        const QRect client = clientArea();
        ui::Form& plan = house->window(house::floorPlan);
        // The frame above the client area: the title bar and the border.
        const int titleBar = plan.surface()->mapTo(plan.window(), QPoint()).y();
        QVERIFY(titleBar > 10);
        for (const QString& window : order) {
            QMdiSubWindow* frame = frameOf(house->window(window));
            QVERIFY2(client.contains(frame->geometry()), qPrintable(window));
            opened << frame->pos();
        }
        int restarts = 0;
        for (int i = 1; i < opened.size(); ++i) {
            const QPoint step = opened[i] - opened[i - 1];
            if (opened[i] == client.topLeft()) {
                ++restarts;
                continue;
            }
            QVERIFY2(std::abs(step.x() - titleBar) <= 6 && step.x() == step.y(),
                     qPrintable(QStringLiteral("%1: moved by %2, %3")
                                    .arg(order[i - 1])
                                    .arg(step.x())
                                    .arg(step.y())));
        }
        // Ten windows do not fit in one run down a small screen.
        QCOMPARE(restarts > 0, screen.height() < 1000);

        QCOMPARE(house->activeWindow(), house::floorPlan);
        QCOMPARE(plan.windowState(), ui::Form::WindowState::Normal);
        const QRect titleBarArea(frameOf(plan)->geometry().topLeft(),
                                 QSize(frameOf(plan)->width(), titleBar));
        QVERIFY(client.contains(titleBarArea));
    }

    // Shown at its design size, a child window has its design client area
    // (15 twips a pixel) inside its frame.
    void designSizeIsTheClientArea() {
        startAndHandOver(QSize(1920, 1080));
        ui::Form& plan = house->window(house::floorPlan);
        QCOMPARE(plan.surface()->size(), QSize(9585 / ui::twipsPerPixel, 8595 / ui::twipsPerPixel));
        QVERIFY(plan.window()->height() > 573);
        // The presentation screen has no frame: its window is its client area.
        house->reset();
        house->mainWindow().resize(1024, 768);
        house->mainWindow().show();
        shell::showFirstWindow();
        house->settle();
        QCOMPARE(house->window(presentation).window()->size(), QSize(631, 573));
        QCOMPARE(house->window(presentation).window()->pos(), clientArea().topLeft());
    }

    // A window closed and shown again after the main window has shrunk comes
    // back inside the client area.
    void shrinkingTheMainWindowKeepsChildrenInside() {
        startAndHandOver(QSize(1920, 1080));
        ui::Form& kitchen = house->window("frmCuina");
        kitchen.window()->close();
        house->mainWindow().resize(1024, 768);
        house->settle();
        const QRect client = clientArea();
        for (QMdiSubWindow* frame : house->mainWindow().area().subWindowList())
            if (frame->isVisible())
                QVERIFY2(client.contains(frame->geometry()),
                         qPrintable(frame->widget()->objectName()));
        house->chooseMenu("mnuCuina");
        kitchen.setWindowState(ui::Form::WindowState::Normal);
        QVERIFY(client.contains(kitchen.window()->geometry()));
    }

    // Closing the maximised child with its close box hides it; the child
    // that comes to the front is maximised in its place.
    void closingAMaximisedChildKeepsTheMaximisedMode_data() {
        QTest::addColumn<QString>("closed");
        QTest::newRow("kitchen") << "frmCuina";
        QTest::newRow("floor plan") << "frmPlanta";
    }
    void closingAMaximisedChildKeepsTheMaximisedMode() {
        QFETCH(QString, closed);
        startAndHandOver(QSize(1280, 800));
        house->chooseMenu("mnuBany");
        house->chooseMenu(closed == house::floorPlan ? "mnuPlanta" : "mnuCuina");
        QCOMPARE(house->activeWindow(), closed);

        house->window(closed).window()->close();
        house->settle();
        QVERIFY(house->loaded(closed));
        QVERIFY(!house->window(closed).isShown());
        const QString front = house->activeWindow();
        QVERIFY(!front.isEmpty() && front != closed);
        QVERIFY(house->window(front).isShown());
        QCOMPARE(house->window(front).windowState(), ui::Form::WindowState::Maximized);

        // The hidden window comes back maximised too, as it was.
        house->chooseMenu(closed == house::floorPlan ? "mnuPlanta" : "mnuCuina");
        QCOMPARE(house->activeWindow(), closed);
        QCOMPARE(house->window(closed).windowState(), ui::Form::WindowState::Maximized);
    }

    // A child that was not maximised leaves the others as they are.
    void closingANormalChildLeavesTheOthersNormal() {
        startAndHandOver(QSize(1280, 800));
        house->window(house::floorPlan).window()->close();
        house->settle();
        const QString front = house->activeWindow();
        QVERIFY(house::floorPlan != front);
        QCOMPARE(house->window(front).windowState(), ui::Form::WindowState::Normal);
    }

    // The main window's close box during the presentation closes the main
    // window and its children; the presentation's timers stop with them, so
    // nothing opens the floor plan or brings the main window back, while
    // the help window, a window of its own, stays.
    void closingTheMainWindowDuringThePresentation() {
        house->mainWindow().resize(1280, 800);
        shell::showFirstWindow();
        house->settle();
        house->chooseMenu("mnuAjuda");
        ui::Form& screen = house->window(presentation);
        ui::Timer& handOver = screen.timer("Rellotge1");

        house->mainWindow().close();
        QVERIFY(!handOver.enabled());
        handOver.fire();
        house->settle();
        QVERIFY(!house->mainWindow().isVisible());
        QVERIFY(!house->loaded(presentation));
        QVERIFY(!house->loaded(house::floorPlan));
        for (const house::Room& room : house::rooms())
            QVERIFY(!house->loaded(room.window));
        QVERIFY(house->loaded("FrmAjuda"));
        QVERIFY(house->window("FrmAjuda").isShown());
        QVERIFY(!testing::programEnded());
    }
};

QTEST_MAIN(ChildWindowsTest)
#include "tst_child_windows.moc"
