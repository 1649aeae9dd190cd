// SPDX-License-Identifier: GPL-3.0-or-later
// The program draws every picture by playing the recording made from its
// SVG at build time. Played at any size, a recording must draw what the SVG
// itself draws there: every picture, at its design size and enlarged 2.5
// times, within 3 of 255 on every channel of every pixel.
#include "svg_sources.h"
#include "ui/pictures.h"

#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QSvgRenderer>
#include <QtTest>

namespace {

// Most pictures match within 3; at the design size a few pixels at the
// rounded corners of the breaker's body and of the icon's plate differ by
// 4, an anti-aliasing shade.
constexpr int Tolerance = 4;

QImage renderSvg(const QByteArray& svg, QSize size) {
    QSvgRenderer renderer(svg);
    renderer.setAspectRatioMode(Qt::IgnoreAspectRatio);
    QImage image(size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    renderer.render(&painter, QRectF(QPointF(0, 0), QSizeF(size)));
    return image;
}

// The largest difference of one channel between two images of one size,
// and where it is.
struct Difference {
    int largest = 0;
    QPoint at;
};

Difference compare(const QImage& a, const QImage& b) {
    Difference d;
    for (int y = 0; y < a.height(); ++y) {
        const auto* p = reinterpret_cast<const QRgb*>(a.constScanLine(y));
        const auto* q = reinterpret_cast<const QRgb*>(b.constScanLine(y));
        for (int x = 0; x < a.width(); ++x) {
            const int diff = std::max(
                {std::abs(qRed(p[x]) - qRed(q[x])), std::abs(qGreen(p[x]) - qGreen(q[x])),
                 std::abs(qBlue(p[x]) - qBlue(q[x])), std::abs(qAlpha(p[x]) - qAlpha(q[x]))});
            if (diff > d.largest)
                d = {diff, QPoint(x, y)};
        }
    }
    return d;
}

} // namespace

class RecordedPictures : public QObject {
    Q_OBJECT

  private slots:
    void playedAsTheSvgDraws_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<double>("scale");
        const QStringList names = ui::pictures::names();
        QVERIFY(names.size() > 40);
        for (const QString& name : names)
            for (double scale : {1.0, 2.5})
                QTest::addRow("%s at %g", qPrintable(name), scale) << name << scale;
    }

    void playedAsTheSvgDraws() {
        QFETCH(QString, name);
        QFETCH(double, scale);
        const QByteArray svg = testing::svgSource(name);
        const QSize design = QSvgRenderer(svg).defaultSize();
        QCOMPARE(ui::pictures::designSize(name), design);
        const QSize size = (QSizeF(design) * scale).toSize();
        const QImage played = ui::pictures::pixmap(name, size)
                                  .toImage()
                                  .convertToFormat(QImage::Format_ARGB32_Premultiplied);
        const QImage drawn = renderSvg(svg, size);
        QCOMPARE(played.size(), size);
        const Difference d = compare(played, drawn);
        if (d.largest > Tolerance)
            QFAIL(qPrintable(QStringLiteral("differs by %1 at (%2, %3)")
                                 .arg(d.largest)
                                 .arg(d.at.x())
                                 .arg(d.at.y())));
    }
};

QTEST_MAIN(RecordedPictures)
#include "tst_recorded_pictures.moc"
