#pragma once
// The voucher form on a real database of either engine, driven headless by a clerk. Tests
// store their rows first, then start() creates the form as the program block does.

#include "db/Query.h"
#include "tests/support/Engines.h"
#include "programs/BrenvikForms.h"
#include "toolkit/Application.h"
#include "toolkit/Clerk.h"
#include "toolkit/Services.h"
#include "voucher/Qel_Unit3.h"

#include <QDate>
#include <QStringList>
#include <memory>
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
    q.setParamText(QStringLiteral("tbSerial"), QStringLiteral("AA*%1*3*%2*%3*%4*%5").arg(r.office, serial, r.line, r.kind, r.side));
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

// Offices stored out of their code order; the list shows them in code order.
inline void storeOffices(db::Database& db) {
    db::Query q(db);
    q.setSql({QStringLiteral("insert into Kubun_Table (Kubun_Code, Kubun_Name, Kubun_JangSo) values (:tbCode, :tbName, :tbPlace)")});
    const QStringList rows[] = {{QStringLiteral("00002"), QStringLiteral("대구지점"), QStringLiteral("대구 수성구")},
                                {QStringLiteral("00000"), QStringLiteral("본사"), QStringLiteral("서울 중구")},
                                {QStringLiteral("00001"), QStringLiteral("부산지점"), QStringLiteral("부산 해운대구")}};
    for (const QStringList& r : rows) {
        q.setParamText(QStringLiteral("tbCode"), r[0]);
        q.setParamText(QStringLiteral("tbName"), r[1]);
        q.setParamText(QStringLiteral("tbPlace"), r[2]);
        q.execSql();
    }
}

// On both engines; Param is the engine, or an engine and a table row (test::EngineTestOf).
template <class Param>
class VoucherFormTestOf : public test::EngineTestOf<Param> {
protected:
    void SetUp() override {
        test::EngineTestOf<Param>::SetUp();
        storeOffices(this->db());
    }

    void TearDown() override {
        clerk_.reset();
        tk::app().reset();
        fmBrenvik = nullptr;
        test::EngineTestOf<Param>::TearDown();
    }

    // Creates Brenvik's forms as the program block does, on this test's database, and shows
    // the voucher form.
    // Another program's forms come from its own creation function.
    TfmBrenvik& start(TfmBrenvik& (*createForms)() = &createBrenvikForms) {
        tk::app().initialize(QStringLiteral("Brenvik"));
        this->database().installAsAlias(QStringLiteral("Account"));
        form_ = &createForms();
        tk::app().run();
        clerk_ = std::make_unique<tk::Clerk>(*form_);
        return *form_;
    }

    TfmBrenvik& form() { return *form_; }
    tk::Clerk& clerk() { return *clerk_; }

    tk::RecordingMessageService& messages() {
        return dynamic_cast<tk::RecordingMessageService&>(tk::app().messages());
    }

    // The grid's rows as voucher number and line number joined, in the grid's order.
    QStringList gridKeys() {
        db::Query& q = form().query(QStringLiteral("Query1"));
        QStringList keys;
        const int col = q.fieldIndex(QStringLiteral("serial_ttt"));
        for (int row = 0; row < q.recordCount(); ++row) keys << q.text(row, col);
        return keys;
    }
    QStringList sortedGridKeys() {
        QStringList keys = gridKeys();
        keys.sort();
        return keys;
    }

    // Which of the six buttons are enabled, as "+" and "-" from left to right.
    QString buttons() {
        QString out;
        for (const char* b : {"InsertBtn", "CancelBtn", "SaveBtn", "DeleteBtn", "PrintBtn", "CloseBtn"}) {
            out += form().button(QLatin1String(b)).enabled() ? QLatin1Char('+') : QLatin1Char('-');
        }
        return out;
    }

    QString activeName() {
        tk::Control* c = form().activeControl();
        return c ? c->name() : QString();
    }

private:
    std::unique_ptr<tk::Clerk> clerk_;
    TfmBrenvik* form_ = nullptr;
};

class VoucherFormTest : public VoucherFormTestOf<test::Engine> {};

}  // namespace vtest
