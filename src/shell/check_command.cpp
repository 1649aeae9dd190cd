// SPDX-License-Identifier: GPL-3.0-or-later
#include "shell/check_command.h"

#include "circuit/checker.h"
#include "circuit/circuit_file.h"
#include "circuit/exercise.h"
#include "circuit/json.h"
#include "circuit/library.h"
#include "shell/console.h"
#include "shell/worksheet_command.h"

#include <QDir>
#include <QGuiApplication>
#include <QStringList>

#include <algorithm>
#include <memory>

namespace shell {

namespace {

enum Status { AllCorrect = 0, SomeWrong = 1, SomeUnreadable = 2 };

const char* const Help =
    "Ús: ampera\n"
    "    ampera MUNTATGE.ampera\n"
    "    ampera --check [--csv [--csv-separator C]] FITXER...\n"
    "    ampera --worksheet EXERCICI.json|EXERCICI|MUNTATGE.ampera [--blank]\n"
    "           --output FULL.pdf|FULL.svg|FULL.png\n"
    "\n"
    "Sense arguments, obre el programa; amb un muntatge desat, l'obre al taller.\n"
    "\n"
    "  --check FITXER...  comprova els muntatges desats del taller (fitxers .ampera)\n"
    "                     sense obrir cap finestra: una línia per fitxer amb el\n"
    "                     veredicte, com el de «Comprova», i a sota els cinc\n"
    "                     criteris, amb «sí», «no» i la primera combinació en què\n"
    "                     falla, o «—» si no es pot jutjar, com quan cap làmpada\n"
    "                     no s'encén o cap conductor no té color desat. D'un\n"
    "                     exercici d'avaries, també «Avaria trobada» («sí», o «no»\n"
    "                     i quantes se n'han trobat), «Marques errònies» i\n"
    "                     «Mesures». Un fitxer d'exercici (.json) es valida:\n"
    "                     «exercici vàlid» i el títol, o «error» i cada motiu pel\n"
    "                     qual no es carregaria, un per línia.\n"
    "  --csv              amb --check, una fila per fitxer, amb els criteris en\n"
    "                     columnes, per a un full de càlcul: fitxer, exercici,\n"
    "                     resultat («Correcte», «Incorrecte» o «Error»), veredicte\n"
    "                     i criteris, els tres d'avaries buits si no ho és.\n"
    "  --csv-separator C  com --csv, amb els camps separats per C en lloc de\n"
    "                     comes: «;» per als fulls de càlcul en català o castellà.\n"
    "  --worksheet FONT   fa un full de treball, una pàgina A4 apaïsada, sense obrir\n"
    "                     cap finestra. D'un exercici (un fitxer .json o el nom\n"
    "                     d'un exercici, com «commutada»), el full en blanc; d'un\n"
    "                     muntatge desat, el full amb el muntatge, què fa i el\n"
    "                     veredicte.\n"
    "  --blank            amb --worksheet i un muntatge, el full en blanc del seu\n"
    "                     exercici.\n"
    "  --output FITXER    on es desa el full: PDF, SVG o PNG, segons l'extensió.\n"
    "  --help             mostra aquesta ajuda.\n"
    "  --version          mostra la versió del programa.\n"
    "\n"
    "Coneix els exercicis del programa i els dels professors, que són a:\n"
    "%1"
    "\n"
    "Estat de sortida de --check: 0 si tots els muntatges són correctes (en un\n"
    "exercici d'avaries, amb totes les avaries trobades i reparades), 1 si n'hi\n"
    "ha algun que no ho és, 2 si algun fitxer no s'ha pogut llegir o no és\n"
    "vàlid. De --worksheet: 0 si s'ha desat el full, 2 si no.\n";

QString helpText() {
    QString folders;
    for (const QString& folder : circuit::exerciseFolders())
        folders += QStringLiteral("  ") + QDir::toNativeSeparators(folder) + QLatin1Char('\n');
    return QString::fromUtf8(Help).arg(folders);
}

// "sí"; "no" and the first combination where the criterion fails; or "—"
// when it cannot be judged.
QString mark(const circuit::Criterion& criterion) {
    if (criterion.met())
        return QStringLiteral("sí");
    if (!criterion.failed())
        return QStringLiteral("—");
    return criterion.where.isEmpty() ? QStringLiteral("no")
                                     : QStringLiteral("no (%1)").arg(criterion.where);
}

// The criteria of a fault-finding exercise, after the five.
const QStringList& faultCriterionNames() {
    static const QStringList names = {QStringLiteral("Avaria trobada"),
                                      QStringLiteral("Marques errònies"),
                                      QStringLiteral("Mesures")};
    return names;
}

// Every column after the verdict, empty: a row for a file that was not
// checked, so a spreadsheet lines the rows up.
QStringList emptyCriteria() {
    return QStringList(int(circuit::criterionNames().size() + faultCriterionNames().size()),
                       QString());
}

// "sí", or "no" and how many of the faults were found; the wrong marks
// and the measurements. Empty for any other exercise.
QStringList faultMarks(const circuit::SavedWiring& saved) {
    const circuit::Exercise& e = *saved.exercise;
    if (!e.findsFaults())
        return QStringList(int(faultCriterionNames().size()), QString());
    const std::vector<bool> found = saved.log.found(e);
    const auto foundCount = std::count(found.begin(), found.end(), true);
    const auto wrong = std::count_if(saved.log.marks.begin(), saved.log.marks.end(),
                                     [](const circuit::FaultMark& m) { return !m.right; });
    return {foundCount == qsizetype(found.size())
                ? QStringLiteral("sí")
                : QStringLiteral("no (%1 de %2)").arg(foundCount).arg(found.size()),
            QString::number(wrong), QString::number(saved.log.measurements.size())};
}

// Whether a file passes: its wiring correct and, on a fault-finding
// exercise, every fault found and repaired.
bool passes(const circuit::SavedWiring& saved, const circuit::Report& report) {
    if (report.verdict != circuit::Verdict::Correct)
        return false;
    if (!saved.exercise->findsFaults())
        return true;
    const std::vector<bool> found = saved.log.found(*saved.exercise);
    return saved.log.repaired && std::all_of(found.begin(), found.end(), [](bool f) { return f; });
}

// A field of a CSV row, quoted when it must be.
QString field(QString text, QChar separator) {
    if (!text.contains(separator) && !text.contains(QLatin1Char('"')) &&
        !text.contains(QLatin1Char('\n')))
        return text;
    return QLatin1Char('"') + text.replace(QLatin1Char('"'), QStringLiteral("\"\"")) +
           QLatin1Char('"');
}

QString row(const QStringList& fields, QChar separator) {
    QStringList quoted;
    for (const QString& f : fields)
        quoted << field(f, separator);
    return quoted.join(separator) + QLatin1Char('\n');
}

// Whether the answer is a table for a spreadsheet, and what parts its
// fields: a comma, or a semicolon for spreadsheets set up for Catalan or
// Spanish, whose decimal comma takes the comma.
struct Csv {
    bool wanted = false;
    QChar separator = QLatin1Char(',');
};

// A teacher's exercise file, checked as the program reads it: its title
// when it is valid, or every fault found, one a line (one field in a CSV).
int checkExerciseFile(const QString& file, Csv csv) {
    QString unread;
    QStringList faults;
    std::optional<circuit::Exercise> exercise;
    if (const std::optional<QByteArray> bytes = circuit::readFile(file, &unread))
        exercise = circuit::parseExercise(*bytes, &faults);
    else
        faults << unread;
    const QString valid =
        exercise ? QStringLiteral("exercici vàlid: ") + exercise->title : QString();
    if (csv.wanted)
        console::write(
            console::Stream::Output,
            row(QStringList{file, exercise ? exercise->id : QString(),
                            exercise ? QStringLiteral("Correcte") : QStringLiteral("Error"),
                            exercise
                                ? valid
                                : QStringLiteral("error: ") + faults.join(QStringLiteral("; "))} +
                    emptyCriteria(),
                csv.separator));
    else if (exercise)
        console::write(console::Stream::Output, QStringLiteral("%1: %2\n").arg(file, valid));
    else
        for (const QString& fault : faults)
            console::write(console::Stream::Output,
                           QStringLiteral("%1: error: %2\n").arg(file, fault));
    return exercise ? AllCorrect : SomeUnreadable;
}

// Checks every file and prints one entry each; returns the exit status.
int check(const QStringList& files, Csv csv) {
    if (csv.wanted) {
        QStringList heading = {QStringLiteral("fitxer"), QStringLiteral("exercici"),
                               QStringLiteral("resultat"), QStringLiteral("veredicte")};
        for (const QString& name : circuit::criterionNames())
            heading << name;
        heading << faultCriterionNames();
        console::write(console::Stream::Output, row(heading, csv.separator));
    }
    // A teacher whose exercise file is bad learns why its wirings are unknown.
    for (const circuit::Library::Rejected& r : circuit::library().rejected)
        console::write(console::Stream::Errors,
                       QStringLiteral("ampera: s'ha deixat de banda l'exercici «%1»: %2\n")
                           .arg(r.file, r.reason));
    int status = AllCorrect;
    for (const QString& file : files) {
        if (file.endsWith(QLatin1String(".json"), Qt::CaseInsensitive)) {
            status = std::max(status, checkExerciseFile(file, csv));
            continue;
        }
        QString reason;
        const std::optional<circuit::SavedWiring> saved = circuit::readWiringFile(file, &reason);
        if (!saved) {
            status = SomeUnreadable;
            // Every row has every column, so a spreadsheet lines them up.
            console::write(console::Stream::Output,
                           csv.wanted ? row(QStringList{file, QString(), QStringLiteral("Error"),
                                                        QStringLiteral("error: ") + reason} +
                                                emptyCriteria(),
                                            csv.separator)
                                      : QStringLiteral("%1: error: %2\n").arg(file, reason));
            continue;
        }
        const circuit::Report report = circuit::check(*saved->exercise, saved->wiring);
        const bool passed = passes(*saved, report);
        if (!passed)
            status = std::max(status, int(SomeWrong));
        const QStringList faultFields = faultMarks(*saved);
        if (csv.wanted) {
            QStringList fields = {
                file, saved->exercise->id,
                passed ? QStringLiteral("Correcte") : QStringLiteral("Incorrecte"), report.text};
            for (const circuit::Criterion& c : report.criteria)
                fields << mark(c);
            console::write(console::Stream::Output, row(fields + faultFields, csv.separator));
            continue;
        }
        QString entry = QStringLiteral("%1: %2\n").arg(file, report.text);
        for (const circuit::Criterion& c : report.criteria)
            entry += QStringLiteral("  %1: %2\n").arg(c.name, mark(c));
        if (saved->exercise->findsFaults())
            for (int i = 0; i < faultCriterionNames().size(); ++i)
                entry += QStringLiteral("  %1: %2\n").arg(faultCriterionNames()[i], faultFields[i]);
        console::write(console::Stream::Output, entry);
    }
    return status;
}

int usage(const QString& problem) {
    console::write(console::Stream::Errors,
                   QStringLiteral("ampera: %1\nPer veure com s'usa: ampera --help\n").arg(problem));
    return SomeUnreadable;
}

// The worksheet's options, checked before the sheet is drawn.
int worksheetCommand(bool asked, const WorksheetRequest& request, bool checking,
                     const QStringList& files) {
    if (!asked)
        return usage(QStringLiteral("--blank i --output només van amb --worksheet"));
    if (checking)
        return usage(QStringLiteral("--worksheet no va amb --check ni amb --csv"));
    if (!files.isEmpty())
        return usage(
            QStringLiteral("no sé què fer amb «%1»: --worksheet fa un sol full").arg(files[0]));
    if (request.output.isEmpty())
        return usage(QStringLiteral("--worksheet necessita --output FULL.pdf, .svg o .png"));
    return writeWorksheet(request);
}

} // namespace

int runCommandLine(int argc, char* argv[], QString* fileToOpen) {
    if (argc <= 1)
        return -1;
    // No display is needed, nor touched; a worksheet needs fonts, which
    // only a GUI application has, and gets a platform with no display.
    const bool sheet = asksForWorksheet(argc, argv);
    if (sheet)
        prepareHeadless();
    const std::unique_ptr<QCoreApplication> app =
        sheet ? std::make_unique<QGuiApplication>(argc, argv)
              : std::make_unique<QCoreApplication>(argc, argv);
    // Qt reads the arguments as the system gives them: on Windows from the
    // command line in UTF-16, where argv would have lost every character
    // outside the system's code page (an "Ŀ" in a pupil's name).
    const QStringList args = QCoreApplication::arguments().mid(1);

    bool checking = false, optionsEnded = false;
    Csv csv;
    bool worksheet = false;
    WorksheetRequest sheetOptions;
    QStringList files;
    for (qsizetype i = 0; i < args.size(); ++i) {
        const QString& arg = args[i];
        if (!optionsEnded && (arg == QLatin1String("--help") || arg == QLatin1String("-h"))) {
            console::write(console::Stream::Output, helpText());
            return AllCorrect;
        }
        if (!optionsEnded && arg == QLatin1String("--version")) {
            console::write(
                console::Stream::Output,
                QStringLiteral("ampera %1\n").arg(QCoreApplication::applicationVersion()));
            return AllCorrect;
        }
        if (!optionsEnded && arg == QLatin1String("--check"))
            checking = true;
        else if (!optionsEnded && arg == QLatin1String("--csv"))
            csv.wanted = true;
        else if (!optionsEnded && arg == QLatin1String("--csv-separator")) {
            const QString separator = args.value(++i);
            if (separator.size() != 1 || separator == QLatin1String("\"") ||
                separator[0].isLetterOrNumber() || separator[0] == QLatin1Char('\n'))
                return usage(QStringLiteral("--csv-separator vol un sol caràcter que separi els "
                                            "camps, com «;» o «,»"));
            csv = {true, separator[0]};
        } else if (!optionsEnded && arg == QLatin1String("--worksheet")) {
            if (++i == args.size())
                return usage(QStringLiteral("--worksheet vol un exercici o un muntatge"));
            sheetOptions.source = args[i];
            worksheet = true;
        } else if (!optionsEnded && arg == QLatin1String("--output")) {
            if (++i == args.size())
                return usage(QStringLiteral("--output vol el nom del fitxer on es desa el full"));
            sheetOptions.output = args[i];
        } else if (!optionsEnded && arg == QLatin1String("--blank"))
            sheetOptions.blank = true;
        else if (!optionsEnded && arg == QLatin1String("--"))
            optionsEnded = true;
        else if (!optionsEnded && arg.startsWith(QLatin1Char('-')) && arg != QLatin1String("-"))
            return usage(QStringLiteral("l'opció «%1» no existeix").arg(arg));
        else
            files << arg;
    }
    if (worksheet || sheetOptions.blank || !sheetOptions.output.isEmpty())
        return worksheetCommand(worksheet, sheetOptions, checking || csv.wanted, files);
    if (!checking && !csv.wanted && files.size() == 1 &&
        files[0].endsWith(QLatin1String(".ampera"))) {
        *fileToOpen = files[0];
        return -1;
    }
    if (!checking)
        return usage(csv.wanted
                         ? QStringLiteral("--csv només va amb --check")
                         : QStringLiteral("no sé què fer amb «%1»: per comprovar fitxers, escriu "
                                          "«ampera --check FITXER...»")
                               .arg(files.value(0)));
    if (files.isEmpty())
        return usage(QStringLiteral("--check necessita almenys un fitxer"));
    return check(files, csv);
}

} // namespace shell
