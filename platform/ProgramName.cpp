#include "platform/ProgramName.h"

#include <QByteArray>
#include <QFile>
#include <QFileInfo>

namespace platform {

QString programFilePath() {
    QFile cmdline(QStringLiteral("/proc/self/cmdline"));
    if (cmdline.open(QIODevice::ReadOnly)) {
        const QByteArray all = cmdline.readAll();
        const QByteArray first = all.left(all.indexOf('\0'));
        if (!first.isEmpty()) return QFile::decodeName(first);
    }
    return QFileInfo(QStringLiteral("/proc/self/exe")).symLinkTarget();
}

QString exeBaseName(const QString& programPath) {
    QString name = programPath.mid(programPath.lastIndexOf(QLatin1Char('/')) + 1);
    const qsizetype n = name.size();
    const bool hasExtension = n > 4 && name.at(n - 4) == QLatin1Char('.') &&
                              !name.right(3).contains(QLatin1Char('.'));
    if (hasExtension) name.chop(4);
    return name;
}

QString appExeName() { return exeBaseName(programFilePath()); }

}  // namespace platform
