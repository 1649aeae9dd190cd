// SPDX-License-Identifier: GPL-3.0-or-later
// The help window: a page of text on what the program teaches and how it is
// used, in a top-level window of its own that can stay open beside the house.
#pragma once

#include "ui/form.h"

namespace shell {

class HelpWindow : public ui::Form {
    Q_OBJECT
  public:
    HelpWindow();
};

} // namespace shell
