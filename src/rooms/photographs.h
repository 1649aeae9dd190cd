// The room photographs: one lit picture per room, drawn as SVG, and its dark
// twin derived from it by one shared night treatment.
#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

namespace rooms {

// The nine rooms that have a photograph, as used in the picture names
// "photo_<room>" (lit) and "photo_<room>_dark".
const QStringList& photographRooms();

// The picture name of a room's photograph, lit or dark.
QString photographName(const QString& room, bool lit);

// Turns the SVG text of a lit photograph into the same room at night: the
// group "lamp-light" is hidden, a dark shade covers everything drawn before
// the group "night", and that group (the night sky in the window) is shown.
// The lit picture must have both groups as children of the root element,
// with "night" hidden and last. On any other shape the result is empty and
// `error` (if given) says what is wrong.
QByteArray nightVersion(const QByteArray& lit, QString* error = nullptr);

// Adds the dark photograph of every room to the picture catalogue.
void registerPhotographs();

} // namespace rooms
