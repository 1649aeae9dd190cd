// SPDX-License-Identifier: GPL-3.0-or-later
// Keeps each exercise's current wiring (and a fault-finding exercise's
// record) in the user's data folder, so that closing the program or a
// power cut loses at most the last change: the workshop stores the wiring
// after every change and restores it at start.
#pragma once

#include "circuit/exercise.h"
#include "circuit/wiring.h"

#include <QString>

#include <optional>

namespace circuit {

// Where the exercise's wiring is kept: "taller/<id>.ampera" in the
// application's data folder.
QString autosavePath(const Exercise& exercise);

// Stores the wiring atomically, creating the folder, on a thread of its
// own, where its text is made too: the call returns at once. A failure is
// only logged: the workshop goes on regardless.
void storeWiring(const Exercise& exercise, const Wiring& wiring, const FaultLog& log = {});

// Waits until every wiring stored so far is on disk.
void flushStoredWirings();

// The wiring kept for the exercise; nothing if there is none or the file
// is bad. `log`, when given, gets a fault-finding exercise's record.
std::optional<Wiring> restoredWiring(const Exercise& exercise, FaultLog* log = nullptr);

} // namespace circuit
