// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/fonts.h"

#include <QCoreApplication>
#include <QDir>
#include <QFontDatabase>
#include <QFontMetricsF>
#include <QHash>

namespace ui {

namespace {

// What stands in for a layout's font: the installed family and, where the
// layout's face spaced its lines further apart than the stand-in does, that
// line pitch in ems (zero keeps the stand-in's own).
struct StandIn {
    QString family;
    qreal lineEms = 0;
};

const StandIn& standIn(const QString& layoutFamily) {
    // Liberation Sans has Arial's metrics and stands in well for the old
    // dialog font, a bitmap face whose lines lie 13 pixels apart at 8 points
    // (10 2/3 pixels to the em): text that wraps over several lines, with
    // labels laid over some of them, keeps that pitch. Yanone Kaffeesatz is
    // an openly licensed condensed display face for the presentation's
    // titles.
    static const QHash<QString, StandIn> map = {
        {QStringLiteral("MS Sans Serif"), {QStringLiteral("Liberation Sans"), 13 / (8 * 4 / 3.0)}},
        {QStringLiteral("Arial"), {QStringLiteral("Liberation Sans")}},
        {QStringLiteral("Niagara Solid"), {QStringLiteral("Yanone Kaffeesatz")}},
    };
    static const StandIn fallback{QStringLiteral("Liberation Sans")};
    const auto found = map.constFind(layoutFamily);
    return found == map.cend() ? fallback : *found;
}

// The stand-in is named outright rather than through QFont::insertSubstitution:
// Qt substitutes only a family that is not installed, so a machine that has
// a face called "Arial" or "MS Sans Serif" would draw with it, and text
// tuned to the stand-in's widths and line pitch would wrap and overlap
// differently there.
QFont baseFont(const FontSpec& spec) {
    QFont font(installedFamily(spec.family));
    font.setBold(spec.bold);
    font.setHintingPreference(QFont::PreferNoHinting);
    font.setStyleStrategy(QFont::PreferAntialias);
    return font;
}

} // namespace

void chooseFontEngine() {
#ifdef Q_OS_WIN
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "windows:fontengine=freetype");
#endif
}

void addFontsBesideProgram() {
    const QDir folder(QCoreApplication::applicationDirPath() + QStringLiteral("/fonts"));
    for (const QString& file : folder.entryList({QStringLiteral("*.ttf"), QStringLiteral("*.otf")},
                                                QDir::Files, QDir::Name))
        QFontDatabase::addApplicationFont(folder.filePath(file));
}

QString installedFamily(const QString& layoutFamily) {
    return standIn(layoutFamily).family;
}

QFont twipsFont(const FontSpec& spec) {
    QFont font = baseFont(spec);
    font.setPixelSize(qMax(1, qRound(spec.points * 20)));
    return font;
}

QFont scaledFont(const FontSpec& spec, qreal pixelsPerTwip) {
    QFont font = baseFont(spec);
    font.setPixelSize(qMax(1, qRound(spec.points * 20 * pixelsPerTwip)));
    return font;
}

qreal lineSpacingTwips(const FontSpec& spec) {
    const qreal ems = standIn(spec.family).lineEms;
    if (ems > 0)
        return ems * spec.points * 20;
    return QFontMetricsF(twipsFont(spec)).lineSpacing();
}

} // namespace ui
