// SPDX-License-Identifier: GPL-3.0-or-later
// Fonts as the layouts name them, mapped onto families installed from Debian
// packages so that the program looks the same on every machine.
#pragma once

#include <QFont>
#include <QString>

namespace ui {

struct FontSpec {
    QString family = QStringLiteral("MS Sans Serif");
    qreal points = 8;
    bool bold = false;

    bool operator==(const FontSpec&) const = default;
};

// Chooses how text is drawn, before the application object exists: on
// Windows, with Qt's FreeType engine, as on Linux. Windows' own engines fit
// glyphs to its pixel grid whatever the program asks, so the stand-ins'
// widths and the texts' wrapping would differ from the Linux build's.
void chooseFontEngine();

// Adds the fonts in the "fonts" folder beside the executable, where a
// build that carries its own fonts (the Windows one) keeps them; a system
// that installs them from packages has no such folder.
void addFontsBesideProgram();

// The installed family that stands in for a layout's font name.
QString installedFamily(const QString& layoutFamily);

// How far apart, in twips, the lines of a text in `spec` lie.
qreal lineSpacingTwips(const FontSpec& spec);

// The font of `spec` sized in twips (20 per point), for drawing through a
// painter that is scaled from twips to pixels.
QFont twipsFont(const FontSpec& spec);

// The font of `spec` at `pixelsPerTwip`, for widgets that are not drawn
// through a scaled painter.
QFont scaledFont(const FontSpec& spec, qreal pixelsPerTwip);

} // namespace ui
