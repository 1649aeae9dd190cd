// SPDX-License-Identifier: GPL-3.0-or-later
// Every exercise the program knows: the built-in ones first, then the
// teachers' own exercise files found in "ampera/exercicis" under each of
// the data folders, the user's first. A bad file is left out with its
// reason and never stops the program.
#pragma once

#include "circuit/exercise.h"

#include <QString>
#include <QStringList>

#include <vector>

namespace circuit {

struct Library {
    std::vector<Exercise> exercises; // menu order
    struct Rejected {
        QString file;   // its full path
        QString reason; // in Catalan
    };
    std::vector<Rejected> rejected;
};

// Read on first use and kept for the whole run.
const Library& library();

// The exercise with this identifier, or null.
const Exercise* findExercise(const QString& id);

// Reads the folders again, for tests that put files there. Pointers into
// the previous library become invalid.
void reloadLibrary();

// The folders where teachers put exercises, "ampera/exercicis" in each of
// the system's data folders (Qt's standard locations), the user's first.
QStringList exerciseFolders();

// Reads a library from the built-in exercises and the given folders, in
// order of precedence.
Library readLibrary(const QStringList& folders);

} // namespace circuit
