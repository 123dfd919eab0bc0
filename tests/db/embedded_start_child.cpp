// A first start that dies while it creates the embedded database: the files it may write are
// limited to the size given, and the system ends it (SIGXFSZ) when it writes past it. The
// environment names its home (XDG_CONFIG_HOME, XDG_DATA_HOME).

#include "db/Database.h"

#include <QCoreApplication>
#include <sys/resource.h>

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    const rlim_t limit = static_cast<rlim_t>(QCoreApplication::arguments().value(1).toLongLong());
    const rlimit files{limit, limit}, noCore{0, 0};
    if (limit == 0 || setrlimit(RLIMIT_FSIZE, &files) != 0 || setrlimit(RLIMIT_CORE, &noCore) != 0) return 2;
    db::Database::alias(QStringLiteral("Account"));
    return 0;
}
