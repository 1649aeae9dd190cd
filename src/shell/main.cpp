#include "shell/main_window.h"
#include "shell/startup.h"
#include "ui/application.h"

#include <QApplication>

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    ui::setUpApplication(app);
    shell::prepare();
    shell::MainWindow mainWindow;
    ui::forms::setHost(&mainWindow);
    shell::showFirstWindow();
    return app.exec();
}
