#include "shell/check_command.h"
#include "shell/main_window.h"
#include "shell/startup.h"
#include "ui/application.h"

#include <QApplication>

int main(int argc, char* argv[]) {
    // The name gives the data folder (~/.local/share/ampera), where the
    // workshop keeps each exercise's wiring.
    QCoreApplication::setApplicationName(QStringLiteral("ampera"));
    QCoreApplication::setApplicationVersion(QStringLiteral(AMPERA_VERSION));
    // Checking files on the command line needs no display: it is done
    // before any GUI exists.
    if (const int status = shell::runCommandLine(argc, argv); status >= 0)
        return status;
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
