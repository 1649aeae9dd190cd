// SPDX-License-Identifier: GPL-3.0-or-later
// Renders the program to a PNG after a sequence of learner actions, headless.
//
//   screenshot [--size WxH] [--window NAME] OUT.png ACTION...
//
// Actions, applied in order through the program's real event paths, are
// written as the tests write a learner's actions (see tests/support/learner.h):
//   start                          start as the program does (presentation screen)
//   menu:mnuCuina                  choose a menu item
//   click:frmCuina/CmdInterruptor  click a button or picture box (NAME(i) for arrays)
//   press:frmPlanta/ImgCuina_ordre press the mouse on an image
//   fire:frmPresentació/Rellotge2  let a timer tick once
//   tap:frmTaller_commutada/Fase   press and release the mouse on a widget of a
//                                  window, found by its object name
// Without --window the whole main window is rendered; with it, only that
// window's client area at the given size.
#include "house_fixture.h"
#include "learner.h"

#include "ui/forms.h"

#include <QApplication>

#include <cstdio>

namespace {

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

    // Starts from empty workshops: wirings kept by an earlier run stay out.
    testing::HouseFixture house;
    shell::MainWindow& main = house.mainWindow();
    main.resize(size);
    main.show();
    for (const QString& text : args) {
        testing::Action action;
        if (!testing::Action::parse(text, action))
            qFatal("Unknown action %s", qPrintable(text));
        const QString missing = testing::missingTarget(house, action);
        if (!missing.isEmpty())
            qFatal("%s", qPrintable(missing));
        testing::perform(house, action);
    }

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
