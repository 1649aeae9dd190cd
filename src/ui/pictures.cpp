#include "ui/pictures.h"

#include <QDir>
#include <QFile>
#include <QIconEngine>
#include <QPainter>
#include <QSvgRenderer>

#include <algorithm>
#include <map>
#include <memory>
#include <vector>

namespace ui::pictures {
namespace {

// A picture is drawn at one size per window scale, and at a few passing
// sizes while windows open and maximise; it is kept at the few sizes it was
// last drawn at. Older ones are dropped, or resizing a window again and again
// would keep a rendering for every size it passed through.
constexpr std::size_t keptSizes = 6;

struct Entry {
    Source source;
    std::unique_ptr<QSvgRenderer> renderer;
    QByteArray text;
    // Most recently used first.
    std::vector<std::pair<quint64, QPixmap>> rendered;
};

std::map<QString, Entry>& catalogue() {
    static std::map<QString, Entry> entries;
    return entries;
}

int renderings = 0;

// Draws a picture at whatever size the icon is painted, so that a picture is
// rendered only at sizes that are really shown. Drawing icons through the
// catalogue also spares start-up Qt's icon and image-format plug-ins.
class PictureIconEngine : public QIconEngine {
public:
    explicit PictureIconEngine(QString picture) : picture_(std::move(picture)) {}

    void paint(QPainter* painter, const QRect& rect, QIcon::Mode, QIcon::State) override {
        painter->drawPixmap(rect, ui::pictures::pixmap(picture_, rect.size()));
    }
    QPixmap pixmap(const QSize& size, QIcon::Mode, QIcon::State) override {
        return ui::pictures::pixmap(picture_, size);
    }
    QPixmap scaledPixmap(const QSize& size, QIcon::Mode, QIcon::State, qreal scale) override {
        QPixmap result = ui::pictures::pixmap(picture_, (QSizeF(size) * scale).toSize());
        result.setDevicePixelRatio(scale);
        return result;
    }
    QIconEngine* clone() const override { return new PictureIconEngine(picture_); }

private:
    QString picture_;
};

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
    const auto found = std::find_if(e.rendered.begin(), e.rendered.end(),
                                    [key](const auto& kept) { return kept.first == key; });
    if (found != e.rendered.end()) {
        std::rotate(e.rendered.begin(), found, found + 1);
        return e.rendered.front().second;
    }
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
    e.rendered.insert(e.rendered.begin(), {key, result});
    if (e.rendered.size() > keptSizes)
        e.rendered.pop_back();
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

QIcon icon(const QString& name) { return QIcon(new PictureIconEngine(name)); }

int renderCount() { return renderings; }

int keptCount() {
    std::size_t kept = 0;
    for (const auto& [name, entry] : catalogue())
        kept += entry.rendered.size();
    return int(kept);
}

} // namespace ui::pictures
