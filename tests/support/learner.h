// SPDX-License-Identifier: GPL-3.0-or-later
// What a learner can do to the running program, as plain data that can be
// written down, read back and replayed: every menu item and shortcut, presses
// on the plans, the switch buttons, the breaker, the compass, the close
// boxes, the help window, keys where the focus is, resizing the main window,
// and the presentation screen's timers. Each action is taken through the
// program's real event paths.
//
// The written form names a control by its window and name, with the index
// of a control array in brackets: "click:frmPlanta/PicMagneto(0)",
// "press:frmCuina/ImgEstudi_ordre,right,shift", "fire:frmPresentació/Rellotge2",
// "menu:mnuCuina", "tap:frmTaller_commutada/Fase" (a widget found by its
// object name), "start" (the program started as it starts itself). The
// random-use test and the screenshot tool read and write the same form.
#pragma once

#include <QPointF>
#include <QString>
#include <Qt>

#include <cstdint>
#include <vector>

namespace testing {

class HouseFixture;
class HouseModel;

struct Action {
    enum class Kind {
        Tick,      // a tick of one of the presentation screen's timers
        Menu,      // a menu item chosen with the mouse
        MenuKeys,  // a menu item reached through its access keys
        PlanKey,   // Ctrl+P
        Press,     // a mouse press on a plan image, or on a point of the plan
        Switch,    // a switch button of a room
        Breaker,   // the breaker picture on the floor plan
        Compass,   // a compass button on the floor plan
        Close,     // the close box of the window in front
        CloseHelp, // the help window's close box
        Exit,      // F11, "S&ortir" by mouse or keys, or the floor plan's exit button
        Resize,    // the main window resized (its new size in x and y, pixels)
        Key,       // a key pressed where the keyboard focus is: Tab, Space,
                   // Enter, Escape, Ctrl+Tab, Ctrl+F4 and the like
        // Not taken at random:
        Start, // the program started as it starts itself
        Click, // a click on any other control of a window
        Tap,   // a press and release on a widget found by its object name
    };
    // How a button is worked: clicked, or focused and pressed with a key.
    enum class Way { Mouse, Space, Enter };

    Kind kind = Kind::Menu;
    QString window;  // the window acted on, where there is one
    QString control; // the timer, menu item, image, button, or exit path
    int index = -1;  // the breaker picture, or a clicked control's index
    Qt::MouseButton button = Qt::LeftButton;
    Qt::KeyboardModifiers modifiers;
    Way way = Way::Mouse;
    // For a press on a point of the plan: where, as a fraction of the plan
    // picture box (0 to 1 across and down).
    double x = 0, y = 0;

    // One line of text that `parse` reads back, such as
    // "press:frmCuina/ImgEstudi_ordre,right,shift".
    QString toString() const;
    static bool parse(const QString& text, Action& action);
    bool operator==(const Action&) const = default;
};

// How many kinds of action a learner takes at random.
constexpr int actionKinds = int(Action::Kind::Key) + 1;

// A sequence written on one line, actions separated by ';'.
QString toString(const std::vector<Action>& actions);
bool parse(const QString& text, std::vector<Action>& actions);

// The window in front inside the main window ("" if none), whether or not
// the main window has the focus.
QString frontWindow(HouseFixture& house);

// Whether the learner can take the action now: the window it acts on is in
// front, the picture it clicks is showing, the program is running.
bool applicable(HouseFixture& house, const Action& action);

// What stops the action from being taken at all: its menu item, control
// or widget does not exist. Empty when nothing does.
QString missingTarget(HouseFixture& house, const Action& action);

// Takes the action through real events and lets the program settle.
void perform(HouseFixture& house, const Action& action);

// What a key does where the focus is now, as the action with the same
// effect (a switch pressed, a window closed...): the key action itself when
// it only moves the focus or the window in front, or does nothing.
Action keyEffect(HouseFixture& house, const Action& key);

// Where a press lands, in twips inside the plan picture box that receives
// it (the point the program itself sees).
QPointF pressPoint(HouseFixture& house, const Action& action);

// A small deterministic generator, the same on every machine.
class Random {
  public:
    explicit Random(std::uint64_t seed) : state_(seed) {}
    std::uint64_t next();
    // 0 <= result < bound
    int below(int bound) { return int(next() % std::uint64_t(bound)); }
    bool chance(double probability) { return double(next() >> 11) * 0x1.0p-53 < probability; }
    double unit() { return double(next() >> 11) * 0x1.0p-53; }

  private:
    std::uint64_t state_;
};

// How a learner behaves in one run of the program: an eager one goes for
// the dark rooms and lights them, and so trips the breaker now and then.
struct Temperament {
    bool eager = false;
};

// An action the learner can take now, chosen at random; none of them ends
// the program.
Action randomAction(Random& random, HouseFixture& house, const HouseModel& model,
                    Temperament temperament);
// One of the ways of ending the program that the learner can take now.
Action randomExit(Random& random, HouseFixture& house);
// The main window resized to one of a few sizes.
Action randomResize(Random& random);

} // namespace testing
