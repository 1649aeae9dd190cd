// SPDX-License-Identifier: GPL-3.0-or-later
// Checks the small device pictures: switch symbols, compass, breaker,
// warning, loading bar and icon render at their design sizes and can be told
// apart where the learner has to tell them apart.
#include "ui/pictures.h"

#include <QHash>
#include <QImage>
#include <QtTest>

#include <algorithm>

namespace {

QImage render(const QString& name, QSize size) {
    return ui::pictures::pixmap(name, size).toImage().convertToFormat(QImage::Format_ARGB32);
}

QImage renderAtDesignSize(const QString& name) {
    return render(name, ui::pictures::designSize(name));
}

// Share of pixels that differ from the picture's most common colour: a blank
// or single-colour picture scores zero.
double inkShare(const QImage& image) {
    QHash<QRgb, int> counts;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            ++counts[image.pixel(x, y)];
    int most = 0;
    for (int n : counts)
        most = std::max(most, n);
    const int total = image.width() * image.height();
    return double(total - most) / total;
}

double differingShare(const QImage& a, const QImage& b) {
    Q_ASSERT(a.size() == b.size());
    int differing = 0;
    for (int y = 0; y < a.height(); ++y)
        for (int x = 0; x < a.width(); ++x)
            differing += a.pixel(x, y) != b.pixel(x, y);
    return double(differing) / (a.width() * a.height());
}

int countPixels(const QImage& image, bool (*test)(QColor)) {
    int n = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            n += test(image.pixelColor(x, y));
    return n;
}

bool isGreen(QColor c) {
    return c.alpha() > 200 && c.green() > c.red() + 60 && c.green() > c.blue() + 40;
}
bool isRed(QColor c) {
    return c.alpha() > 200 && c.red() > c.green() + 100 && c.red() > c.blue() + 100;
}
bool isGreyOpaque(QColor c) {
    return c.alpha() == 255 && c.red() == c.green() && c.green() == c.blue();
}

} // namespace

class SymbolsTest : public QObject {
    Q_OBJECT

  private slots:
    void rendersAtDesignSize_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QSize>("size");
        const QSize button(20, 20), breaker(57, 145), symbol(25, 25);
        QTest::newRow("single switch") << "switch_single" << symbol;
        QTest::newRow("two-way switch") << "switch_two_way" << symbol;
        QTest::newRow("intermediate switch") << "switch_intermediate" << symbol;
        QTest::newRow("compass rose") << "compass_rose" << QSize(80, 80);
        QTest::newRow("north button") << "button_north" << button;
        QTest::newRow("south button") << "button_south" << button;
        QTest::newRow("east button") << "button_east" << button;
        QTest::newRow("west button") << "button_west" << button;
        QTest::newRow("armed breaker") << "breaker_armed" << breaker;
        QTest::newRow("tripped breaker") << "breaker_tripped" << breaker;
        QTest::newRow("warning") << "warning" << QSize(70, 30);
        QTest::newRow("loading bar") << "loading_bar" << QSize(353, 36);
        QTest::newRow("icon") << "icon" << QSize(32, 32);
    }

    // Every picture has its design size and shows something at 100 % and at
    // 300 %, the smallest and largest scales the program draws at.
    void rendersAtDesignSize() {
        QFETCH(QString, name);
        QFETCH(QSize, size);
        QCOMPARE(ui::pictures::designSize(name), size);
        const QImage plain = renderAtDesignSize(name);
        QCOMPARE(plain.size(), size);
        QVERIFY2(inkShare(plain) > 0.05, qPrintable(QString::number(inkShare(plain))));
        QVERIFY(inkShare(render(name, size * 3)) > 0.05);
    }

    // The switch buttons are black on white: fully opaque and without colour,
    // and each device has a symbol of its own.
    void switchSymbolsAreDistinctBlackOnWhite() {
        const QStringList names{"switch_single", "switch_two_way", "switch_intermediate"};
        QList<QImage> images;
        for (const QString& name : names) {
            images << renderAtDesignSize(name);
            const QImage& image = images.last();
            QCOMPARE(countPixels(image, isGreyOpaque), image.width() * image.height());
            QCOMPARE(image.pixel(0, 0), qRgb(255, 255, 255));
        }
        for (int i = 0; i < images.size(); ++i)
            for (int j = i + 1; j < images.size(); ++j)
                QVERIFY2(differingShare(images[i], images[j]) > 0.05,
                         qPrintable(names[i] + " looks like " + names[j]));
    }

    void compassButtonsAreDistinct() {
        const QStringList names{"button_north", "button_south", "button_east", "button_west"};
        for (int i = 0; i < names.size(); ++i)
            for (int j = i + 1; j < names.size(); ++j)
                QVERIFY2(differingShare(renderAtDesignSize(names[i]),
                                        renderAtDesignSize(names[j])) > 0.05,
                         qPrintable(names[i] + " looks like " + names[j]));
    }

    // The two breaker pictures are one device whose lever and mark change:
    // mostly the same pixels, a visible difference, green only when armed and
    // red only when tripped.
    void breakerPicturesShowTheSameDeviceInTwoStates() {
        const QImage armed = renderAtDesignSize("breaker_armed");
        const QImage tripped = renderAtDesignSize("breaker_tripped");
        const double differing = differingShare(armed, tripped);
        QVERIFY2(differing > 0.04, qPrintable(QString::number(differing)));
        QVERIFY2(differing < 0.25, qPrintable(QString::number(differing)));

        const int area = armed.width() * armed.height();
        QVERIFY(countPixels(armed, isGreen) > area / 50);
        QCOMPARE(countPixels(armed, isRed), 0);
        QVERIFY(countPixels(tripped, isRed) > area / 50);
        QCOMPARE(countPixels(tripped, isGreen), 0);
    }

    // The loading bar is uncovered column by column from the left, so every
    // column of it must show part of the bar.
    void loadingBarFillsItsWholeWidth() {
        const QImage bar = renderAtDesignSize("loading_bar");
        const int middle = bar.height() / 2;
        for (int x = 0; x < bar.width(); ++x)
            QVERIFY2(qAlpha(bar.pixel(x, middle)) > 0,
                     qPrintable(QString("empty column %1").arg(x)));
    }

    // The icon is also shown at 16 x 16 in window title bars.
    void iconReadsAtSixteenPixels() { QVERIFY(inkShare(render("icon", QSize(16, 16))) > 0.3); }
};

QTEST_MAIN(SymbolsTest)
#include "tst_symbols.moc"
