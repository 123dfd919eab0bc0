#pragma once
// Rows of Account_Qel_AA stored directly, as the programs or older writers left them.

#include "db/Database.h"
#include "db/Query.h"

#include <QDate>
#include <QString>
#include <QStringList>
#include <ostream>

// Readable texts in failure messages.
inline void PrintTo(const QString& s, std::ostream* os) { *os << '"' << s.toStdString() << '"'; }

namespace vtest {

// One stored row of a voucher line. Names and codes of the analysis fields are derived from
// the line and side, so a test can tell which row filled which field.
struct Row {
    QString date;
    QString office = QStringLiteral("00000");
    QString serialQel;  // empty: date + "-" + counter
    QString counter = QStringLiteral("00000001");
    QString line = QStringLiteral("01");
    QString side = QStringLiteral("01");
    QString kind = QStringLiteral("A003");
    QString key;  // Serial; empty: built from the row as the programs build it
    QString text;
    double cr = 0;
    double dr = 0;
};

inline Row row(const QString& date, const QString& office, const QString& counter, const QString& line,
               const QString& kind = QStringLiteral("A003")) {
    Row r;
    r.date = date;
    r.office = office;
    r.counter = counter;
    r.line = line;
    r.kind = kind;
    return r;
}

inline QString today() { return QDate::currentDate().toString(QStringLiteral("yyyy-MM-dd")); }

inline QString serialOf(const Row& r) {
    return r.serialQel.isEmpty() ? r.date + QLatin1Char('-') + r.counter : r.serialQel;
}

inline void storeRow(db::Database& db, const Row& r) {
    db::Query q(db);
    q.setSql({QStringLiteral("insert into Account_Qel_AA (Serial, Serial_Qel, Serial_Bun, Serial_CrDr, Month_Char,"),
              QStringLiteral(" Year_Char, Date_Day, Table_Kubun, Kubun_Bon, Kubun_Qel, Kubun_Amt, Form_Kubun, Giel_Serial,"),
              QStringLiteral(" Ac_QelCode, Ac_QelName, Ac_Text, Item_Code, Item_Name, Kubun_Code, Kubun_Name,"),
              QStringLiteral(" Project_Code, Project_Name, Buser_Code, Buser_Name, Sawon_Code, Sawon_Name, Cr_Amt, Dr_Amt)"),
              QStringLiteral("values (:tbSerial, :tbSerial_Qel, :tbSerial_Bun, :tbSerial_CrDr, :tbMonth, :tbYear, :tbDate,"),
              QStringLiteral(" 'AA', :tbBon, '3', '5', :tbKind, '999', :tbAcCode, :tbAcName, :tbText, :tbItemCode, :tbItemName,"),
              QStringLiteral(" :tbKubunCode, :tbKubunName, :tbProjectCode, :tbProjectName, :tbBuserCode, :tbBuserName,"),
              QStringLiteral(" :tbSawonCode, :tbSawonName, :tbCr, :tbDr)")});
    const QString serial = serialOf(r);
    const QString tag = r.line + QLatin1Char('/') + r.side;
    const QString key = QStringLiteral("AA*%1*3*%2*%3*%4*%5").arg(r.office, serial, r.line, r.kind, r.side);
    q.setParamText(QStringLiteral("tbSerial"), r.key.isEmpty() ? key : r.key);
    q.setParamText(QStringLiteral("tbSerial_Qel"), serial);
    q.setParamText(QStringLiteral("tbSerial_Bun"), r.line);
    q.setParamText(QStringLiteral("tbSerial_CrDr"), r.side);
    q.setParamText(QStringLiteral("tbMonth"), r.date.mid(5, 2));
    q.setParamText(QStringLiteral("tbYear"), r.date.left(4));
    q.setParamText(QStringLiteral("tbDate"), r.date);
    q.setParamText(QStringLiteral("tbBon"), r.office);
    q.setParamText(QStringLiteral("tbKind"), r.kind);
    q.setParamText(QStringLiteral("tbAcCode"), QStringLiteral("AC") + r.line + r.side);
    q.setParamText(QStringLiteral("tbAcName"), QStringLiteral("계정 ") + tag);
    q.setParamText(QStringLiteral("tbText"), r.text.isEmpty() ? QStringLiteral("적요 ") + tag : r.text);
    q.setParamText(QStringLiteral("tbItemCode"), QStringLiteral("IT") + r.line + r.side);
    q.setParamText(QStringLiteral("tbItemName"), QStringLiteral("항목 ") + tag);
    q.setParamText(QStringLiteral("tbKubunCode"), QStringLiteral("KB") + r.line + r.side);
    q.setParamText(QStringLiteral("tbKubunName"), QStringLiteral("거래처 ") + tag);
    q.setParamText(QStringLiteral("tbProjectCode"), QStringLiteral("PJ") + r.line + r.side);
    q.setParamText(QStringLiteral("tbProjectName"), QStringLiteral("프로젝트 ") + tag);
    q.setParamText(QStringLiteral("tbBuserCode"), QStringLiteral("BU") + r.line + r.side);
    q.setParamText(QStringLiteral("tbBuserName"), QStringLiteral("부서 ") + tag);
    q.setParamText(QStringLiteral("tbSawonCode"), QStringLiteral("SW") + r.line + r.side);
    q.setParamText(QStringLiteral("tbSawonName"), QStringLiteral("사원 ") + tag);
    q.setParamDouble(QStringLiteral("tbCr"), r.cr);
    q.setParamDouble(QStringLiteral("tbDr"), r.dr);
    q.execSql();
}

// A whole line: its debit row ("01") and its credit row ("02"), balanced.
inline void storeLine(db::Database& db, Row r, double amount) {
    r.side = QStringLiteral("01");
    r.cr = amount;
    r.dr = 0;
    storeRow(db, r);
    r.side = QStringLiteral("02");
    r.cr = 0;
    r.dr = amount;
    storeRow(db, r);
}

// The columns of every stored row, each row's values joined by "/", in the order given.
inline QStringList storedRows(db::Database& db, const QString& columns, const QString& order) {
    db::Query q(db);
    q.setSql({QStringLiteral("select %1 from Account_Qel_AA order by %2").arg(columns, order)});
    q.open();
    QStringList rows;
    for (; !q.eof(); q.next()) {
        QStringList values;
        for (int i = 0; i < q.fieldCount(); ++i) values << q.fieldText(q.fieldName(i));
        rows << values.join(QLatin1Char('/'));
    }
    return rows;
}

}  // namespace vtest
