// SPDX-License-Identifier: GPL-3.0-or-later
// The dark room photographs are not drawn separately: each is the lit SVG with
// its lamp light switched off, a night shade laid over the room and the night
// sky shown in the window, so the two versions always show the same room.
#include "pictures/night.h"

#include "house/catalogue.h"

#include <QFile>
#include <QRegularExpression>
#include <QXmlStreamReader>

namespace photographs {
namespace {

// Dark navy, strong enough to read as "light off" while the furniture stays
// recognisable; the night sky is drawn above it and stays bright.
constexpr const char* shadeColour = "#0a1430";
constexpr double shadeOpacity = 0.62;

// Where a group's start tag lies in the text: from its '<' to just past '>'.
struct StartTag {
    qsizetype begin = -1;
    qsizetype end = -1;
};

QByteArray failure(QString* error, const QString& why) {
    if (error)
        *error = why;
    return {};
}

} // namespace

QByteArray nightVersion(const QByteArray& lit, QString* error) {
    const QString text = QString::fromUtf8(lit);
    QXmlStreamReader xml(text);
    StartTag lamp;
    StartTag night;
    QString viewBoxText;
    int depth = 0;
    bool insideNight = false;
    bool nightClosed = false;

    while (!xml.atEnd()) {
        const QXmlStreamReader::TokenType token = xml.readNext();
        if (token == QXmlStreamReader::EndElement) {
            if (depth == 2 && insideNight) {
                insideNight = false;
                nightClosed = true;
            }
            --depth;
            continue;
        }
        if (token != QXmlStreamReader::StartElement)
            continue;
        ++depth;
        const QXmlStreamAttributes attributes = xml.attributes();
        if (depth == 1) {
            if (xml.name() != QLatin1String("svg"))
                return failure(error, QStringLiteral("the root element is not <svg>"));
            viewBoxText = attributes.value(QLatin1String("viewBox")).toString();
            continue;
        }
        if (depth == 2 && nightClosed)
            return failure(error, QStringLiteral("something is drawn after the night group"));

        const QStringView id = attributes.value(QLatin1String("id"));
        const bool isLamp = id == QLatin1String("lamp-light");
        const bool isNight = id == QLatin1String("night");
        if (!isLamp && !isNight)
            continue;
        StartTag& place = isLamp ? lamp : night;
        if (place.begin >= 0)
            return failure(error, QStringLiteral("the id %1 is used twice").arg(id));
        if (depth != 2 || xml.name() != QLatin1String("g"))
            return failure(error,
                           QStringLiteral("%1 is not a group at the top of the picture").arg(id));
        place.end = xml.characterOffset();
        place.begin = text.lastIndexOf(QLatin1Char('<'), place.end - 1);
        if (place.begin < 0 || !text.mid(place.begin, 2).startsWith(QLatin1String("<g")))
            return failure(error, QStringLiteral("cannot locate the start tag of %1").arg(id));

        const QStringView display = attributes.value(QLatin1String("display"));
        if (isLamp && !display.isEmpty())
            return failure(error, QStringLiteral("the lamp-light group must not set display"));
        if (isNight) {
            if (display != QLatin1String("none"))
                return failure(error, QStringLiteral("the night group must be display=\"none\""));
            insideNight = true;
        }
    }
    if (xml.hasError())
        return failure(error, QStringLiteral("not well-formed: %1").arg(xml.errorString()));
    if (lamp.begin < 0)
        return failure(error, QStringLiteral("there is no lamp-light group"));
    if (night.begin < 0)
        return failure(error, QStringLiteral("there is no night group"));

    const QStringList box = viewBoxText.simplified()
                                .replace(QLatin1Char(','), QLatin1Char(' '))
                                .split(QLatin1Char(' '), Qt::SkipEmptyParts);
    if (box.size() != 4)
        return failure(error, QStringLiteral("the picture has no viewBox"));
    for (const QString& number : box) {
        bool ok = false;
        number.toDouble(&ok);
        if (!ok)
            return failure(error, QStringLiteral("the viewBox is not four numbers"));
    }

    // Edit from the back so that the earlier positions stay valid.
    QString dark = text;
    static const QRegularExpression hidden(QStringLiteral("\\bdisplay\\s*=\\s*([\"'])none\\1"));
    QString nightTag = dark.mid(night.begin, night.end - night.begin);
    nightTag.replace(hidden, QStringLiteral("display=\"inline\""));
    dark.replace(night.begin, night.end - night.begin, nightTag);

    const QString shade = QStringLiteral("<rect x=\"%1\" y=\"%2\" width=\"%3\" height=\"%4\" "
                                         "fill=\"%5\" fill-opacity=\"%6\"/>\n")
                              .arg(box[0], box[1], box[2], box[3], QLatin1String(shadeColour))
                              .arg(shadeOpacity);
    dark.insert(night.begin, shade);

    const bool selfClosing = dark.at(lamp.end - 2) == QLatin1Char('/');
    dark.insert(lamp.end - (selfClosing ? 2 : 1), QLatin1String(" display=\"none\""));
    return dark.toUtf8();
}

std::vector<house::Picture> darkPhotographs(const QString& drawnFolder, QString* error) {
    std::vector<house::Picture> made;
    for (const house::Room& room : house::rooms()) {
        QFile file(drawnFolder + QLatin1Char('/') + room.photoPicture + QStringLiteral(".svg"));
        if (!file.open(QIODevice::ReadOnly)) {
            failure(error, QStringLiteral("%1: %2").arg(file.fileName(), file.errorString()));
            return {};
        }
        QString why;
        QByteArray dark = nightVersion(file.readAll(), &why);
        if (dark.isEmpty()) {
            failure(error, QStringLiteral("%1 cannot be darkened: %2").arg(file.fileName(), why));
            return {};
        }
        made.push_back({house::darkPhotoPicture(room), std::move(dark)});
    }
    return made;
}

} // namespace photographs
