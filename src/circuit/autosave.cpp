#include "circuit/autosave.h"

#include "circuit/circuit_file.h"
#include "circuit/json.h"

#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>
#include <QtDebug>

namespace circuit {

QString autosavePath(const Exercise& exercise) {
    return QStandardPaths::writableLocation(QStandardPaths::AppDataLocation) +
           QStringLiteral("/taller/") + exercise.id + QStringLiteral(".ampera");
}

void storeWiring(const Exercise& exercise, const Wiring& wiring) {
    const QString path = autosavePath(exercise);
    QString error;
    if (!QDir().mkpath(QFileInfo(path).absolutePath()) ||
        !saveWiring(path, exercise, wiring, &error))
        qWarning("%s", qPrintable(
                           error.isEmpty()
                               ? QStringLiteral("No s'ha pogut crear la carpeta de «%1».").arg(path)
                               : error));
}

std::optional<Wiring> restoredWiring(const Exercise& exercise) {
    const QString path = autosavePath(exercise);
    if (!QFileInfo::exists(path))
        return std::nullopt;
    // Read against this very exercise, whichever copy of it the caller holds.
    QString reason;
    std::optional<QByteArray> bytes = readFile(path, &reason);
    std::optional<SavedWiring> saved;
    if (bytes)
        saved = parseWiringFor(
            *bytes, [&](const QString& id) { return id == exercise.id ? &exercise : nullptr; },
            &reason);
    if (!saved) {
        qWarning("%s", qPrintable(QStringLiteral("Es deixa de banda el muntatge desat a «%1»: %2.")
                                      .arg(path, reason)));
        return std::nullopt;
    }
    return saved->wiring;
}

} // namespace circuit
