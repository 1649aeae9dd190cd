// SPDX-License-Identifier: GPL-3.0-or-later
// `ampera --worksheet EXERCISE.json|EXERCISE-ID|WIRING.ampera [--blank]
// --output FILE`: a teacher's worksheets from the command line, one file a
// run, with no display: the blank sheet of an exercise, or a pupil's
// wiring with what it does and its verdict.
#pragma once

#include <QString>

namespace shell {

struct WorksheetRequest {
    QString source; // an exercise file, a built-in or teacher's exercise id, or a wiring file
    bool blank = false;
    QString output; // .pdf, .svg or .png
};

// Whether the arguments ask for a worksheet. Drawing one needs fonts, so
// the application must be a GUI one, made before the arguments are read in
// full.
bool asksForWorksheet(int argc, char* argv[]);

// Chooses a platform that needs no display (Qt's offscreen one) unless
// the user has chosen one, and keeps Qt's notes for developers off the
// error stream; to be called before the application exists.
void prepareHeadless();

// Writes the sheet; returns the exit status, 0 or 2, with the reason in
// Catalan on the error stream.
int writeWorksheet(const WorksheetRequest& request);

} // namespace shell
