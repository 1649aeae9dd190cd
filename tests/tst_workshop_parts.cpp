// SPDX-License-Identifier: GPL-3.0-or-later
// The workshop's push buttons, bells, impulse relays and staircase timers
// as a learner works them: a push button held by the mouse, a finger or
// Space and let go; the bell ringing while it is held; the relay's lamp
// changing at each press; the timer's time running out on a clock the test
// moves; and the sequences' results after "Comprova".
#include "house_fixture.h"
#include "natural_wirings.h"

#include "circuit/autosave.h"
#include "workshop/board_items.h"
#include "workshop/board_view.h"
#include "workshop/clock.h"
#include "workshop/workshop_view.h"
#include "workshop/workshop_window.h"

#include <QAccessible>
#include <QLabel>
#include <QPushButton>
#include <QSignalSpy>
#include <QTableWidget>

using workshop::BoardItem;

namespace {

// Time that passes only when the test says so.
class HandClock : public workshop::Clock {
  public:
    using Clock::Clock;
    void setRunning(bool running) override { running_ = running; }
    bool running() const override { return running_; }
    void pass(double seconds) { emit elapsed(seconds); }

  private:
    bool running_ = false;
};

QString description(QWidget* widget) {
    return QAccessible::queryAccessibleInterface(widget)->text(QAccessible::Description);
}

} // namespace

class WorkshopParts : public QObject {
    Q_OBJECT
    std::unique_ptr<testing::HouseFixture> house;
    QPointingDevice* touchScreen = nullptr;

    workshop::WorkshopWindow& open(const QString& id) {
        house->chooseMenu("mnuTaller_" + id);
        auto& w = static_cast<workshop::WorkshopWindow&>(house->window("frmTaller_" + id));
        house->settle();
        return w;
    }
    static QWidget* item(workshop::WorkshopWindow& w, const QString& name) {
        for (QWidget* child : w.view().board().findChildren<QWidget*>(name))
            return child;
        qFatal("no item %s", qPrintable(name));
    }
    // Wires the exercise as an electrician does, a press on each end.
    void wire(workshop::WorkshopWindow& w) {
        for (const auto& [a, b] : testing::naturalWiring(w.bench().exercise().id)) {
            testing::tap(item(w, a));
            testing::tap(item(w, b));
        }
    }
    // Where a widget's centre lies in its window, and that window.
    static QPoint inWindow(QWidget* widget) {
        return widget->mapTo(widget->window(), widget->rect().center());
    }
    QImage boardAround(workshop::WorkshopWindow& w, QWidget* part) {
        return w.view().board().grab(part->geometry().adjusted(-20, -20, 20, 20)).toImage();
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

    // The bell rings for exactly as long as the push button is held, by
    // any of the three ways a learner holds it, and is drawn ringing.
    void pushButtonHeldByMouseFingerAndKey() {
        auto& w = open("timbre");
        wire(w);
        QWidget* bell = item(w, "Timbre");
        auto* button = static_cast<QPushButton*>(item(w, "Polsador"));
        const QImage silent = boardAround(w, bell);
        QCOMPARE(description(bell), QString("no sona"));
        const auto expectHeld = [&](bool held, const char* how) {
            house->settle();
            QVERIFY2(w.bench().wiring().positions == std::vector<int>{held ? 1 : 0}, how);
            QVERIFY2(description(bell) == (held ? "sona" : "no sona"), how);
            QVERIFY2(description(button) == (held ? "posició 1" : "posició 0"), how);
        };
        QWindow* window = button->window()->windowHandle();
        QTest::mousePress(window, Qt::LeftButton, {}, inWindow(button));
        expectHeld(true, "mouse down");
        QVERIFY(boardAround(w, bell) != silent);
        QTest::mouseRelease(window, Qt::LeftButton, {}, inWindow(button));
        expectHeld(false, "mouse up");
        QCOMPARE(boardAround(w, bell), silent);

        QWidget* top = &house->mainWindow();
        QTest::touchEvent(top, touchScreen)
            .press(0, button->mapTo(top, button->rect().center()), top);
        expectHeld(true, "finger down");
        QTest::touchEvent(top, touchScreen)
            .release(0, button->mapTo(top, button->rect().center()), top);
        expectHeld(false, "finger up");

        button->setFocus(Qt::TabFocusReason);
        QTest::keyPress(button, Qt::Key_Space);
        expectHeld(true, "Space down");
        // What is kept for the next start has no one holding the button.
        const std::optional<circuit::Wiring> kept = circuit::restoredWiring(w.bench().exercise());
        QVERIFY(kept && kept->positions == std::vector<int>{0} &&
                kept->conductors == w.bench().wiring().conductors);
        QTest::keyRelease(button, Qt::Key_Space);
        expectHeld(false, "Space up");
    }

    // Each press of any push button changes the relay's lamp; the relay
    // tells assistive tools where its contact stands.
    void relayLampChangesAtEachPress() {
        auto& w = open("telerruptor");
        wire(w);
        QWidget* lamp = item(w, "Làmpada");
        QWidget* relay = item(w, "Telerruptor");
        QCOMPARE(description(lamp), QString("apagada"));
        QCOMPARE(description(relay), QString("contacte obert"));
        for (const char* button : {"Polsador 2", "Polsador 1", "Polsador 3"}) {
            const bool wasLit = description(lamp) == "encesa";
            testing::tap(item(w, button));
            QCOMPARE(description(lamp), QString(wasLit ? "apagada" : "encesa"));
            QCOMPARE(description(relay), QString(wasLit ? "contacte obert" : "contacte tancat"));
        }
    }

    // The timer shows its time running out as the clock moves, starts
    // again at a new press, and lets the clock stop once it is off.
    void timerTimeRunsOut() {
        auto& w = open("automatic-escala");
        auto* clock = new HandClock(&w.bench());
        w.bench().setClock(clock);
        wire(w);
        QWidget* timer = item(w, "Automàtic");
        QWidget* lamp = item(w, "Làmpada 2");
        QCOMPARE(description(timer), QString("contacte obert"));
        const QImage idle = boardAround(w, timer);
        testing::tap(item(w, "Polsador 3"));
        QCOMPARE(description(timer), QString("contacte tancat, 30 s"));
        QCOMPARE(description(lamp), QString("encesa"));
        QVERIFY(clock->running());
        clock->pass(2.6);
        house->settle();
        QCOMPARE(description(timer), QString("contacte tancat, 28 s"));
        // A tick within the same second changes nothing shown, and nothing
        // is drawn again for it; the next second is.
        QSignalSpy shown(&w.bench(), &workshop::Workbench::changed);
        clock->pass(0.25);
        QCOMPARE(shown.count(), 0);
        clock->pass(0.25);
        QCOMPARE(shown.count(), 1);
        house->settle();
        QCOMPARE(description(timer), QString("contacte tancat, 27 s"));
        const QImage at28 = boardAround(w, timer);
        QVERIFY(at28 != idle);
        clock->pass(20);
        house->settle();
        QCOMPARE(description(timer), QString("contacte tancat, 7 s"));
        QVERIFY(boardAround(w, timer) != at28);
        testing::tap(item(w, "Polsador 1"));
        QCOMPARE(description(timer), QString("contacte tancat, 30 s"));
        clock->pass(29.5);
        house->settle();
        QCOMPARE(description(lamp), QString("encesa"));
        clock->pass(0.5);
        house->settle();
        QCOMPARE(description(timer), QString("contacte obert"));
        QCOMPARE(description(lamp), QString("apagada"));
        QVERIFY(!clock->running());
        QCOMPARE(boardAround(w, timer), idle);
    }

    // "Comprova" marks each sequence, and the verdict names the first that
    // fails and what happened there.
    void checkMarksEverySequence() {
        auto& w = open("telerruptor");
        wire(w);
        auto* table = w.view().findChild<QTableWidget*>("Seqüències");
        QVERIFY(table);
        QCOMPARE(table->rowCount(), 5);
        QCOMPARE(table->item(2, 0)->text(), QString("«Polsador 1» sol"));
        QVERIFY(table->item(0, 1)->text().isEmpty());
        testing::tap(w.view().findChild<QPushButton*>("Comprova"));
        auto* verdict = w.view().findChild<QLabel*>("Resultat");
        QVERIFY2(verdict->text().startsWith("Correcte"), qPrintable(verdict->text()));
        for (int row = 0; row < table->rowCount(); ++row)
            QCOMPARE(table->item(row, 1)->text(), QString("✓"));

        // Polsador 2 taken off the coil: it alone does nothing.
        w.bench().undoStack().setIndex(0);
        house->settle();
        for (const auto& [a, b] : testing::naturalWiring("telerruptor"))
            if (a != "Polsador 1, born 2" && a != "Polsador 2, born 2") {
                testing::tap(item(w, a));
                testing::tap(item(w, b));
            }
        testing::tap(item(w, "Polsador 1, born 2"));
        testing::tap(item(w, "Polsador 3, born 2"));
        testing::tap(w.view().findChild<QPushButton*>("Comprova"));
        QVERIFY2(verdict->text().contains("falla la seqüència «D'un polsador a un altre»: després "
                                          "de prémer «Polsador 2», «Làmpada» hauria de fer llum"),
                 qPrintable(verdict->text()));
        QStringList marks;
        for (int row = 0; row < table->rowCount(); ++row)
            marks << table->item(row, 1)->text();
        QCOMPARE(marks, QStringList({"✗", "✓", "✓", "✗", "✓"}));
        QVERIFY(table->item(3, 1)->toolTip().contains("«Làmpada» hauria de fer llum"));
    }
};

QTEST_MAIN(WorkshopParts)
#include "tst_workshop_parts.moc"
