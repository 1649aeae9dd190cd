// SPDX-License-Identifier: GPL-3.0-or-later
// Records every picture of the program, hand-drawn or made by code, as the
// painting commands that draw it: each SVG is rendered once, here at build
// time, into a QPicture, and the program plays that recording at whatever
// size it needs. So the program itself parses no SVG and needs no Qt SVG,
// which the Windows build does not have.
//
//   record_pictures OUT SVG...
//
// Writes OUT/<name>.pic for each SVG/<name>.svg, in the form
// ui::pictures reads (ui/picture_recording.h): a tag, the design size
// in pixels from the SVG's width and height, and the recording made at that
// size.
#include "ui/picture_recording.h"

#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <QPainter>
#include <QPicture>
#include <QSaveFile>
#include <QSvgRenderer>

#include <cstdio>

namespace {

int fail(const QString& why) {
    std::fprintf(stderr, "record_pictures: %s\n", qPrintable(why));
    return 1;
}

} // namespace

int main(int argc, char* argv[]) {
    // Text in a recording is laid out with the fonts the program has; no
    // display is needed for that.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    const QStringList args = app.arguments().mid(1);
    if (args.size() < 2) {
        std::fputs("usage: record_pictures OUT SVG...\n", stderr);
        return 2;
    }
    const QString out = args[0];
    if (!QDir().mkpath(out))
        return fail(QStringLiteral("cannot create %1").arg(out));
    for (const QString& path : args.mid(1)) {
        QSvgRenderer renderer(path);
        if (!renderer.isValid())
            return fail(QStringLiteral("%1 is not a valid picture").arg(path));
        renderer.setAspectRatioMode(Qt::IgnoreAspectRatio);
        const QSize design = renderer.defaultSize();
        QPicture picture;
        {
            QPainter painter(&picture);
            renderer.render(&painter, QRectF(QPointF(0, 0), QSizeF(design)));
        }
        QSaveFile file(out + QLatin1Char('/') + QFileInfo(path).completeBaseName() +
                       QStringLiteral(".pic"));
        if (!file.open(QIODevice::WriteOnly) ||
            !ui::pictures::writeRecording(&file, design, picture) || !file.commit())
            return fail(QStringLiteral("%1: %2").arg(file.fileName(), file.errorString()));
    }
    return 0;
}
