// SPDX-License-Identifier: GPL-3.0-or-later
#include "shell/main_window.h"

#include "house/catalogue.h"
#include "ui/color.h"
#include "ui/twips.h"
#include "workshop/workshop_window.h"

#include <QCloseEvent>
#include <QMdiArea>
#include <QMenuBar>

namespace shell {

MainWindow::MainWindow() : area_(new QMdiArea(this)) {
    setObjectName(QStringLiteral("MDIPortal"));
    setWindowTitle(QStringLiteral("Voltesa"));
    area_->setBackground(ui::toQColor(ui::colors::AppWorkspace, palette()));
    setCentralWidget(area_);
    resize(8970 / ui::twipsPerPixel, 8295 / ui::twipsPerPixel);
    createMenus();
}

// The "&Portal" menu: the floor plan, the rooms, and "S&ortir", which ends
// the program, in groups parted by named separators.
void MainWindow::createMenus() {
    QMenu* portal = menuBar()->addMenu(QStringLiteral("&Portal"));
    portal->setObjectName(QStringLiteral("mnuPortal"));
    addWindowItem(*portal, QStringLiteral("mnuPlanta"), QStringLiteral("&Planta"), house::floorPlan)
        ->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_P));
    portal->addSeparator()->setObjectName(QStringLiteral("mnuEspai1"));
    for (const QString& window : house::orders().menu) {
        const house::Room& room = house::room(window);
        addWindowItem(*portal, room.menuItem, room.menuCaption, window);
    }
    portal->addSeparator()->setObjectName(QStringLiteral("mnuBarra"));
    QAction* exit = portal->addAction(QStringLiteral("S&ortir"));
    exit->setObjectName(QStringLiteral("mnuSortir"));
    exit->setShortcut(QKeySequence(Qt::Key_F11));
    connect(exit, &QAction::triggered, this, &MainWindow::exitProgram);

    createWorkshopMenu();

    QAction* help = menuBar()->addAction(QStringLiteral("A&juda"));
    help->setObjectName(QStringLiteral("mnuAjuda"));
    connect(help, &QAction::triggered, this, &MainWindow::openHelp);
}

QAction* MainWindow::addWindowItem(QMenu& menu, const QString& name, const QString& caption,
                                   const QString& window) {
    QAction* item = menu.addAction(caption);
    item->setObjectName(name);
    connect(item, &QAction::triggered, this, [window] { openWindow(window); });
    return item;
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
