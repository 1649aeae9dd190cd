// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/pictures.h"

#include "ui/picture_recording.h"

#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QIconEngine>
#include <QPainter>
#include <QScreen>

#ifdef Q_OS_LINUX
#include <sys/mman.h>
#endif

#include <algorithm>
#include <map>
#include <memory>
#include <vector>

namespace ui::pictures {
namespace {

struct Rendering {
    quint64 size;
    QPixmap pixmap;
    quint64 lastUse;
};

// A recording holds its painting commands as the bytes it was read from;
// playing it reads them afresh each time.
struct Entry {
    Recording recording;
    std::vector<Rendering> rendered;
};

std::map<QString, Entry>& catalogue() {
    static std::map<QString, Entry> entries;
    return entries;
}

int renderings = 0;
quint64 useClock = 0;
qint64 heldBytes = 0;

qint64 bytesOf(const QPixmap& pixmap) {
    return qint64(pixmap.width()) * pixmap.height() * pixmap.depth() / 8;
}

// A rendering of a thirty-second of the budget or less (a button, the
// breaker, a lit-room overlay) holds little memory, but a tour of the
// rooms' photographs would push it out as surely as the large ones. Small
// renderings therefore go only once they hold more than a quarter of the
// budget, or when nothing large is left to drop.
bool isSmall(const Rendering& rendering, qint64 limit) {
    return bytesOf(rendering.pixmap) * 32 <= limit;
}

struct Found {
    Entry* entry = nullptr;
    std::vector<Rendering>::iterator rendering;
};

// The least recently drawn rendering of the given size class, leaving out
// the one drawn last: what a window shows is drawn on every repaint, so it
// stays.
Found leastRecent(bool small, qint64 limit) {
    Found found;
    for (auto& [name, entry] : catalogue())
        for (auto it = entry.rendered.begin(); it != entry.rendered.end(); ++it)
            if (isSmall(*it, limit) == small && it->lastUse != useClock &&
                (!found.entry || it->lastUse < found.rendering->lastUse))
                found = {&entry, it};
    return found;
}

// Drops renderings until the kept ones fit the budget again.
void trimToBudget() {
    const qint64 limit = keptBytesLimit();
    while (heldBytes > limit) {
        qint64 smallBytes = 0;
        for (const auto& [name, entry] : catalogue())
            for (const Rendering& rendering : entry.rendered)
                if (isSmall(rendering, limit))
                    smallBytes += bytesOf(rendering.pixmap);
        const bool smallFirst = smallBytes * 4 > limit;
        Found drop = leastRecent(smallFirst, limit);
        if (!drop.entry)
            drop = leastRecent(!smallFirst, limit);
        if (!drop.entry)
            return;
        heldBytes -= bytesOf(drop.rendering->pixmap);
        drop.entry->rendered.erase(drop.rendering);
    }
}

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

Entry& entry(const QString& name) {
    Entry& e = catalogue()[name];
    if (e.recording.design.isEmpty()) {
        QFile file(QStringLiteral(":/pictures/%1.pic").arg(name));
        if (!file.open(QIODevice::ReadOnly))
            qFatal("Missing picture %s", qUtf8Printable(name));
        std::optional<Recording> read = readRecording(file.readAll());
        if (!read)
            qFatal("Invalid picture %s", qUtf8Printable(name));
        e.recording = std::move(*read);
    }
    return e;
}

#ifdef MADV_HUGEPAGE
// A rendering of several megabytes gets a mapping of its own, on a 2 MiB
// boundary and marked for transparent huge pages. In 4 KiB pages, filling a
// fresh buffer faults once per page, and on a virtual machine those faults
// took longer than drawing the picture (a full-screen plan at 4K: 19 ms in
// 4 KiB pages, 3 ms in huge ones). Unmapping hands the memory straight back.
struct Mapping {
    void* start;
    size_t length;
};

constexpr size_t hugePage = size_t(2) << 20;

QImage newImage(QSize size) {
    const size_t bytesPerLine = size_t(size.width()) * 4;
    const size_t length = (bytesPerLine * size_t(size.height()) + 4095) & ~size_t(4095);
    if (length < hugePage)
        return QImage(size, QImage::Format_ARGB32_Premultiplied);
    void* raw = mmap(nullptr, length + hugePage, PROT_READ | PROT_WRITE,
                     MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
    if (raw == MAP_FAILED)
        return QImage(size, QImage::Format_ARGB32_Premultiplied);
    // Keep the aligned part of the mapping and give back the rest.
    auto* const first = static_cast<char*>(raw);
    const uintptr_t misalignment = reinterpret_cast<uintptr_t>(first) % hugePage;
    char* const start = first + (misalignment ? hugePage - misalignment : 0);
    if (start > first)
        munmap(first, size_t(start - first));
    munmap(start + length, size_t(first + length + hugePage - (start + length)));
    madvise(start, length, MADV_HUGEPAGE);
    auto* mapping = new Mapping{start, length};
    return QImage(
        reinterpret_cast<uchar*>(start), size.width(), size.height(), qsizetype(bytesPerLine),
        QImage::Format_ARGB32_Premultiplied,
        [](void* info) {
            auto* m = static_cast<Mapping*>(info);
            munmap(m->start, m->length);
            delete m;
        },
        mapping);
}
#else
QImage newImage(QSize size) {
    return QImage(size, QImage::Format_ARGB32_Premultiplied);
}
#endif

quint64 sizeKey(QSize s) {
    return (quint64(quint32(s.width())) << 32) | quint32(s.height());
}

} // namespace

QSize designSize(const QString& name) {
    return entry(name).recording.design;
}

void play(QPainter& painter, const QString& name, const QRectF& target) {
    const Recording& recording = entry(name).recording;
    painter.save();
    painter.translate(target.topLeft());
    painter.scale(target.width() / recording.design.width(),
                  target.height() / recording.design.height());
    painter.drawPicture(0, 0, recording.picture);
    painter.restore();
}

QPixmap pixmap(const QString& name, QSize devicePixels) {
    Entry& e = entry(name);
    const quint64 key = sizeKey(devicePixels);
    const auto found = std::find_if(e.rendered.begin(), e.rendered.end(),
                                    [key](const Rendering& kept) { return kept.size == key; });
    if (found != e.rendered.end()) {
        found->lastUse = ++useClock;
        return found->pixmap;
    }
    QImage image = newImage(devicePixels.expandedTo(QSize(1, 1)));
    image.fill(Qt::transparent);
    {
        QPainter painter(&image);
        painter.setRenderHint(QPainter::Antialiasing);
        painter.setRenderHint(QPainter::SmoothPixmapTransform);
        play(painter, name, QRectF(QPointF(0, 0), QSizeF(image.size())));
    }
    ++renderings;
    QPixmap result = QPixmap::fromImage(std::move(image));
    e.rendered.push_back({key, result, ++useClock});
    heldBytes += bytesOf(result);
    trimToBudget();
    return result;
}

QRect deviceRect(const QPainter& painter, const QRectF& target) {
    const qreal dpr = painter.device()->devicePixelRatioF();
    return {QPoint(qRound(target.left() * dpr), qRound(target.top() * dpr)),
            QSize(qRound(target.width() * dpr), qRound(target.height() * dpr))};
}

void drawInDevicePixels(QPainter& painter, QPoint device, const QPixmap& pixmap) {
    const qreal dpr = painter.device()->devicePixelRatioF();
    painter.save();
    painter.setWorldTransform(QTransform::fromScale(1 / dpr, 1 / dpr), true);
    painter.drawPixmap(device, pixmap);
    painter.restore();
}

QStringList names() {
    QStringList all;
    for (const QString& file : QDir(QStringLiteral(":/pictures")).entryList({"*.pic"}))
        all << file.chopped(4);
    all.sort();
    return all;
}

QIcon icon(const QString& name) {
    return QIcon(new PictureIconEngine(name));
}

int renderCount() {
    return renderings;
}

qint64 keptBytes() {
    return heldBytes;
}

qint64 keptBytesLimit() {
    // The largest screen: the program's window may be moved onto any.
    qint64 screenBytes = 0;
    for (const QScreen* screen : QGuiApplication::screens()) {
        const QSizeF pixels = QSizeF(screen->size()) * screen->devicePixelRatio();
        screenBytes = std::max(screenBytes, qint64(pixels.width()) * qint64(pixels.height()) * 4);
    }
    return std::max<qint64>(16 << 20, 2 * screenBytes);
}

} // namespace ui::pictures
