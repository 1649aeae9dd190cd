// SPDX-License-Identifier: GPL-3.0-or-later
// Catalan for the texts that Qt itself shows the learner: the menu of a
// window inside the main window (restore, move, size, close...), the
// buttons of message boxes, the file dialogs.
#pragma once

namespace shell {

// Loads Qt's own Catalan catalogue, with the program's wording for two
// entries of the sub-window menu; call once at start-up.
void installQtCatalan();

} // namespace shell
