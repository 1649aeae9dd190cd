#include "ui/pictures.h"

#include <QDir>
#include <QFile>
#include <QHash>
#include <QPainter>
#include <QSvgRenderer>

#include <map>
#include <memory>

namespace ui::pictures {
namespace {

struct Entry {
    Source source;
    std::unique_ptr<QSvgRenderer> renderer;
    QByteArray text;
    QHash<quint64, QPixmap> rendered;
};

std::map<QString, Entry>& catalogue() {
    static std::map<QString, Entry> entries;
    return entries;
}

int renderings = 0;

QByteArray readResource(const QString& name) {
    QFile file(QStringLiteral(":/pictures/%1.svg").arg(name));
    if (!file.open(QIODevice::ReadOnly))
        qFatal("Missing picture %s", qPrintable(name));
    return file.readAll();
}

Entry& entry(const QString& name) {
    Entry& e = catalogue()[name];
    if (!e.renderer) {
        e.text = e.source ? e.source() : readResource(name);
        e.renderer = std::make_unique<QSvgRenderer>(e.text);
        if (!e.renderer->isValid())
            qFatal("Invalid picture %s", qPrintable(name));
        e.renderer->setAspectRatioMode(Qt::IgnoreAspectRatio);
    }
    return e;
}

quint64 sizeKey(QSize s) { return (quint64(quint32(s.width())) << 32) | quint32(s.height()); }

} // namespace

void add(const QString& name, Source source) {
    Entry& e = catalogue()[name];
    e.source = std::move(source);
    e.renderer.reset();
    e.rendered.clear();
}

QSize designSize(const QString& name) { return entry(name).renderer->defaultSize(); }

QByteArray svg(const QString& name) { return entry(name).text; }

QPixmap pixmap(const QString& name, QSize devicePixels) {
    Entry& e = entry(name);
    const quint64 key = sizeKey(devicePixels);
    auto found = e.rendered.constFind(key);
    if (found != e.rendered.cend())
        return *found;
    QImage image(devicePixels.expandedTo(QSize(1, 1)), QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    {
        QPainter painter(&image);
        painter.setRenderHint(QPainter::Antialiasing);
        painter.setRenderHint(QPainter::SmoothPixmapTransform);
        e.renderer->render(&painter, QRectF(QPointF(0, 0), QSizeF(image.size())));
    }
    ++renderings;
    QPixmap result = QPixmap::fromImage(std::move(image));
    e.rendered.insert(key, result);
    return result;
}

QStringList names() {
    QStringList all;
    for (const auto& [name, entry] : catalogue())
        if (entry.source)
            all << name;
    for (const QString& file : QDir(QStringLiteral(":/pictures")).entryList({"*.svg"}))
        all << file.chopped(4);
    all.removeDuplicates();
    all.sort();
    return all;
}

int renderCount() { return renderings; }

} // namespace ui::pictures
