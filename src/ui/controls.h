// Every kind of control of the forms layer, for code that builds windows.
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
