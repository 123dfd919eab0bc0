#include "VoucherFixtures.h"

#include "StatementFiles.h"
#include "db/Query.h"

#include <QDate>
#include <QDateTime>

namespace test {

void storeVouchers(db::Database& database) {
    db::Query q(database);
    const QStringList insert = formSql(QStringLiteral("Qel_Unit3"), QStringLiteral("InsertRow"));
    std::map<QString, int> counters;  // by date, every office and form sharing one
    for (int v = 0; v < 40; ++v) {
        const QString date = QDate(2001, 5, 28).addDays(v % 3).toString(Qt::ISODate);
        const QString office = QStringLiteral("%1").arg(v % 3, 5, 10, QLatin1Char('0'));
        const QString form = v % 5 == 0 ? QStringLiteral("A004") : QStringLiteral("A003");
        const QString number = QStringLiteral("%1-%2").arg(date).arg(++counters[date], 8, 10, QLatin1Char('0'));
        for (int line = 1; line <= 1 + v % 4; ++line) {
            const QString lineText = QStringLiteral("0%1").arg(line);
            for (const QString& side : {QStringLiteral("01"), QStringLiteral("02")}) {
                q.setSql(insert);
                const std::map<QString, QString> texts = {
                    {"tbSerial", QStringLiteral("AA*%1*3*%2*%3*%4*%5").arg(office, number, lineText, form, side)},
                    {"tbSerial_Qel", number}, {"tbSerial_Bun", lineText}, {"tbSerial_CrDr", side},
                    {"tbMonth_Char", date.mid(5, 2)}, {"tbYear_Char", date.left(4)}, {"tbDate_Day", date},
                    {"tbTable_Kubun", "AA"}, {"tbKubun_Bon", office}, {"tbKubun_Qel", "3"}, {"tbKubun_Amt", "5"},
                    {"tbForm_Kubun", form}, {"tbGiel_Serial", "999"},
                    {"tbAc_QelCode", side == QLatin1String("01") ? "10101001000" : "40201001000"},
                    {"tbAc_QelName", side == QLatin1String("01") ? QString::fromUtf8("현금") : QString::fromUtf8("상품매출")},
                    {"tbAc_Text", QString::fromUtf8("상품 매출 %1").arg(v)}, {"tbItem_Code", ""}, {"tbItem_Name", ""},
                    {"tbKubun_Code", v % 2 ? "00001" : ""}, {"tbKubun_Name", v % 2 ? QString::fromUtf8("(주)한빛상사") : ""},
                    {"tbProject_Code", ""}, {"tbProject_Name", ""}, {"tbBuser_Code", "B0001"},
                    {"tbBuser_Name", QString::fromUtf8("경리부")}, {"tbSawon_Code", ""}, {"tbSawon_Name", ""}};
                for (const auto& [name, value] : texts) q.setParamText(name, value);
                const double amount = 1000.0 * (v + 1) * line;
                q.setParamDouble(QStringLiteral("tbCr_Amt"), side == QLatin1String("01") ? amount : 0.0);
                q.setParamDouble(QStringLiteral("tbDr_Amt"), side == QLatin1String("01") ? 0.0 : amount);
                q.setParamDateTime(QStringLiteral("tbEnd_Day"), QDateTime(QDate(2001, 5, 30), QTime(9, 0).addSecs(v)));
                q.execSql();
            }
        }
    }
}

std::vector<Reading> readings() {
    auto form = [](const char* name) { return formSql(QStringLiteral("Qel_Unit3"), QString::fromLatin1(name)); };
    auto printQuery = [](const char* name) { return formQuerySql(QStringLiteral("Qel_Unit3"), QString::fromLatin1(name)); };
    const std::map<QString, QString> print = {
        {"tbDateDay", "2001-05-29"}, {"tbKubunBon", "00001"}, {"tbSerialQel", "2001-05-29-00000002"}};
    std::map<QString, QString> printRows = print;
    printRows["tbCount"] = QStringLiteral("04");
    return {
        {"Grid", form("StoredLines"), {{"tbDKubun", "%2001-05-2900001%"}}},
        {"GridOfAnotherOffice", form("StoredLines"), {{"tbDKubun", "%2001-05-3000002%"}}},
        {"GridOfVoucher", form("StoredLinesOfVoucher"), {{"tbDKubun", "%2001-05-2900001%"}, {"tbqel", "%2001-05-29-00000002%"}}},
        {"VoucherRows", form("VoucherRows"), {{"tbDayBon", "2001-05-2900001"}, {"tbSerial_qel", "2001-05-29-00000002"}}},
        {"LineNumbers", form("VoucherLineNumbers"), {{"tbSerial_qel", "2001-05-29-00000002"}, {"tbSerial_day", "2001-05-29"}}},
        {"Numbering", form("SerialMax"), {{"tbDate_Day", "2001-05-30"}}},
        {"Count", form("CountVoucherRows"), {{"tbSerial", "2001-05-29-00000002"}}},
        {"PrintCount", printQuery("Print_Count_Query"), print},
        {"PrintRows", printQuery("Print_Query"), printRows},
        {"Table", {QStringLiteral("select * from Account_Qel_AA order by Serial")}, {}}};
}

QStringList rowsOf(db::Database& database, const Reading& reading) {
    db::Query q(database);
    q.setSql(reading.sql);
    for (const auto& [name, value] : reading.params) q.setParamText(name, value);
    q.open();
    QStringList rows;
    for (q.first(); !q.eof(); q.next()) {
        QStringList fields;
        for (int c = 0; c < q.fieldCount(); ++c) fields << q.text(q.recNo(), c);
        rows << fields.join(QLatin1Char('|'));
    }
    rows.sort();  // the grid and the line numbers ask for no order
    return rows;
}

}  // namespace test
