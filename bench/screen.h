// SPDX-License-Identifier: GPL-3.0-or-later
// The screen a benchmark runs on: a size in device pixels, whatever the
// scaling (QT_SCALE_FACTOR) says, so that runs at 100 %, 150 % and 200 %
// draw the same number of pixels and differ only in how they are scaled.
#pragma once

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QSize>
#include <QString>

#include <cmath>

namespace bench {

// The device size asked for by "--device WxH" among the arguments, which it
// removes; 1920×1080 without it.
inline QSize takeDeviceSize(int& argc, char** argv) {
    QSize size(1920, 1080);
    for (int i = 1; i + 1 < argc; ++i) {
        if (QByteArray(argv[i]) != "--device")
            continue;
        const QList<QByteArray> wh = QByteArray(argv[i + 1]).split('x');
        if (wh.size() == 2)
            size = QSize(wh[0].toInt(), wh[1].toInt());
        for (int j = i; j + 2 < argc; ++j)
            argv[j] = argv[j + 2];
        argc -= 2;
        argv[argc] = nullptr;
        break;
    }
    return size;
}

// Before the application is made: runs headless (unless a platform was
// chosen) on one screen of `devicePixels`, so that the program sees a
// screen of the size it is measured at, as it would on a real one.
inline void useScreen(QSize devicePixels) {
    const QByteArray platform = qgetenv("QT_QPA_PLATFORM");
    if (!platform.isEmpty() && platform != "offscreen")
        return;
    const QString path = QDir::temp().filePath(QStringLiteral("ampera-bench-screen-%1x%2.json")
                                                   .arg(devicePixels.width())
                                                   .arg(devicePixels.height()));
    QFile file(path);
    if (file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        file.write(QStringLiteral(R"({"screens": [{"name": "bench", "x": 0, "y": 0, )"
                                  R"("width": %1, "height": %2}]})")
                       .arg(devicePixels.width())
                       .arg(devicePixels.height())
                       .toUtf8());
    qputenv("QT_QPA_PLATFORM", "offscreen:configfile=" + path.toLocal8Bit());
}

// A window's size in logical pixels that covers `devicePixels`.
inline QSize logicalSize(QSize devicePixels) {
    const qreal ratio = qApp->devicePixelRatio();
    return QSize(int(std::lround(devicePixels.width() / ratio)),
                 int(std::lround(devicePixels.height() / ratio)));
}

// "150 %" for the scaling that QT_SCALE_FACTOR sets.
inline QString scaling() {
    const QByteArray factor = qgetenv("QT_SCALE_FACTOR");
    return QStringLiteral("%1 %").arg(
        std::lround((factor.isEmpty() ? 1 : factor.toDouble()) * 100));
}

} // namespace bench
