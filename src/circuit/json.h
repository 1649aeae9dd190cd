// Reading the JSON of the workshop's files, which may come from anywhere:
// what is wrong is said in Catalan, with the line and column where the
// reading stopped.
#pragma once

#include <QByteArray>
#include <QJsonObject>
#include <QString>

#include <optional>

namespace circuit {

// The largest file the workshop reads.
constexpr qint64 MaxFileBytes = 1024 * 1024;

// The document's top-level object, or nothing with the reason in `error`.
std::optional<QJsonObject> parseJsonObject(const QByteArray& json, QString* error);

} // namespace circuit
