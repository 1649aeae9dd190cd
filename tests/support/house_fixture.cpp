// SPDX-License-Identifier: GPL-3.0-or-later
#include "house_fixture.h"

#include "circuit/autosave.h"
#include "house/catalogue.h"
#include "shell/startup.h"
#include "ui/application.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QStandardPaths>

#include <algorithm>

namespace testing {

bool programEnded() {
    const QWidgetList windows = QApplication::topLevelWidgets();
    return std::none_of(windows.cbegin(), windows.cend(),
                        [](const QWidget* window) { return window->isVisible(); });
}

bool isOffscreenNotice(const QString& message) {
    static const QStringList notices = {
        "This plugin does not support raise()",
        "This plugin does not support propagateSizeHints()",
        "This plugin does not support grabbing the keyboard",
    };
    return notices.contains(message);
}

void tap(QWidget* widget, QPoint at, Qt::MouseButton button, Qt::KeyboardModifiers modifiers) {
    QTest::mousePress(widget, button, modifiers, at);
    QTest::mouseRelease(widget, button, modifiers, at);
    settle();
}

QString firstSwitch(const ui::Form& room) {
    const QString single = QStringLiteral("CmdInterruptor");
    return room.find(single) ? single : QStringLiteral("CmdCommutador1");
}

void lightAllBut(const QStringList& except,
                 const std::function<void(const QString& window)>& light) {
    ui::forms::get(house::floorPlan); // loading the plan opens every room
    for (const house::Room& room : house::rooms()) {
        if (except.contains(room.window))
            continue;
        if (light) {
            light(room.window);
            continue;
        }
        ui::Form& form = ui::forms::get(room.window);
        form.setWindowState(ui::Form::WindowState::Maximized);
        const ui::Control& button = form.button(firstSwitch(form));
        QTest::mouseClick(button.inputWidget(), Qt::LeftButton, {}, button.centre());
        settle();
    }
}

HouseFixture::HouseFixture() {
    // The workshop keeps wirings in the user's data folder: tests use a
    // folder of their own, emptied before each case.
    QStandardPaths::setTestModeEnabled(true);
    ui::setUpApplication(*qApp);
    shell::prepare();
    reset();
}

HouseFixture::~HouseFixture() {
    ui::forms::reset();
    ui::forms::setHost(nullptr);
}

void HouseFixture::reset() {
    ui::forms::reset();
    circuit::flushStoredWirings();
    QDir(QStandardPaths::writableLocation(QStandardPaths::AppDataLocation)).removeRecursively();
    settle();
    main_ = std::make_unique<shell::MainWindow>();
    main_->resize(1280, 800);
    ui::forms::setHost(main_.get());
}

void HouseFixture::press(const ui::Control& control, Qt::MouseButton button) {
    tap(control.inputWidget(), control.centre(), button);
}

void HouseFixture::click(const ui::Control& control) {
    QTest::mouseClick(control.inputWidget(), Qt::LeftButton, {}, control.centre());
    settle();
}

void HouseFixture::chooseMenu(const QString& itemName) {
    auto* action = main_->findChild<QAction*>(itemName);
    QVERIFY2(action, qPrintable(itemName));
    action->trigger();
    settle();
}

void HouseFixture::type(const QKeySequence& keys) {
    QTest::keySequence(main_.get(), keys);
    settle();
}

QImage HouseFixture::render(ui::Form& form, QSize size) {
    QWidget* surface = form.surface();
    const QSize before = surface->size();
    surface->resize(size);
    QImage image = surface->grab().toImage();
    surface->resize(before);
    return image;
}

QString HouseFixture::activeWindow() const {
    QMdiSubWindow* active = main_->area().activeSubWindow();
    return active && active->widget() ? active->widget()->objectName() : QString();
}

QStringList HouseFixture::stacking() const {
    QStringList names;
    const auto frames = main_->area().subWindowList(QMdiArea::StackingOrder);
    for (QMdiSubWindow* frame : frames)
        names << frame->widget()->objectName();
    return names;
}

} // namespace testing
