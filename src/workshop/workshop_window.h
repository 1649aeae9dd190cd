// SPDX-License-Identifier: GPL-3.0-or-later
// A workshop window: one exercise on its bench, a child of the main window
// like the rooms. Its close box hides it and keeps the wiring, which is
// also kept in the user's data folder after every change and brought back
// at the next start. It opens and saves wiring files, exports the sheet as
// a picture and prints it.
#pragma once

#include "ui/form.h"
#include "workshop/workbench.h"
#include "workshop/worksheet.h"

#include <QTimer>

#include <optional>

class QMdiArea;
class QMenu;

namespace workshop {

class WorkshopView;

class WorkshopWindow : public ui::Form {
    Q_OBJECT
  public:
    explicit WorkshopWindow(const circuit::Exercise& exercise);
    ~WorkshopWindow() override;

    Workbench& bench() { return bench_; }
    WorkshopView& view() const { return *view_; }
    // The file the wiring was last opened from or saved to (empty: none).
    const QString& filePath() const { return path_; }
    // Whether the wiring or a switch differs from what was last opened or
    // saved (from an empty board, when neither has been done).
    bool hasUnsavedChanges() const;

    // The file commands; each asks for a file with Qt's dialogs and tells
    // the learner in a message what went wrong.
    void open();
    void save();
    void saveAs();
    void exportSheet(WorksheetKind kind);
    void printSheet(WorksheetKind kind);

    // Without the dialogs. A wiring of another exercise goes to that
    // exercise's window. A bad file changes nothing and gets a message.
    bool openFile(const QString& path);
    bool saveFile(const QString& path);

  protected:
    void resized() override;

  private:
    friend bool openWiringFile(const QString& path, QWidget* messageParent);
    void warn(const QString& message);
    void storeWiring();
    // The title: the exercise, the file's name and, while there are
    // changes not saved, a mark.
    void showTitle();
    // Before the board is replaced: true when the learner has saved the
    // changes or chosen to lose them, false to keep the board.
    bool mayReplaceBoard();
    void keepAsSaved(const QString& path);

    Workbench bench_;
    WorkshopView* view_;
    QString path_;
    circuit::Wiring saved_;
    circuit::FaultLog savedLog_;
    std::optional<circuit::Wiring> stored_; // what was last kept for the next start
    circuit::FaultLog storedLog_;
    QTimer autosave_;
};

// Opens a wiring file in its exercise's workshop, brought up maximised; a
// bad file gets a message and changes nothing.
bool openWiringFile(const QString& path, QWidget* messageParent);

// The window name of an exercise's workshop: "frmTaller_commutada".
QString windowName(const circuit::Exercise& exercise);

// Tells the window registry how to build the workshop window of every
// exercise the program knows.
void defineWorkshopWindows();

// Fills the "&Taller" menu: the exercises, the file commands (which act on
// the workshop window in front) and, when some exercise files were left
// out, an item that says which and why.
void fillWorkshopMenu(QMenu& menu, QMdiArea& area);

} // namespace workshop
