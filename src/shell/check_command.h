// The command line: `ampera --check FILE...` checks learners' wiring files
// without a display, and `--help` and `--version` answer before any window
// exists.
#pragma once

namespace shell {

// Runs the command line's request if it has one: returns the exit status,
// or -1 when there are no arguments and the windows should start.
// Creates a QCoreApplication of its own; must run before any GUI exists.
int runCommandLine(int argc, char* argv[]);

} // namespace shell
