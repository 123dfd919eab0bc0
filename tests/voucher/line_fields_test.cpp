// Typing a voucher: leaving the fields of a line's debit and credit rows prepares and opens
// the lookup dialogs, starts a new voucher, balances the amounts and copies the summary.

#include "lookup/LookupFrame.h"
#include "lookup/Qel_Unit3_01.h"
#include "lookup/Qel_Unit3_02.h"
#include "lookup/Qel_Unit3_03.h"
#include "lookup/Qel_Unit3_06.h"
#include "lookup/Qel_Unit3_07.h"
#include "tests/voucher/VoucherFormFixture.h"
#include "toolkit/FormDescription.h"
#include "voucher/text/LineFields.h"

#include <gtest/gtest.h>

#include <set>

using fields::Field;
using fields::Side;

namespace {

QString blanks(int n) { return QString(n, QLatin1Char(' ')); }
QString zeroShown() { return blanks(27) + QStringLiteral("0"); }

void storeMasters(db::Database& db) {
    db::Query q(db);
    const QStringList rows = {
        QStringLiteral("insert into test_ac_code (ac_code, ac_name, a_kubun, b_kubun, c_kubun, code_kubun, jan_check, bigo)"
                       " values ('10101001000', '현금', '1', '01', '01', 'SSSSS', '11', '당좌자산')"),
        QStringLiteral("insert into test_ac_code (ac_code, ac_name, a_kubun, b_kubun, c_kubun, code_kubun, jan_check, bigo)"
                       " values ('10101003000', '보통예금', '1', '01', '01', 'SSSSS', '11', '당좌자산')"),
        QStringLiteral("insert into Sale_Table (Sale_Code, Sale_Name, Sale_Serial01, Sale_Serial02, Sale_Serial03)"
                       " values ('S001', 'ABC상사', '101', '81', '12345')"),
        QStringLiteral("insert into Sale_Table (Sale_Code, Sale_Name, Sale_Serial01, Sale_Serial02, Sale_Serial03)"
                       " values ('S002', '한빛물산', '102', '81', '12346')"),
        QStringLiteral("insert into Sale_Table (Sale_Code, Sale_Name, Sale_Serial01, Sale_Serial02, Sale_Serial03)"
                       " values ('S003', 'ABC상사지점', '103', '81', '12347')"),
        QStringLiteral("insert into Sawon_Table (Sawon_Code, Sawon_Name, Sawon_Kubun, Sawon_Jumin01, Sawon_Jumin02,"
                       " Sawon_Text) values ('E01', '김철수', '남', '700101', '1234567', '')"),
        QStringLiteral("insert into Item_Table (Item_Code, Item_Name, Item_Text) values ('I01', '품목가', '')"),
        QStringLiteral("insert into Item_Table (Item_Code, Item_Name, Item_Text) values ('I02', '품목나', '')"),
    };
    for (const QString& sql : rows) {
        q.clearSql();
        q.addSql(sql);
        q.execSql();
    }
}

template <class Param>
class LineFieldFixture : public vtest::VoucherFormTestOf<Param> {
protected:
    TfmBrenvik& startWithMasters() {
        storeMasters(this->db());
        return this->start();
    }
    tk::Edit& field(Side side, Field kind, int line) { return this->form().lineEdit(side, kind, line); }
    QString lineKey(const tk::Form& dialog) { return dialog.edit(QStringLiteral("edSearch")).hint(); }
    QString searchText(const tk::Form& dialog) { return dialog.edit(QStringLiteral("edSearch")).text(); }
    int rows(const tk::Form& dialog) {
        const db::Query& q = dialog.query(QStringLiteral("Query1"));
        return q.active() ? q.recordCount() : -1;
    }
    // Replaces a field's text as the clerk would and leaves it with Tab.
    void typeAndTab(Side side, Field kind, int line, const QString& text) {
        this->clerk().focus(fields::name(side, kind, line));
        this->clerk().selectAllAndType(text);
        if (text.isEmpty()) this->clerk().press(tk::vk::Back);
        this->clerk().tab();
    }
    // A row of a dialog chosen with a double click.
    void choose(lookup::LookupDialog& dialog, int row) {
        tk::Clerk inDialog(dialog);
        inDialog.clickCell(QStringLiteral("DBGrid1"), row);
        inDialog.dblClick(QStringLiteral("DBGrid1"));
    }
};

using LineFieldTest = LineFieldFixture<test::Engine>;

// --- leaving an account forward ---------------------------------------------------------

struct ForwardCase {
    const char* name;
    Side side;
    const char* modeBefore;
    bool office;
    const char* date;
    const char* modeAfter;
    QStringList warnings;
    const char* focus;  // where the focus ends
    bool dialogShown;
};

const QString kOffice = QStringLiteral("본지점 구분을 선택하세요.");
const QString kDate = QStringLiteral("기준일자를 선택하세요.");

const ForwardCase forwardCases[] = {
    {"Browsing", Side::Debit, "1", true, "2024-03-05", "3", {}, "edCR_Kubun_Name_02", true},
    {"NewVoucher", Side::Debit, "3", true, "2024-03-05", "3", {}, "edCR_Kubun_Name_02", true},
    {"Correcting", Side::Debit, "2", true, "2024-03-05", "2", {}, "edCR_Kubun_Name_02", true},
    {"CreditRow", Side::Credit, "1", true, "2024-03-05", "3", {}, "edDR_Kubun_Name_02", true},
    {"NoOffice", Side::Debit, "1", false, "2024-03-05", "3", {kOffice}, "cbKubun", false},
    {"NoOfficeCreditCorrecting", Side::Credit, "2", false, "2024-03-05", "2", {kOffice}, "cbKubun", false},
    {"ShortDate", Side::Debit, "1", true, "2024-3-5", "3", {kDate}, "edDate", false},
    {"NoOfficeNoDate", Side::Debit, "1", false, "", "3", {kOffice, kDate}, "edDate", false},
};

class AccountForward : public LineFieldFixture<std::tuple<test::Engine, ForwardCase>> {};

TEST_P(AccountForward, ChecksOfficeAndDateThenStartsANewVoucher) {
    const ForwardCase& c = testCase();
    TfmBrenvik& f = startWithMasters();
    tk::Edit& account = field(c.side, Field::Account, 2);
    clerk().focus(account.name());
    lookup::LookupDialog& dialog = c.side == Side::Debit ? static_cast<lookup::LookupDialog&>(*Form1) : *Form7;
    dialog.close();  // shown when the focus left line 1's account
    if (!c.office) f.comboBox("cbKubun").setItemIndex(-1);
    f.edit("edDate").setText(QLatin1String(c.date));
    f.setFormMode(QLatin1String(c.modeBefore));
    account.setText(QStringLiteral("현"));
    account.setHint(QStringLiteral("OLD"));

    clerk().enter();

    EXPECT_EQ(f.formMode(), QLatin1String(c.modeAfter));
    EXPECT_EQ(messages().texts(), c.warnings);
    EXPECT_EQ(activeName(), QLatin1String(c.focus));
    EXPECT_EQ(dialog.visible(), c.dialogShown);
    if (c.dialogShown) {
        EXPECT_EQ(lineKey(dialog), QStringLiteral("2"));
        EXPECT_EQ(searchText(dialog), QStringLiteral("현"));
        EXPECT_EQ(rows(dialog), 1);
        EXPECT_TRUE(account.hint().isEmpty());
    } else {
        EXPECT_EQ(account.hint(), QStringLiteral("OLD"));
    }
}

INSTANTIATE_TEST_SUITE_P(Engines, AccountForward, testing::Combine(test::allEngines, testing::ValuesIn(forwardCases)),
                         test::rowName<ForwardCase>);

// --- the skip list ----------------------------------------------------------------------------

struct SkipCase {
    const char* name;
    const char* receiver;
    bool exitRuns;
};

const SkipCase skipCases[] = {
    {"Date", "edDate", false},       {"Office", "cbKubun", false},   {"Grid", "DBGrid1", false},
    {"Save", "SaveBtn", false},      {"Delete", "DeleteBtn", false}, {"Print", "PrintBtn", false},
    {"Close", "CloseBtn", false},    {"ButtonPanel", "Panel7", false}, {"Insert", "InsertBtn", true},
    {"Cancel", "CancelBtn", true},   {"OtherLine", "edCR_Sawon_Name_03", true},
};

class SkipList : public LineFieldFixture<std::tuple<test::Engine, SkipCase>> {};

// Every lookup field of both rows, left for the receiver, touches its dialog or leaves it alone.
TEST_P(SkipList, LeavingALookupFieldForTheseControlsLeavesFieldAndDialogAlone) {
    const SkipCase& c = testCase();
    TfmBrenvik& f = startWithMasters();
    for (Side side : {Side::Debit, Side::Credit}) {
        for (Field kind : {Field::Account, Field::Customer, Field::Employee, Field::Item}) {
            SCOPED_TRACE(fields::name(side, kind, 1).toStdString());
            for (tk::Form* d : {static_cast<tk::Form*>(Form1), static_cast<tk::Form*>(Form7),
                                static_cast<tk::Form*>(Form2), static_cast<tk::Form*>(Form3),
                                static_cast<tk::Form*>(Form6)}) {
                d->close();
                d->edit(QStringLiteral("edSearch")).setHint(QStringLiteral("9"));
            }
            tk::Edit& e = field(side, kind, 1);
            f.setFocus(e);
            for (const char* b : {"InsertBtn", "CancelBtn", "SaveBtn", "DeleteBtn", "PrintBtn", "CloseBtn"})
                f.button(QLatin1String(b)).setEnabled(true);
            e.setText(QStringLiteral("한"));
            e.setHint(QStringLiteral("CODE"));
            // The receiver's own handlers are not what this test is about.
            f.control(QLatin1String(c.receiver)).onEnter = nullptr;
            f.setFocus(QLatin1String(c.receiver));
            EXPECT_EQ(activeName(), QLatin1String(c.receiver));
            EXPECT_EQ(e.hint().isEmpty(), c.exitRuns);
            lookup::LookupDialog& d = f.lookupFor(side, kind);
            EXPECT_EQ(lineKey(d) != QStringLiteral("9"), c.exitRuns);
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Engines, SkipList, testing::Combine(test::allEngines, testing::ValuesIn(skipCases)),
                         test::rowName<SkipCase>);

// --- analysis fields of the debit row --------------------------------------------------------

TEST_P(LineFieldTest, AFieldOfBlanksLosesItsCodeAndAnOpenDialogTakesItsLineKey) {
    TfmBrenvik& f = startWithMasters();
    typeAndTab(Side::Debit, Field::Employee, 1, QStringLiteral("김 철"));
    ASSERT_TRUE(Form3->visible());
    EXPECT_EQ(searchText(*Form3), QStringLiteral("김 철"));
    EXPECT_EQ(rows(*Form3), 1);  // the blank is dropped from the pattern

    tk::Edit& other = field(Side::Debit, Field::Employee, 3);
    other.setHint(QStringLiteral("E99"));
    typeAndTab(Side::Debit, Field::Employee, 3, blanks(3));
    EXPECT_TRUE(other.hint().isEmpty());
    EXPECT_EQ(other.text(), blanks(3));
    EXPECT_TRUE(Form3->visible());
    EXPECT_EQ(rows(*Form3), 1);  // the earlier results stay
    EXPECT_EQ(lineKey(*Form3), QStringLiteral("3"));

    // A choice now goes to line 3, both rows.
    choose(*Form3, 0);
    EXPECT_EQ(other.text(), QStringLiteral("김철수"));
    EXPECT_EQ(field(Side::Credit, Field::Employee, 3).hint(), QStringLiteral("E01"));
    EXPECT_TRUE(field(Side::Debit, Field::Employee, 1).hint().isEmpty());
    EXPECT_EQ(f.formMode(), QStringLiteral("1"));
}

// --- amounts and summary ----------------------------------------------------------------------

struct AmountCase {
    const char* name;
    const char* typed;
    QString debitShown;
    QString creditShown;
};

const AmountCase amountCases[] = {
    {"Whole", "1234567", blanks(16) + QStringLiteral("1,234,567"), blanks(16) + QStringLiteral("1,234,567")},
    {"Empty", "", zeroShown(), zeroShown()},
    {"Fraction", "1234.5", blanks(18) + QStringLiteral("1,235"), blanks(21) + QStringLiteral("1,235")},
    {"Negative", "-1500000", blanks(14) + QStringLiteral("-1,500,000"), blanks(14) + QStringLiteral("-1,500,000")},
    {"TooLongToShow", "1234567890123456", QString(), zeroShown()},
};

class AmountExit : public LineFieldFixture<std::tuple<test::Engine, AmountCase>> {};

TEST_P(AmountExit, BalancesTheLine) {
    const AmountCase& c = testCase();
    startWithMasters();
    typeAndTab(Side::Debit, Field::DebitColumn, 2, QLatin1String(c.typed));
    EXPECT_EQ(field(Side::Debit, Field::DebitColumn, 2).text(), c.debitShown);
    EXPECT_EQ(field(Side::Credit, Field::CreditColumn, 2).text(), c.creditShown);
    EXPECT_EQ(field(Side::Debit, Field::CreditColumn, 2).text(), zeroShown());
    EXPECT_EQ(field(Side::Credit, Field::DebitColumn, 2).text(), zeroShown());
    EXPECT_TRUE(messages().log().empty());
}

INSTANTIATE_TEST_SUITE_P(Engines, AmountExit, testing::Combine(test::allEngines, testing::ValuesIn(amountCases)),
                         test::rowName<AmountCase>);

TEST_P(LineFieldTest, AnAmountThatDoesNotConvertShowsTheErrorAndKeepsItsText) {
    startWithMasters();
    field(Side::Credit, Field::CreditColumn, 1).setText(QStringLiteral("before"));
    typeAndTab(Side::Debit, Field::DebitColumn, 1, QStringLiteral("1-2"));
    ASSERT_EQ(messages().log().size(), 1u);
    EXPECT_EQ(messages().log()[0].kind, tk::Message::Kind::Error);
    EXPECT_EQ(messages().log()[0].text, QStringLiteral("'1-2' is not a valid floating point value"));
    EXPECT_EQ(field(Side::Debit, Field::DebitColumn, 1).text(), QStringLiteral("1-2"));
    EXPECT_EQ(field(Side::Credit, Field::CreditColumn, 1).text(), QStringLiteral("before"));
    EXPECT_EQ(activeName(), QStringLiteral("edCR_Cr_Amt_01"));  // the clerk stays in the field
}

TEST_P(LineFieldTest, ClickingTheAmountOfTheChosenLineShowsThePlainNumberSelected) {
    vtest::storeLine(db(), vtest::row(vtest::today(), "00000", "00000001", "01"), 1234567);
    TfmBrenvik& f = startWithMasters();
    tk::Edit& amount = field(Side::Debit, Field::DebitColumn, 1);
    f.setFormMode(TfmBrenvik::ModeNewVoucher);
    amount.setText(blanks(16) + QStringLiteral("1,234,567"));
    clerk().click(amount.name());
    EXPECT_EQ(amount.text(), blanks(16) + QStringLiteral("1,234,567"));

    clerk().clickCell("DBGrid1", 0);
    clerk().click(amount.name());
    EXPECT_EQ(amount.text(), QStringLiteral("1234567"));
    EXPECT_EQ(amount.selectedText(), QStringLiteral("1234567"));
}

TEST_P(LineFieldTest, LeavingTheDebitSummaryOverwritesTheCreditSummary) {
    startWithMasters();
    typeAndTab(Side::Debit, Field::Summary, 4, QStringLiteral("3월 급여"));
    EXPECT_EQ(field(Side::Credit, Field::Summary, 4).text(), QStringLiteral("3월 급여"));
    typeAndTab(Side::Debit, Field::Summary, 4, QString());
    EXPECT_TRUE(field(Side::Credit, Field::Summary, 4).text().isEmpty());
}

// --- credit-row analysis fields ----------------------------------------------------------------

struct CreditCase {
    const char* name;
    int line;
    const char* creditText;  // typed over what the debit choice wrote; null keeps it
    bool dialogOpens;
    const char* codeAfter;
};

const CreditCase creditCases[] = {
    {"Unchanged", 1, nullptr, false, "S001"},
    {"TrailingBlank", 1, "ABC상사 ", true, ""},
    {"OtherCase", 4, "abc상사", true, ""},
    {"Emptied", 2, "", false, ""},
    {"Blanks", 3, "   ", false, ""},
};

class CreditCustomer : public LineFieldFixture<std::tuple<test::Engine, CreditCase>> {};

TEST_P(CreditCustomer, TakesTheDebitCodeOrOpensItsOwnSearch) {
    const CreditCase& c = testCase();
    startWithMasters();
    typeAndTab(Side::Debit, Field::Customer, c.line, QStringLiteral("ABC"));
    ASSERT_TRUE(Form2->visible());
    choose(*Form2, 0);
    ASSERT_EQ(field(Side::Credit, Field::Customer, c.line).hint(), QStringLiteral("S001"));
    Form2->comboBox(QStringLiteral("cbCheck")).setItemIndex(2);

    if (c.creditText)
        typeAndTab(Side::Credit, Field::Customer, c.line, QString::fromUtf8(c.creditText));
    else
        typeAndTab(Side::Credit, Field::Customer, c.line, field(Side::Credit, Field::Customer, c.line).text());
    tk::Edit& credit = field(Side::Credit, Field::Customer, c.line);
    EXPECT_EQ(credit.hint(), QLatin1String(c.codeAfter));
    EXPECT_EQ(Form2->visible(), c.dialogOpens);
    EXPECT_EQ(lineKey(*Form2), QString::number(c.line * 10 + 5));
    EXPECT_EQ(Form2->comboBox(QStringLiteral("cbCheck")).itemIndex(), 0);
    if (!c.dialogOpens) return;
    // A choice fills the credit field alone.
    choose(*Form2, 1);
    EXPECT_EQ(credit.hint(), QStringLiteral("S003"));
    EXPECT_EQ(field(Side::Debit, Field::Customer, c.line).hint(), QStringLiteral("S001"));
}

INSTANTIATE_TEST_SUITE_P(Engines, CreditCustomer, testing::Combine(test::allEngines, testing::ValuesIn(creditCases)),
                         test::rowName<CreditCase>);

TEST_P(LineFieldTest, TheDebitTextWithoutADebitCodeLeavesTheCreditFieldWithoutCode) {
    startWithMasters();
    field(Side::Debit, Field::Employee, 2).setText(QStringLiteral("김철수"));
    field(Side::Credit, Field::Employee, 2).setHint(QStringLiteral("E01"));
    typeAndTab(Side::Credit, Field::Employee, 2, QStringLiteral("김철수"));
    EXPECT_TRUE(field(Side::Credit, Field::Employee, 2).hint().isEmpty());
    EXPECT_FALSE(Form3->visible());
}

// --- item exits: the way to the Save button ----------------------------------------------------

TEST_P(LineFieldTest, EnterInTheChosenLinesCreditItemGoesToSave) {
    vtest::storeLine(db(), vtest::row(vtest::today(), "00000", "00000001", "01"), 100);
    vtest::storeLine(db(), vtest::row(vtest::today(), "00000", "00000001", "02"), 200);
    TfmBrenvik& f = startWithMasters();
    clerk().clickCell("DBGrid1", gridKeys().indexOf(vtest::today() + QStringLiteral("-0000000102")));
    ASSERT_EQ(f.formMode(), QStringLiteral("2"));
    tk::Edit& item = field(Side::Credit, Field::Item, 2);
    const QString code = item.hint();
    clerk().focus(item.name());
    clerk().selectAllAndType(QStringLiteral("다른 항목"));
    clerk().enter();
    EXPECT_EQ(activeName(), QStringLiteral("SaveBtn"));
    EXPECT_EQ(item.hint(), code);
    EXPECT_FALSE(Form6->visible());
}

TEST_P(LineFieldTest, TheLastCreditItemLeadsToSaveUnlessItTakesTheDebitItem) {
    TfmBrenvik& f = startWithMasters();
    f.setFormMode(TfmBrenvik::ModeNewVoucher);
    f.pEnabledBtn();
    tk::Edit& debitItem = field(Side::Debit, Field::Item, 4);
    tk::Edit& item = field(Side::Credit, Field::Item, 4);
    debitItem.setText(QStringLiteral("품목가"));
    debitItem.setHint(QStringLiteral("I01"));

    // Enter moves to the grid; the exit sends the focus to Save without a search.
    clerk().focus(item.name());
    clerk().selectAllAndType(QStringLiteral("품목"));
    clerk().enter();
    EXPECT_EQ(activeName(), QStringLiteral("SaveBtn"));
    EXPECT_FALSE(Form6->visible());

    // A click into another line with a text of its own searches with "45", then Save.
    clerk().focus(item.name());
    clerk().focus(fields::name(Side::Debit, Field::Summary, 1));
    EXPECT_TRUE(Form6->visible());
    EXPECT_EQ(lineKey(*Form6), QStringLiteral("45"));
    EXPECT_EQ(rows(*Form6), 2);
    EXPECT_EQ(activeName(), QStringLiteral("SaveBtn"));

    // With the debit item's text the code is copied and the clicked field keeps the focus.
    clerk().focus(item.name());
    clerk().selectAllAndType(QStringLiteral("품목가"));
    clerk().focus(fields::name(Side::Debit, Field::Summary, 1));
    EXPECT_EQ(item.hint(), QStringLiteral("I01"));
    EXPECT_EQ(activeName(), QStringLiteral("edCR_Ac_Text_01"));
    EXPECT_TRUE(messages().log().empty());
}

TEST_P(LineFieldTest, WhileBrowsingTheLastCreditItemLetsTheFocusGoOn) {
    startWithMasters();
    clerk().focus(fields::name(Side::Credit, Field::Item, 4));
    clerk().selectAllAndType(QStringLiteral("품목"));
    clerk().focus(fields::name(Side::Debit, Field::Summary, 2));
    EXPECT_EQ(activeName(), QStringLiteral("edCR_Ac_Text_02"));
    EXPECT_TRUE(Form6->visible());
}

// --- failures ---------------------------------------------------------------------------------

TEST_P(LineFieldTest, ADatabaseErrorWhileADialogSearchesShowsTheErrorAndTheProgramGoesOn) {
    startWithMasters();
    db::Query drop(db());
    drop.addSql(QStringLiteral("drop table Item_Table"));
    drop.execSql();
    typeAndTab(Side::Debit, Field::Item, 1, QStringLiteral("품목"));
    ASSERT_EQ(messages().log().size(), 1u);
    EXPECT_EQ(messages().log()[0].kind, tk::Message::Kind::Error);
    EXPECT_FALSE(Form6->visible());
    EXPECT_TRUE(field(Side::Debit, Field::Item, 1).hint().isEmpty());
    EXPECT_EQ(activeName(), QStringLiteral("edCR_Item_Name_01"));
    // The form still works.
    clerk().selectAllAndType(QString());
    clerk().press(tk::vk::Back);
    typeAndTab(Side::Debit, Field::Summary, 1, QStringLiteral("적요"));
    EXPECT_EQ(field(Side::Credit, Field::Summary, 1).text(), QStringLiteral("적요"));
}

// --- bindings -----------------------------------------------------------------------------------

// Every field that has a handler names it in the description, and every name is bound (the
// loader refuses a name it cannot bind, so creating the form proves the second half).
TEST_P(LineFieldTest, EveryLineFieldHandlerIsNamedInTheDescription) {
    TfmBrenvik& f = startWithMasters();
    int exits = 0, clicks = 0;
    for (int line = 1; line <= fields::LineCount; ++line) {
        for (Side side : {Side::Debit, Side::Credit}) {
            for (Field kind : {Field::Account, Field::Customer, Field::Employee, Field::Department, Field::Project,
                               Field::Summary, Field::Item, Field::DebitColumn, Field::CreditColumn}) {
                const tk::Edit& e = f.lineEdit(side, kind, line);
                const bool hasExit = side == Side::Debit || (kind != Field::DebitColumn && kind != Field::CreditColumn);
                EXPECT_EQ(bool(e.onExit), hasExit) << e.name().toStdString();
                exits += bool(e.onExit);
                clicks += bool(e.onClick);
            }
        }
    }
    EXPECT_EQ(exits, 64);
    EXPECT_EQ(clicks, 4);
    EXPECT_TRUE(f.lineEdit(Side::Debit, Field::DebitColumn, 3).onClick);
}

INSTANTIATE_TEST_SUITE_P(Engines, LineFieldTest, test::allEngines, test::engineName);

}  // namespace
