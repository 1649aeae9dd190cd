// SPDX-License-Identifier: GPL-3.0-or-later
// The workshop's own help: how to wire with the mouse, a finger or the
// keyboard, remove a conductor, work the switches, check, save and open,
// print worksheets, and where teachers put their own exercises.
#pragma once

class QWidget;

namespace workshop {

// Brings up the help window, one for the whole program, in front of
// `parent`'s window.
void showWorkshopHelp(QWidget* parent);

} // namespace workshop
