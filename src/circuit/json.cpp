// SPDX-License-Identifier: GPL-3.0-or-later
#include "circuit/json.h"

#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonParseError>

#include <cmath>

namespace circuit {

namespace {

const QString TooLarge = QStringLiteral("és massa gran (més d'1 MiB)");

// What stopped the reading, for a learner or a teacher.
QString problem(QJsonParseError::ParseError error) {
    switch (error) {
    case QJsonParseError::UnterminatedObject:
        return QStringLiteral("falta tancar un objecte");
    case QJsonParseError::MissingNameSeparator:
        return QStringLiteral("falten els dos punts després d'un nom");
    case QJsonParseError::UnterminatedArray:
        return QStringLiteral("falta tancar una llista");
    case QJsonParseError::MissingValueSeparator:
        return QStringLiteral("falta una coma entre dos valors");
    case QJsonParseError::IllegalValue:
        return QStringLiteral("hi ha un valor no permès");
    case QJsonParseError::TerminationByNumber:
        return QStringLiteral("s'acaba enmig d'un nombre");
    case QJsonParseError::IllegalNumber:
        return QStringLiteral("hi ha un nombre no vàlid");
    case QJsonParseError::IllegalEscapeSequence:
        return QStringLiteral("hi ha una seqüència d'escapament no vàlida");
    case QJsonParseError::IllegalUTF8String:
        return QStringLiteral("hi ha text que no és UTF-8 vàlid");
    case QJsonParseError::UnterminatedString:
        return QStringLiteral("falta tancar un text entre cometes");
    case QJsonParseError::MissingObject:
        return QStringLiteral("s'esperava un objecte");
    case QJsonParseError::DeepNesting:
        return QStringLiteral("té massa nivells d'objectes i llistes un dins l'altre");
    case QJsonParseError::DocumentTooLarge:
        return QStringLiteral("és massa gran");
    case QJsonParseError::GarbageAtEnd:
        return QStringLiteral("hi ha text de més després del final");
    case QJsonParseError::NoError:
        break;
    }
    return QStringLiteral("error desconegut");
}

} // namespace

std::optional<QByteArray> readFile(const QString& path, QString* error) {
    auto fail = [error](const QString& message) {
        if (error)
            *error = message;
        return std::nullopt;
    };
    const QFileInfo info(path);
    if (!info.exists())
        return fail(QStringLiteral("no existeix"));
    if (info.isDir())
        return fail(QStringLiteral("és una carpeta, no un fitxer"));
    // A pipe or a device could block or never end.
    if (!info.isFile())
        return fail(QStringLiteral("no és un fitxer normal"));
    if (info.size() > MaxFileBytes)
        return fail(TooLarge);
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return fail(QStringLiteral("no es pot llegir (no hi ha permís o el disc no respon)"));
    // It may have grown since it was measured.
    QByteArray bytes = file.read(MaxFileBytes + 1);
    if (file.error() != QFileDevice::NoError)
        return fail(QStringLiteral("no s'ha pogut llegir sencer"));
    if (bytes.size() > MaxFileBytes)
        return fail(TooLarge);
    return bytes;
}

std::optional<QJsonObject> parseJsonObject(const QByteArray& json, QString* error) {
    auto fail = [error](const QString& message) {
        if (error)
            *error = message;
        return std::nullopt;
    };
    if (json.size() > MaxFileBytes)
        return fail(TooLarge);
    QJsonParseError parse;
    const QJsonDocument doc = QJsonDocument::fromJson(json, &parse);
    if (parse.error != QJsonParseError::NoError) {
        const QByteArray before = json.left(parse.offset);
        const int line = int(before.count('\n')) + 1;
        const int column = int(before.size() - (before.lastIndexOf('\n') + 1)) + 1;
        return fail(QStringLiteral("no és JSON vàlid: %1 a la línia %2, columna %3")
                        .arg(problem(parse.error))
                        .arg(line)
                        .arg(column));
    }
    if (!doc.isObject())
        return fail(QStringLiteral("no és un objecte JSON"));
    return doc.object();
}

QByteArray jsonQuoted(const QString& text) {
    const QByteArray array = QJsonDocument(QJsonArray{text}).toJson(QJsonDocument::Compact);
    return array.mid(1, array.size() - 2);
}

bool JsonReader::fail(const QString& message) {
    faults_ << message;
    if (error_)
        *error_ = faults_.join(QStringLiteral("; "));
    return false;
}

bool JsonReader::header(const QJsonObject& o, const char* format, const QString& what, int newest) {
    if (o.value(QLatin1String("format")).toString() != QLatin1String(format))
        return fail(
            QStringLiteral("no és %1 (falta \"format\": \"%2\")").arg(what, QLatin1String(format)));
    const QJsonValue version = o.value(QLatin1String("version"));
    if (!isInteger(version) || version.toInt() < 1)
        return fail(QStringLiteral("el camp «version» ha de ser un enter positiu"));
    if (version.toInt() > newest)
        return fail(
            QStringLiteral("és de la versió %1 del format, més nova que la que coneix aquest "
                           "programa (%2): cal una versió més nova d'Ampera")
                .arg(version.toInt())
                .arg(newest));
    return true;
}

bool JsonReader::isInteger(const QJsonValue& v) {
    return v.isDouble() && std::abs(v.toDouble()) < 1e6 &&
           v.toDouble() == double(qint64(v.toDouble()));
}

} // namespace circuit
