// SPDX-License-Identifier: GPL-3.0-or-later
// Reading the JSON of the workshop's files, which may come from anywhere:
// what is wrong is said in Catalan, with the line and column where the
// reading stopped.
#pragma once

#include <QByteArray>
#include <QJsonObject>
#include <QString>
#include <QStringList>

#include <optional>

namespace circuit {

// The largest file the workshop reads.
constexpr qint64 MaxFileBytes = 1024 * 1024;

// The bytes of a file, read no further than MaxFileBytes so that a huge or
// endless file costs nothing; or nothing with the reason in `error` (which
// does not name the file: the caller does).
std::optional<QByteArray> readFile(const QString& path, QString* error);

// The document's top-level object, or nothing with the reason in `error`.
std::optional<QJsonObject> parseJsonObject(const QByteArray& json, QString* error);

// A JSON string literal, escaped as JSON needs.
QByteArray jsonQuoted(const QString& text);

// Reads the fields of a document and keeps the faults met, in Catalan.
class JsonReader {
  public:
    explicit JsonReader(QString* error) : error_(error) {}

    // Keeps `message` as a fault, and all of them so far, joined by "; ",
    // in `error`; always false, to be returned.
    bool fail(const QString& message);
    const QStringList& faults() const { return faults_; }
    // The "format" must be `format` (`what` says what such a file is) and
    // the "version" a whole number no newer than `newest`.
    bool header(const QJsonObject& o, const char* format, const QString& what, int newest);
    // A whole number within a million either way (the range is checked
    // first: converting a double beyond qint64 is undefined).
    static bool isInteger(const QJsonValue& v);

  private:
    QString* error_;
    QStringList faults_;
};

} // namespace circuit
