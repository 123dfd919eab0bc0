#include "StatementFiles.h"

#include "db/Error.h"

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

namespace test {

namespace {

QJsonObject formDescription(const QString& form) {
    QFile f(QStringLiteral(VQ_FORMS_DIR "/") + form + QStringLiteral(".json"));
    if (!f.open(QIODevice::ReadOnly)) throw db::Error(QStringLiteral("No form description %1").arg(f.fileName()));
    QJsonParseError error;
    const QJsonDocument doc = QJsonDocument::fromJson(f.readAll(), &error);
    if (!doc.isObject()) throw db::Error(QStringLiteral("%1 is not a form description: %2").arg(f.fileName(), error.errorString()));
    return doc.object();
}

// A missing or empty statement fails loudly: an empty list would run nothing and prove nothing.
QStringList lines(const QJsonValue& value, const QString& where) {
    const QJsonArray array = value.toArray();
    if (array.isEmpty()) throw db::Error(QStringLiteral("No statement lines at %1").arg(where));
    QStringList out;
    for (const QJsonValue& line : array) {
        if (!line.isString()) throw db::Error(QStringLiteral("A statement line at %1 is not a text").arg(where));
        out << line.toString();
    }
    return out;
}

}  // namespace

QStringList formSql(const QString& form, const QString& name) {
    return lines(formDescription(form).value(QLatin1String("sql")).toObject().value(name),
                 QStringLiteral("%1 sql/%2").arg(form, name));
}

QStringList formQuerySql(const QString& form, const QString& query) {
    const QJsonObject q = formDescription(form).value(QLatin1String("queries")).toObject().value(query).toObject();
    return lines(q.value(QLatin1String("sql")), QStringLiteral("%1 queries/%2/sql").arg(form, query));
}

}  // namespace test
