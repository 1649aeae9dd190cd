// SPDX-License-Identifier: GPL-3.0-or-later
// Where the child windows of the main window lie: each new one opens
// cascaded from the top-left of the client area, one title bar lower and to
// the right of the one opened before it, and starts again at the top-left
// when the next would not fit. A window is kept inside the client area when
// it fits in it, also when it is shown again or the client area changes
// size; one larger than the client area is made to fit it.
#pragma once

class QMdiSubWindow;

namespace ui::placement {

// Places a child window that is about to be shown for the first time.
void placeNew(QMdiSubWindow& frame);

// Moves a child window that is about to be shown again back inside the
// client area where it lies partly outside.
void keepInside(QMdiSubWindow& frame);

} // namespace ui::placement
