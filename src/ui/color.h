// SPDX-License-Identifier: GPL-3.0-or-later
// Colours as the layouts store them: 0x00BBGGRR, or 0x800000nn for a system
// colour that is looked up in the palette only when drawn.
#pragma once

#include <QColor>
#include <QPalette>

namespace ui {

using Color = quint32;

constexpr Color rgb(int r, int g, int b) {
    return Color(r & 0xFF) | Color(g & 0xFF) << 8 | Color(b & 0xFF) << 16;
}

namespace colors {
constexpr Color Black = rgb(0, 0, 0);
constexpr Color White = rgb(255, 255, 255);
constexpr Color Red = rgb(255, 0, 0);
constexpr Color Yellow = rgb(255, 255, 0);
constexpr Color LightGrey = rgb(224, 224, 224);
constexpr Color Menu = 0x80000004;
constexpr Color Window = 0x80000005;
constexpr Color MenuText = 0x80000007;
constexpr Color WindowText = 0x80000008;
constexpr Color CaptionText = 0x80000009;
constexpr Color AppWorkspace = 0x8000000C;
constexpr Color HighlightText = 0x8000000E;
constexpr Color ButtonFace = 0x8000000F;
constexpr Color ButtonText = 0x80000012;
} // namespace colors

// Resolves a stored colour for drawing; system colours come from `palette`.
QColor toQColor(Color c, const QPalette& palette);

} // namespace ui
