// SPDX-License-Identifier: GPL-3.0-or-later
// Bringing windows up and mirroring a lamp onto every window of the house.
#pragma once

#include <QString>
#include <QStringList>

namespace house {

// Brings a window up: creates it if needed, then maximises it, which makes
// it the active child of the main window.
void ObreFinestra(const QString& window);

// Writes a lamp's indicators (lit: shown, dark: hidden) on every window of
// the house, creating any window that does not exist on the way: first all
// of them on the acting window, then each indicator in turn on the floor
// plan and on the other rooms in the acting room's own order.
void ActualitzaIndicador(const QString& actingWindow, const QStringList& indicators, bool lit);

// Whether a room's lamp is lit, as its own window shows it: its dark
// photograph is hidden. A room window that is not loaded is dark.
bool isLit(const QString& roomWindow);

// Shows the nine room windows, creating any that is not loaded, in the
// order the floor plan opens them; each comes to the front in turn.
void showRooms();

} // namespace house
