// SPDX-License-Identifier: GPL-3.0-or-later
// Renders the program's SVG icon: to a square PNG of one size, for the icon
// theme sizes that desktops look up before they fall back to the scalable
// one; or, given "ico" for the size, to a Windows icon file holding every
// size Windows asks for, each stored as PNG.
//
//   render_icon ICON.svg SIZE OUT.png
//   render_icon ICON.svg ico OUT.ico
#include <QBuffer>
#include <QFile>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QSaveFile>
#include <QSvgRenderer>
#include <QtEndian>

#include <cstdio>

namespace {

QImage render(QSvgRenderer& svg, int size) {
    // The whole view box fills the square; a desktop expects the icon's own
    // transparent margins, not ones we add.
    QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    svg.render(&painter, QRectF(0, 0, size, size));
    return image;
}

QByteArray png(const QImage& image) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    return bytes;
}

void append16(QByteArray& out, quint16 value) {
    value = qToLittleEndian(value);
    out.append(reinterpret_cast<const char*>(&value), 2);
}

void append32(QByteArray& out, quint32 value) {
    value = qToLittleEndian(value);
    out.append(reinterpret_cast<const char*>(&value), 4);
}

// An icon file: a header, one directory entry per image, then the images.
// An entry's width and height are single bytes, 0 meaning 256.
QByteArray icoFile(QSvgRenderer& svg) {
    const int sizes[] = {16, 20, 24, 32, 40, 48, 64, 128, 256};
    const int count = int(std::size(sizes));
    QByteArray header, images;
    append16(header, 0);
    append16(header, 1); // an icon, not a cursor
    append16(header, quint16(count));
    quint32 offset = 6 + 16 * count;
    for (int size : sizes) {
        const QByteArray image = png(render(svg, size));
        header.append(char(size % 256));
        header.append(char(size % 256));
        header.append(char(0)); // no palette
        header.append(char(0));
        append16(header, 1);  // colour planes
        append16(header, 32); // bits per pixel
        append32(header, quint32(image.size()));
        append32(header, offset);
        offset += quint32(image.size());
        images += image;
    }
    return header + images;
}

} // namespace

int main(int argc, char* argv[]) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    const QStringList args = app.arguments().mid(1);
    bool sizeOk = false;
    const int size = args.value(1).toInt(&sizeOk);
    const bool ico = args.value(1) == QLatin1String("ico");
    if (args.size() != 3 || (!ico && (!sizeOk || size <= 0))) {
        std::fputs("usage: render_icon ICON.svg SIZE OUT.png\n"
                   "       render_icon ICON.svg ico OUT.ico\n",
                   stderr);
        return 2;
    }

    QSvgRenderer svg(args[0]);
    if (!svg.isValid()) {
        std::fprintf(stderr, "render_icon: cannot read %s\n", qPrintable(args[0]));
        return 1;
    }
    QSaveFile out(args[2]);
    const QByteArray bytes = ico ? icoFile(svg) : png(render(svg, size));
    if (!out.open(QIODevice::WriteOnly) || out.write(bytes) != bytes.size() || !out.commit()) {
        std::fprintf(stderr, "render_icon: cannot write %s\n", qPrintable(args[2]));
        return 1;
    }
    return 0;
}
