// One client commits vouchers in a loop while a clerk's form reloads its grid on the same
// database: the reader never waits for the writer's lock (on SQLite the write-ahead log gives
// that), so the form is made to fail at once where it would wait.

#include "tests/voucher/VoucherFormFixture.h"

#include <gtest/gtest.h>

#include <atomic>
#include <thread>

namespace {

class ReaderWhileWriting : public vtest::VoucherFormTest {};

TEST_P(ReaderWhileWriting, TheGridReloadsWithoutALockWaitMessage) {
    start();
    db::Database& account = db::Database::alias(QStringLiteral("Account"));
    account.exec(test::engineOf(GetParam()) == test::Engine::SQLite ? QStringLiteral("PRAGMA busy_timeout = 0")
                                                                     : QStringLiteral("SET lock_timeout = '1ms'"));
    std::atomic<bool> readerDone{false};
    std::atomic<int> commits{0};
    std::thread writer([&] {
        const std::unique_ptr<db::Database> other = database().openAnotherConnection();
        for (int i = 1; i <= 20000 && !readerDone; ++i) {
            db::Transaction t(*other);
            vtest::storeLine(*other, vtest::row(vtest::today(), QStringLiteral("00000"), QStringLiteral("%1").arg(i, 8, 10, QLatin1Char('0')),
                                                QStringLiteral("01")),
                             100);
            t.commit();
            ++commits;
        }
    });
    while (commits == 0) std::this_thread::yield();
    for (int reload = 0; reload < 200 && messages().texts().isEmpty(); ++reload) clerk().pick(QStringLiteral("cbKubun"), (reload + 1) % 2);
    readerDone = true;
    writer.join();
    EXPECT_EQ(messages().texts(), QStringList());
    EXPECT_GT(commits, 1);
}

INSTANTIATE_TEST_SUITE_P(Engines, ReaderWhileWriting, test::allEngines, test::engineName);

}  // namespace
