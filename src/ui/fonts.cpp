#include "ui/fonts.h"

#include <QHash>

namespace ui {

QString installedFamily(const QString& layoutFamily) {
    // Liberation Sans has Arial's metrics and stands in well for the old
    // dialog font; Yanone Kaffeesatz is an openly licensed condensed
    // display face for the presentation's titles.
    static const QHash<QString, QString> map = {
        {QStringLiteral("MS Sans Serif"), QStringLiteral("Liberation Sans")},
        {QStringLiteral("Arial"), QStringLiteral("Liberation Sans")},
        {QStringLiteral("Niagara Solid"), QStringLiteral("Yanone Kaffeesatz")},
    };
    return map.value(layoutFamily, QStringLiteral("Liberation Sans"));
}

namespace {

QFont baseFont(const FontSpec& spec) {
    QFont font(installedFamily(spec.family));
    font.setBold(spec.bold);
    font.setHintingPreference(QFont::PreferNoHinting);
    font.setStyleStrategy(QFont::PreferAntialias);
    return font;
}

} // namespace

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

} // namespace ui
