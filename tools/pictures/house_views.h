// SPDX-License-Identifier: GPL-3.0-or-later
// The house seen from outside, from each of its four sides: pictures drawn
// in perspective from the same description as the floor plan.
#pragma once

#include "pictures/house_plan.h"

#include <QByteArray>

namespace house {

enum class Facing { South, West, North, East };

// The SVG text of the view that shows the given face of the house in front.
QByteArray houseViewSvg(Facing face);

// "face_south", "face_west", "face_north" and "face_east".
std::vector<Picture> viewPictures();

} // namespace house
