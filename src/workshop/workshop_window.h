// A workshop window: one exercise on its bench, a child of the main window
// like the rooms. Its close box hides it and keeps the wiring.
#pragma once

#include "ui/form.h"
#include "workshop/workbench.h"

namespace workshop {

class WorkshopView;

class WorkshopWindow : public ui::Form {
    Q_OBJECT
public:
    explicit WorkshopWindow(const circuit::Exercise& exercise);

    Workbench& bench() { return bench_; }
    WorkshopView& view() const { return *view_; }

protected:
    void resized() override;

private:
    Workbench bench_;
    WorkshopView* view_;
};

// The window name of an exercise's workshop: "frmTaller_commutada".
QString windowName(const circuit::Exercise& exercise);

// Tells the window registry how to build the workshop window of each
// exercise.
void defineWorkshopWindows(const std::vector<circuit::Exercise>& exercises);

} // namespace workshop
