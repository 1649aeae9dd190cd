#include "shell/main_window.h"
#include "shell/startup.h"
#include "ui/application.h"

#include <QApplication>

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    // Desktops tie the running window to its menu entry and icon by the
    // name of the installed desktop file.
    QGuiApplication::setDesktopFileName(QStringLiteral(AMPERA_APP_ID));
    ui::setUpApplication(app);
    shell::prepare();
    shell::MainWindow mainWindow;
    ui::forms::setHost(&mainWindow);
    shell::showFirstWindow();
    return app.exec();
}
