// SPDX-License-Identifier: GPL-3.0-or-later
// Drives the real program in tests: the main window with its menu, the
// windows of the house, and real mouse, keyboard and menu events.
#pragma once

#include "settle.h"

#include "shell/main_window.h"
#include "ui/controls.h"
#include "ui/forms.h"

#include <QImage>
#include <QTest>

#include <functional>
#include <memory>

namespace testing {

// Whether the program has ended as the learner sees it: none of its windows
// is left on the screen.
bool programEnded();

// A mouse press and release at `at` in `widget` (its middle without one),
// then the program settles: what a learner's press on a picture does.
void tap(QWidget* widget, QPoint at, Qt::MouseButton button = Qt::LeftButton,
         Qt::KeyboardModifiers modifiers = {});
// The offscreen platform that runs the tests headless has no window
// system, so it cannot do what a desktop's window manager does for a
// program: raise a window, pass size hints on, grab the keyboard for an
// open menu. It says so each time Qt asks; these notices say nothing about
// the program.
bool isOffscreenNotice(const QString& message);

inline void tap(QWidget* widget) {
    tap(widget, widget->rect().center());
}

// The switch whose one click lights a dark room: its only switch, or the
// first of two or three.
QString firstSwitch(const ui::Form& room);

// Lights the lamp of every room but those in `except`, in house order, to
// bring the house to the edge of a trip. Each room is brought up as a
// learner would (maximised) and lit through its first switch, unless
// `light` says how to light one.
void lightAllBut(const QStringList& except,
                 const std::function<void(const QString& window)>& light = {});

class HouseFixture {
  public:
    // Sets up the program's look, pictures and windows; call once per test
    // program (in initTestCase).
    HouseFixture();
    ~HouseFixture();

    // Starts again from nothing: every window destroyed, a new main window.
    void reset();

    shell::MainWindow& mainWindow() { return *main_; }
    ui::Form& window(const QString& name) { return ui::forms::get(name); }
    ui::Form* loaded(const QString& name) { return ui::forms::loaded(name); }

    // A mouse press on the middle of a control, as a learner's would be.
    void press(const ui::Control& control, Qt::MouseButton button = Qt::LeftButton);
    // A full click (press and release) on a button or picture box.
    void click(const ui::Control& control);
    // Chooses a menu item by its name, through its action.
    void chooseMenu(const QString& itemName);
    // Types a key sequence into the main window (shortcuts).
    void type(const QKeySequence& keys);
    // Lets deferred deletions and repaints happen.
    void settle() { testing::settle(); }

    // The window's client area rendered at `size` logical pixels.
    QImage render(ui::Form& form, QSize size);

    // The window in front inside the main window, if any.
    QString activeWindow() const;
    // The child windows from the back to the front.
    QStringList stacking() const;

  private:
    std::unique_ptr<shell::MainWindow> main_;
};

} // namespace testing
