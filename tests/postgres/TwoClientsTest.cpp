// Two clients on one PostgreSQL database: what one saves, the other's grid shows; what one
// has not committed, the other does not see; a row key stored twice is refused.

#include "tests/postgres/PgServer.h"

#include "db/Database.h"
#include "db/Error.h"
#include "db/Query.h"

#include <QDateTime>
#include <memory>

namespace {

using pgtest::ScratchDatabase;

// The voucher form's grid of stored lines, line for line (blanks and tabs included).
QStringList gridStatement() {
    const QString fromLine = QStringLiteral("  \tselect       t.Serial,    t.serial_qel,    t.serial_bun,    t.Date_day,   ");
    const QString tables = QStringLiteral("  \tfrom         account_qel_AA t, kubun_table tt   ");
    const QString where = QStringLiteral(
        "  \twhere      t.Date_Day + t.Kubun_Bon like (:tbDKubun)  and rtrim(t.kubun_qel) = '3'  ");
    const QString total = QStringLiteral("total = (rtrim(tt.kubun_name) + '/' + rtrim(tt.kubun_jangso)),");
    return {
        QStringLiteral("select      ttt.serial_qel,     ttt.serial_bun,    ttt.Date_day,    ttt.total,   "),
        QStringLiteral("ac_text1 = max(rtrim(ttt.ac_text1)), ac_text2 = max(rtrim(ttt.ac_text2)),"),
        QStringLiteral("serial_ttt = (rtrim(ttt.serial_qel) + rtrim(ttt.serial_bun)),"),
        QStringLiteral("ac_qelcode1 = max(Rtrim(ttt.ac_qelcode1)), ac_QelName1 = max(Rtrim(ttt.ac_QelName1)),"),
        QStringLiteral("Cr_Amt1 = sum(ttt.cr_amt1),"),
        QStringLiteral("ac_qelcode2 = max(Rtrim(ttt.ac_qelcode2)), ac_QelName2 = max(Rtrim(ttt.ac_QelName2)),"),
        QStringLiteral("Dr_Amt2 = sum(ttt.dr_amt2)    "),
        QStringLiteral("from      (   "),
        fromLine,
        QStringLiteral("ac_text1 = (t.ac_text),       ac_text2 = '',"),
        total,
        QStringLiteral("ac_Qelcode1  =  t.ac_Qelcode,   ac_QelName1  =  t.ac_QelName,"),
        QStringLiteral("CR_Amt1      =  t.Cr_Amt,       Dr_Amt1      =  t.Dr_Amt,"),
        QStringLiteral("ac_qelcode2  =  '',           ac_QelName2  =  '',"),
        QStringLiteral("Cr_Amt2      =  0,              Dr_Amt2      =  0"),
        tables,
        where,
        QStringLiteral("and t.Serial_CrDr = '01'  and rtrim(t.kubun_bon) = rtrim(tt.kubun_code)"),
        QStringLiteral("and t.Form_Kubun = 'A003'"),
        QStringLiteral("  \tunion  all   "),
        fromLine,
        QStringLiteral("ac_text1 = '',       ac_text2 = (t.ac_text),"),
        total,
        QStringLiteral("ac_Qelcode1  =  '',           ac_QelName1  =  '',"),
        QStringLiteral("CR_Amt1      =  0,              Dr_Amt1      =  0,"),
        QStringLiteral("ac_qelcode2  =  t.ac_Qelcode,   ac_QelName2  =  t.ac_QelName,"),
        QStringLiteral("Cr_Amt2      =  t.Cr_Amt,       Dr_Amt2      =  t.Dr_Amt"),
        tables,
        where,
        QStringLiteral("and t.Serial_CrDr = '02'  and rtrim(t.kubun_bon) = rtrim(tt.kubun_code)"),
        QStringLiteral("and t.Form_Kubun = 'A003'"),
        QStringLiteral(")  ttt"),
        QStringLiteral("group    by  ttt.serial_qel,    ttt.serial_bun,    ttt.date_day,    ttt.total"),
    };
}

QStringList insertStatement() {
    return {
        QStringLiteral("  Insert  Into  Account_Qel_AA       ("),
        QStringLiteral("    Serial, Serial_Qel, Serial_Bun, Serial_CrDr, Month_Char,"),
        QStringLiteral("    Year_Char, Date_Day, Table_Kubun, Kubun_Bon, Kubun_Qel, Kubun_Amt, Form_Kubun,"),
        QStringLiteral("    Giel_Serial, Ac_QelCode, Ac_QelName, Ac_Text, Item_Code, Item_Name, Kubun_Code, Kubun_Name,"),
        QStringLiteral("    Project_Code, Project_Name, Buser_Code, Buser_Name, Sawon_Code, Sawon_Name, Cr_Amt, Dr_Amt, End_Day   )"),
        QStringLiteral("    Values    ("),
        QStringLiteral("    :tbSerial, :tbSerial_Qel, :tbSerial_Bun, :tbSerial_CrDr, :tbMonth_Char,"),
        QStringLiteral("    :tbYear_Char, :tbDate_Day, :tbTable_Kubun, :tbKubun_Bon, :tbKubun_Qel, :tbKubun_Amt, :tbForm_Kubun,"),
        QStringLiteral("    :tbGiel_Serial, :tbAc_QelCode, :tbAc_QelName, :tbAc_Text, :tbItem_Code, :tbItem_Name, "
                       ":tbKubun_Code, :tbKubun_Name,"),
        QStringLiteral("    :tbProject_Code, :tbProject_Name, :tbBuser_Code, :tbBuser_Name, :tbSawon_Code, :tbSawon_Name, "
                       ":tbCr_Amt, :tbDr_Amt, :tbEnd_Day )"),
    };
}

struct Row {
    QString voucher;  // Serial_Qel
    QString line;     // Serial_Bun
    QString side;     // Serial_CrDr
    QString office = QStringLiteral("00000");
    QString form = QStringLiteral("A003");
    QString accountCode, accountName, summary;
    double amount = 0;
};

QString serialOf(const Row& r) {
    return QStringLiteral("AA*%1*3*%2*%3*%4*%5").arg(r.office, r.voucher, r.line, r.form, r.side);
}

// Stores one row as the voucher form's insert does.
void insertRow(db::Database& database, const Row& r) {
    db::Query q(database);
    q.setSql(insertStatement());
    const QString date = r.voucher.left(10);
    const QStringList texts = {
        QStringLiteral("tbSerial"), serialOf(r), QStringLiteral("tbSerial_Qel"), r.voucher,
        QStringLiteral("tbSerial_Bun"), r.line, QStringLiteral("tbSerial_CrDr"), r.side,
        QStringLiteral("tbMonth_Char"), date.mid(5, 2), QStringLiteral("tbYear_Char"), date.left(4),
        QStringLiteral("tbDate_Day"), date, QStringLiteral("tbTable_Kubun"), QStringLiteral("AA"),
        QStringLiteral("tbKubun_Bon"), r.office, QStringLiteral("tbKubun_Qel"), QStringLiteral("3"),
        QStringLiteral("tbKubun_Amt"), QStringLiteral("5"), QStringLiteral("tbForm_Kubun"), r.form,
        QStringLiteral("tbGiel_Serial"), QStringLiteral("999"), QStringLiteral("tbAc_QelCode"), r.accountCode,
        QStringLiteral("tbAc_QelName"), r.accountName, QStringLiteral("tbAc_Text"), r.summary,
        QStringLiteral("tbItem_Code"), QString(), QStringLiteral("tbItem_Name"), QString(),
        QStringLiteral("tbKubun_Code"), QString(), QStringLiteral("tbKubun_Name"), QString(),
        QStringLiteral("tbProject_Code"), QString(), QStringLiteral("tbProject_Name"), QString(),
        QStringLiteral("tbBuser_Code"), QString(), QStringLiteral("tbBuser_Name"), QString(),
        QStringLiteral("tbSawon_Code"), QString(), QStringLiteral("tbSawon_Name"), QString(),
    };
    for (int i = 0; i < texts.size(); i += 2) q.setParamText(texts[i], texts[i + 1]);
    const bool debit = r.side == QLatin1String("01");
    q.setParamDouble(QStringLiteral("tbCr_Amt"), debit ? r.amount : 0);
    q.setParamDouble(QStringLiteral("tbDr_Amt"), debit ? 0 : r.amount);
    q.setParamDateTime(QStringLiteral("tbEnd_Day"), QDateTime::currentDateTime());
    q.prepare();
    q.execSql();
}

// One stored line: its debit row and its credit row.
void insertLine(db::Database& database, const QString& voucher, const QString& line, double amount,
                const QString& office = QStringLiteral("00000"), const QString& form = QStringLiteral("A003")) {
    Row debit{voucher, line, QStringLiteral("01"), office, form, QStringLiteral("1110"), QStringLiteral("현금"),
              QStringLiteral("차변 적요 ") + line, amount};
    Row credit{voucher, line, QStringLiteral("02"), office, form, QStringLiteral("4110"), QStringLiteral("매출"),
               QStringLiteral("대변 적요 ") + line, amount};
    insertRow(database, debit);
    insertRow(database, credit);
}

class TwoClients : public pgtest::ServerTest {
protected:
    void SetUp() override {
        pgtest::ServerTest::SetUp();
        if (HasFatalFailure()) return;
        scratch_ = std::make_unique<ScratchDatabase>(server());
        first_ = db::Database::openPostgres(scratch_->connection().text());
        first_->createSchema();
        second_ = db::Database::openPostgres(scratch_->connection().text());
        db::Query office(*first_);
        office.setSql({QStringLiteral("insert into Kubun_Table (Kubun_Code, Kubun_Name, Kubun_JangSo)"),
                       QStringLiteral("values (:code, :name, :place)")});
        office.setParamText(QStringLiteral("code"), QStringLiteral("00000"));
        office.setParamText(QStringLiteral("name"), QStringLiteral("본사"));
        office.setParamText(QStringLiteral("place"), QStringLiteral("서울"));
        office.execSql();
    }
    void TearDown() override {
        first_.reset();
        second_.reset();
        scratch_.reset();
        pgtest::ServerTest::TearDown();
    }

    // The grid of the first office for 2001-05-30, opened on a client.
    static void openGrid(db::Query& grid) {
        grid.close();
        grid.setSql(gridStatement());
        grid.setParamText(QStringLiteral("tbDKubun"), QStringLiteral("%2001-05-30") + QStringLiteral("00000") + QStringLiteral("%"));
        grid.open();
    }

    std::unique_ptr<ScratchDatabase> scratch_;
    std::unique_ptr<db::Database> first_, second_;
};

TEST_P(TwoClients, LinesSavedByOneClientAppearInTheOthersGrid) {
    insertLine(*first_, QStringLiteral("2001-05-30-00000001"), QStringLiteral("01"), 1250000);
    // Neither another office nor the other program's form belongs in this grid.
    insertLine(*first_, QStringLiteral("2001-05-30-00000002"), QStringLiteral("01"), 300, QStringLiteral("00001"));
    insertLine(*first_, QStringLiteral("2001-05-30-00000003"), QStringLiteral("01"), 700, QStringLiteral("00000"),
               QStringLiteral("A004"));

    db::Query grid(*second_);
    openGrid(grid);
    ASSERT_EQ(grid.recordCount(), 1);
    EXPECT_EQ(grid.fieldText(QStringLiteral("serial_qel")), QStringLiteral("2001-05-30-00000001"));
    EXPECT_EQ(grid.fieldText(QStringLiteral("serial_bun")), QStringLiteral("01"));
    EXPECT_EQ(grid.fieldText(QStringLiteral("Date_day")), QStringLiteral("2001-05-30"));
    EXPECT_EQ(grid.fieldText(QStringLiteral("total")), QStringLiteral("본사/서울"));
    EXPECT_EQ(grid.fieldText(QStringLiteral("serial_ttt")), QStringLiteral("2001-05-30-0000000101"));
    EXPECT_EQ(grid.fieldText(QStringLiteral("ac_text1")), QStringLiteral("차변 적요 01"));
    EXPECT_EQ(grid.fieldText(QStringLiteral("ac_text2")), QStringLiteral("대변 적요 01"));
    EXPECT_EQ(grid.fieldText(QStringLiteral("ac_qelcode1")), QStringLiteral("1110"));
    EXPECT_EQ(grid.fieldText(QStringLiteral("ac_QelName1")), QStringLiteral("현금"));
    EXPECT_EQ(grid.fieldText(QStringLiteral("ac_qelcode2")), QStringLiteral("4110"));
    EXPECT_EQ(grid.fieldText(QStringLiteral("ac_QelName2")), QStringLiteral("매출"));
    EXPECT_DOUBLE_EQ(grid.fieldDouble(QStringLiteral("Cr_Amt1")), 1250000);
    EXPECT_DOUBLE_EQ(grid.fieldDouble(QStringLiteral("Dr_Amt2")), 1250000);

    // The first client adds a line; the second sees it on its next load and can select it.
    insertLine(*first_, QStringLiteral("2001-05-30-00000001"), QStringLiteral("03"), 5000);
    openGrid(grid);
    ASSERT_EQ(grid.recordCount(), 2);
    ASSERT_TRUE(grid.locate(QStringLiteral("serial_ttt"), QStringLiteral("2001-05-30-0000000103")));
    EXPECT_DOUBLE_EQ(grid.fieldDouble(QStringLiteral("Cr_Amt1")), 5000);
    EXPECT_EQ(grid.fieldText(QStringLiteral("ac_text2")), QStringLiteral("대변 적요 03"));
}

TEST_P(TwoClients, AVoucherIsSeenByTheOtherClientOnlyOnceCommitted) {
    db::Query grid(*second_);
    {
        db::Transaction saving(*first_);
        insertLine(*first_, QStringLiteral("2001-05-30-00000001"), QStringLiteral("01"), 100);
        insertLine(*first_, QStringLiteral("2001-05-30-00000001"), QStringLiteral("02"), 200);
        openGrid(grid);
        EXPECT_EQ(grid.recordCount(), 0) << "a voucher still being saved is visible to the other client";
        saving.commit();
    }
    openGrid(grid);
    EXPECT_EQ(grid.recordCount(), 2);

    {
        db::Transaction abandoned(*first_);
        insertLine(*first_, QStringLiteral("2001-05-30-00000002"), QStringLiteral("01"), 300);
    }  // ends without commit: rolled back
    openGrid(grid);
    EXPECT_EQ(grid.recordCount(), 2);
    EXPECT_FALSE(grid.locate(QStringLiteral("serial_ttt"), QStringLiteral("2001-05-30-0000000201")));
}

TEST_P(TwoClients, ARowKeyStoredTwiceIsRefusedWithAClearErrorAndNoHalfVoucher) {
    insertLine(*first_, QStringLiteral("2001-05-30-00000001"), QStringLiteral("01"), 100);

    // The second client numbered its voucher the same: line 02 is new, line 01 collides.
    try {
        db::Transaction saving(*second_);
        insertLine(*second_, QStringLiteral("2001-05-30-00000001"), QStringLiteral("02"), 400);
        insertLine(*second_, QStringLiteral("2001-05-30-00000001"), QStringLiteral("01"), 500);
        saving.commit();
        FAIL() << "the second row with the same Serial was stored";
    } catch (const db::Error& e) {
        EXPECT_TRUE(e.message().contains(QStringLiteral("duplicate key"), Qt::CaseInsensitive)) << e.what();
    }

    // Nothing of the failed voucher stays, and the refused client goes on working.
    db::Query grid(*second_);
    openGrid(grid);
    ASSERT_EQ(grid.recordCount(), 1);
    EXPECT_DOUBLE_EQ(grid.fieldDouble(QStringLiteral("Cr_Amt1")), 100);
    EXPECT_EQ(pgtest::scalar(*first_, QStringLiteral("select count(*) from Account_Qel_AA")), QStringLiteral("2"));
}

// A lock waited out when the transaction commits (a deferred key check waits for the other
// client's row) is Busy as at any statement, so the clerk reads the same sentence.
TEST_P(TwoClients, ALockWaitedOutAtTheCommitIsBusyAndStoresNothing) {
    pgtest::exec(*first_, QStringLiteral("create table Deferred_Key (k int unique deferrable initially deferred)"));
    pgtest::exec(*second_, QStringLiteral("SET lock_timeout = '200ms'"));
    db::Transaction holding(*first_);
    pgtest::exec(*first_, QStringLiteral("insert into Deferred_Key values (1)"));
    try {
        db::Transaction saving(*second_);
        pgtest::exec(*second_, QStringLiteral("insert into Deferred_Key values (1)"));
        saving.commit();
        FAIL() << "the commit did not wait for the other client's row";
    } catch (const db::Error& e) {
        EXPECT_EQ(e.kind(), db::Error::Kind::Busy) << e.what();
    }
    EXPECT_FALSE(second_->inTransaction());
    EXPECT_EQ(pgtest::scalar(*second_, QStringLiteral("select count(*) from Deferred_Key")), QStringLiteral("0"));
}

VQ_ON_POSTGRES(TwoClients);

}  // namespace
