// SPDX-License-Identifier: GPL-3.0-or-later
// Every kind of control of the forms layer, for code that builds windows.
// The program keeps its state in these controls' properties on purpose, and
// handlers read it back from them (see "For the next developer" in the README).
#pragma once

#include "ui/commandbutton.h"
#include "ui/form.h"
#include "ui/frame.h"
#include "ui/image.h"
#include "ui/label.h"
#include "ui/line.h"
#include "ui/picturebox.h"
#include "ui/shape.h"
#include "ui/timer.h"
