// SPDX-License-Identifier: GPL-3.0-or-later
// The wiring workshop as a learner uses it: the "&Taller" menu, wiring by
// presses, drags and keys, the switches, undo and redo, the breaker, the
// check and its verdict, drawn colours and what assistive tools are told.
// CTest runs it at 100 % and at 200 % scaling.
#include "house_fixture.h"
#include "natural_wirings.h"

#include "circuit/board.h"
#include "circuit/circuit_file.h"
#include "circuit/exercise.h"
#include "circuit/library.h"
#include "workshop/board_items.h"
#include "workshop/board_view.h"
#include "workshop/look.h"
#include "workshop/workshop_view.h"
#include "workshop/workshop_window.h"

#include <QAccessible>
#include <QApplication>
#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QPushButton>
#include <QScopeGuard>
#include <QScrollBar>
#include <QStandardPaths>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTextBrowser>
#include <QTimer>

#include <cmath>
#include <functional>

using workshop::BoardItem;

class WorkshopTest : public QObject {
    Q_OBJECT
    std::unique_ptr<testing::HouseFixture> house;

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
    void press(QWidget* widget, QPoint at = {}) {
        testing::tap(widget, at.isNull() ? widget->rect().center() : at);
    }
    // Lays conductors by pressing one terminal, then the other.
    void wire(workshop::WorkshopWindow& w, const QList<QPair<QString, QString>>& conductors) {
        for (const auto& [a, b] : conductors) {
            press(terminal(w, a));
            press(terminal(w, b));
        }
    }
    static QList<QPair<QString, QString>> twoWay(bool crossed) {
        return {{"Fase", "Commutador 1, comú"},
                {"Commutador 1, born 1", crossed ? "Commutador 2, born 2" : "Commutador 2, born 1"},
                {"Commutador 1, born 2", crossed ? "Commutador 2, born 1" : "Commutador 2, born 2"},
                {"Commutador 2, comú", "Làmpada, born 1"},
                {"Làmpada, born 2", "Neutre"}};
    }
    static QString accessible(QWidget* w, QAccessible::Text text) {
        return QAccessible::queryAccessibleInterface(w)->text(text);
    }
    // The accessibility tree as assistive tools walk it, from the root.
    static QList<QAccessibleInterface*> descendantsOf(QAccessibleInterface* root) {
        QList<QAccessibleInterface*> nodes;
        for (int i = 0; i < root->childCount(); ++i)
            if (QAccessibleInterface* child = root->child(i))
                nodes << child << descendantsOf(child);
        return nodes;
    }
    static QList<QAccessibleInterface*> rootNodes() {
        return descendantsOf(QAccessible::queryAccessibleInterface(qApp));
    }
    static QAccessibleInterface* treeNode(const QList<QAccessibleInterface*>& nodes,
                                          const QString& name) {
        for (QAccessibleInterface* node : nodes)
            if (node->text(QAccessible::Name) == name && !node->state().invisible)
                return node;
        return nullptr;
    }
    static QString lampState(workshop::WorkshopWindow& w, int lamp = 0) {
        return accessible(board(w).lampItems()[size_t(lamp)], QAccessible::Description);
    }
    // The colour drawn in the middle of the first run of a conductor.
    // The colour drawn in the middle of a conductor's first run, or
    // `aside` grid steps to one side of it.
    static QColor drawnColour(workshop::WorkshopWindow& w, int conductor, qreal aside = 0) {
        workshop::BoardView& b = board(w);
        const circuit::Route& route = b.routes()[size_t(conductor)];
        const QPointF run = QPointF(route[1] - route[0]);
        const QPointF across = QPointF(-run.y(), run.x()) / std::hypot(run.x(), run.y());
        const QPointF middle =
            b.toWidget((QPointF(route[0]) + QPointF(route[1])) / 2 + aside * across);
        const QImage image = b.grab().toImage();
        const qreal ratio = image.devicePixelRatio();
        return image.pixelColor((middle * ratio).toPoint());
    }

    enum class Glow { None, Red, Violet };
    // What glows round a conductor: just beyond its insulation, the board's
    // pale grey, or the glow's colour laid over it.
    static Glow glowOf(workshop::WorkshopWindow& w, int conductor) {
        const QColor c = drawnColour(w, conductor, 0.19);
        if (c.red() > 200 && std::abs(c.red() - c.green()) < 12 &&
            std::abs(c.green() - c.blue()) < 12)
            return Glow::None;
        if (c.red() > 200 && c.green() < 170 && c.blue() < 170)
            return Glow::Red;
        if (c.red() > 150 && c.blue() > 180 && c.green() < 170)
            return Glow::Violet;
        qWarning() << "glow of conductor" << conductor << c;
        return Glow::None;
    }

    // Answers the next file dialog with `path`, as a learner typing it, then
    // does `then`.
    static void answerFileDialog(const QString& path, const std::function<void()>& then = {}) {
        QTimer::singleShot(50, [path, then] {
            auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
            if (!dialog)
                qFatal("no file dialog");
            dialog->selectFile(path);
            // The name box may still hold the name the dialog offered.
            if (auto* name = dialog->findChild<QLineEdit*>("fileNameEdit"))
                name->setText(path);
            static_cast<QDialog*>(dialog)->accept();
            if (then)
                then();
        });
    }
    // Hands the next file dialog to `look`, then closes it unanswered.
    static void lookAtFileDialog(const std::function<void(QFileDialog*)>& look) {
        QTimer::singleShot(50, [look] {
            auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
            if (!dialog)
                qFatal("no file dialog");
            look(dialog);
            dialog->reject();
        });
    }
    // Answers the next question with the button of that text, and keeps
    // the question.
    static void answerQuestion(const QString& button, QString* question = nullptr) {
        QTimer::singleShot(50, [button, question] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            if (!box)
                qFatal("no question");
            if (question)
                *question = box->text();
            for (QAbstractButton* b : box->buttons())
                if (b->text() == button)
                    return b->click();
            qFatal("no button %s", qPrintable(button));
        });
    }
    // Closes the next message box and keeps its text.
    static void readMessage(QString* text) {
        QTimer::singleShot(50, [text] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            if (!box)
                qFatal("no message");
            *text = box->text();
            box->accept();
        });
    }

  private slots:
    void initTestCase() { house = std::make_unique<testing::HouseFixture>(); }
    void init() {
        house->reset();
        house->mainWindow().show();
        QVERIFY(QTest::qWaitForWindowExposed(&house->mainWindow()));
    }

    // First, before any file dialog of this run has been answered.
    void fileDialogsStartInDocumentsThenTheLastFolder();

    void menuSitsBetweenPortalAndHelpAndOpensEachExercise() {
        const QList<QAction*> top = house->mainWindow().menuBar()->actions();
        QCOMPARE(top.size(), 3);
        QCOMPARE(top[1]->text(), QString("&Taller"));
        QStringList items;
        for (QAction* action : top[1]->menu()->actions())
            items << (action->isSeparator() ? "-" : action->text());
        QCOMPARE(items,
                 QStringList({"&Punt de llum simple", "&Commutada", "&Encreuament",
                              "Encreuament des de &quatre punts", "&Dos llums amb un interruptor",
                              "Presa de co&rrent", "Punt de llum i pre&sa de corrent",
                              "Interruptor do&ble", "Ti&mbre amb polsador",
                              "Te&lerruptor amb tres polsadors", "A&utomàtic d'escala", "&Avaries",
                              "-", "&Fitxer", "-", "Ajuda del &taller"}));
        QStringList files;
        for (QAction* action : top[1]->menu()->findChild<QMenu*>("mnuTallerFitxer")->actions())
            files << action->text() + "|" + action->shortcut().toString();
        QCOMPARE(files, QStringList({"&Obre…|Ctrl+O", "&Desa|Ctrl+S", "Desa &com a…|Ctrl+Shift+S",
                                     "&Exporta la imatge|", "&Imprimeix|"}));
        // Each sheet comes in two kinds, named as the help names them.
        for (const char* sheets : {"mnuTallerExporta", "mnuTallerImprimeix"}) {
            QStringList kinds;
            for (QAction* a : house->mainWindow().findChild<QAction*>(sheets)->menu()->actions())
                kinds << a->text();
            QCOMPARE(kinds, QStringList({"Full de treball en &blanc", "&Amb el meu muntatge"}));
        }
        for (const circuit::Exercise& e : circuit::builtInExercises()) {
            auto& w = open(e.id);
            QCOMPARE(w.window()->windowTitle(), "Taller: " + e.title);
            QVERIFY(w.window()->isMaximized());
            QCOMPARE(house->activeWindow(), "frmTaller_" + e.id);
        }
    }

    void closeBoxHidesAndKeepsTheWiring() {
        auto& w = open("punt-de-llum");
        wire(w, {{"Fase", "Interruptor, born 1"}});
        w.window()->close();
        house->settle();
        QVERIFY(w.window()->isHidden());
        auto& again = open("punt-de-llum");
        QCOMPARE(&again, &w);
        QCOMPARE(w.bench().wiring().conductors.size(), size_t(1));
    }

    void pressesAndDragsLayConductorsAndOnlyNewOnes() {
        auto& w = open("punt-de-llum");
        press(terminal(w, "Fase"));
        QCOMPARE(board(w).pendingTerminal(), *w.bench().exercise().terminal("Fase"));
        press(terminal(w, "Interruptor, born 1"));
        QCOMPARE(w.bench().wiring().conductors.size(), size_t(1));
        QCOMPARE(board(w).pendingTerminal(), -1);

        // A drag from one terminal, let go over another.
        BoardItem* from = terminal(w, "Interruptor, born 2");
        BoardItem* to = terminal(w, "Làmpada, born 1");
        QTest::mousePress(from, Qt::LeftButton, {}, from->rect().center());
        QTest::mouseRelease(from, Qt::LeftButton, {}, from->mapFromParent(to->geometry().center()));
        house->settle();
        QCOMPARE(w.bench().wiring().conductors.size(), size_t(2));

        // The same conductor again, in either direction, or a terminal to
        // itself, lays nothing.
        wire(w, {{"Làmpada, born 1", "Interruptor, born 2"}, {"Fase", "Fase"}});
        QCOMPARE(w.bench().wiring().conductors.size(), size_t(2));
        // Several conductors may meet at one terminal.
        wire(w, {{"Fase", "Làmpada, born 2"}});
        QCOMPARE(w.bench().wiring().conductors.size(), size_t(3));
    }

    void routesRunStraightAndAroundTheComponents() {
        auto& w = open("encreuament");
        wire(w, twoWay(false).mid(0, 1));
        wire(w, {{"Commutador 1, born 1", "Creuament, born 1"},
                 {"Commutador 1, born 2", "Creuament, born 2"},
                 {"Creuament, born 3", "Commutador 2, born 1"},
                 {"Creuament, born 4", "Commutador 2, born 2"},
                 {"Commutador 2, comú", "Làmpada, born 1"},
                 {"Làmpada, born 2", "Neutre"}});
        const circuit::Exercise& e = w.bench().exercise();
        for (const circuit::Route& route : board(w).routes()) {
            for (int i = 1; i < route.size(); ++i) {
                QVERIFY(route[i].x() == route[i - 1].x() || route[i].y() == route[i - 1].y());
                // No point of a run lies strictly inside a component.
                const QPoint step = (route[i] - route[i - 1]) /
                                    std::max(1, (route[i] - route[i - 1]).manhattanLength());
                for (QPoint p = route[i - 1]; p != route[i]; p += step)
                    for (const circuit::Component& c : e.components) {
                        const QRect f = circuit::board::footprint(c);
                        QVERIFY2(!(p.x() > f.left() && p.x() < f.left() + f.width() &&
                                   p.y() > f.top() && p.y() < f.top() + f.height()),
                                 qPrintable(c.name));
                    }
            }
        }
        QVERIFY(w.bench().report().verdict == circuit::Verdict::Correct);
    }

    void switchesLightTheLampAndConductorsShowTheirPotential() {
        auto& w = open("punt-de-llum");
        wire(w, {{"Fase", "Interruptor, born 1"},
                 {"Interruptor, born 2", "Làmpada, born 1"},
                 {"Làmpada, born 2", "Neutre"}});
        QCOMPARE(lampState(w), QString("apagada"));
        // Brown from the phase and to the switch, blue to the neutral,
        // whichever way it was drawn; only the live one glows.
        const QColor brown = workshop::insulationColour(circuit::Insulation::Brown);
        const QColor blue = workshop::insulationColour(circuit::Insulation::Blue);
        QCOMPARE(drawnColour(w, 0), brown);
        QCOMPARE(drawnColour(w, 1), brown);
        QCOMPARE(drawnColour(w, 2), blue);
        QCOMPARE(glowOf(w, 0), Glow::Red);
        // Joined to the neutral through the dark lamp: not live.
        QCOMPARE(glowOf(w, 1), Glow::None);
        QCOMPARE(glowOf(w, 2), Glow::None);
        auto* button = widget<QPushButton>(w, "Interruptor");
        QCOMPARE(accessible(button, QAccessible::Description), QString("posició 0"));
        press(button);
        QCOMPARE(accessible(button, QAccessible::Description), QString("posició 1"));
        QCOMPARE(lampState(w), QString("encesa"));
        QCOMPARE(glowOf(w, 1), Glow::Red);
        QCOMPARE(accessible(board(w).conductorItems()[1], QAccessible::Description),
                 QString("marró; a la tensió de la fase"));

        // "Mostra la tensió" off: the insulation alone.
        auto* shown = widget<QCheckBox>(w, "Mostra la tensió");
        QVERIFY(shown->isChecked());
        press(shown);
        QVERIFY(!shown->isChecked());
        QCOMPARE(glowOf(w, 0), Glow::None);
        QCOMPARE(drawnColour(w, 0), brown);
        press(shown);
        QCOMPARE(glowOf(w, 0), Glow::Red);
        press(button);
        QCOMPARE(lampState(w), QString("apagada"));
    }

    void lampsInSeriesGlowWeaklyWithAConductorInBetween() {
        auto& w = open("dos-llums");
        wire(w, {{"Fase", "Interruptor, born 1"},
                 {"Interruptor, born 2", "Làmpada 1, born 1"},
                 {"Làmpada 1, born 2", "Làmpada 2, born 1"},
                 {"Làmpada 2, born 2", "Neutre"}});
        press(widget(w, "Interruptor"));
        QCOMPARE(lampState(w, 0), QString("encesa feble"));
        QCOMPARE(lampState(w, 1), QString("encesa feble"));
        QCOMPARE(glowOf(w, 2), Glow::Violet);
        press(widget(w, "Comprova"));
        QVERIFY(widget<QLabel>(w, "Resultat")->text().contains("sèrie"));
    }

    // A conductor takes the usual colour of its ends unless the learner
    // chose one on the palette; a selected conductor takes the colour
    // pressed, as a step that can be undone; the check judges the colours.
    void thePaletteColoursConductors() {
        auto& w = open("punt-de-llum");
        auto swatch = [&](const QString& name) { return widget<QPushButton>(w, "Color " + name); };
        auto colourOf = [&](int c) { return w.bench().wiring().conductors[size_t(c)].colour; };
        using circuit::Insulation;
        press(terminal(w, "Neutre"));
        QVERIFY(swatch("blau")->isChecked());
        press(terminal(w, "Làmpada, born 2"));
        QCOMPARE(colourOf(0), Insulation::Blue);
        press(terminal(w, "Fase"));
        QVERIFY(swatch("marró")->isChecked());
        press(terminal(w, "Interruptor, born 1"));
        QCOMPARE(colourOf(1), Insulation::Brown);
        // Chosen before the drawing starts, or between its two presses.
        press(swatch("negre"));
        press(terminal(w, "Interruptor, born 2"));
        QVERIFY(swatch("negre")->isChecked());
        press(terminal(w, "Làmpada, born 1"));
        QCOMPARE(colourOf(2), Insulation::Black);
        QCOMPARE(accessible(swatch("gris"), QAccessible::Name), QString("gris"));
        QVERIFY(QAccessible::queryAccessibleInterface(swatch("negre"))->state().checked);
        press(widget(w, "Comprova"));
        QVERIFY2(widget<QLabel>(w, "Resultat")->text().startsWith("Correcte"),
                 qPrintable(widget<QLabel>(w, "Resultat")->text()));

        // The neutral's conductor chosen and made brown: wrong, and said so.
        BoardItem* neutral = board(w).conductorItems()[0];
        const circuit::Route route = board(w).routes()[0];
        press(neutral,
              neutral->mapFromParent(
                  board(w).toWidget((QPointF(route[0]) + QPointF(route[1])) / 2).toPoint()));
        QCOMPARE(board(w).selectedConductor(), 0);
        QVERIFY(swatch("blau")->isChecked());
        press(swatch("marró"));
        QCOMPARE(colourOf(0), Insulation::Brown);
        QCOMPARE(board(w).selectedConductor(), 0);
        QCOMPARE(drawnColour(w, 0), workshop::insulationColour(Insulation::Brown));
        press(widget(w, "Comprova"));
        const QString verdict = widget<QLabel>(w, "Resultat")->text();
        QVERIFY2(verdict.startsWith("Funciona, però els colors dels conductors no són els que "
                                    "toquen: «Neutre» – «Làmpada, born 2» va al neutre i ha de "
                                    "ser blau"),
                 qPrintable(verdict));
        press(widget(w, "Desfés"));
        QCOMPARE(colourOf(0), Insulation::Blue);

        // Green-and-yellow from the earth bar.
        auto& sockets = open("presa-de-corrent");
        press(terminal(sockets, "Presa, terra"));
        press(terminal(sockets, "Terra"));
        QCOMPARE(sockets.bench().wiring().conductors[0].colour, Insulation::GreenYellow);
    }

    void deleteUndoRedoAndClearAll() {
        auto& w = open("commutada");
        wire(w, twoWay(false));
        QCOMPARE(w.bench().wiring().conductors.size(), size_t(5));

        // Pressing a conductor selects it; Delete removes it.
        BoardItem* conductor = board(w).conductorItems()[1];
        const circuit::Route route = board(w).routes()[1];
        const QPoint onIt = conductor->mapFromParent(
            board(w).toWidget((QPointF(route[0]) + QPointF(route[1])) / 2).toPoint());
        press(conductor, onIt);
        QCOMPARE(board(w).selectedConductor(), 1);
        QTest::keyClick(conductor, Qt::Key_Delete);
        house->settle();
        QCOMPARE(w.bench().wiring().conductors.size(), size_t(4));

        QWidget* focus = terminal(w, "Fase");
        QTest::keySequence(focus, QKeySequence(Qt::CTRL | Qt::Key_Z));
        QCOMPARE(w.bench().wiring().conductors.size(), size_t(5));
        QTest::keySequence(focus, QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z));
        QCOMPARE(w.bench().wiring().conductors.size(), size_t(4));

        press(widget(w, "Esborra-ho tot"));
        QVERIFY(w.bench().wiring().conductors.empty());
        QVERIFY(board(w).conductorItems().empty());
        press(widget(w, "Desfés"));
        QCOMPARE(w.bench().wiring().conductors.size(), size_t(4));
        press(widget(w, "Refés"));
        QVERIFY(w.bench().wiring().conductors.empty());
        // Undo all the way back to the empty board the exercise starts with.
        while (w.bench().undoStack().canUndo())
            press(widget(w, "Desfés"));
        QVERIFY(w.bench().wiring().conductors.empty());
        QVERIFY(!widget(w, "Desfés")->isEnabled());
    }

    void aShortTripsTheBreakerUntilItIsGoneAndRearmed() {
        auto& w = open("punt-de-llum");
        wire(w, {{"Fase", "Interruptor, born 1"},
                 {"Interruptor, born 2", "Neutre"},
                 {"Fase", "Làmpada, born 1"},
                 {"Làmpada, born 2", "Neutre"}});
        QCOMPARE(lampState(w), QString("encesa"));
        QVERIFY(!w.bench().tripped());
        press(widget(w, "Interruptor"));
        QVERIFY(w.bench().tripped());
        auto* breaker = widget(w, "Magnetotèrmic");
        QVERIFY(accessible(breaker, QAccessible::Description).startsWith("disparat"));
        QVERIFY(widget<QLabel>(w, "Avís")->isVisible());
        QVERIFY(widget<QLabel>(w, "Avís")->text().contains("Curtcircuit"));
        QCOMPARE(lampState(w), QString("apagada"));
        // Nothing is live while the breaker is tripped.
        for (int c = 0; c < 4; ++c)
            QCOMPARE(glowOf(w, c), Glow::None);

        // Re-armed with the short still there, it trips again at once.
        press(breaker);
        QVERIFY(w.bench().tripped());
        // Opening the switch removes the short; the breaker stays down
        // until it is re-armed.
        press(widget(w, "Interruptor"));
        QVERIFY(w.bench().tripped());
        press(breaker);
        QVERIFY(!w.bench().tripped());
        QVERIFY(!widget<QLabel>(w, "Avís")->isVisible());
        QCOMPARE(lampState(w), QString("encesa"));

        // Armed, it is switched off and on by hand: nothing is live while
        // it is off, and no short is told of.
        QVERIFY(accessible(breaker, QAccessible::Description).startsWith("connectat"));
        press(breaker);
        QVERIFY(!w.bench().breakerOn() && !w.bench().tripped());
        QVERIFY(accessible(breaker, QAccessible::Description).startsWith("desconnectat"));
        QCOMPARE(lampState(w), QString("apagada"));
        QCOMPARE(glowOf(w, 2), Glow::None);
        QVERIFY(!widget<QLabel>(w, "Avís")->isVisible());
        QTest::keyClick(breaker, Qt::Key_Space);
        QVERIFY(w.bench().breakerOn());
        QCOMPARE(lampState(w), QString("encesa"));
        QCOMPARE(glowOf(w, 2), Glow::Red);
    }

    void checkGivesTheVerdictMarksRowsAndOpensTheRoom() {
        auto& w = open("commutada");
        wire(w, twoWay(true));
        press(widget(w, "Comprova"));
        const QString verdict = widget<QLabel>(w, "Resultat")->text();
        QVERIFY2(verdict.startsWith("Correcte"), qPrintable(verdict));
        QVERIFY(verdict.contains("creuats"));
        QCOMPARE(accessible(widget(w, "Resultat"), QAccessible::Name), QString("Resultat"));
        auto* openRoom = widget<QPushButton>(w, "Obre l'estança");
        QVERIFY(openRoom->isVisible());
        press(openRoom);
        QCOMPARE(house->activeWindow(), QString("frmEstudi"));

        // A change makes the verdict stale: it goes, and so does the button.
        auto& again = open("commutada");
        wire(again, {{"Làmpada, born 1", "Neutre"}});
        QVERIFY(widget<QLabel>(again, "Resultat")->text().isEmpty());
        QVERIFY(!openRoom->isVisible());
        press(widget(again, "Comprova"));
        QVERIFY(widget<QLabel>(again, "Resultat")->text().contains("Curtcircuit"));
        auto* table = widget<QTableWidget>(again, "Taula de veritat");
        int marked = 0;
        for (int row = 0; row < table->rowCount(); ++row)
            marked += table->item(row, table->columnCount() - 1)->text() == "✗";
        QVERIFY(marked > 0);
    }

    // Commutador 1, Creuament 1, Creuament 2, Commutador 2: every flip of
    // any of the four changes the lamp. With one traveller between the
    // two intermediate switches, some flips do nothing.
    void fourPointSwitchingAnswersEveryMechanism() {
        auto& w = open("quatre-punts");
        const QList<QPair<QString, QString>> travellers = {
            {"Commutador 1, born 1", "Creuament 1, born 1"},
            {"Commutador 1, born 2", "Creuament 1, born 2"},
            {"Creuament 1, born 3", "Creuament 2, born 1"},
            {"Creuament 1, born 4", "Creuament 2, born 2"},
            {"Creuament 2, born 3", "Commutador 2, born 1"},
            {"Creuament 2, born 4", "Commutador 2, born 2"}};
        wire(w, {{"Fase", "Commutador 1, comú"},
                 {"Commutador 2, comú", "Làmpada, born 1"},
                 {"Làmpada, born 2", "Neutre"}});
        wire(w, travellers);
        QString lamp = lampState(w);
        for (int round = 0; round < 2; ++round)
            for (const char* name :
                 {"Commutador 1", "Creuament 1", "Creuament 2", "Commutador 2"}) {
                press(widget(w, name));
                QVERIFY2(lampState(w) != lamp, name);
                lamp = lampState(w);
            }
        press(widget(w, "Comprova"));
        QVERIFY2(widget<QLabel>(w, "Resultat")->text().startsWith("Correcte"),
                 qPrintable(widget<QLabel>(w, "Resultat")->text()));

        press(widget(w, "Esborra-ho tot"));
        wire(w, {{"Fase", "Commutador 1, comú"},
                 {"Commutador 2, comú", "Làmpada, born 1"},
                 {"Làmpada, born 2", "Neutre"}});
        QList<QPair<QString, QString>> oneShort = travellers;
        oneShort.removeAt(3);
        wire(w, oneShort);
        press(widget(w, "Comprova"));
        QVERIFY(!widget<QLabel>(w, "Resultat")->text().startsWith("Correcte"));
    }

    void theNeutralSwitchedWorksButIsCalledUnsafe() {
        auto& w = open("punt-de-llum");
        wire(w, {{"Fase", "Làmpada, born 1"},
                 {"Làmpada, born 2", "Interruptor, born 1"},
                 {"Interruptor, born 2", "Neutre"}});
        press(widget(w, "Comprova"));
        const QString verdict = widget<QLabel>(w, "Resultat")->text();
        QVERIFY(!verdict.startsWith("Correcte"));
        QVERIFY(verdict.contains("neutre"));
        QVERIFY(!widget(w, "Obre l'estança")->isVisible());
    }

    // The socket and double-switch exercises wired by presses, as a learner
    // does, are correct; a board with an earth bar explains its colour.
    void socketAndDoubleSwitchExercisesWiredByPresses() {
        for (const char* id : {"presa-de-corrent", "punt-de-llum-i-presa", "interruptor-doble"}) {
            auto& w = open(id);
            QList<QPair<QString, QString>> conductors;
            for (const auto& [a, b] : testing::naturalWiring(id))
                conductors.append({a, b});
            wire(w, conductors);
            QCOMPARE(w.bench().wiring().conductors.size(), size_t(conductors.size()));
            press(widget(w, "Comprova"));
            QVERIFY2(widget<QLabel>(w, "Resultat")->text().startsWith("Correcte"),
                     qPrintable(widget<QLabel>(w, "Resultat")->text()));
            QCOMPARE(widget<QLabel>(w, "Llegenda")->text().contains("verd-groc: terra"),
                     w.bench().exercise().earth >= 0);
            // Only boards with a lamp have a truth table to show.
            QCOMPARE(widget(w, "Taula de veritat")->isVisible(),
                     !w.bench().exercise().lamps.empty());
        }
        QVERIFY(!widget<QLabel>(open("punt-de-llum"), "Llegenda")->text().contains("terra"));
        auto& socket = open("presa-de-corrent");
        QCOMPARE(accessible(terminal(socket, "Presa, terra"), QAccessible::Description),
                 QString("connectat a la terra"));
    }

    // A conductor from the phase to the earth bar is a short: the breaker
    // trips and says where the phase went.
    void phaseOnTheEarthTripsTheBreaker() {
        auto& w = open("presa-de-corrent");
        wire(w, {{"Fase", "Terra"}});
        QVERIFY(w.bench().tripped());
        const QString warning = widget<QLabel>(w, "Avís")->text();
        QVERIFY2(warning.startsWith("Curtcircuit! La fase toca la terra. El magnetotèrmic"),
                 qPrintable(warning));
        press(widget(w, "Comprova"));
        QCOMPARE(widget<QLabel>(w, "Resultat")->text(),
                 QString("Curtcircuit: la fase toca la terra."));
    }

    // Each button of a double switch is a switch of its own: in the truth
    // table, by the mouse and by the keyboard, in the tab order.
    void doubleSwitchButtonsByMouseAndKeyboard() {
        auto& w = open("interruptor-doble");
        QList<QPair<QString, QString>> conductors;
        for (const auto& [a, b] : testing::naturalWiring("interruptor-doble"))
            conductors.append({a, b});
        wire(w, conductors);
        auto* table = widget<QTableWidget>(w, "Taula de veritat");
        QCOMPARE(table->horizontalHeaderItem(0)->text(), QString("ID 1"));
        QCOMPARE(table->horizontalHeaderItem(1)->text(), QString("ID 2"));
        QPushButton* first = widget<QPushButton>(w, "Interruptor doble 1");
        QPushButton* second = widget<QPushButton>(w, "Interruptor doble 2");
        QCOMPARE(accessible(second, QAccessible::Name), QString("Interruptor doble 2"));
        press(first);
        QCOMPARE(w.bench().wiring().positions, (std::vector<int>{1, 0}));
        QCOMPARE(lampState(w, 0), QString("encesa"));
        QCOMPARE(lampState(w, 1), QString("apagada"));
        QTest::keyClick(second, Qt::Key_Space);
        house->settle();
        QCOMPARE(w.bench().wiring().positions, (std::vector<int>{1, 1}));
        QCOMPARE(lampState(w, 1), QString("encesa"));
        QTest::keyClick(first, Qt::Key_Return);
        house->settle();
        QCOMPARE(w.bench().wiring().positions, (std::vector<int>{0, 1}));
        QCOMPARE(lampState(w, 0), QString("apagada"));
        QCOMPARE(accessible(first, QAccessible::Description), QString("posició 0"));
        QCOMPARE(table->item(1, 0)->foreground().color(), QColor(255, 0, 0));
        QApplication::setActiveWindow(&house->mainWindow());
        first->setFocus();
        QTest::keyClick(first, Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), second);
        QTest::keyClick(second, Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget()->objectName(), QString("Interruptor doble, comú"));
    }

    void keyboardAloneWiresAndWorksTheSwitches() {
        auto& w = open("punt-de-llum");
        QApplication::setActiveWindow(&house->mainWindow());
        // Tab walks the board: the switch button, then its terminals.
        widget(w, "Interruptor")->setFocus();
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget()->objectName(), QString("Interruptor, born 1"));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Space);
        terminal(w, "Fase")->setFocus();
        QTest::keyClick(terminal(w, "Fase"), Qt::Key_Return);
        house->settle();
        QCOMPARE(w.bench().wiring().conductors.size(), size_t(1));
        QTest::keyClick(widget(w, "Interruptor"), Qt::Key_Space);
        house->settle();
        QCOMPARE(w.bench().wiring().positions[0], 1);
        // Enter works a switch button too, as in the rooms.
        QTest::keyClick(widget(w, "Interruptor"), Qt::Key_Return);
        house->settle();
        QCOMPARE(w.bench().wiring().positions[0], 0);
        QTest::keyClick(widget(w, "Comprova"), Qt::Key_Return);
        house->settle();
        QVERIFY(!widget<QLabel>(w, "Resultat")->text().isEmpty());
    }

    // What a screen reader finds: from the application's root down to the
    // workshop window, every item of the board and the panel, named, with
    // the press action, and presses made through the tree lay conductors.
    void theAccessibilityTreeFromTheRootReachesEveryItem() {
        auto& w = open("encreuament");
        wire(w, {{"Fase", "Commutador 1, comú"}});
        QStringList expected = {"Conductor: Fase – Commutador 1, comú",
                                "Làmpada",
                                "Commutador 1",
                                "Creuament",
                                "Commutador 2",
                                "Magnetotèrmic",
                                "Comprova",
                                "Esborra-ho tot",
                                "Desfés",
                                "Resultat",
                                "Taula de veritat"};
        for (const circuit::Terminal& t : w.bench().exercise().terminals)
            expected << t.name;
        QAccessibleInterface* window = nullptr;
        for (QAccessibleInterface* node : rootNodes())
            if (node->role() == QAccessible::Window &&
                node->text(QAccessible::Name).startsWith("Taller: Encreuament"))
                window = node;
        QVERIFY(window);
        QList<QAccessibleInterface*> nodes = descendantsOf(window);
        for (QAccessibleInterface* node : nodes) {
            QAccessibleInterface* parent = node->parent();
            QVERIFY(parent);
            QCOMPARE(parent->child(parent->indexOfChild(node)), node);
        }
        for (const QString& name : expected) {
            QAccessibleInterface* node = treeNode(nodes, name);
            QVERIFY2(node, qPrintable(name));
            if (name == "Resultat" || name == "Taula de veritat")
                continue;
            QVERIFY2(node->actionInterface() && node->actionInterface()->actionNames().contains(
                                                    QAccessibleActionInterface::pressAction()),
                     qPrintable(name));
        }
        // The tool's press is an animated click: it lands a moment later.
        auto pressInTree = [&](const QString& name) {
            treeNode(nodes, name)
                ->actionInterface()
                ->doAction(QAccessibleActionInterface::pressAction());
        };
        pressInTree("Neutre");
        QTRY_COMPARE(board(w).pendingTerminal(), *w.bench().exercise().terminal("Neutre"));
        pressInTree("Làmpada, born 2");
        QTRY_COMPARE(w.bench().wiring().conductors.size(), size_t(2));
        QVERIFY(treeNode(descendantsOf(window), "Conductor: Neutre – Làmpada, born 2"));
    }

    // The help says how to do each thing, and where this machine keeps
    // teachers' exercises; asked for again, the same window comes up.
    void theWorkshopHasItsOwnHelp() {
        house->chooseMenu("mnuTallerAjuda");
        auto* help = QApplication::activeWindow();
        QTRY_VERIFY(help && help->objectName() == "workshopHelp");
        QCOMPARE(help->windowTitle(), QString("Ajuda del taller"));
        const QString text = help->findChild<QTextBrowser*>("workshopHelpText")->toPlainText();
        for (const char* topic : {"Connectar", "arrossegar", "tabulació", "Treure un conductor",
                                  "Supr", "Accionar els mecanismes", "Comprovar", "Desa",
                                  "Exporta la imatge", "Imprimeix", "Per al professor"})
            QVERIFY2(text.contains(QString::fromUtf8(topic)), topic);
        for (const QString& folder : circuit::exerciseFolders())
            QVERIFY2(text.contains(QDir::toNativeSeparators(folder)), qPrintable(folder));
        house->chooseMenu("mnuTallerAjuda");
        QCOMPARE(house->mainWindow().findChildren<QDialog*>("workshopHelp").size(), 1);
        help->close();
    }

    void savedFilesOpenAgainAndBadFilesChangeNothing();
    void savingOverAFileAsksFirst();
    void theTitleShowsTheFileAndOpeningOverChangesAsks();
    void theWiringIsKeptForTheNextStart();
    void theSheetIsExportedAsPictures();
    void fileCommandsNeedAWorkshopInFront();
    void sixSwitchesScrollTheTableToThePresentRow();
};

void WorkshopTest::savedFilesOpenAgainAndBadFilesChangeNothing() {
    QTemporaryDir dir;
    auto& w = open("commutada");
    wire(w, twoWay(false));
    press(widget(w, "Commutador 2"));
    const circuit::Wiring before = w.bench().wiring();

    // Ctrl+S with no file yet asks where to save it.
    const QString path = dir.filePath("classe.ampera");
    answerFileDialog(path);
    house->type(QKeySequence(Qt::CTRL | Qt::Key_S));
    QCOMPARE(w.filePath(), path);
    QString error;
    const auto saved = circuit::loadWiring(path, &error);
    QVERIFY2(saved, qPrintable(error));
    QCOMPARE(saved->wiring.conductors, before.conductors);
    QCOMPARE(saved->wiring.positions, before.positions);

    // Opening over changes not saved asks first.
    press(widget(w, "Esborra-ho tot"));
    answerFileDialog(path, [] { answerQuestion("No desis"); });
    // Back from the dialog, the main window has the keyboard again.
    house->mainWindow().activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&house->mainWindow()));
    house->type(QKeySequence(Qt::CTRL | Qt::Key_O));
    QCOMPARE(w.bench().wiring().conductors, before.conductors);
    QCOMPARE(w.bench().wiring().positions, before.positions);

    // A file that is not JSON: a message naming it, and the board as it was.
    const QString bad = dir.filePath("malmès.ampera");
    QFile file(bad);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write("{\"format\": \"ampera-circuit\",\n  \"version\": 1,, }");
    file.close();
    QString message;
    readMessage(&message);
    QVERIFY(w.openFile(bad) == false);
    QVERIFY2(message.contains("malmès.ampera") && message.contains("línia 2"), qPrintable(message));
    QCOMPARE(w.bench().wiring().conductors, before.conductors);

    // A wiring opened from elsewhere (the desktop passes its path) goes to
    // its own exercise's window, brought up in front.
    open("punt-de-llum");
    press(widget(w, "Esborra-ho tot"));
    answerQuestion("No desis");
    QVERIFY(workshop::openWiringFile(path, &house->mainWindow()));
    house->settle();
    QCOMPARE(house->activeWindow(), QString("frmTaller_commutada"));
    QCOMPARE(w.bench().wiring().conductors, before.conductors);
}

void WorkshopTest::fileDialogsStartInDocumentsThenTheLastFolder() {
    QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    if (!QDir(documents).exists())
        documents = QDir::homePath();
    open("commutada");
    QString folder;
    lookAtFileDialog([&folder](QFileDialog* d) { folder = d->directory().absolutePath(); });
    house->chooseMenu("mnuTallerObre");
    QCOMPARE(folder, QDir(documents).absolutePath());

    QTemporaryDir dir;
    answerFileDialog(dir.filePath("primer.ampera"));
    house->chooseMenu("mnuTallerDesaCom");
    QVERIFY(QFile::exists(dir.filePath("primer.ampera")));
    for (const char* item : {"mnuTallerObre", "mnuTallerExportaMuntatge"}) {
        lookAtFileDialog([&folder](QFileDialog* d) { folder = d->directory().absolutePath(); });
        house->chooseMenu(item);
        QCOMPARE(folder, QDir(dir.path()).absolutePath());
    }
}

// A name typed without its extension gets it, and replacing the file that
// has that name is asked first: answered no, the file stays as it was.
void WorkshopTest::savingOverAFileAsksFirst() {
    QTemporaryDir dir;
    const QString path = dir.filePath("classe.ampera");
    QFile old(path);
    QVERIFY(old.open(QIODevice::WriteOnly));
    old.write("la feina d'un altre dia");
    old.close();
    auto& w = open("commutada");
    wire(w, twoWay(false));
    QString question;
    QTimer::singleShot(50, [&] {
        auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
        QVERIFY(dialog);
        dialog->findChild<QLineEdit*>("fileNameEdit")->setText(dir.filePath("classe"));
        QTimer::singleShot(50, [&question, dialog] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            if (!box)
                qFatal("no question before replacing");
            question = box->text();
            box->button(QMessageBox::No)->click();
            dialog->reject();
        });
        static_cast<QDialog*>(dialog)->accept();
    });
    house->chooseMenu("mnuTallerDesaCom");
    QVERIFY2(question.contains("classe.ampera"), qPrintable(question));
    QVERIFY(w.filePath().isEmpty());
    QVERIFY(old.open(QIODevice::ReadOnly));
    QCOMPARE(old.readAll(), QByteArray("la feina d'un altre dia"));
}

void WorkshopTest::theTitleShowsTheFileAndOpeningOverChangesAsks() {
    QTemporaryDir dir;
    auto& w = open("punt-de-llum");
    QCOMPARE(w.caption(), QString("Taller: Punt de llum simple"));
    wire(w, {{"Fase", "Interruptor, born 1"}});
    QCOMPARE(w.caption(), QString("Taller: Punt de llum simple *"));
    const QString first = dir.filePath("primer.ampera");
    answerFileDialog(first);
    house->chooseMenu("mnuTallerDesaCom");
    QCOMPARE(w.caption(), QString("Taller: Punt de llum simple — primer.ampera"));
    // A word says so, over the board, which stays where it was.
    const QRect boardBefore = board(w).geometry();
    QLabel* notice = w.view().notice();
    QVERIFY(notice->isVisible());
    QCOMPARE(notice->text(), QString("S'ha desat «primer.ampera»."));
    QVERIFY(board(w).geometry().contains(notice->geometry()));
    QCOMPARE(board(w).geometry(), boardBefore);

    const QString second = dir.filePath("segon.ampera");
    QVERIFY(circuit::saveWiring(second, w.bench().exercise(),
                                circuit::Wiring::empty(w.bench().exercise()), {}, nullptr));
    press(widget(w, "Interruptor"));
    QCOMPARE(w.caption(), QString("Taller: Punt de llum simple — primer.ampera *"));
    const circuit::Wiring changed = w.bench().wiring();

    // Cancelled, the board and its file stay.
    QString question;
    answerFileDialog(second, [&question] { answerQuestion("Cancel·la", &question); });
    house->chooseMenu("mnuTallerObre");
    QVERIFY2(question.contains("té canvis que no s'han desat"), qPrintable(question));
    QCOMPARE(w.bench().wiring().positions, changed.positions);
    QCOMPARE(w.filePath(), first);

    // Saved first, then the other file is opened.
    answerFileDialog(second, [] { answerQuestion("Desa"); });
    house->chooseMenu("mnuTallerObre");
    QCOMPARE(w.filePath(), second);
    QVERIFY(w.bench().wiring().conductors.empty());
    QCOMPARE(w.caption(), QString("Taller: Punt de llum simple — segon.ampera"));
    const auto kept = circuit::loadWiring(first, nullptr);
    QVERIFY(kept);
    QCOMPARE(kept->wiring.positions, changed.positions);

    // Opening can be undone, switches and all, and done again.
    press(widget(w, "Desfés"));
    QCOMPARE(w.bench().wiring().conductors, changed.conductors);
    QCOMPARE(w.bench().wiring().positions, changed.positions);
    QCOMPARE(w.caption(), QString("Taller: Punt de llum simple — segon.ampera *"));
    press(widget(w, "Refés"));
    QVERIFY(w.bench().wiring().conductors.empty());
    QCOMPARE(w.caption(), QString("Taller: Punt de llum simple — segon.ampera"));
}

void WorkshopTest::theWiringIsKeptForTheNextStart() {
    auto& w = open("punt-de-llum");
    wire(w, {{"Fase", "Interruptor, born 1"}});
    press(widget(w, "Interruptor"));
    house->settle();
    // The program ends and starts again: the window is built afresh.
    ui::forms::unload("frmTaller_punt-de-llum");
    house->settle();
    auto& again = open("punt-de-llum");
    QCOMPARE(again.bench().wiring().conductors.size(), size_t(1));
    QCOMPARE(again.bench().wiring().positions[0], 1);

    // A switch worked in the very turn in which the program ends is kept too.
    QWidget* lever = widget(again, "Interruptor");
    QTest::mouseClick(lever, Qt::LeftButton, {}, lever->rect().center());
    ui::forms::unload("frmTaller_punt-de-llum");
    house->settle();
    QCOMPARE(open("punt-de-llum").bench().wiring().positions[0], 0);
}

void WorkshopTest::theSheetIsExportedAsPictures() {
    QTemporaryDir dir;
    auto& w = open("dos-llums");
    wire(w, {{"Fase", "Interruptor, born 1"}});
    QStringList names = {"full.pdf", "full.png"};
#ifdef AMPERA_SVG_EXPORT
    names << "full.svg";
#else
    // Without Qt SVG's generator an SVG is refused in words, and nothing
    // is written.
    QString message;
    answerFileDialog(dir.filePath("full.svg"), [&message] { readMessage(&message); });
    house->chooseMenu("mnuTallerExportaMuntatge");
    QVERIFY2(message.contains("el format «svg» no és cap dels que el programa sap escriure"),
             qPrintable(message));
    QVERIFY(!QFile::exists(dir.filePath("full.svg")));
#endif
    for (const QString& name : names) {
        answerFileDialog(dir.filePath(name));
        house->chooseMenu("mnuTallerExportaMuntatge");
        QFile file(dir.filePath(name));
        QVERIFY2(file.open(QIODevice::ReadOnly), qPrintable(name));
        const QByteArray bytes = file.readAll();
        if (name.endsWith("pdf")) {
            QVERIFY(bytes.startsWith("%PDF-"));
            // One A4 page, landscape: 842 by 595 points.
            QCOMPARE(bytes.count("/Type /Page\n"), 1);
            QVERIFY(bytes.contains("/MediaBox [0 0 842.000000 595.000000]"));
        } else if (name.endsWith("svg")) {
            QVERIFY(bytes.contains("<svg"));
            QVERIFY(bytes.contains("Làmpada 2"));
        } else {
            const QImage image = QImage::fromData(bytes, "PNG");
            QVERIFY(!image.isNull());
            // The phase's red conductor is on the sheet.
            bool red = false;
            for (int y = 0; y < image.height() && !red; y += 2)
                for (int x = 0; x < image.width() && !red; x += 2)
                    red = image.pixelColor(x, y) == QColor(255, 0, 0);
            QVERIFY(red);
        }
    }
}

void WorkshopTest::fileCommandsNeedAWorkshopInFront() {
    house->chooseMenu("mnuCuina");
    auto* save = house->mainWindow().findChild<QAction*>("mnuTallerDesa");
    QVERIFY(!save->isEnabled());
    open("commutada");
    QVERIFY(save->isEnabled());
}

// A teacher's exercise with as many switches as an exercise may have: its
// 64 rows do not fit at 1024 × 768, so the table scrolls, and every switch
// keeps the row of the present positions in view.
void WorkshopTest::sixSwitchesScrollTheTableToThePresentRow() {
    const QString folder =
        QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) + "/ampera/exercicis";
    QVERIFY(QDir().mkpath(folder));
    QString components = R"({"kind": "fase", "name": "Fase", "place": [1, 12]},
        {"kind": "neutre", "name": "Neutre", "place": [1, 19]},
        {"kind": "làmpada", "name": "Làmpada", "place": [28, 14]})";
    QString table;
    for (int s = 0; s < 6; ++s)
        components +=
            QString(R"(, {"kind": "interruptor", "name": "Interruptor %1", "place": [%2, 2]})")
                .arg(s + 1)
                .arg(8 + 6 * s);
    for (int k = 0; k < 64; ++k)
        table += QString(k ? ", [%1]" : "[%1]").arg(k % 2);
    QFile file(folder + "/sis.json");
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(QString(R"({"format": "ampera-exercise", "version": 1, "id": "sis", "title": "Sis",
        "instruction": "Sis interruptors.", "components": [%1], "table": [%2]})")
                   .arg(components, table)
                   .toUtf8());
    file.close();
    const auto restore = qScopeGuard([&] {
        QFile::remove(file.fileName());
        circuit::reloadLibrary();
        workshop::defineWorkshopWindows();
        house->reset();
    });
    circuit::reloadLibrary();
    workshop::defineWorkshopWindows();
    house->reset();
    house->mainWindow().resize(1024, 768);
    house->mainWindow().show();
    QVERIFY(QTest::qWaitForWindowExposed(&house->mainWindow()));
    auto& w = open("sis");
    house->settle();
    auto* rows = widget<QTableWidget>(w, "Taula de veritat");
    // The panel below the table still fits in the window.
    QWidget* check = widget(w, "Comprova");
    QWidget* main = &house->mainWindow();
    QVERIFY(main->rect().contains(QRect(check->mapTo(main, QPoint()), check->size())));
    QVERIFY(rows->verticalScrollBar()->isVisible());
    for (int s : {0, 5, 2, 0, 1, 3, 4, 5, 2}) {
        press(widget(w, QString("Interruptor %1").arg(s + 1)));
        const int present = w.bench().wiring().combination();
        const QRect row = rows->visualItemRect(rows->item(present, 0));
        QVERIFY2(rows->viewport()->rect().contains(row),
                 qPrintable(QString("row %1 at %2, %3 high, in a viewport %4 high")
                                .arg(present)
                                .arg(row.top())
                                .arg(row.height())
                                .arg(rows->viewport()->height())));
    }
}

QTEST_MAIN(WorkshopTest)
#include "tst_workshop.moc"
