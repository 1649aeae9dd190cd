// SPDX-License-Identifier: GPL-3.0-or-later
// The room photographs: one lit picture per room, drawn as SVG, and its dark
// twin derived from it by one shared night treatment.
#pragma once

#include "pictures/house_plan.h"

#include <QByteArray>
#include <QString>

#include <vector>

namespace photographs {

// Turns the SVG text of a lit photograph into the same room at night: the
// group "lamp-light" is hidden, a dark shade covers everything drawn before
// the group "night", and that group (the night sky in the window) is shown.
// The lit picture must have both groups as children of the root element,
// with "night" hidden and last. On any other shape the result is empty and
// `error` (if given) says what is wrong.
QByteArray nightVersion(const QByteArray& lit, QString* error = nullptr);

// The dark photograph of every room of the catalogue, made from its lit one
// in `drawnFolder`. A photograph that cannot be read or darkened leaves the
// result empty and `error` saying which and why.
std::vector<house::Picture> darkPhotographs(const QString& drawnFolder, QString* error);

} // namespace photographs
