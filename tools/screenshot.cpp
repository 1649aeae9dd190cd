// Renders the program to a PNG after a sequence of learner actions, headless.
//
//   screenshot [--size WxH] [--window NAME] OUT.png ACTION...
//
// Actions, applied in order through the program's real event paths:
//   start                          start as the program does (presentation screen)
//   menu:mnuCuina                  choose a menu item
//   click:frmCuina/CmdInterruptor  click a button or picture box (NAME(i) for arrays)
//   press:frmPlanta/ImgCuina_ordre press the mouse on an image
//   fire:frmPresentació/Rellotge2  let a timer tick once
//   tap:frmTaller_commutada/Fase   press and release the mouse on a widget of a
//                                  window, found by its object name
// Without --window the whole main window is rendered; with it, only that
// window's client area at the given size.
#include "shell/main_window.h"
#include "shell/startup.h"
#include "ui/application.h"
#include "ui/controls.h"
#include "ui/forms.h"

#include "settle.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTest>

#include <cstdio>

namespace {

ui::Control& controlFor(const QString& path) {
    static const QRegularExpression pattern(QStringLiteral("^([^/]+)/([^(]+)(?:\\((\\d+)\\))?$"));
    const auto match = pattern.match(path);
    if (!match.hasMatch())
        qFatal("Not a control path: %s", qPrintable(path));
    ui::Form& form = ui::forms::get(match.captured(1));
    const int index = match.captured(3).isEmpty() ? -1 : match.captured(3).toInt();
    ui::Control* control = form.find(match.captured(2), index);
    if (!control)
        qFatal("No control %s", qPrintable(path));
    return *control;
}

void apply(shell::MainWindow& main, const QString& action) {
    const QString kind = action.section(':', 0, 0);
    const QString what = action.section(':', 1);
    if (kind == QLatin1String("start")) {
        shell::showFirstWindow();
    } else if (kind == QLatin1String("menu")) {
        auto* item = main.findChild<QAction*>(what);
        if (!item)
            qFatal("No menu item %s", qPrintable(what));
        item->trigger();
    } else if (kind == QLatin1String("click")) {
        ui::Control& control = controlFor(what);
        QTest::mouseClick(control.inputWidget(), Qt::LeftButton, {}, control.centre());
    } else if (kind == QLatin1String("press")) {
        ui::Control& control = controlFor(what);
        QTest::mousePress(control.inputWidget(), Qt::LeftButton, {}, control.centre());
        QTest::mouseRelease(control.inputWidget(), Qt::LeftButton, {}, control.centre());
    } else if (kind == QLatin1String("tap")) {
        QWidget* widget = ui::forms::get(what.section('/', 0, 0))
                              .window()
                              ->findChild<QWidget*>(what.section('/', 1));
        if (!widget)
            qFatal("No widget %s", qPrintable(what));
        QTest::mousePress(widget, Qt::LeftButton, {}, widget->rect().center());
        QTest::mouseRelease(widget, Qt::LeftButton, {}, widget->rect().center());
    } else if (kind == QLatin1String("fire")) {
        dynamic_cast<ui::Timer&>(controlFor(what)).fire();
    } else {
        qFatal("Unknown action %s", qPrintable(action));
    }
    testing::settle();
}

int usage() {
    std::fputs("usage: screenshot [--size WxH] [--window NAME] OUT.png ACTION...\n", stderr);
    return 2;
}

} // namespace

int main(int argc, char* argv[]) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QStringList args = app.arguments().mid(1);
    QSize size(1920, 1080);
    QString window;
    while (!args.isEmpty() && args.first().startsWith(QLatin1String("--"))) {
        const QString option = args.takeFirst();
        if (args.isEmpty())
            return usage();
        if (option == QLatin1String("--size")) {
            const QStringList wh = args.takeFirst().split('x');
            size = QSize(wh.value(0).toInt(), wh.value(1).toInt());
        } else if (option == QLatin1String("--window")) {
            window = args.takeFirst();
        } else {
            return usage();
        }
    }
    if (args.isEmpty() || size.isEmpty())
        return usage();
    const QString out = args.takeFirst();

    // Start from empty workshops: wirings kept by an earlier run stay out.
    QStandardPaths::setTestModeEnabled(true);
    QDir(QStandardPaths::writableLocation(QStandardPaths::AppDataLocation)).removeRecursively();
    ui::setUpApplication(app);
    shell::prepare();
    shell::MainWindow main;
    ui::forms::setHost(&main);
    main.resize(size);
    main.show();
    for (const QString& action : args)
        apply(main, action);

    QImage image;
    if (window.isEmpty()) {
        main.resize(size);
        QCoreApplication::processEvents();
        image = main.grab().toImage();
    } else {
        QWidget* surface = ui::forms::get(window).surface();
        surface->resize(size);
        image = surface->grab().toImage();
    }
    if (!image.save(out))
        qFatal("Cannot write %s", qPrintable(out));
    return 0;
}
