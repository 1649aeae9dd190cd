// SPDX-License-Identifier: GPL-3.0-or-later
// The picture catalogue: every picture of the program is drawn as SVG (by
// hand, or by code when the program is built), recorded at build time as
// the painting commands that draw it and compiled in as the resource
// ":/pictures/<name>.pic". Each has a design size in pixels (15 twips
// each), is rendered once per device size and kept while that size is among
// the few it was last drawn at.
#pragma once

#include <QByteArray>
#include <QIcon>
#include <QPainter>
#include <QPixmap>
#include <QSize>
#include <QString>
#include <QStringList>

namespace ui::pictures {

// The picture's design size in pixels, from the SVG's width and height.
QSize designSize(const QString& name);

// Renderings are kept, per name and size, while together they hold no more
// bytes of pixels than this; beyond it the least recently drawn go. It is
// two of the largest screen's worth, and at least 16 MiB: enough for the
// floor plan and a few rooms, lit and dark, at the size of the screen,
// while memory stays bounded however many rooms are visited or sizes a
// window passes through.
qint64 keptBytesLimit();

// The picture rendered to exactly `devicePixels`; cached per name and size.
QPixmap pixmap(const QString& name, QSize devicePixels);

// Where `target` (in the painter's pixels) lies in device pixels, snapped
// to whole ones.
QRect deviceRect(const QPainter& painter, const QRectF& target);

// Draws a pixmap made in device pixels with its top left at `device`, 1:1.
// Drawn through the screen's scaling instead, it would take the painter's
// slow scaled path on every paint, and giving a kept rendering the screen's
// pixel ratio would copy all its pixels.
void drawInDevicePixels(QPainter& painter, QPoint device, const QPixmap& pixmap);

// The picture as an icon, rendered at each size it is painted at.
QIcon icon(const QString& name);

// Plays the picture's recording into `target`, stretched to fill it, as
// every rendering is made.
void play(QPainter& painter, const QString& name, const QRectF& target);

// Every picture the program has.
QStringList names();

// How many renderings have been made so far (for the benchmarks and the
// tests that check that nothing is rendered twice).
int renderCount();

// How many bytes of pixels the kept renderings hold.
qint64 keptBytes();

} // namespace ui::pictures
