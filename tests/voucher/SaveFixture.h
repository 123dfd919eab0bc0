#pragma once
// The voucher form with accounts and a customer to choose, and the steps of a clerk who types
// lines through the dialogs and reads back what the table holds.

#include "tests/voucher/Programs.h"
#include "tests/voucher/VoucherFormFixture.h"

#include "lookup/Qel_Unit3_01.h"
#include "lookup/Qel_Unit3_07.h"

#include <gtest/gtest.h>

#include <ostream>
#include <string>
#include <tuple>
#include <vector>

namespace vtest {

inline const QString kCash = QStringLiteral("10101001000"), kBank = QStringLiteral("10101003000"),
                     kGoods = QStringLiteral("10102001000");

// A row of a table that each program's tests instantiate with their own forms.
template <class Row>
struct ProgramRow {
    std::string name;
    Row row;
    const Program* program;
};
template <class Row>
void PrintTo(const ProgramRow<Row>& c, std::ostream* os) {
    *os << c.name;
}

// The table's rows for a program: every row, or the one named.
template <class Row>
std::vector<ProgramRow<Row>> rowsFor(const std::vector<Row>& table, const Program& program, const char* only = nullptr) {
    std::vector<ProgramRow<Row>> rows;
    for (const Row& r : table) {
        if (only == nullptr || std::string(only) == r.name) rows.push_back({r.name, r, &program});
    }
    return rows;
}

template <class Param>
class SaveTestOf : public vtest::VoucherFormTestOf<Param> {
protected:
    void SetUp() override {
        vtest::VoucherFormTestOf<Param>::SetUp();
        exec("insert into test_ac_code (ac_code, ac_name, a_kubun, b_kubun, c_kubun, code_kubun) values "
             "('10101001000', '현금', '1', '01', '01', 'SSSSS'), ('10101003000', '보통예금', '1', '01', '01', 'SSSSS'), "
             "('10102001000', '상품', '1', '01', '02', 'SSSSS')");
        exec("insert into Sale_Table (Sale_Code, Sale_Name) values ('C001', '한빛상사')");
    }
    void exec(const char* sql) { this->db().exec(QString::fromUtf8(sql)); }
    tk::Clerk& c() { return this->clerk(); }

    // Focus, type, Tab: the clerk leaves the field forward.
    void typeInto(const QString& field, const QString& text) {
        c().focus(field);
        c().selectAllAndType(text);
        c().tab();
    }
    // Double-clicks the row of `code` in the dialog the field left opened, and comes back.
    void pick(lookup::LookupDialog& dialog, const QString& column, const QString& code) {
        db::Query& rows = dialog.query(QStringLiteral("Query1"));
        ASSERT_TRUE(dialog.visible() && rows.locate(column, code)) << code.toStdString();
        tk::Clerk inDialog(dialog);
        inDialog.clickCell(QStringLiteral("DBGrid1"), rows.recNo());
        inDialog.dblClick(QStringLiteral("DBGrid1"));
        c().switchTo(this->form());
    }
    void chooseAccount(fields::Side side, int line) {
        const bool debit = side == fields::Side::Debit;
        typeInto(fields::name(side, fields::Field::Account, line), debit ? QStringLiteral("현") : creditSearch_);
        pick(debit ? static_cast<lookup::LookupDialog&>(*Form1) : *Form7, QStringLiteral("ac_code"),
             debit ? kCash : creditAccount_);
    }
    void typeAmount(int line, const QString& amount) {
        c().focus(fields::name(fields::Side::Debit, fields::Field::DebitColumn, line));
        c().selectAllAndType(amount);
    }
    // The road of a line: debit account, amount, credit account.
    void typeLine(int line, const QString& amount) {
        chooseAccount(fields::Side::Debit, line);
        typeAmount(line, amount);
        chooseAccount(fields::Side::Credit, line);
    }
    // The credit account typeLine chooses (Sattrel's credit list holds inventory accounts only).
    void creditAccountIs(const QString& search, const QString& code) {
        creditSearch_ = search;
        creditAccount_ = code;
    }

    // "line/side/Cr_Amt/Dr_Amt" (or the columns asked for) of every stored row, in the order inserted.
    QStringList stored(const QString& columns = QStringLiteral("Serial_Bun, Serial_CrDr, Cr_Amt, Dr_Amt")) {
        const bool sqlite = test::engineOf(this->GetParam()) == test::Engine::SQLite;
        return storedRows(this->db(), columns, sqlite ? QStringLiteral("rowid") : QStringLiteral("ctid"));
    }
    // "set" for a row whose End_Day a save wrote, "" for one stored without.
    QStringList saveTimes() {
        QStringList times = stored(QStringLiteral("End_Day"));
        for (QString& t : times) t = t.isEmpty() ? QString() : QStringLiteral("set");
        return times;
    }
    QString text(const QString& edit) { return this->form().edit(edit).text(); }

private:
    QString creditSearch_ = QStringLiteral("보통"), creditAccount_ = kBank;
};

// A table's row in its program's forms, started by the test; the program's global of its
// voucher form is emptied afterwards.
template <class Row>
class ProgramTestOf : public SaveTestOf<std::tuple<test::Engine, ProgramRow<Row>>> {
protected:
    void TearDown() override {
        SaveTestOf<std::tuple<test::Engine, ProgramRow<Row>>>::TearDown();
        this->testCase().program->forget();
    }
    TfmBrenvik& startProgram() { return this->start(this->testCase().program->create); }
    // The program started, Insert pressed; typeLine's credit account is one both programs list.
    void startNewVoucher() {
        this->creditAccountIs(QStringLiteral("상품"), kGoods);
        startProgram();
        this->c().alt('I');
    }
};

}  // namespace vtest
