// SPDX-License-Identifier: GPL-3.0-or-later
#include "workshop/workshop_window.h"

#include "circuit/autosave.h"
#include "circuit/circuit_file.h"
#include "circuit/library.h"
#include "ui/forms.h"
#include "ui/twips.h"
#include "workshop/board_view.h"
#include "workshop/worksheet.h"
#include "workshop/workshop_help.h"
#include "workshop/workshop_view.h"

#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QHash>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMessageBox>
#include <QPageLayout>
#include <QPrintDialog>
#include <QPrinter>
#include <QPushButton>
#include <QStandardPaths>

#include <functional>
#include <string>
#include <tuple>

namespace workshop {

namespace {

// The size a workshop window opens at when it is not maximised, in twips.
constexpr QSizeF DesignTwips(960 * ui::twipsPerPixel, 620 * ui::twipsPerPixel);
const QString WiringFilter = QStringLiteral("Muntatges d'Ampera (*.ampera)");

WorkshopWindow& workshopOf(const circuit::Exercise& exercise) {
    return static_cast<WorkshopWindow&>(ui::forms::get(windowName(exercise)));
}

// The workshop window in front, if the window in front is one. The area's
// current window stays while a dialog has the focus.
WorkshopWindow* activeWorkshop(QMdiArea& area) {
    for (const circuit::Exercise& exercise : circuit::library().exercises)
        if (ui::Form* form = ui::forms::loaded(windowName(exercise)))
            if (area.currentSubWindow() && form->window() == area.currentSubWindow())
                return static_cast<WorkshopWindow*>(form);
    return nullptr;
}

// Where the file dialogs open: the user's documents folder the first time
// (the home folder where there is none), then the folder of the file last
// chosen in any of them.
QString& dialogFolder() {
    static QString folder;
    if (folder.isEmpty()) {
        folder = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
        if (!QDir(folder).exists())
            folder = QDir::homePath();
    }
    return folder;
}

// The extension a filter such as "Imatge PNG (*.png)" gives its files.
QString suffixOf(const QString& filter) {
    const qsizetype dot = filter.lastIndexOf(QLatin1String("*."));
    return dot < 0 ? QString() : filter.mid(dot + 2).chopped(1);
}

// Asks for a file with Qt's dialog; empty when the learner cancels.
// `proposed` is a name in the dialogs' folder, or a whole path. A name
// typed without its extension gets the chosen filter's, and saving asks
// before it replaces a file that is there.
QString askForFile(QWidget* parent, const QString& title, const QString& proposed,
                   const QStringList& filters, QFileDialog::AcceptMode mode) {
    const QString start =
        QFileInfo(proposed).isAbsolute() ? proposed : QDir(dialogFolder()).filePath(proposed);
    QFileDialog dialog(parent, title, start, filters.join(QStringLiteral(";;")));
    dialog.setAcceptMode(mode);
    dialog.setFileMode(mode == QFileDialog::AcceptOpen ? QFileDialog::ExistingFile
                                                       : QFileDialog::AnyFile);
    dialog.setDefaultSuffix(suffixOf(filters.first()));
    QObject::connect(
        &dialog, &QFileDialog::filterSelected, &dialog,
        [&dialog](const QString& filter) { dialog.setDefaultSuffix(suffixOf(filter)); });
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return {};
    const QString path = dialog.selectedFiles().first();
    dialogFolder() = QFileInfo(path).absolutePath();
    return path;
}

// An item that says which exercise files were left out, and why.
void addLeftOutItem(QMenu& menu) {
    menu.addSeparator();
    QAction* leftOut = menu.addAction(QStringLiteral("Exercicis &no carregats…"));
    leftOut->setObjectName(QStringLiteral("mnuTallerNoCarregats"));
    QObject::connect(leftOut, &QAction::triggered, &menu, [&menu] {
        QStringList lines;
        for (const circuit::Library::Rejected& r : circuit::library().rejected)
            lines << QStringLiteral("%1: %2").arg(r.file, r.reason);
        QMessageBox::information(
            menu.window(), QStringLiteral("Exercicis no carregats"),
            QStringLiteral("Aquests fitxers d'exercici no s'han carregat:\n\n") +
                lines.join(QStringLiteral("\n")));
    });
}

} // namespace

WorkshopWindow::WorkshopWindow(const circuit::Exercise& exercise)
    : ui::Form(windowName(exercise), QStringLiteral("Taller: ") + exercise.title, DesignTwips),
      bench_(exercise), view_(new WorkshopView(bench_, surface())),
      saved_(circuit::Wiring::initial(exercise)) {
    setCloseBox(CloseBox::Hides);
    connect(view_, &WorkshopView::roomRequested, this, [](const QString& room) {
        ui::forms::get(room).setWindowState(ui::Form::WindowState::Maximized);
    });
    circuit::FaultLog log;
    if (std::optional<circuit::Wiring> kept = circuit::restoredWiring(exercise, &log))
        bench_.replaceWiring(*kept, log);
    // Changes made in one turn of the event loop are kept together.
    autosave_.setSingleShot(true);
    autosave_.setInterval(0);
    connect(&autosave_, &QTimer::timeout, this, &WorkshopWindow::storeWiring);
    connect(&bench_, &Workbench::changed, &autosave_, qOverload<>(&QTimer::start));
    connect(&bench_, &Workbench::changed, this, &WorkshopWindow::showTitle);
    showTitle();
    resized();
}

bool WorkshopWindow::hasUnsavedChanges() const {
    return bench_.wiring().conductors != saved_.conductors ||
           bench_.wiring().positions != saved_.positions || !(bench_.log() == savedLog_);
}

void WorkshopWindow::showTitle() {
    QString title = QStringLiteral("Taller: ") + bench_.exercise().title;
    if (!path_.isEmpty())
        title += QStringLiteral(" — ") + QFileInfo(path_).fileName();
    if (hasUnsavedChanges())
        title += QStringLiteral(" *");
    if (title != caption())
        setCaption(title);
}

void WorkshopWindow::keepAsSaved(const QString& path) {
    path_ = path;
    saved_ = bench_.wiring();
    savedLog_ = bench_.log();
    showTitle();
}

bool WorkshopWindow::mayReplaceBoard() {
    if (!hasUnsavedChanges())
        return true;
    QMessageBox box(QMessageBox::Question, QStringLiteral("Ampera"),
                    QStringLiteral("El muntatge de «%1» té canvis que no s'han desat. Vols "
                                   "desar-los abans?")
                        .arg(bench_.exercise().title),
                    QMessageBox::NoButton, window());
    QPushButton* saveButton = box.addButton(QStringLiteral("Desa"), QMessageBox::AcceptRole);
    QPushButton* discard = box.addButton(QStringLiteral("No desis"), QMessageBox::DestructiveRole);
    box.addButton(QStringLiteral("Cancel·la"), QMessageBox::RejectRole);
    box.setDefaultButton(saveButton);
    box.exec();
    if (box.clickedButton() == discard)
        return true;
    if (box.clickedButton() != saveButton)
        return false;
    save();
    return !hasUnsavedChanges();
}

// A change made in the very turn in which the window goes (the program ends)
// is kept too.
WorkshopWindow::~WorkshopWindow() {
    if (autosave_.isActive())
        storeWiring();
}

// No one holds a push button at the next start, so none is kept held; a
// press and its release then leave the kept wiring as it was.
void WorkshopWindow::storeWiring() {
    const circuit::Exercise& e = bench_.exercise();
    circuit::Wiring kept = bench_.wiring();
    for (size_t s = 0; s < kept.positions.size(); ++s)
        if (circuit::isMomentary(e.components[size_t(e.switches[s])].kind))
            kept.positions[s] = 0;
    if (stored_ && stored_->conductors == kept.conductors && stored_->positions == kept.positions &&
        storedLog_ == bench_.log())
        return;
    circuit::storeWiring(e, kept, bench_.log());
    stored_ = kept;
    storedLog_ = bench_.log();
}

void WorkshopWindow::resized() {
    view_->setGeometry(surface()->rect());
    ui::Form::resized();
}

void WorkshopWindow::warn(const QString& message) {
    QMessageBox::warning(window(), QStringLiteral("Ampera"), message);
}

bool WorkshopWindow::openFile(const QString& path) {
    return openWiringFile(path, window());
}

bool openWiringFile(const QString& path, QWidget* messageParent) {
    QString error;
    std::optional<circuit::SavedWiring> saved = circuit::loadWiring(path, &error);
    if (!saved) {
        QMessageBox::warning(messageParent, QStringLiteral("Ampera"), error);
        return false;
    }
    WorkshopWindow& target = workshopOf(*saved->exercise);
    if (!target.mayReplaceBoard())
        return false;
    // A fault-finding exercise's file brings its record; its board cannot
    // be edited, so there is no step to undo.
    if (saved->exercise->findsFaults())
        target.bench_.replaceWiring(saved->wiring, saved->log);
    else
        target.bench_.openWiring(saved->wiring);
    target.keepAsSaved(path);
    target.setWindowState(ui::Form::WindowState::Maximized);
    ui::forms::unload(QStringLiteral("frmPresentació"));
    return true;
}

bool WorkshopWindow::saveFile(const QString& path) {
    QString error;
    if (!circuit::saveWiring(path, bench_.exercise(), bench_.wiring(), bench_.log(), &error)) {
        warn(error);
        return false;
    }
    keepAsSaved(path);
    view_->showNotice(QStringLiteral("S'ha desat «%1».").arg(QFileInfo(path).fileName()));
    return true;
}

void WorkshopWindow::open() {
    const QString path = askForFile(window(), QStringLiteral("Obre un muntatge"), path_,
                                    {WiringFilter}, QFileDialog::AcceptOpen);
    if (!path.isEmpty())
        openFile(path);
}

void WorkshopWindow::save() {
    if (path_.isEmpty())
        saveAs();
    else
        saveFile(path_);
}

void WorkshopWindow::saveAs() {
    const QString path =
        askForFile(window(), QStringLiteral("Desa el muntatge"),
                   path_.isEmpty() ? bench_.exercise().id + QStringLiteral(".ampera") : path_,
                   {WiringFilter}, QFileDialog::AcceptSave);
    if (!path.isEmpty())
        saveFile(path);
}

void WorkshopWindow::exportSheet(WorksheetKind kind) {
    static const QHash<QString, QString> kinds = {
        {QStringLiteral("pdf"), QStringLiteral("Document PDF")},
        {QStringLiteral("svg"), QStringLiteral("Imatge SVG")},
        {QStringLiteral("png"), QStringLiteral("Imatge PNG")},
    };
    QStringList filters;
    for (const QString& format : worksheetFormats())
        filters << QStringLiteral("%1 (*.%2)").arg(kinds.value(format), format);
    const QString name = bench_.exercise().id +
                         (kind == WorksheetKind::Blank ? QStringLiteral("-en-blanc") : QString());
    const QString path = askForFile(
        window(), QStringLiteral("Exporta la imatge: ") + worksheetKindName(kind),
        name + QLatin1Char('.') + worksheetFormats().first(), filters, QFileDialog::AcceptSave);
    if (path.isEmpty())
        return;
    QString error;
    if (!Worksheet(bench_, view_->board().routes(), kind).save(path, &error))
        warn(error);
}

void WorkshopWindow::printSheet(WorksheetKind kind) {
    QPrinter printer(QPrinter::HighResolution);
    printer.setPageSize(QPageSize(QPageSize::A4));
    printer.setPageOrientation(QPageLayout::Landscape);
    // The print dialog proposes the document's name for a file printed to.
    printer.setDocName(circuit::safeFileName(QStringLiteral("Taller: ") + bench_.exercise().title));
    QPrintDialog dialog(&printer, window());
    dialog.setWindowTitle(QStringLiteral("Imprimeix: ") + worksheetKindName(kind));
    if (dialog.exec() == QDialog::Accepted &&
        !Worksheet(bench_, view_->board().routes(), kind).print(printer))
        warn(QStringLiteral("No s'ha pogut imprimir el full: la impressora no respon."));
}

QString windowName(const circuit::Exercise& exercise) {
    return QStringLiteral("frmTaller_") + exercise.id;
}

void defineWorkshopWindows() {
    for (const circuit::Exercise& exercise : circuit::library().exercises)
        ui::forms::define(windowName(exercise),
                          [&exercise] { return std::make_unique<WorkshopWindow>(exercise); });
}

void fillWorkshopMenu(QMenu& menu, QMdiArea& area) {
    // The fault-finding exercises have a menu of their own.
    QMenu* faults = nullptr;
    for (const circuit::Exercise& exercise : circuit::library().exercises) {
        if (exercise.findsFaults() && !faults) {
            faults = new QMenu(QStringLiteral("&Avaries"), &menu);
            faults->setObjectName(QStringLiteral("mnuTallerAvaries"));
        }
        QMenu* into = exercise.findsFaults() ? faults : &menu;
        QAction* action = into->addAction(exercise.menuText);
        action->setObjectName(QStringLiteral("mnuTaller_") + exercise.id);
        QObject::connect(action, &QAction::triggered, &menu, [&exercise] {
            WorkshopWindow& w = workshopOf(exercise);
            w.setWindowState(ui::Form::WindowState::Maximized);
            ui::forms::unload(QStringLiteral("frmPresentació"));
        });
    }
    if (faults)
        menu.addMenu(faults);
    menu.addSeparator();
    QMenu* files = menu.addMenu(QStringLiteral("&Fitxer"));
    files->setObjectName(QStringLiteral("mnuTallerFitxer"));
    QList<QAction*> needWorkshop;
    auto add = [&area, &needWorkshop](QMenu* to, const char* name, const QString& caption,
                                      const QKeySequence& keys,
                                      const std::function<void(WorkshopWindow&)>& run) {
        QAction* action = to->addAction(caption);
        action->setObjectName(QString::fromUtf8(name));
        action->setShortcut(keys);
        QObject::connect(action, &QAction::triggered, to, [&area, run] {
            if (WorkshopWindow* w = activeWorkshop(area))
                run(*w);
        });
        needWorkshop << action;
    };
    add(files, "mnuTallerObre", QStringLiteral("&Obre…"), QKeySequence(Qt::CTRL | Qt::Key_O),
        &WorkshopWindow::open);
    add(files, "mnuTallerDesa", QStringLiteral("&Desa"), QKeySequence(Qt::CTRL | Qt::Key_S),
        &WorkshopWindow::save);
    add(files, "mnuTallerDesaCom", QStringLiteral("Desa &com a…"),
        QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_S), &WorkshopWindow::saveAs);
    // Each sheet can be exported or printed in either kind, named as the
    // help names them.
    struct SheetCommand {
        const char* name;
        const char* caption;
        void (WorkshopWindow::*run)(WorksheetKind);
    };
    for (const SheetCommand& c :
         {SheetCommand{"mnuTallerExporta", "&Exporta la imatge", &WorkshopWindow::exportSheet},
          SheetCommand{"mnuTallerImprimeix", "&Imprimeix", &WorkshopWindow::printSheet}}) {
        QMenu* sheets = files->addMenu(QString::fromUtf8(c.caption));
        sheets->menuAction()->setObjectName(QString::fromUtf8(c.name));
        for (const auto& [kind, suffix, caption] :
             {std::tuple{WorksheetKind::Blank, "Blanc", "Full de treball en &blanc"},
              std::tuple{WorksheetKind::Wiring, "Muntatge", "&Amb el meu muntatge"}})
            add(sheets, (std::string(c.name) + suffix).c_str(), QString::fromUtf8(caption), {},
                [run = c.run, kind](WorkshopWindow& w) { (w.*run)(kind); });
    }
    // The commands act on the workshop in front: only then are they offered.
    auto offer = [&area, needWorkshop] {
        const bool workshopInFront = activeWorkshop(area) != nullptr;
        for (QAction* action : needWorkshop)
            action->setEnabled(workshopInFront);
    };
    QObject::connect(&area, &QMdiArea::subWindowActivated, files, offer);
    offer();

    const auto& rejected = circuit::library().rejected;
    if (!rejected.empty())
        addLeftOutItem(menu);
    menu.addSeparator();
    QAction* help = menu.addAction(QStringLiteral("Ajuda del &taller"));
    help->setObjectName(QStringLiteral("mnuTallerAjuda"));
    QObject::connect(help, &QAction::triggered, &menu, [&menu] { showWorkshopHelp(&menu); });
}

} // namespace workshop
