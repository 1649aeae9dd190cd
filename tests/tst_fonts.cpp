// SPDX-License-Identifier: GPL-3.0-or-later
// Checks that every font name used by the layouts resolves to the installed
// family meant to stand in for it, so that no window silently falls back to
// whatever font the machine happens to have.
#include "ui/fonts.h"
#include "ui/twips.h"

#include <QFontDatabase>
#include <QFontInfo>
#include <QtTest>

class FontsTest : public QObject {
    Q_OBJECT

  private slots:
    void resolvesToInstalledFamily_data() {
        QTest::addColumn<QString>("layoutFamily");
        QTest::addColumn<QString>("installed");
        QTest::addColumn<qreal>("points");
        QTest::addColumn<bool>("bold");
        const QString liberation = QStringLiteral("Liberation Sans");
        const QString yanone = QStringLiteral("Yanone Kaffeesatz");
        QTest::newRow("dialog font") << "MS Sans Serif" << liberation << 8.0 << false;
        QTest::newRow("dialog font, bold title") << "MS Sans Serif" << liberation << 9.75 << true;
        QTest::newRow("room name") << "Arial" << liberation << 18.0 << true;
        QTest::newRow("presentation title") << "Niagara Solid" << yanone << 36.0 << false;
        QTest::newRow("presentation subtitle") << "Niagara Solid" << yanone << 14.25 << false;
    }

    void resolvesToInstalledFamily() {
        QFETCH(QString, layoutFamily);
        QFETCH(QString, installed);
        QFETCH(qreal, points);
        QFETCH(bool, bold);
        QCOMPARE(ui::installedFamily(layoutFamily), installed);
        QVERIFY2(QFontDatabase::families().contains(installed),
                 qPrintable(installed + " is not installed"));

        const ui::FontSpec spec{layoutFamily, points, bold};
        for (const QFont& font :
             {ui::twipsFont(spec), ui::scaledFont(spec, 2.0 / ui::twipsPerPixel)}) {
            const QFontInfo info(font);
            QCOMPARE(info.family(), installed);
            QCOMPARE(info.bold(), bold);
        }
    }

    // QFontInfo must report the font actually used, or the check above
    // could not notice a fallback.
    void missingFamilyIsNoticed() {
        const QFontInfo info(QFont(QStringLiteral("No Such Family Ampera")));
        QVERIFY(info.family() != QLatin1String("No Such Family Ampera"));
    }

    void twipsAndPixelSizesFollowPoints() {
        const ui::FontSpec title{QStringLiteral("Niagara Solid"), 36};
        QCOMPARE(ui::twipsFont(title).pixelSize(), 720);
        // At 15 twips a pixel, 36 points are 48 pixels; at twice that, 96.
        QCOMPARE(ui::scaledFont(title, 1.0 / ui::twipsPerPixel).pixelSize(), 48);
        QCOMPARE(ui::scaledFont(title, 2.0 / ui::twipsPerPixel).pixelSize(), 96);
    }
};

QTEST_MAIN(FontsTest)
#include "tst_fonts.moc"
