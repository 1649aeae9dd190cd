// SPDX-License-Identifier: GPL-3.0-or-later
// The form of a recorded picture, shared by the build-time recorder and the
// program that plays it: a tag, the picture's design size in pixels, and
// the QPicture that draws it at that size.
#pragma once

#include <QDataStream>
#include <QIODevice>
#include <QPicture>
#include <QSize>

#include <optional>

namespace ui::pictures {

struct Recording {
    QSize design;
    QPicture picture;
};

inline constexpr quint32 recordingTag = 0x416d5031; // "AmP1"

inline bool writeRecording(QIODevice* device, QSize design, const QPicture& picture) {
    QDataStream out(device);
    out.setVersion(QDataStream::Qt_6_4);
    out << recordingTag << design << picture;
    return out.status() == QDataStream::Ok;
}

inline std::optional<Recording> readRecording(const QByteArray& bytes) {
    QDataStream in(bytes);
    in.setVersion(QDataStream::Qt_6_4);
    quint32 tag = 0;
    Recording recording;
    in >> tag >> recording.design >> recording.picture;
    if (in.status() != QDataStream::Ok || tag != recordingTag || recording.design.isEmpty())
        return std::nullopt;
    return recording;
}

} // namespace ui::pictures
