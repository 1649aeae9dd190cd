// SPDX-License-Identifier: GPL-3.0-or-later
// What assistive tools (screen readers) learn about the windows: the widget
// of each window, picture box and frame is reported with the role, name and
// state of what it shows, and the light controls it draws (its labels, and
// images or shapes that have a name) are reported as its children.
#pragma once

#include <QAccessible>

namespace ui {

class Control;

// Teaches Qt's accessibility to report the windows this way; call once,
// before the first window is created.
void installAccessibility();

// Tells assistive tools that a light control was shown, hidden, renamed or
// described anew; costs nothing while no tool is listening.
void notifyAccessibility(const Control& control, QAccessible::Event event);

} // namespace ui
