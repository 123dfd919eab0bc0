// Voucher numbers per base date and the row key, from the rows stored at that moment.

#include "tests/voucher/StoreFixture.h"

#include <QSqlQuery>
#include <QVariant>
#include <gtest/gtest.h>

#include <chrono>
#include <future>
#include <stdexcept>
#include <thread>

using vtest::row;
using vtest::today;

namespace {

const QString kDate = QStringLiteral("2001-05-30");

class NumberingTest : public vtest::StoreTestOf<test::Engine> {
protected:
    void deleteVoucher(const QString& serialQel) {
        db::Query q(db());
        q.setSql({QStringLiteral("delete from Account_Qel_AA where Serial_Qel = :tbSerial")});
        q.setParamText(QStringLiteral("tbSerial"), serialQel);
        q.execSql();
    }
    // A voucher of one line of 100 for an office and entry form.
    static VoucherStore::NewVoucher oneLine(const QString& date, const QString& office, const QString& formKubun) {
        VoucherStore::Row debit;
        debit.line = QStringLiteral("01");
        debit.side = VoucherStore::DebitSide;
        debit.kubunAmt = QStringLiteral("5");
        debit.debitAmount = 100;
        VoucherStore::Row credit = debit;
        credit.side = VoucherStore::CreditSide;
        credit.debitAmount = 0;
        credit.creditAmount = 100;
        return {date, office, formKubun, {debit, credit}};
    }
};

TEST_P(NumberingTest, TheFirstVoucherOfADateIsNumberOne) {
    storeLine(db(), row("2001-05-31", "00000", "00000005", "01"), 10);
    storeLine(db(), row("2001-05-29", "00000", "00000003", "01"), 10);
    EXPECT_EQ(store().Serial_Qel_MaxValue(kDate), QStringLiteral("2001-05-30-00000001"));
}

TEST_P(NumberingTest, OneCounterPerDateAcrossOfficesAndPrograms) {
    storeLine(db(), row(kDate, "00000", "00000007", "01"), 10);
    storeLine(db(), row(kDate, "00001", "00000009", "02", "A004"), 10);
    storeLine(db(), row("2001-05-31", "00000", "00000042", "01"), 10);
    EXPECT_EQ(store().Serial_Qel_MaxValue(kDate), QStringLiteral("2001-05-30-00000010"));
    EXPECT_EQ(store().insert(oneLine(kDate, "00001", "A003")), QStringLiteral("2001-05-30-00000010"));
    EXPECT_EQ(store().insert(oneLine(kDate, "00002", "A004")), QStringLiteral("2001-05-30-00000011"));
}

TEST_P(NumberingTest, TheNumberOfADeletedHighestVoucherIsTakenAgain) {
    storeLine(db(), row(kDate, "00000", "00000003", "01"), 10);
    storeLine(db(), row(kDate, "00000", "00000009", "01"), 10);
    storeLine(db(), row(kDate, "00000", "00000010", "01"), 10);
    storeLine(db(), row(kDate, "00000", "00000010", "02"), 10);
    EXPECT_EQ(store().Serial_Qel_MaxValue(kDate), QStringLiteral("2001-05-30-00000011"));
    deleteVoucher(QStringLiteral("2001-05-30-00000010"));
    // The gap from 4 to 8 stays a gap.
    EXPECT_EQ(store().Serial_Qel_MaxValue(kDate), QStringLiteral("2001-05-30-00000010"));
}

TEST_P(NumberingTest, TheRowKeyOfTheFirstVoucherOfADate) {
    const QString first = store().Serial_Qel_MaxValue(kDate);
    EXPECT_EQ(VoucherStore::Serial_MaxValue(QStringLiteral("00000"), first, QStringLiteral("01"), QStringLiteral("A003*01")),
              QStringLiteral("AA*00000*3*2001-05-30-00000001*01*A003*01"));
    // Blanks are dropped from every part.
    EXPECT_EQ(VoucherStore::Serial_MaxValue(QStringLiteral("00002"), QStringLiteral(" 2001-05-30-00000001 "),
                                            QStringLiteral(" 04"), QStringLiteral("A003 *02")),
              QStringLiteral("AA*00002*3*2001-05-30-00000001*04*A003*02"));
}

TEST_P(NumberingTest, AHighestNumberWithoutANumericCounterIsAClearError) {
    vtest::Row broken = row(kDate, "00000", "", "01");
    broken.serialQel = QStringLiteral("2001-05-30-0000001X");
    storeLine(db(), broken, 10);
    storeLine(db(), row(kDate, "00000", "00000005", "01"), 10);
    EXPECT_THROW(store().Serial_Qel_MaxValue(kDate), std::runtime_error);
    try {
        store().insert(oneLine(kDate, "00000", "A003"));
        ADD_FAILURE() << "stored under no number";
    } catch (const std::runtime_error& e) {
        EXPECT_TRUE(QString::fromUtf8(e.what()).contains(QStringLiteral("2001-05-30-0000001X"))) << e.what();
    }
    EXPECT_EQ(stored().size(), 4);
}

TEST_P(NumberingTest, TheBaseDateIsBoundNotPastedIntoTheStatement) {
    storeLine(db(), row(kDate, "00000", "00000003", "01"), 10);
    const QString quoted = QStringLiteral("2001-05-30' or Date_Day <> '");
    EXPECT_EQ(store().Serial_Qel_MaxValue(quoted), quoted + QStringLiteral("-00000001"));
    EXPECT_EQ(store().Serial_Qel_MaxValue(kDate), QStringLiteral("2001-05-30-00000004"));
}

INSTANTIATE_TEST_SUITE_P(Engines, NumberingTest, test::allEngines, test::engineName);

// The server's process of a connection.
int backendOf(db::Database& database) {
    QSqlQuery q(database.handle());
    return q.exec(QStringLiteral("select pg_backend_pid()")) && q.next() ? q.value(0).toInt() : -1;
}

// Whether the server shows that process waiting for a lock, asked until it does (30 s at most).
bool waitsForALock(db::Database& observer, int backend) {
    QSqlQuery q(observer.handle());
    const auto until = std::chrono::steady_clock::now() + std::chrono::seconds(30);
    while (std::chrono::steady_clock::now() < until) {
        if (!q.exec(QStringLiteral("select count(*) from pg_locks where pid = %1 and not granted").arg(backend))) return false;
        if (q.next() && q.value(0).toInt() > 0) return true;
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    return false;
}

// A client that numbers without the lock inserts number 1 and commits once this one waits on
// that key: the unique key refuses the insert and the voucher is numbered again. (On SQLite
// one writer at a time holds the whole file.)
class SavingBesideAnotherWriter : public NumberingTest {};

TEST_P(SavingBesideAnotherWriter, ANumberTakenMeanwhileIsTakenAgainWithTheNextOne) {
    const int saver = backendOf(db());
    std::promise<void> inserted;
    std::thread other([&] {
        bool signalled = false;
        try {
            std::unique_ptr<db::Database> client = database().openAnotherConnection();
            db::Transaction saving(*client);
            storeRow(*client, row(today(), "00000", "00000001", "01"));
            inserted.set_value();
            signalled = true;
            EXPECT_TRUE(waitsForALock(*client, saver)) << "the save never waited for this writer";
            saving.commit();
        } catch (const std::exception& e) {
            ADD_FAILURE() << e.what();
            if (!signalled) inserted.set_value();
        }
    });
    inserted.get_future().wait();
    QString number;
    try {
        number = store().insert(oneLine(today(), "00000", "A003"));
    } catch (const std::exception& e) {
        ADD_FAILURE() << e.what();
    }
    other.join();
    EXPECT_EQ(number, today() + "-00000002");
    EXPECT_EQ(stored("Serial_Qel, Serial_CrDr"),
              QStringList({today() + "-00000001/01", today() + "-00000002/01", today() + "-00000002/02"}));
}

INSTANTIATE_TEST_SUITE_P(Engines, SavingBesideAnotherWriter, testing::Values(test::Engine::PostgreSQL), test::engineName);

}  // namespace
