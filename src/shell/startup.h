// SPDX-License-Identifier: GPL-3.0-or-later
// Everything the program does before its first window appears.
#pragma once

class QApplication;

namespace shell {

// Puts Catalan in place of Qt's own texts and tells the window registry how
// to build every window.
void prepare();

// Shows the program's first window, the presentation screen; showing it
// brings up the main window around it.
void showFirstWindow();

} // namespace shell
