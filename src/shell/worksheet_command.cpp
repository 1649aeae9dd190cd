// SPDX-License-Identifier: GPL-3.0-or-later
#include "shell/worksheet_command.h"

#include "circuit/circuit_file.h"
#include "circuit/json.h"
#include "circuit/library.h"
#include "circuit/router.h"
#include "shell/console.h"
#include "ui/fonts.h"
#include "workshop/workbench.h"
#include "workshop/worksheet.h"

#include <QStringList>

#include <cstring>
#include <optional>

namespace shell {

namespace {

int fail(const QString& message) {
    console::write(console::Stream::Errors, QStringLiteral("ampera: %1\n").arg(message));
    return 2;
}

QStringList knownIds() {
    QStringList ids;
    for (const circuit::Exercise& e : circuit::library().exercises)
        ids << e.id;
    return ids;
}

} // namespace

bool asksForWorksheet(int argc, char* argv[]) {
    for (int i = 1; i < argc && std::strcmp(argv[i], "--") != 0; ++i)
        if (std::strcmp(argv[i], "--worksheet") == 0)
            return true;
    return false;
}

void prepareHeadless() {
    // Windows' own platform draws without a display as it is; everywhere
    // else the offscreen one does.
    ui::chooseFontEngine();
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    // Qt's notes for developers (such as a missing runtime folder, usual
    // where there is no desktop session) would bury the command's own
    // words; its errors still get through.
    static const QtMessageHandler previous = qInstallMessageHandler(
        [](QtMsgType type, const QMessageLogContext& context, const QString& message) {
            if (type == QtCriticalMsg || type == QtFatalMsg)
                previous(type, context, message);
        });
}

int writeWorksheet(const WorksheetRequest& request) {
    ui::addFontsBesideProgram();
    const QString& source = request.source;
    std::optional<circuit::Exercise> fromFile;
    std::optional<circuit::SavedWiring> saved;
    const circuit::Exercise* exercise = nullptr;
    QString error;
    if (source.endsWith(QLatin1String(".ampera"), Qt::CaseInsensitive)) {
        saved = circuit::loadWiring(source, &error);
        if (!saved)
            return fail(error);
        exercise = saved->exercise;
    } else if (source.endsWith(QLatin1String(".json"), Qt::CaseInsensitive)) {
        if (const std::optional<QByteArray> bytes = circuit::readFile(source, &error))
            fromFile = circuit::parseExercise(*bytes, &error);
        if (!fromFile)
            return fail(QStringLiteral("no es pot llegir l'exercici «%1»: %2").arg(source, error));
        exercise = &*fromFile;
    } else if (!(exercise = circuit::findExercise(source)))
        return fail(QStringLiteral("«%1» no és cap exercici conegut (%2), ni un fitxer d'exercici "
                                   "(.json) o de muntatge (.ampera)")
                        .arg(source, knownIds().join(QStringLiteral(", "))));

    workshop::Workbench bench(*exercise);
    const bool blank = request.blank || !saved;
    if (!blank)
        bench.replaceWiring(saved->wiring);
    const workshop::Worksheet sheet(bench,
                                    blank ? std::vector<circuit::Route>()
                                          : circuit::routeAll(*exercise, saved->wiring.conductors),
                                    blank ? workshop::WorksheetKind::Blank
                                          : workshop::WorksheetKind::Wiring);
    if (!sheet.save(request.output, &error))
        return fail(error);
    return 0;
}

} // namespace shell
