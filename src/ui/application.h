// SPDX-License-Identifier: GPL-3.0-or-later
// Program-wide set-up: one style and one palette on every machine, so that
// the system colours of the layouts resolve the same everywhere; the
// windows reported to assistive tools as the learner sees them; and large
// blocks of memory handed back to the system as soon as they are freed.
#pragma once

class QApplication;

namespace ui {

void setUpApplication(QApplication& app);

} // namespace ui
