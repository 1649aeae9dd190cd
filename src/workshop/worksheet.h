// SPDX-License-Identifier: GPL-3.0-or-later
// The worksheets a teacher hands out, on paper or as a file: the
// exercise's title and instruction, lines for the pupil's name, the board
// and the truth table. A blank sheet has the components alone and an empty
// "Fa" column; the learner's sheet has the wiring, what it does and the
// verdict of the check. The window and the command line draw them alike,
// from the bench and the conductors' routes, with no window needed.
#pragma once

#include "circuit/router.h"
#include "workshop/workbench.h"
#include "workshop/worksheet_layout.h"

#include <QPainter>
#include <QRectF>
#include <QString>
#include <QStringList>

#include <memory>
#include <vector>

class QPrinter;

namespace workshop {

enum class WorksheetKind { Blank, Wiring };

// "Full de treball en blanc", "Amb el meu muntatge".
QString worksheetKindName(WorksheetKind kind);

// The extensions of the formats a sheet can be written in, the first the
// one proposed: PDF, SVG where the program has Qt SVG, and PNG.
QStringList worksheetFormats();

class Worksheet {
  public:
    // `routes` are the paths of the bench's conductors; a blank sheet shows
    // the bench's exercise alone.
    Worksheet(const Workbench& bench, std::vector<circuit::Route> routes, WorksheetKind kind);
    ~Worksheet();

    const WorksheetLayout& layout() const { return layout_; }
    int pages() const { return layout_.pages; }

    // Draws one page to fill `target`, its proportions kept.
    void paint(QPainter& painter, const QRectF& target, int page) const;
    // Draws every page, one under the other, each `pageSize` large.
    void paintPages(QPainter& painter, QSizeF pageSize) const;

    // Writes the sheet in the format its extension names: a PDF of one A4
    // page a page, or a picture with the pages one under the other. False
    // with a Catalan reason naming the file.
    bool save(const QString& path, QString* error) const;

    // Prints every page, on the printer's whole sheet of paper; false when
    // the printer cannot start.
    bool print(QPrinter& printer) const;

  private:
    void paintPage(QPainter& painter, int page) const;
    void paintHeading(QPainter& painter, int page) const;
    void paintTable(QPainter& painter, int page) const;
    QString cell(int row, int column) const;

    std::unique_ptr<Workbench> blank_;
    const Workbench& bench_;
    std::vector<circuit::Route> routes_;
    WorksheetKind kind_;
    WorksheetLayout layout_;
};

} // namespace workshop
