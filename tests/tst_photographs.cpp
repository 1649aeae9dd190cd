// SPDX-License-Identifier: GPL-3.0-or-later
// The room photographs: every lit picture and its derived dark twin render at
// their design size with real content, the dark one is clearly darker, the
// lamp's light is gone and the night sky shows; pictures that break the
// lit/dark convention are refused.
#include "house/catalogue.h"
#include "pictures/night.h"
#include "svg_sources.h"
#include "ui/pictures.h"

#include <QImage>
#include <QPainter>
#include <QSet>
#include <QSvgRenderer>
#include <QTemporaryDir>
#include <QtTest>

#include <algorithm>

namespace {

double luminance(QRgb c) {
    return (0.2126 * qRed(c) + 0.7152 * qGreen(c) + 0.0722 * qBlue(c)) / 255.0;
}

double meanLuminance(const QImage& image) {
    double sum = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            sum += luminance(image.pixel(x, y));
    return sum / (double(image.width()) * image.height());
}

int distinctColours(const QImage& image) {
    QSet<QRgb> colours;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            colours.insert(image.pixel(x, y));
    return int(colours.size());
}

// One group of a picture drawn alone, in place, on a transparent image of
// `size`, onto which the picture's view box is stretched.
QImage layer(const QByteArray& svg, const QString& id, QSize size) {
    QSvgRenderer renderer(svg);
    QImage image(size, QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    if (renderer.elementExists(id)) {
        const QRectF box = renderer.viewBoxF();
        const QRectF bounds = renderer.boundsOnElement(id).translated(-box.topLeft());
        const qreal sx = size.width() / box.width();
        const qreal sy = size.height() / box.height();
        QPainter painter(&image);
        renderer.render(
            &painter, id,
            QRectF(bounds.x() * sx, bounds.y() * sy, bounds.width() * sx, bounds.height() * sy));
    }
    return image;
}

QImage render(const QByteArray& svg, QSize size) {
    QSvgRenderer renderer(svg);
    QImage image(size, QImage::Format_ARGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    renderer.render(&painter, QRectF(QPointF(0, 0), QSizeF(size)));
    return image;
}

QByteArray tinyPicture(const QByteArray& body) {
    return "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"20\" height=\"20\" "
           "viewBox=\"0 0 20 20\">" +
           body + "</svg>";
}

} // namespace

class PhotographsTest : public QObject {
    Q_OBJECT

  private slots:
    void litAndDarkVersions_data() {
        QTest::addColumn<QString>("litName");
        QTest::addColumn<QSize>("designSize");
        // Each fills its picture box exactly at 15 twips a pixel: 4935 by
        // 5055 twips, the kitchen's 5100 high.
        const QSize usual(329, 337);
        QTest::newRow("kitchen") << "photo_kitchen" << QSize(329, 340);
        QTest::newRow("hall") << "photo_hall" << usual;
        QTest::newRow("study") << "photo_study" << usual;
        QTest::newRow("master bedroom") << "photo_master_bedroom" << usual;
        QTest::newRow("bedroom 1") << "photo_bedroom1" << usual;
        QTest::newRow("bedroom 2") << "photo_bedroom2" << usual;
        QTest::newRow("bathroom") << "photo_bathroom" << usual;
        QTest::newRow("washroom") << "photo_washroom" << usual;
        QTest::newRow("dining") << "photo_dining" << usual;
    }

    void litAndDarkVersions() {
        QFETCH(QString, litName);
        QFETCH(QSize, designSize);
        const auto& rooms = house::rooms();
        const auto room = std::find_if(rooms.begin(), rooms.end(), [&](const house::Room& r) {
            return r.photoPicture == litName;
        });
        QVERIFY(room != rooms.end());
        const QString darkName = house::darkPhotoPicture(*room);
        QCOMPARE(ui::pictures::designSize(litName), designSize);
        QCOMPARE(ui::pictures::designSize(darkName), designSize);

        const QImage lit = ui::pictures::pixmap(litName, designSize).toImage();
        const QImage dark = ui::pictures::pixmap(darkName, designSize).toImage();
        QCOMPARE(lit.size(), designSize);
        QCOMPARE(dark.size(), designSize);

        // A drawn room, not a blank or flat picture.
        QVERIFY2(distinctColours(lit) > 1000, qPrintable(QString::number(distinctColours(lit))));
        QVERIFY2(distinctColours(dark) > 1000, qPrintable(QString::number(distinctColours(dark))));

        const double litMean = meanLuminance(lit);
        const double darkMean = meanLuminance(dark);
        QVERIFY2(litMean > 0.55 && darkMean < 0.4 && litMean - darkMean > 0.3,
                 qPrintable(QStringLiteral("lit %1, dark %2").arg(litMean).arg(darkMean)));

        // Where the lamp shines (its light drawn opaque: the bulb), the dark
        // picture is much darker.
        const QImage light =
            layer(testing::svgSource(litName), QStringLiteral("lamp-light"), designSize);
        double litSum = 0, darkSum = 0;
        int count = 0;
        for (int y = 0; y < designSize.height(); ++y)
            for (int x = 0; x < designSize.width(); ++x)
                if (qAlpha(light.pixel(x, y)) >= 250) {
                    litSum += luminance(lit.pixel(x, y));
                    darkSum += luminance(dark.pixel(x, y));
                    ++count;
                }
        QVERIFY2(count >= 40, qPrintable(QString::number(count)));
        QVERIFY2(
            litSum / count - darkSum / count > 0.4,
            qPrintable(
                QStringLiteral("lamp lit %1, dark %2").arg(litSum / count).arg(darkSum / count)));

        // Nothing of the lamp's light is left in the dark picture: it is the
        // same as the dark version of a lit picture whose light is invisible.
        QByteArray unlit = testing::svgSource(litName);
        const QByteArray lampTag = "id=\"lamp-light\"";
        QCOMPARE(unlit.count(lampTag), 1);
        unlit.replace(lampTag, lampTag + " opacity=\"0\"");
        QString error;
        const QByteArray reference = photographs::nightVersion(unlit, &error);
        QVERIFY2(!reference.isEmpty(), qPrintable(error));
        QCOMPARE(render(reference, designSize), render(testing::svgSource(darkName), designSize));

        // The night sky lies above the night shade, unshaded, and only in the
        // dark picture.
        const QImage night =
            layer(testing::svgSource(darkName), QStringLiteral("night"), designSize);
        int nightPixels = 0, shownAsDrawn = 0, inLit = 0;
        for (int y = 0; y < designSize.height(); ++y)
            for (int x = 0; x < designSize.width(); ++x) {
                const QRgb n = night.pixel(x, y);
                if (qAlpha(n) != 255)
                    continue;
                ++nightPixels;
                const QRgb d = dark.pixel(x, y);
                const QRgb l = lit.pixel(x, y);
                auto same = [n](QRgb c) {
                    return qAbs(qRed(c) - qRed(n)) <= 3 && qAbs(qGreen(c) - qGreen(n)) <= 3 &&
                           qAbs(qBlue(c) - qBlue(n)) <= 3;
                };
                shownAsDrawn += same(d);
                inLit += same(l);
            }
        QVERIFY2(nightPixels >= 200, qPrintable(QString::number(nightPixels)));
        QVERIFY2(shownAsDrawn >= nightPixels * 0.95,
                 qPrintable(QStringLiteral("%1 of %2").arg(shownAsDrawn).arg(nightPixels)));
        QVERIFY2(inLit <= nightPixels * 0.05,
                 qPrintable(QStringLiteral("%1 of %2").arg(inLit).arg(nightPixels)));
    }

    void nightTreatmentOfASmallPicture() {
        // Attributes in any order and either kind of quotes.
        const QByteArray lit = tinyPicture(
            "<rect width=\"20\" height=\"20\" fill=\"#ffffff\"/>"
            "<g opacity=\"1\" id='lamp-light'><rect width=\"10\" height=\"10\" "
            "fill=\"#ffff00\"/></g>"
            "<g display='none' id='night' opacity=\"1\"><rect x=\"10\" y=\"10\" width=\"10\" "
            "height=\"10\" fill=\"#1b2a4a\"/></g><!-- end -->");
        QString error;
        const QByteArray dark = photographs::nightVersion(lit, &error);
        QVERIFY2(!dark.isEmpty(), qPrintable(error));
        QVERIFY(QSvgRenderer(dark).isValid());
        const QImage before = render(lit, QSize(20, 20));
        const QImage after = render(dark, QSize(20, 20));
        // Lamp light: yellow when lit, gone (shaded white, bluish) when dark.
        QCOMPARE(before.pixel(2, 2), qRgb(255, 255, 0));
        QVERIFY(qBlue(after.pixel(2, 2)) > qRed(after.pixel(2, 2)));
        // Shared part: shaded in the dark version.
        QCOMPARE(before.pixel(17, 2), qRgb(255, 255, 255));
        QVERIFY(luminance(after.pixel(17, 2)) < 0.5);
        // Night group: hidden when lit, drawn unshaded when dark.
        QCOMPARE(before.pixel(17, 17), qRgb(255, 255, 255));
        QCOMPARE(after.pixel(17, 17), qRgb(0x1b, 0x2a, 0x4a));
    }

    void picturesThatBreakTheConventionAreRefused_data() {
        QTest::addColumn<QByteArray>("lit");
        const QByteArray lamp = "<g id=\"lamp-light\"><rect width=\"5\" height=\"5\"/></g>";
        const QByteArray night =
            "<g id=\"night\" display=\"none\"><rect width=\"5\" height=\"5\"/></g>";
        const QByteArray shared = "<rect width=\"20\" height=\"20\" fill=\"#fff\"/>";
        QTest::newRow("no lamp light") << tinyPicture(shared + night);
        QTest::newRow("no night") << tinyPicture(shared + lamp);
        QTest::newRow("night not hidden")
            << tinyPicture(shared + lamp + "<g id=\"night\"><rect width=\"5\" height=\"5\"/></g>");
        QTest::newRow("lamp light already hidden")
            << tinyPicture(shared + "<g id=\"lamp-light\" display=\"none\"/>" + night);
        QTest::newRow("something drawn after the night")
            << tinyPicture(shared + lamp + night + shared);
        QTest::newRow("lamp light nested") << tinyPicture("<g>" + lamp + "</g>" + night);
        QTest::newRow("night is not a group")
            << tinyPicture(shared + lamp + "<rect id=\"night\" display=\"none\"/>");
        QTest::newRow("id used twice") << tinyPicture(shared + lamp + lamp + night);
        QTest::newRow("not well formed")
            << tinyPicture(shared + "<g id=\"lamp-light\"><rect width=\"5\"></g>" + night);
        QTest::newRow("no view box")
            << QByteArray("<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"20\" height=\"20\">" +
                          shared + lamp + night + "</svg>");
        QTest::newRow("empty") << QByteArray();
    }

    void picturesThatBreakTheConventionAreRefused() {
        QFETCH(QByteArray, lit);
        QString error;
        QVERIFY(photographs::nightVersion(lit, &error).isEmpty());
        QVERIFY(!error.isEmpty());
    }

    // The build stops rather than compile in a program without a dark
    // photograph: a lit one that is missing or breaks the convention leaves
    // nothing made, and the error names the file.
    void darkPhotographsNeedEveryLitOne() {
        QTemporaryDir drawn;
        QVERIFY(drawn.isValid());
        const auto& rooms = house::rooms();
        for (const house::Room& room : rooms)
            QVERIFY(QFile::copy(QStringLiteral(":/svg/%1.svg").arg(room.photoPicture),
                                drawn.filePath(room.photoPicture + QStringLiteral(".svg"))));
        QString error;
        QCOMPARE(photographs::darkPhotographs(drawn.path(), &error).size(), rooms.size());

        const QString last = drawn.filePath(rooms.back().photoPicture + QStringLiteral(".svg"));
        QFile::setPermissions(last, QFile::ReadOwner | QFile::WriteOwner);
        QFile broken(last);
        QVERIFY(broken.open(QIODevice::WriteOnly));
        broken.write(tinyPicture("<g id=\"lamp-light\"/>"));
        broken.close();
        QVERIFY(photographs::darkPhotographs(drawn.path(), &error).empty());
        QVERIFY2(error.contains(last) && error.contains(QStringLiteral("night")),
                 qPrintable(error));

        QVERIFY(QFile::remove(last));
        error.clear();
        QVERIFY(photographs::darkPhotographs(drawn.path(), &error).empty());
        QVERIFY2(error.contains(last), qPrintable(error));
    }
};

QTEST_MAIN(PhotographsTest)
#include "tst_photographs.moc"
