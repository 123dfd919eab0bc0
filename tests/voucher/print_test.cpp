// "P 출력" prints the voucher of the chosen grid line: its rows filled up with blank rows to
// ten, the office, voucher number and date in the header, the two sums; on both engines.

#include "tests/voucher/PrintFixture.h"

#include <gtest/gtest.h>
#include <tuple>

using vtest::row;
using vtest::today;

namespace {

const QString kNoData = QStringLiteral("현재 데이타가 없읍니다....");
const QString kChooseLine = QStringLiteral("그리드의 레코드를 선택하세요....");

// --- vouchers of every size ------------------------------------------------------------------

// An amount of whole thousands as the mask "#,###" prints it.
QString thousands(int n) { return QString::number(n) + QStringLiteral(",000"); }

struct VoucherSize {
    const char* name;
    int rows;              // stored rows: line 1 debit, line 1 credit, line 2 debit, ...
    const char* countText;
    int blankRows;
};

class PrintSizes : public testing::TestWithParam<std::tuple<test::Engine, VoucherSize>> {
protected:
    void SetUp() override {
        database_ = std::make_unique<test::TestDatabase>(std::get<0>(GetParam()));
        vtest::storeOffices(database_->db());
        vtest::storeBlankRows(database_->db());
        previews_ = &vtest::installPreviewProbe();
    }
    void TearDown() override {
        tk::app().reset();
        fmBrenvik = nullptr;
        report::setPreviewService(nullptr);
        database_.reset();
    }

    // Line n of the voucher holds amount n * 1000; an odd count leaves the last line's credit row out.
    void storeVoucher(int rows) {
        for (int r = 0; r < rows; ++r) {
            vtest::Row v = row(today(), "00000", "00000001", QStringLiteral("%1").arg(r / 2 + 1, 2, 10, QLatin1Char('0')));
            const double amount = 1000.0 * (r / 2 + 1);
            v.side = r % 2 == 0 ? QStringLiteral("01") : QStringLiteral("02");
            (r % 2 == 0 ? v.cr : v.dr) = amount;
            vtest::storeRow(database_->db(), v);
        }
    }

    TfmBrenvik& start() {
        tk::app().initialize(QStringLiteral("Brenvik"));
        database_->installAsAlias(QStringLiteral("Account"));
        fmBrenvik = &tk::app().createForm<TfmBrenvik>();
        tk::app().run();
        return *fmBrenvik;
    }

    std::unique_ptr<test::TestDatabase> database_;
    vtest::PreviewProbe* previews_ = nullptr;
};

TEST_P(PrintSizes, VoucherRowsComeFirstThenBlankRowsUpToTen) {
    const VoucherSize size = std::get<1>(GetParam());
    storeVoucher(size.rows);
    TfmBrenvik& f = start();
    tk::Clerk clerk(f);
    clerk.clickCell(QStringLiteral("DBGrid1"), 0);
    clerk.click(QStringLiteral("PrintBtn"));

    EXPECT_EQ(f.query(QStringLiteral("Print_Query")).paramValue(QStringLiteral("tbCount")).toString(),
              QLatin1String(size.countText));
    ASSERT_EQ(previews_->shown.size(), 1u);
    const std::vector<vtest::PrintedRow> rows = vtest::printedRows(previews_->shown[0]);
    ASSERT_EQ(int(rows.size()), size.rows + size.blankRows);
    int debit = 0, credit = 0;
    for (int r = 0; r < int(rows.size()); ++r) {
        SCOPED_TRACE(r);
        if (r >= size.rows) {
            EXPECT_TRUE(rows[r].blank());
            continue;
        }
        const int line = r / 2 + 1;
        const QString shown = thousands(line);
        // A debit row shows its amount under the debit column only, a credit row under the credit column.
        EXPECT_EQ(rows[r].debit, r % 2 == 0 ? shown : QString());
        EXPECT_EQ(rows[r].credit, r % 2 == 0 ? QString() : shown);
        EXPECT_EQ(rows[r].code, QStringLiteral("AC%1%2").arg(line, 2, 10, QLatin1Char('0')).arg(r % 2 + 1, 2, 10, QLatin1Char('0')));
        (r % 2 == 0 ? debit : credit) += line;
    }
    EXPECT_EQ(vtest::printedText(previews_->shown[0], "QRBand3", "QRExpr2"), thousands(debit));
    EXPECT_EQ(vtest::printedText(previews_->shown[0], "QRBand3", "QRExpr1"), thousands(credit));
}

std::string sizeName(const testing::TestParamInfo<std::tuple<test::Engine, VoucherSize>>& info) {
    return std::string(std::get<1>(info.param).name) + "_" +
           (std::get<0>(info.param) == test::Engine::SQLite ? "SQLite" : "PostgreSQL");
}

INSTANTIATE_TEST_SUITE_P(Engines, PrintSizes,
                         testing::Combine(test::allEngines,
                                          testing::Values(VoucherSize{"OneLine", 2, "08", 8}, VoucherSize{"FourLines", 8, "02", 2},
                                                          VoucherSize{"TenRows", 10, "00", 0}, VoucherSize{"ElevenRows", 11, "-01", 0})),
                         sizeName);

// --- the command ------------------------------------------------------------------------------

using PrintCommand = vtest::PrintTest;

TEST_P(PrintCommand, ANewPrintFormShowsOfficeNumberAndDateAndTheNumberGoesAfterThePreview) {
    storeLine(db(), row(today(), "00000", "00000001", "01"), 1500000);
    storeLine(db(), row(today(), "00000", "00000001", "02"), 250000);
    TfmBrenvik& f = start();
    const std::size_t formsBefore = tk::app().forms().size();
    choose("00000001", "02");
    clerk().click("PrintBtn");

    ASSERT_EQ(previews().shown.size(), 1u);
    const report::FilledReport& printed = previews().shown[0];
    EXPECT_EQ(vtest::printedText(printed, "QRBand1", "qlKubun"), QStringLiteral("구    분 :본사/서울 중구"));
    EXPECT_EQ(vtest::printedText(printed, "QRBand1", "qlQel"), QStringLiteral("전표번호 :") + today() + "-00000001");
    EXPECT_EQ(vtest::printedText(printed, "QRBand1", "qlDate"), QStringLiteral("기준일자 : ") + today());
    EXPECT_EQ(vtest::printedText(printed, "QRBand1", "QRLabel5"), QStringLiteral("대 체    전 표"));
    const std::vector<vtest::PrintedRow> rows = vtest::printedRows(printed);
    ASSERT_EQ(rows.size(), 10u);
    EXPECT_EQ(rows[0].name, QStringLiteral("계정 01/01"));
    EXPECT_EQ(rows[0].employee, QStringLiteral("사원 01/01   SW0101"));
    EXPECT_EQ(rows[3].customer, QStringLiteral("거래처 02/02   KB0202"));
    EXPECT_EQ(rows[3].item, QStringLiteral("항목 02/02   IT0202"));
    EXPECT_EQ(rows[2].text, QStringLiteral("적요 02/01"));
    EXPECT_EQ(vtest::printedText(printed, "QRBand3", "QRExpr2"), QStringLiteral("1,750,000"));
    EXPECT_EQ(vtest::printedText(printed, "QRBand3", "QRExpr1"), QStringLiteral("1,750,000"));

    // The number stays while the preview is open and goes when it closes; the mode stays.
    EXPECT_EQ(previews().serialWhileOpen, QStringList({today() + "-00000001"}));
    EXPECT_EQ(f.edit("edSerial").text(), QString());
    EXPECT_EQ(f.formMode(), TfmBrenvik::ModeLineSelected);
    ASSERT_EQ(tk::app().forms().size(), formsBefore + 1);
    EXPECT_EQ(tk::app().forms().back().get(), fmQrBrenvik);
    EXPECT_TRUE(messages().log().empty());
}

TEST_P(PrintCommand, AfterAPrintItAsksForAGridLineUntilOneIsChosenAgain) {
    storeLine(db(), row(today(), "00000", "00000001", "01"), 1500000);
    start();
    choose("00000001", "01");
    clerk().click("PrintBtn");
    TfmQrBrenvik* first = fmQrBrenvik;

    clerk().click("PrintBtn");
    EXPECT_EQ(messages().texts(), QStringList({kChooseLine}));
    EXPECT_EQ(activeName(), QStringLiteral("PrintBtn"));
    EXPECT_EQ(previews().shown.size(), 1u);

    choose("00000001", "01");
    clerk().click("PrintBtn");
    EXPECT_EQ(previews().shown.size(), 2u);
    EXPECT_NE(fmQrBrenvik, first);
    // A closed print form empties the global and is freed.
    tk::app().event([] { fmQrBrenvik->close(); });
    EXPECT_EQ(fmQrBrenvik, nullptr);
}

TEST_P(PrintCommand, AVoucherGoneSinceItWasChosenPrintsTenBlankRowsAndEmptySums) {
    storeLine(db(), row(today(), "00000", "00000001", "01"), 1500000);
    TfmBrenvik& f = start();
    choose("00000001", "01");
    db().exec(QStringLiteral("delete from Account_Qel_AA"));  // another clerk deleted it
    clerk().click("PrintBtn");

    EXPECT_EQ(f.query(QStringLiteral("Print_Query")).paramValue(QStringLiteral("tbCount")).toString(), QStringLiteral("10"));
    ASSERT_EQ(previews().shown.size(), 1u);
    const std::vector<vtest::PrintedRow> rows = vtest::printedRows(previews().shown[0]);
    ASSERT_EQ(rows.size(), 10u);
    for (const vtest::PrintedRow& r : rows) EXPECT_TRUE(r.blank());
    EXPECT_EQ(vtest::printedText(previews().shown[0], "QRBand3", "QRExpr2"), QString());
    EXPECT_EQ(vtest::printedText(previews().shown[0], "QRBand3", "QRExpr1"), QString());
}

TEST_P(PrintCommand, NothingToPrintOpensNoPreviewAndKeepsTheNumber) {
    storeLine(db(), row(today(), "00000", "00000001", "01"), 1500000);
    TfmBrenvik& f = start();
    choose("00000001", "01");
    db().exec(QStringLiteral("delete from Account_Qel_AA"));
    db().exec(QStringLiteral("delete from Qel_Print"));
    clerk().click("PrintBtn");

    EXPECT_TRUE(previews().shown.empty());
    EXPECT_TRUE(messages().log().empty());
    EXPECT_EQ(f.edit("edSerial").text(), today() + "-00000001");
    EXPECT_EQ(fmQrBrenvik, nullptr);
}

TEST_P(PrintCommand, AnEmptyGridIsRefusedWithTheFocusOnTheButtonPanel) {
    // Without the office table the form starts with its designed buttons and no grid rows.
    db().exec(QStringLiteral("drop table Kubun_Table"));
    start();
    messages().clear();
    clerk().click("PrintBtn");

    EXPECT_EQ(messages().texts(), QStringList({kNoData}));
    EXPECT_EQ(messages().log()[0].caption, QStringLiteral("Warning"));
    EXPECT_EQ(activeName(), QStringLiteral("Panel7"));
    EXPECT_TRUE(previews().shown.empty());
}

INSTANTIATE_TEST_SUITE_P(Engines, PrintCommand, test::allEngines, test::engineName);

}  // namespace
