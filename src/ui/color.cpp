// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/color.h"

namespace ui {

namespace {

constexpr bool isSystemColor(Color c) {
    return (c & 0xFF000000u) == 0x80000000u;
}

QPalette::ColorRole systemRole(quint32 index) {
    switch (index) {
    case 0x04:
        return QPalette::Window; // menu
    case 0x05:
        return QPalette::Base; // window
    case 0x07:
        return QPalette::WindowText; // menu text
    case 0x08:
        return QPalette::Text; // window text
    case 0x09:
        return QPalette::HighlightedText; // caption text
    case 0x0C:
        return QPalette::Dark; // application workspace
    case 0x0E:
        return QPalette::HighlightedText; // highlight text
    case 0x0F:
        return QPalette::Button; // button face
    case 0x12:
        return QPalette::ButtonText; // button text
    default:
        return QPalette::Window;
    }
}

} // namespace

QColor toQColor(Color c, const QPalette& palette) {
    if (isSystemColor(c))
        return palette.color(QPalette::Active, systemRole(c & 0xFF));
    return QColor(int(c & 0xFF), int((c >> 8) & 0xFF), int((c >> 16) & 0xFF));
}

} // namespace ui
