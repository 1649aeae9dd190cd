// SPDX-License-Identifier: GPL-3.0-or-later
// Fault finding in the workshop as a pupil does it, through presses, keys
// and the accessibility tree: the menu of faults, an installation that
// cannot be changed, probes placed and readings that follow the switches,
// continuity refused while the breaker is on, marks right and wrong, the
// repair, and the record kept in the pupil's file.
#include "house_fixture.h"

#include "circuit/circuit_file.h"
#include "workshop/board_items.h"
#include "workshop/board_view.h"
#include "workshop/workshop_view.h"
#include "workshop/workshop_window.h"

#include <QAccessible>
#include <QApplication>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QPointingDevice>
#include <QPushButton>
#include <QTemporaryDir>

using workshop::BoardItem;

class WorkshopFaults : public QObject {
    Q_OBJECT
    std::unique_ptr<testing::HouseFixture> house;
    QPointingDevice* touchScreen = nullptr;

    // A finger's tap on a widget's centre, through the main window.
    void touchTap(QWidget* on) {
        QWidget* window = &house->mainWindow();
        const QPoint at = on->mapTo(window, on->rect().center());
        QTest::touchEvent(window, touchScreen).press(0, at, window);
        QTest::touchEvent(window, touchScreen).release(0, at, window);
        house->settle();
    }

    workshop::WorkshopWindow& open(const QString& id) {
        house->chooseMenu("mnuTaller_" + id);
        return static_cast<workshop::WorkshopWindow&>(house->window("frmTaller_" + id));
    }
    static workshop::BoardView& board(workshop::WorkshopWindow& w) { return w.view().board(); }
    static BoardItem* terminal(workshop::WorkshopWindow& w, const QString& name) {
        for (BoardItem* item : board(w).terminalItems())
            if (item->objectName() == name)
                return item;
        qFatal("no terminal %s", qPrintable(name));
    }
    template <class T = QWidget>
    static T* widget(workshop::WorkshopWindow& w, const QString& name) {
        T* found = w.view().findChild<T*>(name);
        if (!found)
            qFatal("no widget %s", qPrintable(name));
        return found;
    }
    static QString name(QWidget* w) {
        return QAccessible::queryAccessibleInterface(w)->text(QAccessible::Name);
    }
    static QString description(QWidget* w) {
        return QAccessible::queryAccessibleInterface(w)->text(QAccessible::Description);
    }
    // The reading as assistive tools read it: the value is its name.
    static QString reading(workshop::WorkshopWindow& w) { return name(widget(w, "Lectura")); }
    // Both probes placed: the red probe chosen, then two presses; after
    // the red one, the next press places the black.
    static void probe(workshop::WorkshopWindow& w, const QString& red, const QString& black) {
        testing::tap(widget(w, "Punta vermella"));
        testing::tap(terminal(w, red));
        QVERIFY(widget<QPushButton>(w, "Punta negra")->isChecked());
        testing::tap(terminal(w, black));
    }
    // A press in the middle of a conductor's first run.
    static void pressConductor(workshop::WorkshopWindow& w, int conductor) {
        workshop::BoardView& b = board(w);
        const circuit::Route& route = b.routes()[size_t(conductor)];
        testing::tap(&b, b.toWidget((QPointF(route[0]) + QPointF(route[1])) / 2).toPoint());
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

    // The fault exercises are under "Taller" → "Avaries", and only there.
    void theFaultsHaveAMenuOfTheirOwn() {
        auto* workshop = house->mainWindow().menuBar()->findChild<QMenu*>("mnuTaller");
        QVERIFY(workshop);
        auto* faults = workshop->findChild<QMenu*>("mnuTallerAvaries");
        QVERIFY(faults);
        QCOMPARE(faults->title(), QString("&Avaries"));
        QStringList inFaults;
        for (QAction* a : faults->actions())
            inFaults << a->objectName();
        for (const char* id :
             {"avaria-punt-de-llum", "avaria-commutada", "avaria-encreuament", "avaria-dos-llums"})
            QVERIFY2(inFaults.contains(QString("mnuTaller_") + id), id);
        for (QAction* a : workshop->actions())
            QVERIFY2(!a->objectName().startsWith("mnuTaller_avaria"), qPrintable(a->objectName()));
        QVERIFY(!inFaults.contains("mnuTaller_commutada"));
    }

    // A broken traveller: the installation stays as built; the voltage
    // tester finds the phase on one end of the traveller and not on the
    // other, following the switches; the continuity tester waits for the
    // breaker to be off; a wrong mark and then the right one; the repair
    // gives the board back to the pupil.
    void aBrokenTravellerFoundAndRepaired() {
        auto& w = open("avaria-commutada");
        const workshop::Workbench& bench = w.bench();
        QVERIFY(bench.locked());
        const auto built = bench.wiring().conductors;
        QCOMPARE(built.size(), size_t(5));
        QVERIFY(!widget(w, "Color del conductor")->isVisibleTo(&w.view()));
        QVERIFY(!widget(w, "Esborra-ho tot")->isEnabled());

        // Presses on terminals place probes, never conductors.
        QCOMPARE(reading(w), QString("Sense lectura"));
        probe(w, "Fase", "Neutre");
        QVERIFY(bench.wiring().conductors == built);
        QCOMPARE(reading(w), QString("230 V"));
        QCOMPARE(description(widget(w, "Punta vermella")), QString("al born «Fase»"));
        QVERIFY(description(terminal(w, "Neutre")).contains("punta negra"));

        // Across the broken traveller: the phase on one end only, once
        // the first two-way switch sends it that way.
        probe(w, "Commutador 1, born 2", "Neutre");
        QCOMPARE(reading(w), QString("0 V"));
        testing::tap(widget(w, "Commutador 1"));
        QCOMPARE(reading(w), QString("230 V"));
        testing::tap(widget(w, "Punta vermella"));
        testing::tap(terminal(w, "Commutador 2, born 2"));
        QCOMPARE(reading(w), QString("0 V"));
        testing::tap(widget(w, "Commutador 1"));

        // Continuity needs the supply cut.
        testing::tap(widget(w, "Comprovador de continuïtat"));
        QCOMPARE(reading(w), QString("Sense lectura"));
        QCOMPARE(widget<QLabel>(w, "Nota de l'avaria")->text(),
                 QString("Desconnecta el magnetotèrmic abans de mesurar la continuïtat"));
        testing::tap(widget(w, "Magnetotèrmic"));
        QVERIFY(!bench.breakerOn());
        probe(w, "Commutador 1, born 2", "Commutador 2, born 2");
        QCOMPARE(reading(w), QString("Circuit obert"));
        probe(w, "Commutador 1, born 1", "Commutador 2, born 1");
        QCOMPARE(reading(w), QString("Continuïtat"));
        probe(w, "Làmpada, born 1", "Làmpada, born 2");
        QCOMPARE(reading(w), QString("882 Ω"));
        // The keyboard places a probe as a press does.
        QApplication::setActiveWindow(&house->mainWindow());
        testing::tap(widget(w, "Punta vermella"));
        terminal(w, "Fase")->setFocus();
        QTest::keyClick(terminal(w, "Fase"), Qt::Key_Space);
        house->settle();
        QCOMPARE(bench.probe(workshop::Workbench::Probe::Red), *bench.exercise().terminal("Fase"));

        // A wrong mark, then the right one.
        testing::tap(widget(w, "Marca l'avaria"));
        auto* repair = widget<QPushButton>(w, "Repara");
        QVERIFY(!repair->isEnabled());
        testing::tap(board(w).lampItems()[0]);
        QCOMPARE(widget<QLabel>(w, "Nota de l'avaria")->text(), QString("Aquí no hi ha l'avaria"));
        QVERIFY(!repair->isEnabled());
        pressConductor(w, 2);
        QCOMPARE(widget<QLabel>(w, "Nota de l'avaria")->text(), QString("Has trobat l'avaria"));
        QVERIFY(description(board(w).conductorItems()[2]).contains("avaria"));
        QCOMPARE(bench.log().marks.size(), size_t(2));
        QVERIFY(!bench.log().marks[0].right && bench.log().marks[1].right);
        QVERIFY(bench.log().measurements.size() >= 7);

        // Repaired: the palette is back and the wiring can be changed; the
        // broken conductor works now.
        QVERIFY(repair->isEnabled());
        testing::tap(repair);
        QVERIFY(!bench.locked());
        QVERIFY(bench.log().repaired);
        QVERIFY(widget(w, "Color del conductor")->isVisibleTo(&w.view()));
        QVERIFY(!widget(w, "Repara")->isVisibleTo(&w.view()));
        testing::tap(widget(w, "Magnetotèrmic"));
        QVERIFY(bench.live());
        testing::tap(widget(w, "Commutador 1"));
        testing::tap(widget(w, "Commutador 2"));
        QCOMPARE(description(board(w).lampItems()[0]), QString("encesa"));
        testing::tap(widget(w, "Comprova"));
        QVERIFY2(widget<QLabel>(w, "Resultat")->text().startsWith("Correcte"),
                 qPrintable(widget<QLabel>(w, "Resultat")->text()));
        testing::tap(terminal(w, "Fase"));
        testing::tap(terminal(w, "Commutador 2, comú"));
        QCOMPARE(bench.wiring().conductors.size(), size_t(6));
    }

    // The testers and the reading are in the accessibility tree, named in
    // Catalan, and reached from its root; the reading's name is its value.
    void theTestersAreInTheAccessibilityTree() {
        auto& w = open("avaria-punt-de-llum");
        probe(w, "Fase", "Neutre");
        QStringList names;
        std::function<void(QAccessibleInterface*)> walk = [&](QAccessibleInterface* node) {
            names << node->text(QAccessible::Name);
            for (int i = 0; i < node->childCount(); ++i)
                if (QAccessibleInterface* child = node->child(i))
                    walk(child);
        };
        walk(QAccessible::queryAccessibleInterface(qApp));
        for (const char* expected :
             {"Comprovador de tensió", "Comprovador de continuïtat", "Marca l'avaria", "Repara",
              "Punta vermella", "Punta negra", "230 V"})
            QVERIFY2(names.contains(QString::fromUtf8(expected)), expected);
    }

    // Fingers place the probes and mark the blown lamp of two in
    // parallel: the lamp that stays dark has the mains across it.
    void fingersFindTheBlownLamp() {
        auto& w = open("avaria-dos-llums");
        const circuit::Exercise& e = w.bench().exercise();
        QVERIFY(e.faults.size() == 1 && e.faults[0].kind == circuit::FaultKind::BlownLamp);
        const QString lamp = e.components[size_t(e.faults[0].component)].name;
        touchTap(widget(w, "Interruptor"));
        touchTap(widget(w, "Punta vermella"));
        touchTap(terminal(w, lamp + ", born 1"));
        touchTap(terminal(w, lamp + ", born 2"));
        QCOMPARE(reading(w), QString("230 V"));
        QStringList glows;
        for (BoardItem* item : board(w).lampItems())
            glows << description(item);
        QCOMPARE(glows.count("encesa"), 1);
        touchTap(widget(w, "Marca l'avaria"));
        int item = 0;
        while (e.lamps[size_t(item)] != e.faults[0].component)
            ++item;
        touchTap(board(w).lampItems()[size_t(item)]);
        QCOMPARE(widget<QLabel>(w, "Nota de l'avaria")->text(), QString("Has trobat l'avaria"));
        QVERIFY(description(board(w).lampItems()[size_t(item)]).contains("fosa"));
        touchTap(widget(w, "Repara"));
        QVERIFY(!w.bench().locked());
    }

    // However many wrong marks come first, the record stays as long as a
    // file may hold, and the right mark still finds the fault.
    void aCrowdedRecordStillFindsTheFault() {
        auto& w = open("avaria-commutada");
        testing::tap(widget(w, "Marca l'avaria"));
        for (int i = 0; i < circuit::MaxMarks + 20; ++i)
            testing::tap(board(w).lampItems()[0]);
        QCOMPARE(w.bench().log().marks.size(), size_t(circuit::MaxMarks - 1));
        pressConductor(w, 2);
        QVERIFY(w.bench().everyFaultFound());
        QTemporaryDir dir;
        QVERIFY(w.saveFile(dir.filePath("ple.ampera")));
        QString error;
        QVERIFY2(circuit::loadWiring(dir.filePath("ple.ampera"), &error), qPrintable(error));
    }

    // The pupil's file keeps every measurement and mark, and opens again
    // with the installation still locked until the repair.
    void theFileKeepsTheRecord() {
        auto& w = open("avaria-punt-de-llum");
        probe(w, "Fase", "Neutre");
        testing::tap(widget(w, "Marca l'avaria"));
        testing::tap(board(w).lampItems()[0]);
        const circuit::FaultLog log = w.bench().log();
        QVERIFY(!log.measurements.empty() && log.marks.size() == 1);
        QTemporaryDir dir;
        const QString path = dir.filePath("alumne.ampera");
        QVERIFY(w.saveFile(path));
        QString error;
        const std::optional<circuit::SavedWiring> saved = circuit::loadWiring(path, &error);
        QVERIFY2(saved, qPrintable(error));
        QVERIFY(saved->log == log);
        QVERIFY(!saved->wiring.faults.empty());

        house->reset();
        auto& again = open("avaria-punt-de-llum");
        QVERIFY(again.openFile(path));
        QVERIFY(again.bench().locked());
        QVERIFY(again.bench().log() == log);
    }
};

QTEST_MAIN(WorkshopFaults)
#include "tst_workshop_faults.moc"
