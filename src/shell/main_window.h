// SPDX-License-Identifier: GPL-3.0-or-later
// The main window: the multiple-document frame that holds every window of
// the house, with the program's only menu.
#pragma once

#include "ui/forms.h"

#include <QMainWindow>

class QAction;
class QMdiArea;
class QMenu;

namespace shell {

class MainWindow : public QMainWindow, public ui::forms::Host {
    Q_OBJECT
  public:
    MainWindow();

    QMdiArea& area() override;
    void showHost() override;
    void closeHost() override;

  protected:
    void closeEvent(QCloseEvent* event) override;

  private:
    void createMenus();
    // A menu item that brings up a window.
    QAction* addWindowItem(QMenu& menu, const QString& name, const QString& caption,
                           const QString& window);
    void createWorkshopMenu();
    // The three kinds of menu handler.
    static void openWindow(const QString& window);
    static void openHelp();
    static void exitProgram();

    QMdiArea* area_;
};

} // namespace shell
