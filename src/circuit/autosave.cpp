// SPDX-License-Identifier: GPL-3.0-or-later
#include "circuit/autosave.h"

#include "circuit/circuit_file.h"
#include "circuit/json.h"

#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>
#include <QtDebug>

#include <condition_variable>
#include <map>
#include <mutex>
#include <thread>

namespace circuit {

QString autosavePath(const Exercise& exercise) {
    return QStandardPaths::writableLocation(QStandardPaths::AppDataLocation) +
           QStringLiteral("/taller/") + exercise.id + QStringLiteral(".ampera");
}

namespace {

void write(const QString& path, const QByteArray& text) {
    QString error;
    if (!QDir().mkpath(QFileInfo(path).absolutePath()) || !saveAtomically(path, text, &error))
        qWarning("%s", qUtf8Printable(
                           error.isEmpty()
                               ? QStringLiteral("No s'ha pogut crear la carpeta de «%1».").arg(path)
                               : error));
}

// What is kept of one exercise, made into text on the writer's thread: a
// fault-finding exercise's record may hold hundreds of measurements. The
// exercise is a copy, for a teacher's may be gone by the time it is written.
struct Kept {
    Exercise exercise;
    Wiring wiring;
    FaultLog log;
};

// Writes the kept wirings on a thread of its own, so that making the text
// and waiting for the disk never hold up the learner's next press. Only
// the newest wiring of each file waits to be written; the program waits
// for the writes when it ends, and a reading waits for them too.
class Writer {
  public:
    ~Writer() {
        {
            std::lock_guard lock(mutex_);
            stopping_ = true;
        }
        wake_.notify_all();
        if (thread_.joinable())
            thread_.join();
    }

    void queue(const QString& path, Kept kept) {
        {
            std::lock_guard lock(mutex_);
            pending_.insert_or_assign(path, std::move(kept));
            if (!thread_.joinable())
                thread_ = std::thread([this] { run(); });
        }
        wake_.notify_all();
    }

    void flush() {
        std::unique_lock lock(mutex_);
        done_.wait(lock, [this] { return pending_.empty() && !writing_; });
    }

  private:
    void run() {
        std::unique_lock lock(mutex_);
        for (;;) {
            wake_.wait(lock, [this] { return stopping_ || !pending_.empty(); });
            if (pending_.empty())
                return;
            const auto next = pending_.begin();
            const QString path = next->first;
            const Kept kept = std::move(next->second);
            pending_.erase(next);
            writing_ = true;
            lock.unlock();
            write(path, serializeWiring(kept.exercise, kept.wiring, kept.log));
            lock.lock();
            writing_ = false;
            done_.notify_all();
        }
    }

    std::mutex mutex_;
    std::condition_variable wake_, done_;
    std::map<QString, Kept> pending_;
    bool writing_ = false;
    bool stopping_ = false;
    std::thread thread_;
};

Writer& writer() {
    static Writer w;
    return w;
}

} // namespace

void storeWiring(const Exercise& exercise, const Wiring& wiring, const FaultLog& log) {
    writer().queue(autosavePath(exercise), {exercise, wiring, log});
}

void flushStoredWirings() {
    writer().flush();
}

std::optional<Wiring> restoredWiring(const Exercise& exercise, FaultLog* log) {
    flushStoredWirings();
    const QString path = autosavePath(exercise);
    if (!QFileInfo::exists(path))
        return std::nullopt;
    // Read against this very exercise, whichever copy of it the caller holds.
    QString reason;
    std::optional<QByteArray> bytes = readFile(path, &reason);
    std::optional<SavedWiring> saved;
    if (bytes)
        saved = parseWiringFor(
            *bytes, [&](const QString& id) { return id == exercise.id ? &exercise : nullptr; },
            &reason);
    if (!saved) {
        qWarning("%s",
                 qUtf8Printable(QStringLiteral("Es deixa de banda el muntatge desat a «%1»: %2.")
                                    .arg(path, reason)));
        return std::nullopt;
    }
    if (log)
        *log = saved->log;
    return saved->wiring;
}

} // namespace circuit
