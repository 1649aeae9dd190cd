// SPDX-License-Identifier: GPL-3.0-or-later
#include "circuit/library.h"

#include "circuit/json.h"

#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

#include <algorithm>
#include <memory>

namespace circuit {

namespace {

std::unique_ptr<Library>& current() {
    static std::unique_ptr<Library> library;
    return library;
}

} // namespace

QStringList exerciseFolders() {
    QStringList folders;
    for (const QString& data :
         QStandardPaths::standardLocations(QStandardPaths::GenericDataLocation)) {
        const QString folder = QDir::cleanPath(data + QStringLiteral("/ampera/exercicis"));
        if (!folders.contains(folder))
            folders << folder;
    }
    return folders;
}

Library readLibrary(const QStringList& folders) {
    Library library;
    library.exercises = builtInExercises();
    for (const QString& folder : folders) {
        const QFileInfoList files =
            QDir(folder).entryInfoList({QStringLiteral("*.json")}, QDir::Files, QDir::Name);
        for (const QFileInfo& file : files) {
            QString reason;
            std::optional<Exercise> exercise;
            if (const std::optional<QByteArray> bytes = readFile(file.filePath(), &reason))
                exercise = parseExercise(*bytes, &reason);
            if (exercise) {
                const bool taken =
                    std::any_of(library.exercises.begin(), library.exercises.end(),
                                [&](const Exercise& e) { return e.id == exercise->id; });
                if (!taken) {
                    library.exercises.push_back(std::move(*exercise));
                    continue;
                }
                reason = QStringLiteral("l'identificador «%1» ja és d'un altre exercici")
                             .arg(exercise->id);
            }
            library.rejected.push_back({QDir::toNativeSeparators(file.filePath()), reason});
        }
    }
    return library;
}

const Library& library() {
    std::unique_ptr<Library>& library = current();
    if (!library)
        library = std::make_unique<Library>(readLibrary(exerciseFolders()));
    return *library;
}

void reloadLibrary() {
    current().reset();
}

const Exercise* findExercise(const QString& id) {
    for (const Exercise& e : library().exercises)
        if (e.id == id)
            return &e;
    return nullptr;
}

} // namespace circuit
