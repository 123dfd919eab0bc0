// The query component on both engines: parameters, fields, stepping, locate, observers, errors,
// column widths and transactions.
#include "db/Query.h"
#include "tests/support/Engines.h"

#include <gtest/gtest.h>

namespace {

QString u(const char* s) {
    return QString::fromUtf8(s);
}

class QueryOn : public test::EngineTest {
protected:
    void addOffice(const QString& code, const QString& name, const QString& place) {
        db::Query q(db());
        q.addSql(QStringLiteral("insert into Kubun_Table (Kubun_Code, Kubun_Name, Kubun_JangSo)"));
        q.addSql(QStringLiteral("values (:code, :name, :place)"));
        q.setParamText(QStringLiteral("code"), code);
        q.setParamText(QStringLiteral("name"), name);
        q.setParamText(QStringLiteral("place"), place);
        q.execSql();
    }
    int count(const QString& table) {
        db::Query q(db());
        q.addSql(QStringLiteral("select count(*) As n from ") + table);
        q.open();
        return q.fieldInt(QStringLiteral("N"));
    }
    void insertAccountText(const QString& serial, const QString& text) {
        db::Query q(db());
        q.setSql({QStringLiteral("insert into Account_Qel_AA (Serial, Ac_Text, Cr_Amt) values (:s, :t, :a)")});
        q.setParamText(QStringLiteral("s"), serial);
        q.setParamText(QStringLiteral("t"), text);
        q.setParamDouble(QStringLiteral("a"), 1.5);
        q.execSql();
    }
};

class Recorder : public db::QueryObserver {
public:
    void rowSetChanged(Change what) override { changes.push_back(what); }
    std::vector<Change> changes;
};

TEST_P(QueryOn, ReadsFieldsTrimmedByNameIgnoringCase) {
    addOffice(QStringLiteral("00000"), u("본사   "), QString());
    db().exec(QStringLiteral("update Kubun_Table set Kubun_JangSo = NULL where Kubun_Code = '00000'"));
    addOffice(QStringLiteral("00001"), u("지점"), u("부산"));
    db::Query q(db());
    q.addSql(QStringLiteral("select Kubun_Code, Kubun_Name, Kubun_JangSo, n = 7, d = 2.5 from Kubun_Table"));
    q.addSql(QStringLiteral("order by Kubun_Code"));
    q.open();
    ASSERT_TRUE(q.active());
    EXPECT_EQ(q.recordCount(), 2);
    EXPECT_EQ(q.recNo(), 0);
    EXPECT_EQ(q.fieldText(QStringLiteral("KUBUN_NAME")), u("본사"));
    EXPECT_EQ(q.fieldText(QStringLiteral("kubun_jangso")), QString());
    EXPECT_TRUE(q.fieldIsNull(QStringLiteral("Kubun_JangSo")));
    EXPECT_EQ(q.fieldInt(QStringLiteral("Kubun_Code")), 0);
    EXPECT_EQ(q.fieldInt(QStringLiteral("n")), 7);
    EXPECT_EQ(q.fieldDouble(QStringLiteral("D")), 2.5);
    EXPECT_EQ(q.fieldText(QStringLiteral("d")), QStringLiteral("2.5"));
    EXPECT_EQ(q.fieldIndex(QStringLiteral("kubun_name")), 1);
    EXPECT_EQ(q.fieldIndex(QStringLiteral("nothing")), -1);
    EXPECT_EQ(q.text(1, 2), u("부산"));
    try {
        q.fieldInt(QStringLiteral("Kubun_Name"));
        ADD_FAILURE() << "a name read as a number";
    } catch (const db::Error& e) {
        EXPECT_EQ(e.message(), u("'본사' is not a valid integer value"));
    }
    EXPECT_THROW(q.fieldText(QStringLiteral("Nothing")), db::Error);
}

TEST_P(QueryOn, StepsLocatesAndTellsItsObservers) {
    addOffice(QStringLiteral("00000"), QStringLiteral("Seoul"), QStringLiteral("a"));
    addOffice(QStringLiteral("00001"), QStringLiteral("Busan"), QStringLiteral("b"));
    db::Query q(db());
    Recorder r;
    q.addObserver(&r);
    q.addSql(QStringLiteral("select Kubun_Code, Kubun_Name from Kubun_Table order by Kubun_Code"));
    q.open();
    EXPECT_FALSE(q.eof());
    q.next();
    EXPECT_EQ(q.fieldText(QStringLiteral("Kubun_Name")), QStringLiteral("Busan"));
    q.next();
    EXPECT_TRUE(q.eof());
    EXPECT_EQ(q.recNo(), 1);
    q.first();
    EXPECT_FALSE(q.eof());
    EXPECT_TRUE(q.locate(QStringLiteral("kubun_name"), QStringLiteral("BUSAN")));
    EXPECT_EQ(q.recNo(), 1);
    EXPECT_FALSE(q.locate(QStringLiteral("kubun_name"), QStringLiteral("Daegu")));
    EXPECT_EQ(q.recNo(), 1);
    q.close();
    EXPECT_FALSE(q.active());
    // A closed query reads as empty, as the forms expect of a grid without rows.
    EXPECT_EQ(q.fieldText(QStringLiteral("Kubun_Name")), QString());
    EXPECT_EQ(q.recordCount(), 0);
    EXPECT_TRUE(q.eof());
    using C = db::QueryObserver::Change;
    EXPECT_EQ(r.changes, (std::vector<C>{C::Opened, C::RowMoved, C::RowMoved, C::RowMoved, C::RowMoved, C::Closed}));
    q.removeObserver(&r);
}

TEST_P(QueryOn, EmptyResultIsAtItsEndWithEmptyFields) {
    db::Query q(db());
    q.addSql(QStringLiteral("select Kubun_Code from Kubun_Table"));
    q.open();
    EXPECT_TRUE(q.eof());
    EXPECT_EQ(q.recordCount(), 0);
    EXPECT_EQ(q.recNo(), -1);
    EXPECT_EQ(q.fieldText(QStringLiteral("Kubun_Code")), QString());
}

TEST_P(QueryOn, ParametersAreBoundByNameOnEveryPlace) {
    addOffice(QStringLiteral("00000"), QStringLiteral("a"), QStringLiteral("x"));
    addOffice(QStringLiteral("00001"), QStringLiteral("b"), QStringLiteral("a"));
    db::Query q(db());
    q.setSql({QStringLiteral("select Kubun_Code from Kubun_Table"),
              QStringLiteral("where Kubun_Name = :tbKey or Kubun_JangSo = :TBKEY or Kubun_Code = :tbKey_Code"),
              QStringLiteral("order by Kubun_Code")});
    EXPECT_EQ(q.paramNames(), (QStringList{QStringLiteral("tbkey"), QStringLiteral("tbkey_code")}));
    q.setParamText(QStringLiteral("TbKey"), QStringLiteral("a"));
    EXPECT_THROW(q.open(), db::Error);  // tbKey_Code has no value yet
    EXPECT_FALSE(q.active());
    q.setParamText(QStringLiteral("tbKey_Code"), QStringLiteral("none"));
    q.open();
    EXPECT_EQ(q.recordCount(), 2);
    try {
        q.setParamText(QStringLiteral("tbOther"), QStringLiteral("x"));
        ADD_FAILURE() << "an unknown parameter was taken";
    } catch (const db::Error& e) {
        EXPECT_TRUE(e.message().startsWith(QStringLiteral("Parameter 'tbOther' not found"))) << e.what();
    }
}

// A text is read and translated once, but its parameters follow each new line and its
// translation each change of the schema (the same text joins what were numbers before).
TEST_P(QueryOn, ParametersFollowTheTextAndTranslationsTheSchema) {
    db().executeScript({QStringLiteral("CREATE TABLE Pairs (a integer, b integer)"), QStringLiteral("INSERT INTO Pairs VALUES (1, 2)")});
    db::Query q(db());
    q.setSql({QStringLiteral("select s = a + b from Pairs where a = :a")});
    q.setParamText(QStringLiteral("a"), QStringLiteral("1"));
    q.open();
    EXPECT_EQ(q.fieldText(QStringLiteral("s")), QStringLiteral("3"));
    q.addSql(QStringLiteral("and b = :b"));
    q.setParamText(QStringLiteral("b"), QStringLiteral("2"));
    q.open();
    EXPECT_EQ(q.recordCount(), 1);

    db().executeScript({QStringLiteral("DROP TABLE Pairs"), QStringLiteral("CREATE TABLE Pairs (a varchar(5), b varchar(5))"),
                        QStringLiteral("INSERT INTO Pairs VALUES ('1', '2')")});
    q.open();
    EXPECT_EQ(q.fieldText(QStringLiteral("s")), QStringLiteral("12"));
}

TEST_P(QueryOn, AmountsAndDateTimesAreStoredAsTheirTypes) {
    db::Query q(db());
    q.setSql({QStringLiteral("insert into Account_Qel_AA (Serial, Cr_Amt, Dr_Amt, End_Day) values (:s, :c, :d, :e)")});
    q.setParamText(QStringLiteral("s"), QStringLiteral("k1"));
    q.setParamDouble(QStringLiteral("c"), 1250000);
    q.setParamDouble(QStringLiteral("d"), 0.25);
    q.setParamDateTime(QStringLiteral("e"), QDateTime(QDate(2001, 5, 30), QTime(23, 59, 58)));
    q.execSql();
    db::Query r(db());
    r.addSql(QStringLiteral("select Cr_Amt, Dr_Amt, Cr_Amt + Dr_Amt As Total, End_Day from Account_Qel_AA"));
    r.open();
    EXPECT_EQ(r.fieldDouble(QStringLiteral("Cr_Amt")), 1250000.0);
    EXPECT_EQ(r.fieldText(QStringLiteral("Cr_Amt")), QStringLiteral("1250000"));
    EXPECT_EQ(r.fieldDouble(QStringLiteral("total")), 1250000.25);
    EXPECT_EQ(r.fieldText(QStringLiteral("End_Day")), QStringLiteral("2001-05-30 23:59:58"));
}

TEST_P(QueryOn, TooLongTextIsRefusedAndNothingIsCut) {
    insertAccountText(QStringLiteral("k1"), QString(200, QChar(0xD55C)));  // 200 Hangul characters fit
    // Blanks beyond the width count too: no engine may cut them off silently.
    for (const QString& text : {QString(201, QLatin1Char('x')), QString(200, QLatin1Char('x')) + QStringLiteral("  ")}) {
        try {
            insertAccountText(QStringLiteral("k2"), text);
            ADD_FAILURE() << "a text of " << text.size() << " characters was stored";
        } catch (const db::Error& e) {
            EXPECT_TRUE(e.message().contains(QStringLiteral("Account_Qel_AA.Ac_Text holds at most 200 characters"))) << e.what();
        }
    }
    db::Query update(db());
    update.setSql({QStringLiteral("update Account_Qel_AA set Serial_Qel = :q where Serial = 'k1'")});
    update.setParamText(QStringLiteral("q"), QString(21, QChar(0xAC00)));
    try {
        update.execSql();
        ADD_FAILURE() << "an update of 21 characters was stored";
    } catch (const db::Error& e) {
        EXPECT_TRUE(e.message().contains(QStringLiteral("Account_Qel_AA.Serial_Qel holds at most 20 characters"))) << e.what();
    }
    EXPECT_EQ(count(QStringLiteral("Account_Qel_AA")), 1);
    db::Query q(db());
    q.addSql(QStringLiteral("select Serial_Qel from Account_Qel_AA"));
    q.open();
    EXPECT_EQ(q.fieldText(QStringLiteral("Serial_Qel")), QString());
}

TEST_P(QueryOn, ServerErrorsCarryTheServersMessageAndTheStatement) {
    db::Query q(db());
    q.addSql(QStringLiteral("select No_Such_Column from Kubun_Table"));
    try {
        q.open();
        ADD_FAILURE() << "a bad statement opened";
    } catch (const db::Error& e) {
        EXPECT_TRUE(e.message().contains(QStringLiteral("no_such_column"), Qt::CaseInsensitive)) << e.what();
        EXPECT_TRUE(e.message().contains(QStringLiteral("in: select No_Such_Column from Kubun_Table"))) << e.what();
    }
    EXPECT_FALSE(q.active());
    // The same connection goes on working.
    q.clearSql();
    q.addSql(QStringLiteral("select count(*) As n from Kubun_Table"));
    q.open();
    EXPECT_EQ(q.fieldInt(QStringLiteral("n")), 0);
}

TEST_P(QueryOn, UntranslatableTextFailsBeforeTheServerSeesIt) {
    db::Query q(db());
    q.setSql({QStringLiteral("select Kubun_Code from Kubun_Table"), QStringLiteral("where Kubun_Name = 'abc")});
    try {
        q.open();
        ADD_FAILURE() << "an unterminated literal ran";
    } catch (const db::Error& e) {
        EXPECT_TRUE(e.message().startsWith(QStringLiteral("Unterminated string literal at line 2, column 20"))) << e.what();
    }
}

TEST_P(QueryOn, OpeningAStatementWithoutRowsChangesNothing) {
    db::Query q(db());
    q.addSql(QStringLiteral("insert into Kubun_Table (Kubun_Code) values ('00009')"));
    try {
        q.open();
        ADD_FAILURE() << "an insert opened";
    } catch (const db::Error& e) {
        EXPECT_TRUE(e.message().startsWith(QStringLiteral("The statement returns no result set"))) << e.what();
    }
    EXPECT_EQ(count(QStringLiteral("Kubun_Table")), 0);
}

TEST_P(QueryOn, TheSameRowKeyIsRefused) {
    insertAccountText(QStringLiteral("AA*00000*3*2001-05-30-00000001*01*A003*01"), QStringLiteral("a"));
    EXPECT_THROW(insertAccountText(QStringLiteral("AA*00000*3*2001-05-30-00000001*01*A003*01"), QStringLiteral("b")), db::Error);
    EXPECT_EQ(count(QStringLiteral("Account_Qel_AA")), 1);
}

TEST_P(QueryOn, TransactionKeepsAllOrNothing) {
    try {
        db::Transaction t(db());
        addOffice(QStringLiteral("00000"), QStringLiteral("a"), QStringLiteral("b"));
        addOffice(QStringLiteral("00000"), QStringLiteral("again"), QStringLiteral("b"));  // refused: same key
        t.commit();
        ADD_FAILURE() << "a duplicate key was stored";
    } catch (const db::Error&) {
    }
    EXPECT_FALSE(db().inTransaction());
    EXPECT_EQ(count(QStringLiteral("Kubun_Table")), 0);
    {
        db::Transaction t(db());
        addOffice(QStringLiteral("00000"), QStringLiteral("a"), QStringLiteral("b"));
        addOffice(QStringLiteral("00001"), QStringLiteral("c"), QStringLiteral("d"));
        t.commit();
    }
    EXPECT_EQ(count(QStringLiteral("Kubun_Table")), 2);
    std::unique_ptr<db::Database> other = database().openAnotherConnection();
    db::Query q(*other);
    q.addSql(QStringLiteral("select count(*) As n from Kubun_Table"));
    q.open();
    EXPECT_EQ(q.fieldInt(QStringLiteral("n")), 2);
}

TEST_P(QueryOn, CommentsWithQuotesOrQuestionMarksLeaveTheParametersInPlace) {
    addOffice(QStringLiteral("00000"), QStringLiteral("a"), QStringLiteral("x"));
    addOffice(QStringLiteral("00001"), QStringLiteral("b"), QStringLiteral("y"));
    db::Query q(db());
    q.setSql({QStringLiteral("select Kubun_Code from Kubun_Table -- the office's code?"),
              QStringLiteral("where Kubun_Name = :name /* isn't it? */ and Kubun_JangSo = :place")});
    q.setParamText(QStringLiteral("name"), QStringLiteral("b"));
    q.setParamText(QStringLiteral("place"), QStringLiteral("y"));
    q.open();
    ASSERT_EQ(q.recordCount(), 1);
    EXPECT_EQ(q.fieldText(QStringLiteral("Kubun_Code")), QStringLiteral("00001"));
}

// The original server's LIKE has no escape character: a backslash in a pattern is a backslash.
TEST_P(QueryOn, BackslashInALikePatternMatchesItself) {
    addOffice(QStringLiteral("00000"), u("a\\b 지점"), QStringLiteral("x"));
    addOffice(QStringLiteral("00001"), u("ab 지점"), QStringLiteral("x"));
    addOffice(QStringLiteral("00002"), u("a% 지점"), QStringLiteral("x"));
    auto codes = [&](const QString& where, const QString& pattern) {
        db::Query q(db());
        q.setSql({QStringLiteral("select Kubun_Code from Kubun_Table"), where, QStringLiteral("order by Kubun_Code")});
        if (!pattern.isNull()) q.setParamText(QStringLiteral("p"), pattern);
        q.open();
        QStringList out;
        for (q.first(); !q.eof(); q.next()) out << q.fieldText(QStringLiteral("Kubun_Code"));
        return out;
    };
    EXPECT_EQ(codes(QStringLiteral("where Kubun_Name like '%\\b%'"), QString()), QStringList{QStringLiteral("00000")});
    EXPECT_EQ(codes(QStringLiteral("where Kubun_Name like (:p)"), u("a\\%")), QStringList{QStringLiteral("00000")});
    EXPECT_EQ(codes(QStringLiteral("where Kubun_Name like ('%' + :p + '%')"), u("\\")), QStringList{QStringLiteral("00000")});
    EXPECT_EQ(codes(QStringLiteral("where Kubun_Name not like (:p)"), u("a\\%")),
              (QStringList{QStringLiteral("00001"), QStringLiteral("00002")}));
}

TEST_P(QueryOn, TextColumnsComeFromTheCatalog) {
    const QStringList columns = db().textColumns();
    for (const char* c : {"serial", "date_day", "kubun_bon", "ac_text", "tot", "ac_name", "sale_serial03", "item_text"})
        EXPECT_TRUE(columns.contains(QString::fromLatin1(c))) << c;
    for (const char* c : {"cr_amt", "dr_amt", "end_day"}) EXPECT_FALSE(columns.contains(QString::fromLatin1(c))) << c;
}

TEST_P(QueryOn, QueryOnAnAliasUsesTheInstalledDatabase) {
    database().installAsAlias(QStringLiteral("Account"));
    addOffice(QStringLiteral("00000"), QStringLiteral("a"), QStringLiteral("b"));
    db::Query q;
    q.addSql(QStringLiteral("select Kubun_Name from Kubun_Table"));
    q.open();
    EXPECT_EQ(q.fieldText(QStringLiteral("Kubun_Name")), QStringLiteral("a"));
    EXPECT_EQ(&q.database(), &db::Database::alias(QStringLiteral("account")));
}

INSTANTIATE_TEST_SUITE_P(Engines, QueryOn, test::allEngines, test::engineName);

}  // namespace
