// SPDX-License-Identifier: GPL-3.0-or-later
#include "svg_sources.h"

#include <QFile>

namespace testing {

QByteArray svgSource(const QString& name) {
    QFile file(QStringLiteral(":/svg/%1.svg").arg(name));
    if (!file.open(QIODevice::ReadOnly))
        qFatal("No SVG source for picture %s", qPrintable(name));
    return file.readAll();
}

} // namespace testing
