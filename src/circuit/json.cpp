#include "circuit/json.h"

#include <QJsonDocument>
#include <QJsonParseError>

namespace circuit {

std::optional<QJsonObject> parseJsonObject(const QByteArray& json, QString* error) {
    auto fail = [error](const QString& message) {
        if (error)
            *error = message;
        return std::nullopt;
    };
    if (json.size() > MaxFileBytes)
        return fail(QStringLiteral("és massa gran (més d'1 MiB)"));
    QJsonParseError parse;
    const QJsonDocument doc = QJsonDocument::fromJson(json, &parse);
    if (parse.error != QJsonParseError::NoError) {
        const QByteArray before = json.left(parse.offset);
        const int line = int(before.count('\n')) + 1;
        const int column = int(before.size() - (before.lastIndexOf('\n') + 1)) + 1;
        return fail(QStringLiteral("no és JSON vàlid: %1 a la línia %2, columna %3")
                        .arg(parse.errorString())
                        .arg(line)
                        .arg(column));
    }
    if (!doc.isObject())
        return fail(QStringLiteral("no és un objecte JSON"));
    return doc.object();
}

} // namespace circuit
