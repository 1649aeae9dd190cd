// Program-wide look: one style and one palette on every machine, so that
// the system colours of the layouts resolve the same everywhere; and the
// windows reported to assistive tools as the learner sees them.
#pragma once

class QApplication;

namespace ui {

void setUpApplication(QApplication& app);

} // namespace ui
