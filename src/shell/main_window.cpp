#include "shell/main_window.h"

#include "ui/color.h"
#include "ui/twips.h"
#include "workshop/workshop_window.h"

#include <QCloseEvent>
#include <QMdiArea>
#include <QMenuBar>

namespace shell {

namespace {

// The "&Portal" menu, in display order; an item without a window is a
// separator, except "S&ortir", which ends the program.
struct MenuItem {
    const char* name;
    const char* caption;
    QKeySequence shortcut;
    const char* window;
};

const MenuItem portalItems[] = {
    {"mnuPlanta", "&Planta", QKeySequence(Qt::CTRL | Qt::Key_P), "frmPlanta"},
    {"mnuEspai1", "-", {}, nullptr},
    {"mnuEntrada", "&Entrada", {}, "frmEntrada"},
    {"mnuCuina", "&Cuina", {}, "frmCuina"},
    {"mnuMenjador", "&Menjador", {}, "frmMenjadorbis"},
    {"mnuBany", "&Bany", {}, "frmLavabogran"},
    {"mnuAseo", "&Lavabo", {}, "frmLavabopetit"},
    {"mnuHab_mat", "&Habitació Doble", {}, "frmHab_mat"},
    {"mnuHabitació1", "Habitació&1", {}, "frmHabitació1"},
    {"mnuHabitació2", "Habitació&2", {}, "frmHabitació2"},
    {"mnuSalaEstudi", "Habitació&3", {}, "frmEstudi"},
    {"mnuBarra", "-", {}, nullptr},
};

} // namespace

MainWindow::MainWindow() : area_(new QMdiArea(this)) {
    setObjectName(QStringLiteral("MDIPortal"));
    setWindowTitle(QStringLiteral("Voltesa"));
    area_->setBackground(ui::toQColor(ui::colors::AppWorkspace, palette()));
    setCentralWidget(area_);
    resize(8970 / ui::twipsPerPixel, 8295 / ui::twipsPerPixel);
    createMenus();
}

void MainWindow::createMenus() {
    QMenu* portal = menuBar()->addMenu(QStringLiteral("&Portal"));
    portal->setObjectName(QStringLiteral("mnuPortal"));
    for (const MenuItem& item : portalItems) {
        QAction* action = QString::fromUtf8(item.caption) == QLatin1String("-")
                              ? portal->addSeparator()
                              : portal->addAction(QString::fromUtf8(item.caption));
        action->setObjectName(QString::fromUtf8(item.name));
        if (!item.window)
            continue;
        action->setShortcut(item.shortcut);
        connect(action, &QAction::triggered, this,
                [window = QString::fromUtf8(item.window)] { openWindow(window); });
    }
    QAction* exit = portal->addAction(QStringLiteral("S&ortir"));
    exit->setObjectName(QStringLiteral("mnuSortir"));
    exit->setShortcut(QKeySequence(Qt::Key_F11));
    connect(exit, &QAction::triggered, this, &MainWindow::exitProgram);

    createWorkshopMenu();

    QAction* help = menuBar()->addAction(QStringLiteral("A&juda"));
    help->setObjectName(QStringLiteral("mnuAjuda"));
    connect(help, &QAction::triggered, this, &MainWindow::openHelp);
}

void MainWindow::createWorkshopMenu() {
    QMenu* workshop = menuBar()->addMenu(QStringLiteral("&Taller"));
    workshop->setObjectName(QStringLiteral("mnuTaller"));
    workshop::fillWorkshopMenu(*workshop, *area_);
}

void MainWindow::openWindow(const QString& window) {
    ui::Form& form = ui::forms::get(window);
    form.Show();
    form.setWindowState(ui::Form::WindowState::Maximized);
    ui::forms::unload(QStringLiteral("frmPresentació"));
}

void MainWindow::openHelp() {
    ui::forms::get(QStringLiteral("FrmAjuda")).Show();
}

void MainWindow::exitProgram() {
    ui::forms::endProgram();
}

QMdiArea& MainWindow::area() {
    return *area_;
}

void MainWindow::showHost() {
    if (isHidden())
        showMaximized();
}

void MainWindow::closeHost() {
    hide();
}

void MainWindow::closeEvent(QCloseEvent* event) {
    // The main window's close box closes its children with it. Unloading
    // them stops the presentation screen's timers, which would otherwise
    // open the floor plan and so bring the main window back.
    ui::forms::unloadChildWindows();
    QMainWindow::closeEvent(event);
}

} // namespace shell
