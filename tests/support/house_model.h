// SPDX-License-Identifier: GPL-3.0-or-later
// What the program ought to show, kept apart from the program: which
// windows exist and which is in front, each room's switch combination, every
// lamp indicator on every window, the breaker, the views and the presentation
// screen. It follows the learner's actions by the rules of the house, and
// `check` reads the program's controls back and lists every difference and
// every broken invariant.
#pragma once

#include "learner.h"
#include "wiring_oracle.h"

#include <QHash>
#include <QPointF>
#include <QStringList>

#include <map>

namespace testing {

class HouseFixture;

class HouseModel {
  public:
    HouseModel();

    // The program has just started: the presentation screen is up.
    void start();
    // Follows an action that the learner took. `pressedAt` is where a press
    // landed (twips in the plan picture box); `frontAfter` the window in
    // front afterwards, used where the program may choose it (after a close
    // box).
    void apply(const Action& action, QPointF pressedAt, const QString& frontAfter);

    // Everything in which the program differs from the model, and every
    // broken invariant; empty when they agree.
    QStringList check(HouseFixture& house);

    bool ended() const { return ended_; }
    bool tripped() const { return planLoaded_ && tripped_; }
    // Whether a room's lamp is lit (a room whose window is not loaded is
    // dark).
    bool lit(const QString& room) const;
    int trips() const { return trips_; }

    static bool isRoom(const QString& window);
    // A room's switch buttons, in the order of its switches.
    static const QStringList& switchButtons(const QString& room);
    // The "&Portal" items that open a window, and the window each opens.
    static const QStringList& menuItems();
    static QString windowOfMenuItem(const QString& item);
    static QString menuItemOf(const QString& window);

  private:
    struct RoomState {
        int combination = 0;
        bool switched = false; // switched at least once since it was loaded
        bool shown = false;
    };

    bool isLoaded(const QString& window) const;
    // A reference to a window: creates it as the program would.
    void get(const QString& window);
    void show(const QString& window);
    void maximise(const QString& window);
    void showRooms();
    void unloadRooms();
    void openFromMenu(const QString& item);
    void press(const QString& window, QPointF at, const QString& frontAfter);
    void switchClicked(const QString& room, const QString& button);
    void writeIndicators(const QString& room, bool lit);
    void trip();
    void rearm();
    void end();

    void checkWindows(HouseFixture& house, QStringList& out) const;
    void checkPresentation(HouseFixture& house, QStringList& out) const;
    void checkPlan(HouseFixture& house, QStringList& out) const;
    void checkRoom(HouseFixture& house, const QString& room, QStringList& out) const;
    void checkIndicators(HouseFixture& house, QStringList& out) const;

    bool presentation_ = false;
    bool barDrawn_ = false;
    bool demoLit_ = false;
    bool planLoaded_ = false;
    bool planShown_ = false;
    bool tripped_ = false;
    int view_ = -1; // the face chosen with the compass; -1 before the first
    bool help_ = false;
    bool ended_ = false;
    std::map<QString, RoomState> rooms_; // the loaded rooms
    // The ten indicators of every loaded window of the house.
    std::map<QString, QHash<QString, bool>> indicators_;
    QString front_;
    bool frontKnown_ = false;
    bool frontMaximised_ = false;
    int trips_ = 0;
    // Contradictions met while following an action, reported by `check`.
    QStringList faults_;
};

} // namespace testing
