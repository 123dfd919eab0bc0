// Sattrel: Brenvik's voucher form with entry form "A004", credit-row analysis fields that
// only mirror the debit row, name dialogs that write only for the line keys "1" to "4", and
// account lists of its own.

#include "lookup/Qel_Unit3_02.h"
#include "lookup/Qel_Unit3_03.h"
#include "lookup/Qel_Unit3_06.h"
#include "lookup/Qel_Unit3_01.h"
#include "lookup/Qel_Unit3_07.h"
#include "programs/SattrelForms.h"
#include "tests/voucher/EmptySaves.h"
#include "tests/voucher/PrintFixture.h"
#include "tests/voucher/StoredShapes.h"
#include "variant/Qel_Unit6.h"
#include "voucher/text/LineFields.h"

#include <gtest/gtest.h>

using fields::Field;
using fields::Side;

namespace {

TfmBrenvik& createSattrel() { return createSattrelForms(); }

void exec(db::Database& db, const QString& sql) {
    db::Query q(db);
    q.addSql(sql);
    q.execSql();
}

void addAccount(db::Database& db, const char* code, const char* name, const char* category, const char* janCheck,
                const char* codeKubun = "SSSSS") {
    const QString c = QLatin1String(category);
    exec(db, QStringLiteral("insert into test_ac_code (ac_code, ac_name, a_kubun, b_kubun, c_kubun, code_kubun, "
                            "jan_check, bigo) values ('%1', '%2', '%3', '%4', '%5', '%6', '%7', '')")
                 .arg(QLatin1String(code), QString::fromUtf8(name), c.left(1), c.mid(1, 2), c.mid(3, 2),
                      QLatin1String(codeKubun), QLatin1String(janCheck)));
}

void storeMasters(db::Database& db) {
    addAccount(db, "10101001000", "현금", "10101", "11");
    addAccount(db, "10102001000", "상품", "10102", "11");
    addAccount(db, "10102005000", "제품", "10102", "11");
    addAccount(db, "10102008000", "원재료", "10102", "11", "NNNNN");
    addAccount(db, "10102017000", "회사설정계정 저장품", "10102", "11");
    addAccount(db, "10102024000", "재공품", "40301", "11");
    addAccount(db, "40201001000", "상품매출", "40201", "57");
    addAccount(db, "40201002000", "제품매출", "40201", "11");
    exec(db, QStringLiteral("insert into Sale_Table (Sale_Code, Sale_Name, Sale_Serial01, Sale_Serial02, Sale_Serial03)"
                            " values ('S001', '한빛상사', '101', '81', '12345')"));
    exec(db, QStringLiteral("insert into Sawon_Table (Sawon_Code, Sawon_Name, Sawon_Kubun, Sawon_Jumin01, "
                            "Sawon_Jumin02, Sawon_Text) values ('E01', '김철수', '남', '700101', '1234567', '')"));
    exec(db, QStringLiteral("insert into Item_Table (Item_Code, Item_Name, Item_Text) values ('I01', '품목가', '')"));
}

template <class Param>
class SattrelFixture : public vtest::VoucherFormTestOf<Param> {
protected:
    void TearDown() override {
        vtest::VoucherFormTestOf<Param>::TearDown();
        fmSattrel = nullptr;
    }
    TfmBrenvik& startSattrel() {
        storeMasters(this->db());
        return this->start(&createSattrel);
    }
    tk::Edit& field(Side side, Field kind, int line) { return this->form().lineEdit(side, kind, line); }
    static QStringList codes(const tk::Form& dialog) {
        const db::Query& q = dialog.query(QStringLiteral("Query1"));
        QStringList out;
        for (int r = 0; r < q.recordCount(); ++r) out << q.text(r, q.fieldIndex(QStringLiteral("ac_code")));
        return out;
    }
};

using SattrelTest = SattrelFixture<test::Engine>;

TEST_P(SattrelTest, EachProgramListsAndLoadsOnlyItsOwnEntryForm) {
    vtest::storeLine(db(), vtest::row(vtest::today(), "00000", "00000001", "01", "A003"), 100);
    vtest::storeLine(db(), vtest::row(vtest::today(), "00000", "00000002", "01", "A004"), 200);
    TfmBrenvik& f = startSattrel();
    EXPECT_EQ(f.caption(), QStringLiteral("재고자산 타 계정 대체 등록 폼입니다."));
    EXPECT_EQ(gridKeys(), QStringList{vtest::today() + QStringLiteral("-0000000201")});
    clerk().clickCell("DBGrid1", 0);
    EXPECT_EQ(field(Side::Credit, Field::CreditColumn, 1).hint(), QStringLiteral("200"));
}

TEST_P(SattrelTest, AccountListsLeaveOutSalesAndHoldAtMostTheFiveInventoryAccounts) {
    startSattrel();
    for (lookup::LookupDialog* d : {static_cast<lookup::LookupDialog*>(Form1), static_cast<lookup::LookupDialog*>(Form7)}) {
        d->prepare(QStringLiteral("1"), QString());
        d->search();
    }
    EXPECT_FALSE(codes(*Form1).contains(QStringLiteral("40201001000")));
    EXPECT_FALSE(codes(*Form1).contains(QStringLiteral("40201002000")));
    EXPECT_TRUE(codes(*Form1).contains(QStringLiteral("10101001000")));
    EXPECT_EQ(codes(*Form7), QStringList({QStringLiteral("10102001000"), QStringLiteral("10102005000")}));
}

// --- the name dialogs write only for the line keys "1" to "4" -----------------------------

struct WriteCase {
    const char* name;
    Field kind;
    const char* key;
    bool doubleClick;
    int line;         // the line written, 0 for none
    bool staysOpen;
};

const WriteCase writeCases[] = {
    {"EmployeeKey2Click", Field::Employee, "2", false, 2, true},
    {"ItemKey4DoubleClick", Field::Item, "4", true, 4, false},
    {"CustomerKey15Click", Field::Customer, "15", false, 0, true},
    {"CustomerKey15DoubleClick", Field::Customer, "15", true, 0, true},
};

class SattrelWriteBack : public SattrelFixture<std::tuple<test::Engine, WriteCase>> {};

TEST_P(SattrelWriteBack, OnlyLineKeysOneToFourWriteIntoBothRows) {
    const WriteCase& c = testCase();
    TfmBrenvik& f = startSattrel();
    lookup::LookupDialog& dialog = f.lookupFor(Side::Debit, c.kind);
    dialog.prepare(QLatin1String(c.key), QString());
    dialog.searchAndShow();
    tk::Clerk inDialog(dialog);
    inDialog.clickCell(QStringLiteral("DBGrid1"), 0);
    if (c.doubleClick) inDialog.dblClick(QStringLiteral("DBGrid1"));

    EXPECT_FALSE(dialog.edit(QStringLiteral("edAc_code2")).text().isEmpty());
    EXPECT_EQ(dialog.visible(), c.staysOpen);
    for (int line = 1; line <= fields::LineCount; ++line) {
        for (Side side : {Side::Debit, Side::Credit}) {
            const tk::Edit& e = field(side, c.kind, line);
            EXPECT_EQ(e.hint(), line == c.line ? dialog.edit(QStringLiteral("edAc_code2")).text() : QString())
                << e.name().toStdString();
            EXPECT_EQ(e.text().isEmpty(), line != c.line) << e.name().toStdString();
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Engines, SattrelWriteBack, testing::Combine(test::allEngines, testing::ValuesIn(writeCases)),
                         test::rowName<WriteCase>);

// --- the credit row's analysis fields mirror the debit row --------------------------------

TEST_P(SattrelTest, CreditAnalysisFieldsRefuseTypingButTakeTheFocusAndMoveOn) {
    startSattrel();
    tk::Edit& customer = field(Side::Credit, Field::Customer, 1);
    customer.setText(QStringLiteral("한빛상사"));
    customer.setHint(QStringLiteral("S001"));
    clerk().focus(customer.name());
    clerk().type(QStringLiteral("xy"));
    clerk().press(tk::vk::Back);
    EXPECT_EQ(customer.text(), QStringLiteral("한빛상사"));
    clerk().enter();
    EXPECT_EQ(activeName(), QStringLiteral("edDR_Sawon_Name_01"));
    EXPECT_EQ(customer.hint(), QStringLiteral("S001"));
    EXPECT_FALSE(Form2->visible());
    EXPECT_TRUE(messages().log().empty());
}

// The stored credit row may differ from its debit row (written so by a dialog of the other
// program, or by an older writer); the read-only fields show what is stored.
TEST_P(SattrelTest, AChosenLineShowsItsStoredCreditRowInTheReadOnlyCreditFields) {
    vtest::storeLine(db(), vtest::row(vtest::today(), "00000", "00000001", "01", "A004"), 100);
    startSattrel();
    clerk().clickCell("DBGrid1", 0);
    QStringList shown;
    for (Field kind : fields::AnalysisKinds) {
        const tk::Edit& credit = field(Side::Credit, kind, 1);
        EXPECT_TRUE(credit.readOnly()) << credit.name().toStdString();
        shown << credit.text() + QLatin1Char('/') + credit.hint();
    }
    EXPECT_EQ(shown, QStringList({"거래처 01/02/KB0102", "사원 01/02/SW0102", "부서 01/02/BU0102",
                                  "프로젝트 01/02/PJ0102", "항목 01/02/IT0102"}));
}

struct LastItemCase {
    const char* name;
    const char* receiver;
};

const LastItemCase lastItemCases[] = {
    {"ButtonPanel", "Panel7"}, {"FirstLine", "edCR_Ac_QelName_01"}, {"Grid", "DBGrid1"}, {"Date", "edDate"},
};

class SattrelLastItem : public SattrelFixture<std::tuple<test::Engine, LastItemCase>> {};

TEST_P(SattrelLastItem, LeavingTheLastCreditItemEndsOnSave) {
    TfmBrenvik& f = startSattrel();
    f.setFormMode(TfmBrenvik::ModeNewVoucher);
    f.pEnabledBtn();
    tk::Edit& item = field(Side::Credit, Field::Item, 4);
    f.setFocus(item);
    item.setText(QStringLiteral("품목가"));
    f.control(QLatin1String(testCase().receiver)).onEnter = nullptr;
    f.setFocus(QLatin1String(testCase().receiver));
    EXPECT_EQ(activeName(), QStringLiteral("SaveBtn"));
    EXPECT_EQ(item.text(), QStringLiteral("품목가"));
    EXPECT_FALSE(Form6->visible());
}

INSTANTIATE_TEST_SUITE_P(Engines, SattrelLastItem, testing::Combine(test::allEngines, testing::ValuesIn(lastItemCases)),
                         test::rowName<LastItemCase>);

TEST_P(SattrelTest, PrintsItsOwnVoucherWithBrenviksTitleAndItsOwnRules) {
    vtest::storeBlankRows(db());
    vtest::PreviewProbe& previews = vtest::installPreviewProbe();
    vtest::storeLine(db(), vtest::row(vtest::today(), "00000", "00000003", "01", "A004"), 7000);
    startSattrel();
    clerk().clickCell("DBGrid1", 0);
    clerk().click("PrintBtn");
    ASSERT_EQ(previews.shown.size(), 1u);
    const std::vector<QStringList> rows = vtest::printedRows(previews.shown[0]);
    ASSERT_EQ(rows.size(), 10u);
    EXPECT_EQ(rows[0][8], QStringLiteral("7,000"));
    EXPECT_EQ(rows[1][9], QStringLiteral("7,000"));
    EXPECT_EQ(vtest::printedText(previews.shown[0], "QRBand1", "QRLabel5"), QStringLiteral("대 체    전 표"));
    ASSERT_NE(fmQrBrenvik, nullptr);
    EXPECT_DOUBLE_EQ(fmQrBrenvik->QuickRep1.item(QStringLiteral("QRShape1")).length, 12.2);
    EXPECT_DOUBLE_EQ(fmQrBrenvik->QuickRep1.item(QStringLiteral("QRShape5")).top, -0.5);
    report::setPreviewService(nullptr);
}

// --- saving ----------------------------------------------------------------------------------

// A line with both accounts chosen and its amount balanced, as the dialogs and the amount exit leave it.
void typeLine(TfmBrenvik& f, int line, const QString& amount) {
    for (Side side : {Side::Debit, Side::Credit}) {
        tk::Edit& account = f.lineEdit(side, Field::Account, line);
        account.setText(side == Side::Debit ? QStringLiteral("상품") : QStringLiteral("현금"));
        account.setHint(side == Side::Debit ? QStringLiteral("10102001000") : QStringLiteral("10101001000"));
    }
    f.lineEdit(Side::Debit, Field::DebitColumn, line).setText(amount);
    f.lineEdit(Side::Credit, Field::CreditColumn, line).setText(amount);
    f.setFormMode(TfmBrenvik::ModeNewVoucher);
    f.pEnabledBtn();
}

// Voucher number, side, Kubun_Amt and Form_Kubun of every stored row.
QStringList storedRows(db::Database& db) {
    db::Query q(db);
    q.addSql(QStringLiteral("select Serial_Qel, Serial_CrDr, Kubun_Amt, Form_Kubun, Cr_Amt + Dr_Amt as Amt "
                            "from Account_Qel_AA order by Serial_Qel, Serial_CrDr"));
    q.open();
    QStringList rows;
    for (q.first(); !q.eof(); q.next()) {
        rows << q.fieldText(QStringLiteral("Serial_Qel")).mid(11) + QLatin1Char(' ') + q.fieldText(QStringLiteral("Serial_CrDr")) +
                    QLatin1Char(' ') + q.fieldText(QStringLiteral("Kubun_Amt")) + QLatin1Char(' ') +
                    q.fieldText(QStringLiteral("Form_Kubun")) + QLatin1Char(' ') + QString::number(q.fieldDouble(QStringLiteral("Amt")));
    }
    return rows;
}

TEST_P(SattrelTest, BothProgramsDrawFromOneCounterPerDate) {
    vtest::storeLine(db(), vtest::row(vtest::today(), "00001", "00000005", "01", "A003"), 100);
    TfmBrenvik& sattrel = startSattrel();
    typeLine(sattrel, 1, QStringLiteral("600"));
    clerk().alt(QLatin1Char('S'));
    fmSattrel = nullptr;
    TfmBrenvik& brenvik = start();
    typeLine(brenvik, 1, QStringLiteral("700"));
    clerk().alt(QLatin1Char('S'));
    EXPECT_EQ(storedRows(db()), QStringList({"00000005 01 5 A003 100", "00000005 02 5 A003 100", "00000006 01 5 A004 600",
                                             "00000006 02 7 A004 600", "00000007 01 5 A003 700", "00000007 02 5 A003 700"}));
    EXPECT_TRUE(messages().log().empty());
}

TEST_P(SattrelTest, ACorrectionKeepsTheStoredKindsAndACreditFieldWithoutCodeDoesNotStopSave) {
    TfmBrenvik& f = startSattrel();
    typeLine(f, 2, QStringLiteral("1000"));
    tk::Edit& creditCustomer = field(Side::Credit, Field::Customer, 2);
    creditCustomer.setText(QStringLiteral("이름만"));
    clerk().alt(QLatin1Char('S'));
    EXPECT_TRUE(messages().log().empty());
    ASSERT_EQ(storedRows(db()), QStringList({"00000001 01 5 A004 1000", "00000001 02 7 A004 1000"}));

    clerk().clickCell("DBGrid1", 0);
    clerk().click(fields::name(Side::Debit, Field::DebitColumn, 2));
    clerk().selectAllAndType(QStringLiteral("2500"));
    clerk().tab();
    clerk().alt(QLatin1Char('S'));
    EXPECT_TRUE(messages().log().empty());
    EXPECT_EQ(storedRows(db()), QStringList({"00000001 01 5 A004 2500", "00000001 02 7 A004 2500"}));
}

INSTANTIATE_TEST_SUITE_P(Engines, SattrelTest, test::allEngines, test::engineName);

}  // namespace

// A correction, a delete and a new voucher beside every line shape older writers and other
// programs left.
namespace vtest {

INSTANTIATE_TEST_SUITE_P(Sattrel, StoredShapes, testing::Combine(test::allEngines, testing::ValuesIn(shapeCases(kSattrel))),
                         test::rowName<ShapeCase>);

// A new voucher whose amount the field cannot hold.
INSTANTIATE_TEST_SUITE_P(Sattrel, NothingToStore,
                         testing::Combine(test::allEngines,
                                          testing::ValuesIn(emptySaveCases(kSattrel, "SixteenDigitsTheFieldBlanks"))),
                         test::rowName<EmptySaveCase>);
INSTANTIATE_TEST_SUITE_P(Sattrel, LinesClearedOnTheWayToSave,
                         testing::Combine(test::allEngines, testing::ValuesIn(clearedSaveCases(kSattrel))),
                         test::rowName<ClearedSaveCase>);

}  // namespace vtest
