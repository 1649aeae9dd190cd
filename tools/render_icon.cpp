// Renders the program's SVG icon to a square PNG of one size, for the icon
// theme sizes that desktops look up before they fall back to the scalable one.
//
//   render_icon ICON.svg SIZE OUT.png
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QSvgRenderer>

#include <cstdio>

int main(int argc, char* argv[]) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    const QStringList args = app.arguments().mid(1);
    bool sizeOk = false;
    const int size = args.value(1).toInt(&sizeOk);
    if (args.size() != 3 || !sizeOk || size <= 0) {
        std::fputs("usage: render_icon ICON.svg SIZE OUT.png\n", stderr);
        return 2;
    }

    QSvgRenderer svg(args[0]);
    if (!svg.isValid()) {
        std::fprintf(stderr, "render_icon: cannot read %s\n", qPrintable(args[0]));
        return 1;
    }
    // The whole view box fills the square; a desktop expects the icon's own
    // transparent margins, not ones we add.
    QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    svg.render(&painter, QRectF(0, 0, size, size));
    painter.end();

    if (!image.save(args[2], "PNG")) {
        std::fprintf(stderr, "render_icon: cannot write %s\n", qPrintable(args[2]));
        return 1;
    }
    return 0;
}
