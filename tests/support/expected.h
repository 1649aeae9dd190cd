// SPDX-License-Identifier: GPL-3.0-or-later
// Facts of the house that tests check the program against, typed here once
// from the house's description instead of read from the program's own
// tables: an expected value taken from the code under test checks nothing.
// Lists that only go round every room come from house::rooms() instead.
#pragma once

#include <QList>
#include <QStringList>

#include <utility>

namespace testing::expected {

// The order in which loading the floor plan, and re-arming the breaker,
// opens the room windows.
inline const QStringList openingOrder = {"frmCuina",       "frmEntrada",     "frmEstudi",
                                         "frmHabitació1",  "frmHabitació2",  "frmLavabogran",
                                         "frmLavabopetit", "frmMenjadorbis", "frmHab_mat"};

// The rooms whose lamp one switch works, in house order.
inline const QStringList singleSwitchRooms = {"frmCuina",      "frmEntrada",    "frmHabitació1",
                                              "frmHabitació2", "frmLavabogran", "frmLavabopetit"};

// The room items of the Portal menu in menu order, each with the window it
// opens.
inline const QList<std::pair<QString, QString>> roomMenu = {
    {"mnuEntrada", "frmEntrada"},       {"mnuCuina", "frmCuina"},
    {"mnuMenjador", "frmMenjadorbis"},  {"mnuBany", "frmLavabogran"},
    {"mnuAseo", "frmLavabopetit"},      {"mnuHab_mat", "frmHab_mat"},
    {"mnuHabitació1", "frmHabitació1"}, {"mnuHabitació2", "frmHabitació2"},
    {"mnuSalaEstudi", "frmEstudi"}};

} // namespace testing::expected
