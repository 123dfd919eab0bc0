#include "platform/RuntimeFolder.h"

#include <QByteArray>
#include <QCryptographicHash>
#include <QFileInfo>
#include <QStandardPaths>

#include <cerrno>
#include <sys/stat.h>
#include <unistd.h>

namespace platform {

namespace {

// Only a folder that is ours and closed to others may hold the locks.
bool isPrivateFolder(const QByteArray& path) {
    struct stat st {};
    if (::lstat(path.constData(), &st) != 0) return false;
    return S_ISDIR(st.st_mode) && st.st_uid == ::geteuid() && (st.st_mode & 077) == 0;
}

QString privateTmpFolder() {
    const QByteArray path = QByteArray("/tmp/vq-runtime-") + QByteArray::number(::geteuid());
    if (::mkdir(path.constData(), 0700) != 0 && errno != EEXIST) return {};
    return isPrivateFolder(path) ? QString::fromLocal8Bit(path) : QString();
}

}  // namespace

QString runtimeFolder() {
    if (!qEnvironmentVariableIsEmpty("XDG_RUNTIME_DIR")) {
        const QString dir = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
        if (!dir.isEmpty() && QFileInfo(dir).isDir()) return dir;
    }
    return privateTmpFolder();
}

QString fileKey(const QString& name, int maxLength) {
    const QByteArray encoded = name.toUtf8().toPercentEncoding();
    if (encoded.size() <= maxLength) return QString::fromLatin1(encoded);
    const QByteArray hash = QCryptographicHash::hash(name.toUtf8(), QCryptographicHash::Sha256).toHex();
    return QLatin1Char('#') + QString::fromLatin1(hash.left(32));
}

}  // namespace platform
