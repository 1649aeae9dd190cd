// SPDX-License-Identifier: GPL-3.0-or-later
// A learner's wiring as a file of the "ampera-circuit" format: the exercise
// it belongs to, its conductors as pairs of terminal names (each with its
// insulation colour, in files that give colours) and where each switch
// stands. Files may come from anywhere, so reading checks everything
// and says in Catalan what is wrong; saving is atomic.
#pragma once

#include "circuit/exercise.h"
#include "circuit/faults.h"
#include "circuit/json.h"
#include "circuit/wiring.h"

#include <QByteArray>
#include <QJsonValue>
#include <QString>

#include <functional>
#include <optional>

namespace circuit {

// The newest version of the format this program reads and writes. A file is
// written in the oldest version that knows every kind of its exercise
// (Exercise::wiringFormatVersion) and the colours of its conductors: 1, or
// 2 with an earth bar, a socket, a double switch, a push button, a bell, an
// impulse relay or a timer, or with conductors that state their colour.
constexpr int CircuitFormatVersion = 2;

struct SavedWiring {
    const Exercise* exercise; // one of library()'s
    Wiring wiring;
    // On a fault-finding exercise, what the pupil measured and marked, and
    // whether the faults were repaired; the wiring holds the faults while
    // they are not.
    FaultLog log;
};

// The text of a wiring file (UTF-8 JSON, indented), with the record of a
// fault-finding exercise.
QByteArray serializeWiring(const Exercise& exercise, const Wiring& wiring,
                           const FaultLog& log = {});

// Reads a list of conductors in a wiring file's form: pairs of terminal
// names, each with its colour or not, no conductor from a terminal to
// itself and none twice (in either order). `field` names the list in the
// messages: "conductors" in a wiring file, "wiring" in an exercise's.
bool readConductors(JsonReader& reader, const QJsonValue& list, const Exercise& exercise,
                    const QString& field, std::vector<Conductor>& out);

// Reads the positions of switch buttons, an object from their names to 0
// or 1, into `positions` (one a button, in Exercise::switches order); a
// button left out keeps its position. `where` begins every message.
bool readPositions(JsonReader& reader, const QJsonValue& object, const Exercise& exercise,
                   const QString& where, std::vector<int>& positions);
// Every button's position, as readPositions() reads it, on one line.
QByteArray positionsJson(const Exercise& exercise, const std::vector<int>& positions);

// Reads a wiring file's text; `error` gets what is wrong, in Catalan. The
// exercise is looked up among every exercise the program knows.
std::optional<SavedWiring> parseWiring(const QByteArray& json, QString* error);

// Finds an exercise by its identifier, or null.
using ExerciseLookup = std::function<const Exercise*(const QString& id)>;

// The same, with the exercise looked up by `lookup`.
std::optional<SavedWiring> parseWiringFor(const QByteArray& json, const ExerciseLookup& lookup,
                                          QString* error);

// Reads a file; `reason` says what is wrong without naming the file.
std::optional<SavedWiring> readWiringFile(const QString& path, QString* reason);

// Reads a file: no larger than MaxFileBytes (checked before reading it all)
// and readable; `error` names the file and says what is wrong.
std::optional<SavedWiring> loadWiring(const QString& path, QString* error);

// Saves atomically with QSaveFile: the file on disk is always the old
// version or the new one. False with a Catalan reason naming the file.
bool saveWiring(const QString& path, const Exercise& exercise, const Wiring& wiring,
                const FaultLog& log, QString* error);
// The same for a text already made.
bool saveAtomically(const QString& path, const QByteArray& text, QString* error);

// `name` made fit to name a file on any system the program runs on, a FAT
// memory stick included: ": " becomes " - ", every other character that
// Windows refuses (\ / : * ? " < > | and control characters) a hyphen,
// and the trailing dots and spaces that Windows drops are removed.
QString safeFileName(QString name);

} // namespace circuit
