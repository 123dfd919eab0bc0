#include "tests/support/Home.h"

#include "db/Database.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace test {

Home::Home() {
    set("XDG_CONFIG_HOME", dir_.filePath(QStringLiteral("config")));
    set("XDG_DATA_HOME", dir_.filePath(QStringLiteral("data")));
}

Home::~Home() {
    for (const auto& [name, value] : saved_) {
        if (value.isNull())
            qunsetenv(name);
        else
            qputenv(name, value);
    }
}

void Home::set(const char* name, const QString& value) {
    saved_.emplace_back(name, qEnvironmentVariableIsSet(name) ? qgetenv(name) : QByteArray());
    qputenv(name, value.toUtf8());
}

bool Home::writeAliasFile(const QByteArray& text) const {
    QDir().mkpath(QFileInfo(db::Database::configFilePath()).absolutePath());
    QFile f(db::Database::configFilePath());
    return f.open(QIODevice::WriteOnly) && f.write(text) == text.size();
}

}  // namespace test
