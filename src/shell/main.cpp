// SPDX-License-Identifier: GPL-3.0-or-later
#include "shell/check_command.h"
#include "shell/main_window.h"
#include "shell/startup.h"
#include "ui/application.h"
#include "ui/fonts.h"
#include "workshop/workshop_window.h"

#include <QApplication>
#include <QTimer>

int main(int argc, char* argv[]) {
    // The name gives the data folder (~/.local/share/ampera), where the
    // workshop keeps each exercise's wiring.
    QCoreApplication::setApplicationName(QStringLiteral("ampera"));
    QCoreApplication::setApplicationVersion(QStringLiteral(AMPERA_VERSION));
    // Checking files on the command line needs no display: it is done
    // before any GUI exists.
    QString wiringFile;
    if (const int status = shell::runCommandLine(argc, argv, &wiringFile); status >= 0)
        return status;
    ui::chooseFontEngine();
    QApplication app(argc, argv);
    // Desktops tie the running window to its menu entry and icon by the
    // name of the installed desktop file.
    QGuiApplication::setDesktopFileName(QStringLiteral(AMPERA_APP_ID));
    ui::setUpApplication(app);
    shell::prepare();
    shell::MainWindow mainWindow;
    ui::forms::setHost(&mainWindow);
    shell::showFirstWindow();
    if (!wiringFile.isEmpty())
        QTimer::singleShot(0, &mainWindow,
                           [&] { workshop::openWiringFile(wiringFile, &mainWindow); });
    return app.exec();
}
