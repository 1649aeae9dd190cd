// SPDX-License-Identifier: GPL-3.0-or-later
// The layouts' unit: positions and sizes are in twips (1/1440 inch), and at
// design size a pixel is this many twips. A picture's design pixels, a
// window's design size and a border's width all convert through it.
#pragma once

namespace ui {

constexpr int twipsPerPixel = 15;

} // namespace ui
