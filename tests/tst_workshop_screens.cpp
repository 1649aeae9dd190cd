// SPDX-License-Identifier: GPL-3.0-or-later
// The workshop on classroom screens: a pupil's 1366×768 laptop and a
// 1024×768 projector, at 100 % and (through CTest) at 200 %. Presses reach
// the nearest item within a fingertip; touch wires as the mouse does; a
// conductor is removed without a keyboard; the board fills its area, the
// panel's text is as large as the rooms', and nothing moves for a message.
// Every press goes through the window, as the window system delivers it.
#include "house_fixture.h"

#include "ui/label.h"
#include "workshop/board_items.h"
#include "workshop/board_view.h"
#include "workshop/breaker_button.h"
#include "workshop/workshop_view.h"
#include "workshop/workshop_window.h"

#include <QApplication>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QSignalSpy>
#include <QTableWidget>
#include <QWindow>

#include <cmath>

using workshop::BoardItem;
using workshop::BoardView;

namespace {

constexpr qreal Pi = 3.14159265358979323846;

qreal distance(QPointF a, QPointF b) {
    return std::hypot(a.x() - b.x(), a.y() - b.y());
}

qreal outlineDistance(QPointF p, const QRectF& r) {
    return std::hypot(std::max({r.left() - p.x(), 0.0, p.x() - r.right()}),
                      std::max({r.top() - p.y(), 0.0, p.y() - r.bottom()}));
}

// How near the nearest item other than `except` comes to a point: terminal
// and lamp centres, switch buttons' outlines.
qreal nearestOther(const BoardView& board, QPointF p, const QWidget* except) {
    qreal nearest = 1e9;
    for (const BoardItem* t : board.terminalItems())
        if (t != except)
            nearest = std::min(nearest, distance(p, QRectF(t->geometry()).center()));
    for (const BoardItem* lamp : board.lampItems())
        nearest =
            std::min(nearest, distance(p, QRectF(lamp->geometry()).center()) - lamp->width() / 2.0);
    for (const QPushButton* b : board.switchButtons())
        if (b != except)
            nearest = std::min(nearest, outlineDistance(p, b->geometry()));
    return nearest;
}

} // namespace

class WorkshopScreens : public QObject {
    Q_OBJECT
    std::unique_ptr<testing::HouseFixture> house;
    QPointingDevice* touchScreen = nullptr;

    workshop::WorkshopWindow& open(const QString& id, QSize screen) {
        house->mainWindow().resize(screen);
        house->settle();
        house->chooseMenu("mnuTaller_" + id);
        auto& w = static_cast<workshop::WorkshopWindow&>(house->window("frmTaller_" + id));
        house->settle();
        return w;
    }
    static BoardView& board(workshop::WorkshopWindow& w) { return w.view().board(); }
    template <class T = QWidget>
    static T* widget(workshop::WorkshopWindow& w, const QString& name) {
        T* found = w.view().findChild<T*>(name);
        if (!found)
            qFatal("no widget %s", qPrintable(name));
        return found;
    }
    static BoardItem* terminal(workshop::WorkshopWindow& w, const QString& name) {
        for (BoardItem* item : board(w).terminalItems())
            if (item->objectName() == name)
                return item;
        qFatal("no terminal %s", qPrintable(name));
    }
    static QPoint centreOf(const QWidget* item) {
        return item->mapTo(item->window(), item->rect().center());
    }

    // A mouse press and release where a widget's point lies, given to the
    // window, which finds what is under it.
    void click(QWidget* on, QPointF at, Qt::MouseButton button = Qt::LeftButton) {
        QWindow* window = on->window()->windowHandle();
        const QPoint p = on->mapTo(on->window(), at.toPoint());
        QTest::mousePress(window, button, {}, p);
        QTest::mouseRelease(window, button, {}, p);
        house->settle();
    }
    void touchTap(QPoint windowPoint) {
        QWidget* window = &house->mainWindow();
        QTest::touchEvent(window, touchScreen).press(0, windowPoint, window);
        QTest::touchEvent(window, touchScreen).release(0, windowPoint, window);
        house->settle();
    }
    void touchDrag(QPoint from, QPoint to) {
        QWidget* window = &house->mainWindow();
        QTest::touchEvent(window, touchScreen).press(0, from, window);
        for (int step = 1; step <= 4; ++step)
            QTest::touchEvent(window, touchScreen).move(0, from + (to - from) * step / 4, window);
        QTest::touchEvent(window, touchScreen).release(0, to, window);
        house->settle();
    }

    // Where the board's grid lies: its origin and one step.
    static QPair<QPointF, QPointF> gridPlace(BoardView& b) {
        return {b.mapTo(b.window(), b.toWidget({0, 0}).toPoint()),
                b.toWidget({1, 0}) - b.toWidget({0, 0})};
    }

    static void screens() {
        QTest::addColumn<QSize>("screen");
        QTest::newRow("1366x768") << QSize(1366, 768);
        QTest::newRow("1024x768") << QSize(1024, 768);
    }

  private slots:
    void initTestCase() {
        touchScreen = QTest::createTouchDevice();
        house = std::make_unique<testing::HouseFixture>();
    }
    // Qt Test hands the touch screen it makes to the caller.
    void cleanupTestCase() { delete touchScreen; }
    void init() {
        house->reset();
        house->mainWindow().show();
        QVERIFY(QTest::qWaitForWindowExposed(&house->mainWindow()));
    }

    // Every terminal takes a press 21 pixels from its centre wherever no
    // other item is nearer; a switch button and the breaker 20 pixels
    // outside their outlines; a conductor 20 pixels beside its line.
    void aPressReachesTheNearestItemWithinAFingertip_data() { screens(); }
    void aPressReachesTheNearestItemWithinAFingertip() {
        QFETCH(QSize, screen);
        auto& w = open("commutada", screen);
        BoardView& b = board(w);
        for (BoardItem* t : b.terminalItems()) {
            const QPointF centre = QRectF(t->geometry()).center();
            int reached = 0;
            for (int k = 0; k < 16; ++k) {
                const QPointF p = centre + 21 * QPointF(std::cos(k * Pi / 8), std::sin(k * Pi / 8));
                if (!b.rect().contains(p.toPoint()) || nearestOther(b, p, t) < 21 + 10)
                    continue;
                click(&b, p);
                QVERIFY2(b.pendingTerminal() == t->index(), qPrintable(t->objectName()));
                click(&b, p);
                QCOMPARE(b.pendingTerminal(), -1);
                ++reached;
            }
            // Each terminal has open sides.
            QVERIFY2(reached >= 3, qPrintable(t->objectName()));
        }

        auto* sw = widget<QPushButton>(w, "Commutador 1");
        const QPointF above(QRectF(sw->geometry()).center().x(), sw->geometry().top() - 20);
        QVERIFY(nearestOther(b, above, sw) > 25);
        click(&b, above);
        QCOMPARE(w.bench().wiring().positions[0], 1);

        auto* breaker = widget<workshop::BreakerButton>(w, "Magnetotèrmic");
        QSignalSpy pressed(breaker, &QAbstractButton::clicked);
        click(breaker,
              QPointF(breaker->drawnRect().left() - 20, breaker->drawnRect().center().y()));
        QCOMPARE(pressed.count(), 1);

        click(&b, QRectF(terminal(w, "Fase")->geometry()).center());
        click(&b, QRectF(terminal(w, "Commutador 1, comú")->geometry()).center());
        QCOMPARE(w.bench().wiring().conductors.size(), size_t(1));
        // The conductor's upright run, from a point beside its middle.
        const circuit::Route& route = b.routes()[0];
        for (int i = 1; i < route.size(); ++i) {
            const QPointF from = b.toWidget(route[i - 1]), to = b.toWidget(route[i]);
            if (from.x() != to.x() || distance(from, to) < 80)
                continue;
            for (qreal side : {-20, 20}) {
                const QPointF beside = (from + to) / 2 + QPointF(side, 0);
                if (nearestOther(b, beside, nullptr) < 25)
                    continue;
                click(&b, beside);
                QCOMPARE(b.selectedConductor(), 0);
                return;
            }
        }
        QFAIL("the conductor has no long upright run in the open");
    }

    // Tap, tap; and a drag from terminal to terminal, by finger.
    void touchWiresAsTheMouseDoes_data() { screens(); }
    void touchWiresAsTheMouseDoes() {
        QFETCH(QSize, screen);
        auto& w = open("punt-de-llum", screen);
        touchTap(centreOf(terminal(w, "Fase")));
        QCOMPARE(board(w).pendingTerminal(), *w.bench().exercise().terminal("Fase"));
        touchTap(centreOf(terminal(w, "Interruptor, born 1")));
        QCOMPARE(w.bench().wiring().conductors.size(), size_t(1));
        touchDrag(centreOf(terminal(w, "Interruptor, born 2")),
                  centreOf(terminal(w, "Làmpada, born 1")));
        QCOMPARE(w.bench().wiring().conductors.size(), size_t(2));
        QCOMPARE(w.bench().wiring().conductors[1].to,
                 *w.bench().exercise().terminal("Làmpada, born 1"));
        touchTap(centreOf(widget(w, "Interruptor")));
        QCOMPARE(w.bench().wiring().positions[0], 1);
    }

    // The panel's button while a conductor is selected, the menu of a
    // right-click, and the same menu after a long press of a finger.
    void aConductorIsRemovedWithoutAKeyboard() {
        auto& w = open("punt-de-llum", {1366, 768});
        BoardView& b = board(w);
        auto layConductors = [&] {
            for (const char* name :
                 {"Fase", "Interruptor, born 1", "Interruptor, born 2", "Làmpada, born 1"})
                click(&b, QRectF(terminal(w, name)->geometry()).center());
        };
        layConductors();
        QCOMPARE(w.bench().wiring().conductors.size(), size_t(2));
        auto* remove = widget<QPushButton>(w, "Treu el conductor");
        QVERIFY(!remove->isVisible());
        const QRect place = remove->geometry();
        auto middleOf = [&](int conductor) {
            const circuit::Route& route = b.routes()[size_t(conductor)];
            int longest = 1;
            for (int i = 1; i < route.size(); ++i)
                if ((route[i] - route[i - 1]).manhattanLength() >
                    (route[longest] - route[longest - 1]).manhattanLength())
                    longest = i;
            return (b.toWidget(route[longest - 1]) + b.toWidget(route[longest])) / 2;
        };
        click(&b, middleOf(0));
        QCOMPARE(b.selectedConductor(), 0);
        QVERIFY(remove->isVisible());
        QCOMPARE(remove->geometry(), place);
        click(remove, remove->rect().center());
        QCOMPARE(w.bench().wiring().conductors.size(), size_t(1));
        QVERIFY(!remove->isVisible());

        // A right-click selects the conductor and offers the menu.
        click(&b, middleOf(0), Qt::RightButton);
        QMenu* menu = b.conductorMenu();
        QTRY_VERIFY(menu->isVisible());
        QCOMPARE(b.selectedConductor(), 0);
        QAction* item = menu->actions().first();
        QCOMPARE(item->text(), QString("&Treu el conductor"));
        QTest::mouseClick(menu, Qt::LeftButton, {}, menu->actionGeometry(item).center());
        house->settle();
        QVERIFY(w.bench().wiring().conductors.empty());

        // A finger held still on a conductor: the menu, and lifting the
        // finger chooses nothing.
        layConductors();
        const QPoint on = b.mapTo(b.window(), middleOf(0).toPoint());
        QWidget* window = &house->mainWindow();
        QTest::touchEvent(window, touchScreen).press(0, on, window);
        QTRY_VERIFY(menu->isVisible());
        QTest::touchEvent(window, touchScreen).release(0, on, window);
        house->settle();
        QCOMPARE(w.bench().wiring().conductors.size(), size_t(2));
        QTest::mouseClick(menu, Qt::LeftButton, {}, menu->actionGeometry(item).center());
        house->settle();
        QCOMPARE(w.bench().wiring().conductors.size(), size_t(1));
    }

    // The board takes the room its area gives in one direction or the
    // other, the panel's text is no smaller than the rooms' truth tables,
    // and a short circuit's message, its clearing and a verdict move
    // nothing.
    void theLayoutFillsTheScreenAndStandsStill_data() { screens(); }
    void theLayoutFillsTheScreenAndStandsStill() {
        QFETCH(QSize, screen);
        house->mainWindow().resize(screen);
        house->chooseMenu("mnuCuina");
        ui::Form& room = house->window("frmCuina");
        room.setWindowState(ui::Form::WindowState::Maximized);
        house->settle();
        const ui::Label& tableRow = room.label("LblTaula", 0);
        const qreal roomText = tableRow.font().points * 20 * room.pixelsPerTwip();

        auto& w = open("punt-de-llum", screen);
        BoardView& b = board(w);
        const QSize area = b.size();
        const QPointF step = b.toWidget({1, 0}) - b.toWidget({0, 0});
        const qreal boardWidth = step.x() * (44 + 1.2), boardHeight = step.x() * (24 + 1.2);
        // Fitted: one direction is filled to within a pixel or two.
        QVERIFY(std::abs(boardWidth - area.width()) < 2 ||
                std::abs(boardHeight - area.height()) < 2);
        // Below the board on the projector, beside it on the laptop.
        const QWidget* panel =
            widget(w, "Comprova")->parentWidget()->parentWidget()->parentWidget();
        if (screen.width() == 1024)
            QVERIFY(panel->geometry().top() >= b.geometry().bottom());
        else
            QVERIFY(panel->geometry().left() >= b.geometry().right());
        if (screen.width() == 1366) {
            const QFontInfo panelText(widget(w, "Instruccions")->font());
            QVERIFY2(panelText.pixelSize() >= roomText,
                     qPrintable(QString("%1 < %2").arg(panelText.pixelSize()).arg(roomText)));
            const QFontInfo tableText(widget(w, "Taula de veritat")->font());
            QVERIFY(tableText.pixelSize() >= roomText);
        }

        const auto before = gridPlace(b);
        const QRect panelBefore = panel->geometry();
        for (const char* name : {"Fase", "Interruptor, born 1", "Interruptor, born 2", "Neutre"})
            click(&b, QRectF(terminal(w, name)->geometry()).center());
        click(&b, QRectF(widget(w, "Interruptor")->geometry()).center());
        QVERIFY(w.bench().tripped());
        QVERIFY(widget(w, "Avís")->isVisible());
        QCOMPARE(gridPlace(b), before);
        QCOMPARE(panel->geometry(), panelBefore);
        click(&b, QRectF(widget(w, "Interruptor")->geometry()).center());
        auto* breaker = widget<workshop::BreakerButton>(w, "Magnetotèrmic");
        click(breaker, breaker->drawnRect().center());
        QVERIFY(!widget(w, "Avís")->isVisible());
        QCOMPARE(gridPlace(b), before);
        click(widget(w, "Comprova"), widget(w, "Comprova")->rect().center());
        QVERIFY(!widget<QLabel>(w, "Resultat")->text().isEmpty());
        QCOMPARE(gridPlace(b), before);
        QCOMPARE(panel->geometry(), panelBefore);
    }
};

QTEST_MAIN(WorkshopScreens)
#include "tst_workshop_screens.moc"
