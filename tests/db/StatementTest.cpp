// Every statement shape of the forms, run exactly as the forms write it against real rows on
// both engines.
#include "StatementFiles.h"
#include "db/Query.h"
#include "tests/support/Engines.h"

#include <gtest/gtest.h>
#include <map>
#include <set>

namespace {


QString u(const char* s) {
    return QString::fromUtf8(s);
}

QStringList voucherSql(const char* name) {
    return test::formSql(QStringLiteral("Qel_Unit3"), QString::fromLatin1(name));
}

QStringList voucherQuerySql(const char* query) {
    return test::formQuerySql(QStringLiteral("Qel_Unit3"), QString::fromLatin1(query));
}

QStringList lookupSql(const char* form) {
    return test::formQuerySql(QString::fromLatin1(form), QStringLiteral("Query1"));
}

// Assembled as the customer-and-bank dialog does: the filter line of the chosen kind, none
// when no kind is chosen, then the order.
QStringList customersAndBanksSql(const char* filter) {
    const QString form = QStringLiteral("Qel_Unit3_02");
    QStringList sql = test::formSql(form, QStringLiteral("pQuery"));
    if (filter) sql += test::formSql(form, QString::fromLatin1(filter));
    return sql + test::formSql(form, QStringLiteral("OrderBy"));
}

struct Side {
    QString acCode, acName, text;
};

// The key of a voucher line as the delete binds it: each column, and their joined text.
std::map<QString, QString> lineKey(const QString& voucher, const QString& line) {
    return {{"tbSerial", voucher + line}, {"tbSerial_Qel", voucher}, {"tbSerial_Bun", line}};
}

class Statements : public test::EngineTest {
protected:
    void SetUp() override {
        test::EngineTest::SetUp();
        database().loadDemoData();
    }

    // Opens a statement with text parameters.
    void open(db::Query& q, const QStringList& sql, const std::map<QString, QString>& params = {}) {
        q.setSql(sql);
        for (const auto& [name, value] : params) q.setParamText(name, value);
        q.open();
    }

    void execute(const QStringList& sql, const std::map<QString, QString>& texts, const std::map<QString, double>& numbers = {}) {
        db::Query q(db());
        q.setSql(sql);
        for (const auto& [name, value] : texts) q.setParamText(name, value);
        for (const auto& [name, value] : numbers) q.setParamDouble(name, value);
        if (q.paramNames().contains(QStringLiteral("tbend_day")))
            q.setParamDateTime(QStringLiteral("tbEnd_Day"), QDateTime(QDate(2001, 5, 30), QTime(9, 15)));
        q.execSql();
    }

    void insertRow(const QString& date, const QString& office, const QString& voucher, const QString& line,
                   const QString& side, const QString& form, const Side& s, double cr, double dr) {
        const QString serial = QStringLiteral("AA*%1*3*%2*%3*%4*%5").arg(office, voucher, line, form, side);
        std::map<QString, QString> texts = {
            {"tbSerial", serial},        {"tbSerial_Qel", voucher},  {"tbSerial_Bun", line},
            {"tbSerial_CrDr", side},     {"tbMonth_Char", date.mid(5, 2)}, {"tbYear_Char", date.left(4)},
            {"tbDate_Day", date},        {"tbTable_Kubun", "AA"},     {"tbKubun_Bon", office},
            {"tbKubun_Qel", "3"},        {"tbKubun_Amt", "5"},        {"tbForm_Kubun", form},
            {"tbGiel_Serial", "999"},    {"tbAc_QelCode", s.acCode},  {"tbAc_QelName", s.acName},
            {"tbAc_Text", s.text},       {"tbItem_Code", "I0001"},    {"tbItem_Name", u("원자재 구매")},
            {"tbKubun_Code", "00001"},   {"tbKubun_Name", u("(주)한빛상사")}, {"tbProject_Code", ""},
            {"tbProject_Name", ""},      {"tbBuser_Code", "B0001"},   {"tbBuser_Name", u("경리부")},
            {"tbSawon_Code", "S0001"},   {"tbSawon_Name", u("김철수")}};
        execute(voucherSql("InsertRow"), texts, {{"tbCr_Amt", cr}, {"tbDr_Amt", dr}});
    }

    // One line as the voucher form stores it: the debit row, then the credit row.
    void storeLine(const QString& date, const QString& office, const QString& voucher, const QString& line,
                   const QString& form, const Side& debit, const Side& credit, double amount) {
        insertRow(date, office, voucher, line, QStringLiteral("01"), form, debit, amount, 0);
        insertRow(date, office, voucher, line, QStringLiteral("02"), form, credit, 0, amount);
    }

    void storeVouchers() {
        const Side cash{"10101001000", u("현금"), u("상품 매출 현금 입금")};
        const Side sales{"40201001000", u("상품매출"), u("상품 매출")};
        const Side welfare{"40701002000", u("복리후생비"), u("직원 회식")};
        storeLine("2001-05-30", "00000", "2001-05-30-00000001", "01", "A003", cash, sales, 1500000);
        storeLine("2001-05-30", "00000", "2001-05-30-00000001", "02", "A003", welfare, cash, 250000);
        storeLine("2001-05-30", "00000", "2001-05-30-00000002", "01", "A004", welfare, cash, 70000);
        storeLine("2001-05-30", "00001", "2001-05-30-00000007", "01", "A003", cash, sales, 30000);
        storeLine("2001-05-31", "00000", "2001-05-31-00000001", "01", "A003", cash, sales, 10000);
    }

    std::vector<QString> column(db::Query& q, const QString& field) {
        std::vector<QString> values;
        for (q.first(); !q.eof(); q.next()) values.push_back(q.fieldText(field));
        return values;
    }
};

TEST_P(Statements, OfficeListJoinsNameAndPlaceInCodeOrder) {
    db::Query q(db());
    open(q, voucherSql("OfficeList"));
    EXPECT_EQ(column(q, QStringLiteral("Total")),
              (std::vector<QString>{u("본사/서울 중구"), u("부산지점/부산 해운대구"), u("대구지점/대구 수성구")}));
    EXPECT_EQ(column(q, QStringLiteral("kubun_code")), (std::vector<QString>{"00000", "00001", "00002"}));
}

TEST_P(Statements, GridJoinsTheTwoRowsOfEachLineOfOneDateOfficeAndForm) {
    storeVouchers();
    db::Query q(db());
    open(q, voucherSql("StoredLines"), {{"tbDKubun", "%2001-05-3000000%"}});
    ASSERT_EQ(q.recordCount(), 2);
    EXPECT_EQ(q.fieldCount(), 13);
    ASSERT_TRUE(q.locate(QStringLiteral("serial_ttt"), QStringLiteral("2001-05-30-0000000101")));
    EXPECT_EQ(q.fieldText("serial_qel"), "2001-05-30-00000001");
    EXPECT_EQ(q.fieldText("serial_bun"), "01");
    EXPECT_EQ(q.fieldText("Date_day"), "2001-05-30");
    EXPECT_EQ(q.fieldText("total"), u("본사/서울 중구"));
    EXPECT_EQ(q.fieldText("ac_text1"), u("상품 매출 현금 입금"));
    EXPECT_EQ(q.fieldText("ac_text2"), u("상품 매출"));
    EXPECT_EQ(q.fieldText("ac_qelcode1"), "10101001000");
    EXPECT_EQ(q.fieldText("ac_QelName1"), u("현금"));
    EXPECT_EQ(q.fieldDouble("Cr_Amt1"), 1500000.0);
    EXPECT_EQ(q.fieldText("ac_qelcode2"), "40201001000");
    EXPECT_EQ(q.fieldText("ac_QelName2"), u("상품매출"));
    EXPECT_EQ(q.fieldDouble("Dr_Amt2"), 1500000.0);
    ASSERT_TRUE(q.locate(QStringLiteral("SERIAL_TTT"), QStringLiteral("2001-05-30-0000000102")));
    EXPECT_EQ(q.fieldText("ac_QelName1"), u("복리후생비"));
    EXPECT_EQ(q.fieldText("Dr_Amt2"), "250000");

    open(q, voucherSql("StoredLines"), {{"tbDKubun", "%2001-05-3000001%"}});
    EXPECT_EQ(column(q, QStringLiteral("serial_ttt")), std::vector<QString>{"2001-05-30-0000000701"});
    open(q, voucherSql("StoredLines"), {{"tbDKubun", "%2001-05-30-0001%"}});
    EXPECT_EQ(q.recordCount(), 0);
    EXPECT_TRUE(q.eof());
}

TEST_P(Statements, GridOfOneVoucherUsesBothParameters) {
    storeVouchers();
    db::Query q(db());
    open(q, voucherSql("StoredLinesOfVoucher"), {{"tbDKubun", "%2001-05-3000000%"}, {"tbqel", "%2001-05-30-00000001%"}});
    EXPECT_EQ(q.recordCount(), 2);
    execute(voucherSql("DeleteLine"), lineKey("2001-05-30-00000001", "01"));
    open(q, voucherSql("StoredLinesOfVoucher"), {{"tbDKubun", "%2001-05-3000000%"}, {"tbqel", "%2001-05-30-00000001%"}});
    EXPECT_EQ(column(q, QStringLiteral("serial_ttt")), std::vector<QString>{"2001-05-30-0000000102"});
}

TEST_P(Statements, ChosenVoucherGivesItsLineNumbersAndRowsInOrder) {
    storeVouchers();
    db::Query q(db());
    open(q, voucherSql("VoucherLineNumbers"), {{"tbSerial_qel", "2001-05-30-00000001"}, {"tbSerial_day", "2001-05-30"}});
    std::set<int> lines;
    for (q.first(); !q.eof(); q.next()) lines.insert(q.fieldInt(QStringLiteral("Serial_Bun")));
    EXPECT_EQ(lines, (std::set<int>{1, 2}));

    open(q, voucherSql("VoucherRows"), {{"tbDayBon", "2001-05-3000000"}, {"tbSerial_qel", "2001-05-30-00000001"}});
    EXPECT_EQ(column(q, QStringLiteral("Serial_Bun")), (std::vector<QString>{"01", "01", "02", "02"}));
    EXPECT_EQ(column(q, QStringLiteral("Serial_CrDr")), (std::vector<QString>{"01", "02", "01", "02"}));
    q.first();
    EXPECT_EQ(q.fieldText("Ac_QelName"), u("현금"));
    EXPECT_EQ(q.fieldText("Kubun_Name"), u("(주)한빛상사"));
    EXPECT_EQ(q.fieldDouble("Cr_Amt"), 1500000.0);
    EXPECT_EQ(q.fieldText("Project_Code"), "");
    EXPECT_EQ(q.fieldText("End_Day"), "2001-05-30 09:15:00");
}

TEST_P(Statements, NextNumberIsTheMaximumOfTheDateOrNullWithoutRows) {
    storeVouchers();
    db::Query q(db());
    open(q, voucherSql("SerialMax"), {{"tbDate_Day", "2001-05-30"}});
    EXPECT_EQ(q.recordCount(), 1);
    EXPECT_EQ(q.fieldText("Serial_Max"), "2001-05-30-00000007");

    open(q, voucherSql("SerialMax"), {{"tbDate_Day", "2001-06-01"}});
    ASSERT_EQ(q.recordCount(), 1);
    EXPECT_TRUE(q.fieldIsNull("Serial_Max"));
    EXPECT_EQ(q.fieldText("Serial_Max"), "");
}

TEST_P(Statements, CorrectionRewritesOnlyTheKeyedRow) {
    storeVouchers();
    std::map<QString, QString> texts = {
        {"tbSerial", "2001-05-302001-05-30-000000010201"}, {"tbDate_Day", "2001-05-30"}, {"tbSerial_Qel", "2001-05-30-00000001"},
        {"tbSerial_Bun", "02"}, {"tbSerial_CrDr", "01"}, {"tbAc_QelCode", "40701001000"}, {"tbAc_QelName", u("급여")},
        {"tbAc_Text", u("5월 급여")}, {"tbItem_Code", ""}, {"tbItem_Name", ""}, {"tbKubun_Code", ""},
        {"tbKubun_Name", ""}, {"tbProject_Code", "P0001"}, {"tbProject_Name", u("신제품 개발")},
        {"tbBuser_Code", ""}, {"tbBuser_Name", ""}, {"tbSawon_Code", ""}, {"tbSawon_Name", ""}};
    execute(voucherSql("UpdateRow"), texts, {{"tbCr_Amt", 300000}, {"tbDr_Amt", 0}});

    db::Query q(db());
    open(q, voucherSql("VoucherRows"), {{"tbDayBon", "2001-05-3000000"}, {"tbSerial_qel", "2001-05-30-00000001"}});
    q.moveTo(2);
    EXPECT_EQ(q.fieldText("Ac_QelName"), u("급여"));
    EXPECT_EQ(q.fieldText("Ac_Text"), u("5월 급여"));
    EXPECT_EQ(q.fieldText("Kubun_Name"), "");
    EXPECT_EQ(q.fieldDouble("Cr_Amt"), 300000.0);
    q.moveTo(3);
    EXPECT_EQ(q.fieldText("Ac_QelName"), u("현금"));
    EXPECT_EQ(q.fieldDouble("Dr_Amt"), 250000.0);
    q.moveTo(0);
    EXPECT_EQ(q.fieldText("Ac_QelName"), u("현금"));
}

TEST_P(Statements, DeleteRemovesBothRowsOfTheLineAndCountSaysWhatIsLeft) {
    storeVouchers();
    db::Query count(db());
    open(count, voucherSql("CountVoucherRows"), {{"tbSerial", "2001-05-30-00000001"}});
    EXPECT_EQ(count.fieldInt(QStringLiteral("Serial")), 4);
    execute(voucherSql("DeleteLine"), lineKey("2001-05-30-00000001", "02"));
    open(count, voucherSql("CountVoucherRows"), {{"tbSerial", "2001-05-30-00000001"}});
    EXPECT_EQ(count.fieldInt(QStringLiteral("serial")), 2);
    execute(voucherSql("DeleteLine"), lineKey("2001-05-30-00000001", "01"));
    open(count, voucherSql("CountVoucherRows"), {{"tbSerial", "2001-05-30-00000001"}});
    EXPECT_EQ(count.fieldInt(QStringLiteral("Serial")), 0);
}

TEST_P(Statements, PrintGivesTheVoucherRowsThenBlankRowsToTen) {
    storeVouchers();
    const std::map<QString, QString> key = {
        {"tbDateDay", "2001-05-30"}, {"tbKubunBon", "00000"}, {"tbSerialQel", "2001-05-30-00000001"}};
    db::Query count(db());
    open(count, voucherQuerySql("Print_Count_Query"), key);
    ASSERT_EQ(count.recordCount(), 4);
    EXPECT_EQ(count.fieldText("Sawon_NameCode"), u("김철수   S0001"));
    EXPECT_EQ(count.fieldText("Serial_Qel"), "2001-05-30-00000001");

    std::map<QString, QString> params = key;
    params["tbCount"] = QStringLiteral("%1").arg(10 - count.recordCount(), 2, 10, QLatin1Char('0'));
    db::Query print(db());
    open(print, voucherQuerySql("Print_Query"), params);
    ASSERT_EQ(print.recordCount(), 10);
    EXPECT_EQ(column(print, QStringLiteral("Tot")), (std::vector<QString>{"", "", "", "", "01", "02", "03", "04", "05", "06"}));
    EXPECT_EQ(column(print, QStringLiteral("Serial_Bun")), (std::vector<QString>{"01", "01", "02", "02", "", "", "", "", "", ""}));
    EXPECT_EQ(column(print, QStringLiteral("Serial_CrDr")), (std::vector<QString>{"01", "02", "01", "02", "", "", "", "", "", ""}));
    double debit = 0, credit = 0;
    for (print.first(); !print.eof(); print.next()) {
        debit += print.fieldDouble("Cr_Amt");
        credit += print.fieldDouble("Dr_Amt");
    }
    EXPECT_EQ(debit, 1750000.0);
    EXPECT_EQ(credit, 1750000.0);
    print.first();
    EXPECT_EQ(print.fieldText("Kubun_NameCode"), u("(주)한빛상사   00001"));
    EXPECT_EQ(print.fieldValue("Project_NameCode").toString(), "   ");
    EXPECT_EQ(print.fieldText("Project_NameCode"), "");
    EXPECT_EQ(print.fieldText("Ac_QelCode"), "10101001000");
    print.moveTo(9);
    EXPECT_EQ(print.fieldText("Ac_QelName"), "");
    EXPECT_EQ(print.fieldDouble("Cr_Amt"), 0.0);

    // No stored row: ten blank rows.
    params["tbSerialQel"] = QStringLiteral("2001-05-30-99999999");
    params["tbCount"] = QStringLiteral("10");
    open(print, voucherQuerySql("Print_Query"), params);
    EXPECT_EQ(print.recordCount(), 10);
    params["tbCount"] = QStringLiteral("-01");
    open(print, voucherQuerySql("Print_Query"), params);
    EXPECT_EQ(print.recordCount(), 0);
}

// Both programs number from one counter, so one number never holds lines of both kinds; were
// it so, rows alike in every printed column would print once.
TEST_P(Statements, PrintUnionDropsDuplicateRowsAndNamesColumnsAfterTheVoucherRows) {
    const Side cash{"10101001000", u("현금"), u("현금 입금")};
    const Side sales{"40201001000", u("상품매출"), u("상품 매출")};
    storeLine("2001-05-30", "00000", "2001-05-30-00000003", "01", "A003", cash, sales, 5000);
    storeLine("2001-05-30", "00000", "2001-05-30-00000003", "01", "A004", cash, sales, 5000);
    db::Query print(db());
    open(print, voucherQuerySql("Print_Query"),
         {{"tbDateDay", "2001-05-30"}, {"tbKubunBon", "00000"}, {"tbSerialQel", "2001-05-30-00000003"}, {"tbCount", "06"}});
    EXPECT_EQ(print.recordCount(), 8);
    QStringList names;
    for (int i = 0; i < 7; ++i) names << print.fieldName(i).toLower();
    EXPECT_EQ(names, QStringList({"tot", "serial_bun", "kubun_bon", "ac_qelcode", "ac_qelname", "serial_qel", "serial_crdr"}));
    EXPECT_EQ(column(print, QStringLiteral("Ac_QelCode")),
              (std::vector<QString>{"10101001000", "40201001000", "", "", "", "", "", ""}));
}

std::set<QString> codes(db::Query& q, const QString& field) {
    std::set<QString> s;
    for (q.first(); !q.eof(); q.next()) s.insert(q.fieldText(field));
    return s;
}

TEST_P(Statements, AccountListsSplitTheCategoriesBetweenDebitAndCredit) {
    db::Query debit(db()), credit(db());
    open(debit, lookupSql("Qel_Unit3_01"), {{"tbac_name", "%%"}});
    open(credit, lookupSql("Qel_Unit3_07"), {{"tbac_name", "%%"}});
    const std::set<QString> d = codes(debit, QStringLiteral("ac_code"));
    const std::set<QString> c = codes(credit, QStringLiteral("ac_code"));
    EXPECT_EQ(debit.recordCount(), static_cast<int>(d.size()));  // one row per account
    // Sales: jan_check "57" debit only, another value credit only, NULL neither.
    EXPECT_TRUE(d.count("40201001000") && !c.count("40201001000"));
    EXPECT_TRUE(!d.count("40201005000") && c.count("40201005000"));
    EXPECT_TRUE(!d.count("40201009000") && !c.count("40201009000"));
    // Non-operating revenue and extraordinary gains: credit only; costs and expenses: debit only.
    for (const char* code : {"40901001000", "41201001000"}) EXPECT_TRUE(!d.count(code) && c.count(code)) << code;
    for (const char* code : {"40301001000", "40404001000", "40701001000", "41001001000", "41501001000"})
        EXPECT_TRUE(d.count(code) && !c.count(code)) << code;
    for (const char* code : {"10101001000", "10102024000", "30101001000", "40101001000", "50101001000"})
        EXPECT_TRUE(d.count(code) && c.count(code)) << code;
    // Names holding the company marker and accounts not in use are never offered.
    for (const char* code : {"10101090000", "10101095000"}) EXPECT_TRUE(!d.count(code) && !c.count(code)) << code;
    EXPECT_EQ(d.size(), 50u);
    EXPECT_EQ(c.size(), 32u);

    ASSERT_TRUE(debit.locate(QStringLiteral("ac_code"), QStringLiteral("10101001000")));
    EXPECT_EQ(debit.fieldText("ac_name01"), u("현금"));
    EXPECT_EQ(debit.fieldText("ac_name02"), u("당좌자산"));
    ASSERT_TRUE(debit.locate(QStringLiteral("ac_code"), QStringLiteral("50101001000")));
    EXPECT_EQ(debit.fieldText("ac_name02"), "");
    ASSERT_TRUE(debit.locate(QStringLiteral("ac_code"), QStringLiteral("40201001000")));
    EXPECT_EQ(debit.fieldText("ac_name02"), u("매출액"));

    open(debit, lookupSql("Qel_Unit3_01"), {{"tbac_name", u("%매출%")}});
    EXPECT_EQ(codes(debit, QStringLiteral("ac_code")),
              (std::set<QString>{"10101008000", "40201001000", "40201002000", "40301001000", "40304001000", "40305001000"}));
    open(credit, lookupSql("Qel_Unit3_07"), {{"tbac_name", "%10101%"}});
    EXPECT_EQ(credit.recordCount(), 0);
}

TEST_P(Statements, VariantListsDropSalesAndOfferOnlyTheFiveInventoryAccounts) {
    db::Query debit(db()), credit(db());
    open(debit, lookupSql("Qel_Unit6_01"), {{"tbac_name", "%%"}});
    const std::set<QString> d = codes(debit, QStringLiteral("ac_code"));
    for (const QString& code : d) EXPECT_FALSE(code.startsWith(QStringLiteral("40201"))) << code.toStdString();
    EXPECT_EQ(d.size(), 48u);

    open(credit, lookupSql("Qel_Unit6_07"), {{"tbac_name", "%%"}});
    EXPECT_EQ(column(credit, QStringLiteral("ac_code")),
              (std::vector<QString>{"10102001000", "10102005000", "10102008000", "10102017000", "10102024000"}));
    EXPECT_EQ(column(credit, QStringLiteral("ac_name01")), (std::vector<QString>{u("상품"), u("제품"), u("원재료"), u("저장품"), u("재공품")}));
    EXPECT_EQ(column(credit, QStringLiteral("ac_name02")), std::vector<QString>(5, u("재고자산")));
    open(credit, lookupSql("Qel_Unit6_07"), {{"tbac_name", u("%재%")}});
    EXPECT_EQ(column(credit, QStringLiteral("ac_code")), (std::vector<QString>{"10102008000", "10102024000"}));
}

TEST_P(Statements, CustomersAndBanksStandTogetherInCodeOrder) {
    db::Query q(db());
    open(q, customersAndBanksSql("FilterAll"), {{"tbName", "%%"}});
    EXPECT_EQ(column(q, QStringLiteral("Tot_Code")),
              (std::vector<QString>{"00001", "00001", "00002", "00003", "00004", "00005", "00006"}));
    ASSERT_TRUE(q.locate(QStringLiteral("Tot_Name"), u("(주)한빛상사")));
    EXPECT_EQ(q.fieldText("Tot_No"), "104-81-23456");
    EXPECT_EQ(q.fieldText("Tot_Kubun"), u("거래처"));
    ASSERT_TRUE(q.locate(QStringLiteral("tot_name"), u("국민은행 명동지점")));
    EXPECT_EQ(q.fieldText("Tot_No"), "123-45-678901");
    EXPECT_EQ(q.fieldText("Tot_Kubun"), u("은행명"));

    open(q, customersAndBanksSql("FilterCustomers"), {{"tbName", "%%"}});
    EXPECT_EQ(column(q, QStringLiteral("Tot_Code")), (std::vector<QString>{"00001", "00002", "00003", "00005"}));
    open(q, customersAndBanksSql("FilterBanks"), {{"tbName", "%%"}});
    EXPECT_EQ(column(q, QStringLiteral("Tot_Code")), (std::vector<QString>{"00001", "00004", "00006"}));
    open(q, customersAndBanksSql(nullptr), {{"tbName", u("%은행%")}});
    EXPECT_EQ(column(q, QStringLiteral("Tot_Code")), (std::vector<QString>{"00001", "00004", "00006"}));
    open(q, customersAndBanksSql("FilterBanks"), {{"tbName", u("%한빛%")}});
    EXPECT_EQ(q.recordCount(), 0);
}

TEST_P(Statements, NameLookupsMatchTheNameAndSortByCode) {
    db::Query q(db());
    open(q, lookupSql("Qel_Unit3_03"), {{"tbName", "%%"}});
    EXPECT_EQ(column(q, QStringLiteral("Sawon_Code")), (std::vector<QString>{"S0001", "S0002", "S0003"}));
    q.first();
    EXPECT_EQ(q.fieldText("Sawon_Jumin"), "750101-1234567");
    EXPECT_EQ(q.fieldText("Sawon_Kubun"), u("남"));
    open(q, lookupSql("Qel_Unit3_03"), {{"tbName", u("%영희%")}});
    EXPECT_EQ(column(q, QStringLiteral("Sawon_Name")), std::vector<QString>{u("이영희")});

    open(q, lookupSql("Qel_Unit3_04"), {{"tbName", u("%부%")}});
    EXPECT_EQ(column(q, QStringLiteral("Buser_Code")), (std::vector<QString>{"B0001", "B0002", "B0003"}));
    open(q, lookupSql("Qel_Unit3_05"), {{"tbName", u("%공장%")}});
    EXPECT_EQ(column(q, QStringLiteral("Project_Text")), std::vector<QString>{u("공장 증설 공사")});
    open(q, lookupSql("Qel_Unit3_06"), {{"tbName", u("%차량유지%")}});
    EXPECT_EQ(q.recordCount(), 0);
    open(q, lookupSql("Qel_Unit3_06"), {{"tbName", u("%차량 유지%")}});
    EXPECT_EQ(column(q, QStringLiteral("Item_Code")), std::vector<QString>{"I0003"});
}

TEST_P(Statements, LikeIgnoresCaseAndComparisonIgnoresTrailingBlanksOfRtrimmedColumns) {
    db().exec(QStringLiteral("INSERT INTO Buser_Table (Buser_Code, Buser_Name, Buser_Text) VALUES ('B0009', 'Sales Team  ', 'x')"));
    db::Query q(db());
    open(q, lookupSql("Qel_Unit3_04"), {{"tbName", "%sales%"}});
    EXPECT_EQ(column(q, QStringLiteral("Buser_Name")), std::vector<QString>{"Sales Team"});
    open(q, lookupSql("Qel_Unit3_04"), {{"tbName", "%team"}});
    EXPECT_EQ(q.recordCount(), 1);
}

INSTANTIATE_TEST_SUITE_P(Engines, Statements, test::allEngines, test::engineName);

}  // namespace
