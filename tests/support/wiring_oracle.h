// SPDX-License-Identifier: GPL-3.0-or-later
// An independent model of the rooms' wiring, for checking what the windows
// draw: each diagram is a netlist of conductors between terminals, some of
// them present only while a switch is in one position, and the lamp between
// two terminals. For a setting of the switches the model finds the closed
// paths from phase to neutral and so whether the lamp is lit and which
// conductors carry current.
#pragma once

#include <QSet>
#include <QString>
#include <QStringList>

#include <vector>

namespace testing::wiring {

class Netlist {
  public:
    // The supply terminals and the lamp's two terminals; `switches` is how
    // many switches the diagram has.
    Netlist(QString phase, QString neutral, QString lampIn, QString lampOut, int switches);

    // A conductor that is always in place.
    void wire(const QString& conductor, const QString& a, const QString& b);
    // A conductor that joins `a` and `b` only while switch `index` is in
    // `position` (a lever, or a crossover link).
    void wireWhen(int index, int position, const QString& conductor, const QString& a,
                  const QString& b);

    int switches() const { return switches_; }
    // Every conductor, each named once, in the order first wired.
    QStringList conductors() const;

    struct Flow {
        bool lit = false;
        // The conductors on a closed path from phase to neutral through
        // the lamp.
        QSet<QString> live;
        // A path from phase to neutral that bypasses the lamp.
        bool shortCircuit = false;
    };
    // The flow for the switch positions `positions[i]` (0 or 1) of switch i.
    Flow solve(const std::vector<int>& positions) const;
    // The same, for combination k, where switch 0 is the most significant
    // bit (k = 2·C1 + C2, or 4·C1 + 2·CR + C2).
    Flow solve(int combination) const;
    std::vector<int> positionsOf(int combination) const;

  private:
    struct Edge {
        QString conductor; // empty for the lamp
        QString a, b;
        int switchIndex; // -1: always in place
        int position;
    };
    QString phase_, neutral_;
    int switches_;
    std::vector<Edge> edges_;
};

// The study's and the dining room's diagram: switches C1 and C2.
Netlist twoWayDiagram();
// The master bedroom's diagram: switches C1, CR and C2.
Netlist masterBedroomDiagram();

} // namespace testing::wiring

namespace ui {
class Form;
}

namespace testing {

class HouseFixture;

namespace wiring {

// A line whose coordinate shows one switch's position.
struct PositionLine {
    int switchIndex;
    QString line;
    bool firstEnd; // Y1 moves (else Y2)
    float position1, position0;
};

// What a check needs to know of a room window besides its wiring.
struct RoomDrawing {
    QString window;
    QString photographs;    // the picture-box pair: 0 lit, 1 dark
    QStringList indicators; // the room's lamp indicators
    std::vector<PositionLine> positionLines;
};

// Everything in which the drawn window differs from what the wiring gives
// for `combination`: the switch lines, the lamp, the photographs, the
// room's indicators on all ten windows, the one highlighted truth-table
// row and its digits, the colour of every conductor (read from the
// properties and from the pixels of the window rendered at 1920 × 1000),
// the lines that are no conductor, and the window being in front. Empty
// when they agree.
QStringList drawingDifferences(HouseFixture& house, const RoomDrawing& room, const Netlist& netlist,
                               int combination);

} // namespace wiring
} // namespace testing
