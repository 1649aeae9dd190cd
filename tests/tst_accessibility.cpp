// SPDX-License-Identifier: GPL-3.0-or-later
// What assistive tools learn from each window, walked through Qt's
// accessibility tree, and how every action is reached from the keyboard.
#include "house_fixture.h"

#include "house/catalogue.h"

#include <QAccessible>
#include <QApplication>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMenuBar>

namespace {

QAccessibleInterface* interfaceOf(QWidget* widget) {
    return QAccessible::queryAccessibleInterface(widget);
}

bool isShown(const QAccessibleInterface* node) {
    return !node->state().invisible;
}

// Every node under `root`, depth first.
QList<QAccessibleInterface*> descendants(QAccessibleInterface* root) {
    QList<QAccessibleInterface*> nodes;
    for (int i = 0; i < root->childCount(); ++i) {
        QAccessibleInterface* child = root->child(i);
        nodes << child << descendants(child);
    }
    return nodes;
}

// The nodes under `root` with this name, in tree order.
QList<QAccessibleInterface*> named(QAccessibleInterface* root, const QString& name) {
    QList<QAccessibleInterface*> found;
    for (QAccessibleInterface* node : descendants(root))
        if (node->text(QAccessible::Name) == name)
            found << node;
    return found;
}

// The first node under `root` with this name that is not hidden.
QAccessibleInterface* shownNamed(QAccessibleInterface* root, const QString& name) {
    for (QAccessibleInterface* node : named(root, name))
        if (isShown(node))
            return node;
    return nullptr;
}

QString description(QAccessibleInterface* node) {
    return node ? node->text(QAccessible::Description) : QStringLiteral("<missing>");
}

// The switch of each circuit whose first press lights the lamp.
QString firstSwitch(const QString& window) {
    return house::room(window).circuit == house::Circuit::SingleSwitch
               ? QStringLiteral("CmdInterruptor")
               : QStringLiteral("CmdCommutador1");
}

// The switch buttons of each circuit in the order Tab visits them.
QStringList switchNames(const QString& window) {
    switch (house::room(window).circuit) {
    case house::Circuit::SingleSwitch:
        return {"Interruptor"};
    case house::Circuit::TwoWay:
        return {"Commutador 1", "Commutador 2"};
    default:
        return {"Commutador 1", "Commutador 2", "Creuament"};
    }
}

} // namespace

class Accessibility : public QObject {
    Q_OBJECT
    std::unique_ptr<testing::HouseFixture> house;

    QAccessibleInterface* tree(const QString& window) {
        return interfaceOf(house->window(window).surface());
    }

    // Brings a room up from the menu; the floor plan, and so every room,
    // exists first.
    ui::Form& open(const QString& window) {
        house->chooseMenu(QStringLiteral("mnuPlanta"));
        ui::Form& room = house->window(window);
        room.setWindowState(ui::Form::WindowState::Maximized);
        house->settle();
        return room;
    }

    void activateMainWindow() {
        house->mainWindow().show();
        QApplication::setActiveWindow(&house->mainWindow());
        QVERIFY(QTest::qWaitForWindowActive(&house->mainWindow()));
    }

    void pressKey(int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
        QWidget* target = QApplication::focusWidget();
        QTest::keyClick(target ? target : &house->mainWindow(), Qt::Key(key), modifiers);
        house->settle();
    }

    // The tree under a window holds together, and whatever can take the
    // focus or be pressed has a name.
    void verifyTree(QAccessibleInterface* root) {
        for (QAccessibleInterface* node : descendants(root)) {
            QAccessibleInterface* parent = node->parent();
            QVERIFY(parent);
            QCOMPARE(parent->child(parent->indexOfChild(node)), node);
            const bool operable = node->state().focusable || node->role() == QAccessible::Button;
            if (operable)
                QVERIFY2(!node->text(QAccessible::Name).isEmpty(), qPrintable(description(node)));
            // A point in the middle of a shown node leads back to it or to
            // something in front of it, never to nothing.
            if (isShown(node) && !node->rect().isEmpty())
                QVERIFY(parent->childAt(node->rect().center().x(), node->rect().center().y()));
        }
    }

    void allWindows() {
        QTest::addColumn<QString>("window");
        QTest::newRow("frmPlanta") << house::floorPlan;
        for (const house::Room& room : house::rooms())
            QTest::newRow(qPrintable(room.window)) << room.window;
    }

  private slots:
    void initTestCase() { house = std::make_unique<testing::HouseFixture>(); }
    void init() { house->reset(); }

    void eachWindowIsNamedAndEveryControlCanBeTold_data() { allWindows(); }
    void eachWindowIsNamedAndEveryControlCanBeTold() {
        QFETCH(QString, window);
        ui::Form& form = open(window);
        QAccessibleInterface* root = tree(window);
        QCOMPARE(root->text(QAccessible::Name), form.caption());
        QCOMPARE(interfaceOf(form.window())->text(QAccessible::Name), form.caption());
        verifyTree(root);
        QVERIFY(!named(root, QStringLiteral("Plànol de l'habitatge")).isEmpty());
        // The buttons and the breaker are the whole of what takes the focus.
        QStringList focusable;
        for (QAccessibleInterface* node : descendants(root))
            if (node->state().focusable && isShown(node))
                focusable << node->text(QAccessible::Name);
        if (window == house::floorPlan) {
            QCOMPARE(focusable,
                     QStringList({"Est", "Nord", "Sud", "Oest", "Sortir", "Magnetotèrmic"}));
        } else {
            // The room's name label is read as the name, not letter by letter.
            QCOMPARE(shownNamed(root, house::room(window).caption)->role(),
                     QAccessible::StaticText);
            QCOMPARE(focusable, switchNames(window));
        }
    }

    void theOtherWindowsAndTheMenuAreNamed() {
        ui::Form& presentation = house->window(QStringLiteral("frmPresentació"));
        // Held still: a slow run must not hand over to the floor plan here.
        for (const char* timer : {"TmrCarrega", "Rellotge2", "Rellotge1"})
            presentation.timer(timer).setEnabled(false);
        presentation.Show();
        house->settle();
        QAccessibleInterface* screen = interfaceOf(presentation.surface());
        QCOMPARE(screen->text(QAccessible::Name), QString("Presentació"));
        QVERIFY(shownNamed(screen, QStringLiteral("Ampera")));
        verifyTree(screen);

        house->chooseMenu(QStringLiteral("mnuAjuda"));
        QAccessibleInterface* help = tree(QStringLiteral("FrmAjuda"));
        QCOMPARE(help->role(), QAccessible::Window);
        QCOMPARE(help->text(QAccessible::Name), QString("Autoria: Voltesa - Ajuda"));
        // The help text is read whole, its paragraphs apart, its columns of
        // blanks gone.
        QString text;
        for (QAccessibleInterface* node : descendants(help))
            if (node->text(QAccessible::Name).size() > text.size())
                text = node->text(QAccessible::Name);
        QVERIFY(text.startsWith("Programa de simulació de circuits elèctrics bàsics"));
        QVERIFY(text.contains("creuements.\n\nFuncionament del programa:\n\nDes de"));
        QVERIFY(text.contains("l'estat en que"));

        QVERIFY(interfaceOf(&house->mainWindow())->text(QAccessible::Name).startsWith("Voltesa"));
        QAccessibleInterface* menu = interfaceOf(house->mainWindow().menuBar());
        for (const char* item :
             {"Portal", "Planta", "Entrada", "Cuina", "Menjador", "Bany", "Lavabo",
              "Habitació Doble", "Habitació1", "Habitació2", "Habitació3", "Sortir", "Ajuda"})
            QCOMPARE(named(menu, item).size(), 1);
        // The menu of a window inside the main window speaks Catalan too.
        open(QStringLiteral("frmCuina"));
        auto* frame = qobject_cast<QMdiSubWindow*>(house->window("frmCuina").window());
        QStringList system;
        for (QAccessibleInterface* node : descendants(interfaceOf(frame->systemMenu())))
            if (node->role() == QAccessible::MenuItem)
                system << node->text(QAccessible::Name);
        QCOMPARE(system, QStringList({"Restaura", "Mou", "Mida", "Minimitza", "Maximitza",
                                      "Sempre a sobre", "Tanca"}));
    }

    // The window, its switches, its photographs and every plan tell how the
    // lamp is, after each real press.
    void lampStateFollowsTheSwitches_data() {
        QTest::addColumn<QString>("window");
        for (const house::Room& room : house::rooms())
            QTest::newRow(qPrintable(room.window)) << room.window;
    }
    void lampStateFollowsTheSwitches() {
        QFETCH(QString, window);
        ui::Form& room = open(window);
        const QString indicator = house::room(window).caption + ": llum encès";
        const auto verifyLamp = [&](bool lit) {
            const QString state = lit ? "llum encès" : "llum apagat";
            QAccessibleInterface* root = tree(window);
            QCOMPARE(description(root), state);
            for (QAccessibleInterface* node : descendants(root))
                if (node->role() == QAccessible::Button)
                    QCOMPARE(description(node), state);
            QVERIFY(shownNamed(root, "Fotografia amb el " + state));
            QVERIFY(!shownNamed(root, lit ? "Fotografia amb el llum apagat"
                                          : "Fotografia amb el llum encès"));
            for (const QString& other : {window, house::floorPlan})
                QCOMPARE(bool(shownNamed(tree(other), indicator)), lit);
        };
        verifyLamp(false);
        house->click(room.button(firstSwitch(window)));
        verifyLamp(true);
        house->click(room.button(firstSwitch(window)));
        verifyLamp(false);
    }

    // The truth table names the row that the red highlight marks, with
    // its column headings.
    void truthTableTellsTheMarkedRow() {
        ui::Form& bedroom = open(QStringLiteral("frmHab_mat"));
        QAccessibleInterface* table = interfaceOf(bedroom.frame("FrmTVeritat").widget());
        QCOMPARE(table->text(QAccessible::Name), QString("Taula de Veritat"));
        QCOMPARE(table->role(), QAccessible::Grouping);
        QCOMPARE(description(table), QString("Cap fila marcada"));
        const auto markedRows = [&] {
            QStringList rows;
            for (QAccessibleInterface* node : descendants(table))
                if (description(node) == "fila marcada")
                    rows << node->text(QAccessible::Name);
            return rows;
        };
        QVERIFY(markedRows().isEmpty());

        house->click(bedroom.button("CmdCommutador1"));
        QCOMPARE(description(table), QString("Fila marcada: C1 1, CR 0, C2 0, LLUM 1"));
        QCOMPARE(markedRows(), QStringList({"1 0 0 1"}));
        QCOMPARE(bedroom.label("LblTaula", 4).foreColor(), ui::colors::Red);
        house->click(bedroom.button("CmdCreumement"));
        QCOMPARE(description(table), QString("Fila marcada: C1 1, CR 1, C2 0, LLUM 0"));
        QCOMPARE(markedRows(), QStringList({"1 1 0 0"}));

        ui::Form& kitchen = open(QStringLiteral("frmCuina"));
        house->click(kitchen.button("CmdInterruptor"));
        QCOMPARE(description(interfaceOf(kitchen.frame("FrmTVeritat").widget())),
                 QString("Fila marcada: INT 1, LLUM 1"));
        ui::Form& study = open(QStringLiteral("frmEstudi"));
        house->click(study.button("CmdCommutador2"));
        QCOMPARE(description(interfaceOf(study.frame("FrmTVeritat").widget())),
                 QString("Fila marcada: C1 0, C2 0, LLUM 1"));
    }

    // What lies behind something in front is not read: the stacked views,
    // the dark photograph before the first press, the standing warning
    // under the trip message.
    void theFloorPlanTellsViewsAndBreaker() {
        ui::Form& plan = open(house::floorPlan);
        QAccessibleInterface* root = tree(house::floorPlan);
        const QStringList views = {"Cara sud de la casa", "Cara oest de la casa",
                                   "Cara nord de la casa", "Cara est de la casa"};
        const auto shownViews = [&] {
            QStringList shown;
            for (const QString& view : views)
                if (shownNamed(root, view))
                    shown << view;
            return shown;
        };
        QCOMPARE(shownViews(), QStringList({"Cara est de la casa"}));
        house->click(plan.button("CmdSud"));
        QCOMPARE(shownViews(), QStringList({"Cara sud de la casa"}));
        QVERIFY(shownNamed(root, "Aquesta és la cara SUD"));
        QCOMPARE(description(named(root, "Sud").value(0)), QString("Mostra la cara sud"));

        QAccessibleInterface* breaker = shownNamed(root, "Magnetotèrmic");
        QCOMPARE(breaker->role(), QAccessible::Button);
        QCOMPARE(description(breaker), QString("Connectat"));
        QVERIFY(shownNamed(root, "ALERTA!!!. Si tens molts llums encesos es pot disparar el "
                                 "magnetotèrmic"));
        QVERIFY(!shownNamed(root, "Avís"));

        for (const house::Room& room : house::rooms()) {
            if (!house->loaded(room.window))
                break; // the last lamp tripped the breaker and closed the rooms
            ui::Form& form = open(room.window);
            house->click(form.button(firstSwitch(room.window)));
        }
        QVERIFY(!house->loaded("frmCuina"));
        root = tree(house::floorPlan);
        breaker = shownNamed(root, "Magnetotèrmic");
        QVERIFY(description(breaker).startsWith("Disparat"));
        QVERIFY(shownNamed(root, "Avís"));
        QVERIFY(shownNamed(root, "Tens molts llums encesos. S'ha disparat el magnetotèrmic. "
                                 "Pulsa a sobre per carregar-lo"));
        QVERIFY(!shownNamed(root, "ALERTA!!!. Si tens molts llums encesos es pot disparar el "
                                  "magnetotèrmic"));
        QVERIFY(!shownNamed(root, "Cuina: llum encès"));

        // Assistive tools press the breaker as a click does.
        QVERIFY(breaker->actionInterface()->actionNames().contains(
            QAccessibleActionInterface::pressAction()));
        breaker->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
        house->settle();
        QCOMPARE(description(shownNamed(tree(house::floorPlan), "Magnetotèrmic")),
                 QString("Connectat"));
        QVERIFY(house->loaded("frmCuina"));
    }

    // A room comes up with the focus on its first switch; Tab goes round
    // the switches, Space and Enter press them, Ctrl+Tab moves between
    // windows and Ctrl+F4 closes one.
    void theKeyboardReachesEveryAction() {
        activateMainWindow();
        house->chooseMenu(QStringLiteral("mnuHab_mat"));
        ui::Form& bedroom = house->window("frmHab_mat");
        QStringList order;
        for (int i = 0; i < 4; ++i) {
            QVERIFY(QApplication::focusWidget());
            order << QApplication::focusWidget()->accessibleName();
            pressKey(Qt::Key_Tab);
        }
        QCOMPARE(order, QStringList({"Commutador 1", "Commutador 2", "Creuament", "Commutador 1"}));
        pressKey(Qt::Key_Space);
        QCOMPARE(description(tree("frmHab_mat")), QString("llum encès"));
        pressKey(Qt::Key_Return);
        QCOMPARE(description(tree("frmHab_mat")), QString("llum apagat"));

        house->chooseMenu(QStringLiteral("mnuPlanta"));
        house->chooseMenu(QStringLiteral("mnuCuina"));
        pressKey(Qt::Key_Tab, Qt::ControlModifier);
        QCOMPARE(house->activeWindow(), house::floorPlan);
        pressKey(Qt::Key_Tab, Qt::ControlModifier);
        QCOMPARE(house->activeWindow(), QString("frmCuina"));
        pressKey(Qt::Key_F4, Qt::ControlModifier);
        QVERIFY(!house->window("frmCuina").isShown());
        QVERIFY(house->activeWindow() != "frmCuina");
        QVERIFY(bedroom.isShown());

        // After a trip the focus is on the floor plan, and Tab leads to the
        // breaker, which Space re-arms.
        for (const house::Room& room : house::rooms()) {
            if (!house->loaded(room.window))
                break;
            open(room.window).button(firstSwitch(room.window)).button()->setFocus();
            pressKey(Qt::Key_Space);
        }
        QVERIFY(!house->loaded("frmCuina"));
        ui::Form& plan = house->window(house::floorPlan);
        QVERIFY(QApplication::focusWidget());
        QVERIFY(plan.surface()->isAncestorOf(QApplication::focusWidget()));
        for (int i = 0; i < 6 && QApplication::focusWidget()->accessibleName() != "Magnetotèrmic";
             ++i)
            pressKey(Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), plan.pictureBox("PicMagneto", 0).widget());
        pressKey(Qt::Key_Space);
        QVERIFY(!plan.pictureBox("PicMagneto", 0).visible());
        QVERIFY(house->loaded("frmCuina"));

        // Escape closes the help window as its close box does.
        house->chooseMenu(QStringLiteral("mnuAjuda"));
        QWidget* help = house->window("FrmAjuda").window();
        QApplication::setActiveWindow(help);
        QTest::keyClick(help, Qt::Key_Escape);
        house->settle();
        QVERIFY(!house->loaded("FrmAjuda"));
    }
};

QTEST_MAIN(Accessibility)
#include "tst_accessibility.moc"
