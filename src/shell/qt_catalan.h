// Catalan for the few texts that Qt itself shows the learner: the menu of
// a window inside the main window (restore, move, size, close...).
#pragma once

namespace shell {

// Puts the Catalan texts in place of Qt's own; call once at start-up.
void installQtCatalan();

} // namespace shell
