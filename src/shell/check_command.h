// SPDX-License-Identifier: GPL-3.0-or-later
// The command line: `ampera --check FILE...` checks learners' wiring files
// and `ampera --worksheet` draws worksheets, without a display, and
// `--help` and `--version` answer before any window exists.
#pragma once

#include <QString>

namespace shell {

// Runs the command line's request if it has one: returns the exit status,
// or -1 when the windows should start: with no arguments, or with one
// wiring file to open (what a desktop passes when the learner opens a
// file), which is put in `fileToOpen`.
// Creates an application object of its own; must run before any GUI exists.
int runCommandLine(int argc, char* argv[], QString* fileToOpen);

} // namespace shell
