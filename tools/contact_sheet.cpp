// SPDX-License-Identifier: GPL-3.0-or-later
// Writes a contact sheet of every picture of the program at its design size,
// each labelled with its name and size.
//
//   contact_sheet OUT.png
#include "shell/startup.h"
#include "ui/application.h"
#include "ui/pictures.h"

#include <QApplication>
#include <QPainter>

int main(int argc, char* argv[]) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    if (argc != 2) {
        std::fputs("usage: contact_sheet OUT.png\n", stderr);
        return 2;
    }
    ui::setUpApplication(app);
    shell::prepare();

    const QStringList names = ui::pictures::names();
    const int width = 1800, gap = 16, caption = 18;
    // Lay the pictures out in rows, left to right.
    QList<QRect> places;
    int x = gap, y = gap, rowHeight = 0;
    for (const QString& name : names) {
        const QSize size = ui::pictures::designSize(name);
        if (x + size.width() > width - gap) {
            x = gap;
            y += rowHeight + caption + gap;
            rowHeight = 0;
        }
        places << QRect(QPoint(x, y), size);
        x += std::max(size.width(), 120) + gap;
        rowHeight = std::max(rowHeight, size.height());
    }
    QImage sheet(width, y + rowHeight + caption + gap, QImage::Format_RGB32);
    sheet.fill(QColor(200, 200, 200));
    QPainter painter(&sheet);
    painter.setFont(QFont(QStringLiteral("Liberation Sans"), 9));
    for (int i = 0; i < names.size(); ++i) {
        const QRect place = places[i];
        painter.fillRect(place, Qt::white);
        painter.drawPixmap(place.topLeft(), ui::pictures::pixmap(names[i], place.size()));
        painter.drawText(
            QRect(place.left(), place.bottom() + 2, 400, caption), Qt::AlignLeft,
            QStringLiteral("%1 %2×%3").arg(names[i]).arg(place.width()).arg(place.height()));
    }
    painter.end();
    return sheet.save(QString::fromLocal8Bit(argv[1])) ? 0 : 1;
}
