// SPDX-License-Identifier: GPL-3.0-or-later
// The windows of the program by name: each exists at most once, is created
// on its first reference (which runs its load step), and is built afresh
// from its layout after it has been unloaded.
#pragma once

#include "ui/form.h"

#include <functional>
#include <memory>

class QMdiArea;

namespace ui::forms {

using Factory = std::function<std::unique_ptr<Form>()>;

// Tells the registry how to build the window called `name`.
void define(const QString& name, Factory factory);

// The window called `name`, created and loaded first if it does not exist.
Form& get(const QString& name);
template <class T> T& get(const QString& name) {
    return static_cast<T&>(get(name));
}

// The window if it exists, without creating it.
Form* loaded(const QString& name);

// Unloads a window: it disappears at once and its controls are released
// once the running handler has returned. Unloading a window that does not
// exist does nothing.
void unload(const QString& name);

// Unloads every child window of the main window, as closing the main
// window does; top-level windows stay.
void unloadChildWindows();

// Where child windows live: the main window provides the area and shows
// itself when its first child is shown.
class Host {
  public:
    virtual ~Host() = default;
    virtual QMdiArea& area() = 0;
    virtual void showHost() = 0;
    virtual void closeHost() = 0;
};
void setHost(Host* host);
Host* host();

// Ends the program at once: every window closes and no handler runs.
void endProgram();

// Destroys every window immediately (for tests that start each case from
// nothing).
void reset();

} // namespace ui::forms
