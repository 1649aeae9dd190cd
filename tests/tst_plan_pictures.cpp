// SPDX-License-Identifier: GPL-3.0-or-later
// The plan of the house and its lit-room overlays, as the program loads
// them: each overlay must sit exactly on its room, so that laying it over
// the plan changes nothing but the room's colour.
#include "house/catalogue.h"
#include "pictures/house_plan.h"
#include "ui/pictures.h"
#include "ui/twips.h"

#include <QImage>
#include <QLineF>
#include <QPainter>
#include <QtTest>

#include <cmath>

namespace {

// Overlays are checked at three times their design size, where every
// indicator rectangle (in twips) falls on whole device pixels.
constexpr int scale = 3;
constexpr double twipsPerDevicePixel = double(ui::twipsPerPixel) / scale;

QImage render(const QString& name, QSize size) {
    return ui::pictures::pixmap(name, size).toImage().convertToFormat(QImage::Format_ARGB32);
}

bool isLitYellow(QRgb p) {
    return qRed(p) >= 250 && qGreen(p) >= 250 && std::abs(qBlue(p) - 66) <= 10;
}

int channelDifference(QRgb a, QRgb b) {
    return std::max({std::abs(qRed(a) - qRed(b)), std::abs(qGreen(a) - qGreen(b)),
                     std::abs(qBlue(a) - qBlue(b)), std::abs(qAlpha(a) - qAlpha(b))});
}

double distanceToOutline(const QPolygonF& polygon, QPointF p) {
    double best = 1e9;
    for (int i = 0; i + 1 < polygon.size(); ++i) {
        const QLineF edge(polygon[i], polygon[i + 1]);
        const QPointF d = edge.p2() - edge.p1();
        const double length2 = QPointF::dotProduct(d, d);
        double t = length2 > 0 ? QPointF::dotProduct(p - edge.p1(), d) / length2 : 0;
        t = std::clamp(t, 0.0, 1.0);
        best = std::min(best, QLineF(p, edge.p1() + t * d).length());
    }
    return best;
}

double area(const QPolygonF& polygon) {
    double twice = 0;
    for (int i = 0; i < polygon.size(); ++i) {
        const QPointF a = polygon[i];
        const QPointF b = polygon[(i + 1) % polygon.size()];
        twice += a.x() * b.y() - b.x() * a.y();
    }
    return std::abs(twice) / 2;
}

QRect deviceRect(const QRectF& twips) {
    return QRect(qRound(twips.x() / twipsPerDevicePixel), qRound(twips.y() / twipsPerDevicePixel),
                 qRound(twips.width() / twipsPerDevicePixel),
                 qRound(twips.height() / twipsPerDevicePixel));
}

} // namespace

class PlanPicturesTest : public QObject {
    Q_OBJECT

  private slots:
    void picturesRenderAtTheirDesignSize_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QSize>("size");
        QTest::newRow("plan") << QStringLiteral("plan") << QSize(329, 337);
        QTest::newRow("plan_floor") << QStringLiteral("plan_floor") << QSize(329, 337);
        for (const house::PlanArea& a : house::planAreas())
            QTest::newRow(qPrintable(a.picture))
                << a.picture
                << QSize(qRound(a.indicatorRect.width() / ui::twipsPerPixel),
                         qRound(a.indicatorRect.height() / ui::twipsPerPixel));
        for (const char* face : {"face_south", "face_west", "face_north", "face_east"})
            QTest::newRow(face) << QString::fromLatin1(face) << QSize(465, 337);
    }

    void picturesRenderAtTheirDesignSize() {
        QFETCH(QString, name);
        QFETCH(QSize, size);
        QCOMPARE(ui::pictures::designSize(name), size);
        const QImage image = render(name, size);
        QCOMPARE(image.size(), size);
        // Not blank: a good share of the picture differs from its corner.
        const QRgb corner = image.pixel(0, 0);
        int drawn = 0;
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x)
                drawn += channelDifference(image.pixel(x, y), corner) > 40;
        QVERIFY2(drawn > image.width() * image.height() / 20, qPrintable(name));
    }

    void planHasNoYellow() {
        for (const QString& name : {QStringLiteral("plan"), QStringLiteral("plan_floor")}) {
            const QImage image = render(name, house::planPictureSize * scale);
            for (int y = 0; y < image.height(); ++y)
                for (int x = 0; x < image.width(); ++x)
                    QVERIFY2(!isLitYellow(image.pixel(x, y)), qPrintable(name));
        }
    }

    // On the floor-plan window the plan picture stands 8 pixels right of
    // where the indicators are measured from; "plan_floor" undoes that.
    void floorPlanIsThePlanMovedLeft() {
        const QImage plan = render(QStringLiteral("plan"), house::planPictureSize * scale);
        const QImage floor = render(QStringLiteral("plan_floor"), house::planPictureSize * scale);
        const int shift = 8 * scale;
        int mismatches = 0;
        for (int y = 0; y < plan.height(); ++y)
            for (int x = 0; x + shift < plan.width(); ++x)
                mismatches += channelDifference(floor.pixel(x, y), plan.pixel(x + shift, y)) > 8;
        QCOMPARE(mismatches, 0);
    }

    void roomsDoNotOverlapAndStayInTheirRectangles() {
        const auto& areas = house::planAreas();
        for (const house::PlanArea& a : areas) {
            const QPolygonF room = house::roomArea(a.picture);
            QVERIFY2(area(room) > 500, qPrintable(a.picture));
            const QRectF rect = house::overlayRect(a.picture);
            QVERIFY(rect.adjusted(-1e-6, -1e-6, 1e-6, 1e-6).contains(room.boundingRect()));
            for (const house::PlanArea& b : areas)
                if (&a != &b)
                    QVERIFY2(area(room.intersected(house::roomArea(b.picture))) < 1e-3,
                             qPrintable(a.picture + " overlaps " + b.picture));
        }
        QVERIFY(house::roomArea(QStringLiteral("no_such_room")).isEmpty());
    }

    void overlaySitsExactlyOnItsRoom_data() {
        QTest::addColumn<QString>("name");
        for (const house::PlanArea& a : house::planAreas())
            QTest::newRow(qPrintable(a.picture)) << a.picture;
    }

    void overlaySitsExactlyOnItsRoom() {
        QFETCH(QString, name);
        const house::PlanArea* found = nullptr;
        for (const house::PlanArea& a : house::planAreas())
            if (a.picture == name)
                found = &a;
        QVERIFY(found);
        const QRect place = deviceRect(found->indicatorRect);
        const QImage plan = render(QStringLiteral("plan"), house::planPictureSize * scale);
        // The overlay as the learner sees it: laid over the plan.
        QImage overlay = plan.copy(place);
        QPainter(&overlay).drawImage(0, 0, render(name, place.size()));

        QPolygonF room = house::roomArea(name);
        for (QPointF& p : room)
            p = p * scale - QPointF(place.topLeft());
        if (room.first() != room.last())
            room << room.first();

        int yellow = 0;
        for (int y = 0; y < overlay.height(); ++y) {
            for (int x = 0; x < overlay.width(); ++x) {
                const QPointF centre(x + 0.5, y + 0.5);
                const bool inside = room.containsPoint(centre, Qt::OddEvenFill);
                const bool nearOutline = distanceToOutline(room, centre) < 1.5;
                const QRgb lit = overlay.pixel(x, y);
                const QRgb dark = plan.pixel(place.x() + x, place.y() + y);
                if (isLitYellow(lit)) {
                    ++yellow;
                    QVERIFY2(inside,
                             qPrintable(
                                 QStringLiteral("yellow outside the room at %1,%2").arg(x).arg(y)));
                } else if (!inside && !nearOutline &&
                           channelDifference(dark, qRgb(255, 255, 255)) <= 8) {
                    // Outside the room the overlay adds nothing to the white
                    // of the plan (its doors may ink the plan's own again).
                    QVERIFY2(
                        channelDifference(lit, dark) <= 8,
                        qPrintable(QStringLiteral("differs from the plan at %1,%2").arg(x).arg(y)));
                } else if (inside && !nearOutline &&
                           channelDifference(lit, qRgb(255, 255, 66)) > 24) {
                    // Inside the room only the plan's own lines may hide the yellow.
                    QVERIFY2(channelDifference(dark, qRgb(255, 255, 255)) > 8,
                             qPrintable(QStringLiteral("unlit hole at %1,%2").arg(x).arg(y)));
                }
            }
        }
        QVERIFY2(yellow > 0.8 * area(room), qPrintable(QString::number(yellow / area(room))));

        // Where the learner clicks to enter the room, the lit room shows.
        const QRect target = deviceRect(found->targetRect).translated(-place.topLeft());
        const QRect shared = target.intersected(overlay.rect());
        int litInTarget = 0;
        for (int y = shared.top(); y <= shared.bottom(); ++y)
            for (int x = shared.left(); x <= shared.right(); ++x)
                litInTarget += isLitYellow(overlay.pixel(x, y));
        QVERIFY2(
            litInTarget > 0.75 * target.width() * target.height(),
            qPrintable(QString::number(double(litInTarget) / (target.width() * target.height()))));
    }

    // The kitchen's overlay stands 2 pixels further left on most room windows
    // than on the kitchen and the floor plan. Laid either way over the plan,
    // it leaves every wall as the plan draws it: none covered, none doubled.
    void kitchenOverlayLeavesTheWallsToThePlan_data() {
        QTest::addColumn<qreal>("left");
        QTest::newRow("kitchen, floor plan") << qreal(1560);
        QTest::newRow("other rooms") << house::kitchenIndicatorLeftOnOtherRooms;
    }
    void kitchenOverlayLeavesTheWallsToThePlan() {
        QFETCH(qreal, left);
        const house::PlanArea& kitchen = house::planAreas().front();
        QCOMPARE(kitchen.indicator, QString("ImgCuina"));
        QRectF rect = kitchen.indicatorRect;
        rect.moveLeft(left);
        const QRect place = deviceRect(rect);
        const QImage plan = render(QStringLiteral("plan"), house::planPictureSize * scale);
        QImage shown = plan.copy(place);
        QPainter(&shown).drawImage(0, 0, render(kitchen.picture, place.size()));

        const auto dark = [](QRgb p) { return qRed(p) < 60 && qGreen(p) < 60 && qBlue(p) < 60; };
        // Rows that cross only the kitchen's side walls, between its worktop
        // and its lower wall: the walls a shift across can cover or double.
        const int top = 35 * scale - place.y(), bottom = 75 * scale - place.y();
        // A pixel inside a wall: it and its four neighbours are dark.
        const auto inWall = [&](int x, int y) {
            const QPoint p = place.topLeft() + QPoint(x, y);
            for (const QPoint d :
                 {QPoint(0, 0), QPoint(1, 0), QPoint(-1, 0), QPoint(0, 1), QPoint(0, -1)})
                if (!dark(plan.pixel(p + d)))
                    return false;
            return true;
        };
        int wallPixels = 0, yellow = 0;
        for (int y = 0; y < shown.height(); ++y)
            for (int x = 0; x < shown.width(); ++x) {
                yellow += isLitYellow(shown.pixel(x, y));
                if (y < top || y > bottom)
                    continue;
                if (inWall(x, y)) {
                    ++wallPixels;
                    // Dark still, though a door's purple may be drawn on it.
                    QVERIFY2(qGray(shown.pixel(x, y)) < 110,
                             qPrintable(QStringLiteral("wall covered at %1,%2").arg(x).arg(y)));
                } else if (!dark(plan.pixel(place.x() + x, place.y() + y)))
                    QVERIFY2(!dark(shown.pixel(x, y)),
                             qPrintable(QStringLiteral("wall doubled at %1,%2").arg(x).arg(y)));
            }
        QVERIFY(wallPixels > 500);
        QVERIFY(yellow > shown.width() * shown.height() / 2);
    }
};

QTEST_MAIN(PlanPicturesTest)
#include "tst_plan_pictures.moc"
