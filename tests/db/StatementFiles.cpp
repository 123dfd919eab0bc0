#include "StatementFiles.h"

#include "db/Error.h"

#include <QFile>

namespace test {

QStringList statementLines(const QString& name) {
    QFile f(QStringLiteral(VQ_DB_STATEMENTS_DIR "/") + name + QStringLiteral(".sql"));
    if (!f.open(QIODevice::ReadOnly)) throw db::Error(QStringLiteral("No statement file %1").arg(f.fileName()));
    QStringList lines = QString::fromUtf8(f.readAll()).split(QLatin1Char('\n'));
    if (!lines.isEmpty() && lines.last().isEmpty()) lines.removeLast();
    return lines;
}

}  // namespace test
