// SPDX-License-Identifier: GPL-3.0-or-later
// What every room's switches do, as one routine over a table per kind of
// circuit. A click reads the switch positions back from the controls that
// show them, tests the combinations in the button's own order, and at the
// first that matches moves the button's lever and draws the combination it
// leads to: conductors, lamp, photographs, truth-table row, then the lamp's
// indicators across the house.
#pragma once

#include "rooms/room_window.h"

#include <vector>

namespace rooms {

// One switch: the line end that shows its position, and where that end
// rests in position 0 and in position 1.
struct Lever {
    enum class End { Start, Finish }; // y1 or y2 of the line
    const char* line;
    End end;
    float at[2];
    // The single switch reads its position from the lamp, as the dark
    // photograph shows it, rather than from its lever.
    bool readFromPhotograph = false;
};

struct Button {
    int lever;                  // the switch it flips
    std::vector<int> readOrder; // the levers it reads, in order
    std::vector<int> tests;     // the combinations it tests, in order
};

// A conductor on every path of the current carries it whenever the lamp is
// lit; another only in the states that name it.
struct Conductor {
    const char* name;
    bool onEveryPath;
};

// A line a state moves (the crossover's links), to a new second end.
struct LineMove {
    const char* line;
    float y2;
};

struct State {
    bool lit;
    std::vector<const char*> live; // the conductors off the common path that carry current
    std::vector<LineMove> moves;
};

// A kind of circuit. A combination numbers the switch positions in lever
// order, the first lever the most significant bit; its state is drawn and
// its truth-table row marked.
struct CircuitTable {
    std::vector<Lever> levers;
    std::vector<Button> buttons;
    std::vector<Conductor> conductors; // in the order a drawing colours them
    std::vector<State> states;         // by combination
    // The single switch marks its row before the lamp and photographs; the
    // others after them.
    bool rowBeforeLamp = false;
};

class SwitchedRoom : public RoomWindow {
    Q_OBJECT
  public:
    SwitchedRoom(const house::Room& room, const CircuitTable& table);

  protected:
    // A click on the table's button `button`.
    void press(int button);
    // Draws a combination; the master bedroom reaches it through its
    // Estat entry points.
    virtual void enterState(int combination) { draw(combination); }
    void draw(int combination);

  private:
    // A lever's position as its controls show it: 0, 1, or -1 when it
    // rests on neither contact.
    int position(const Lever& lever) const;
    void moveLever(const Lever& lever, int position);

    const CircuitTable& table_;
};

} // namespace rooms
