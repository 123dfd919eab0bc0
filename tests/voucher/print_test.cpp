// "P 출력" prints the voucher of the chosen grid line: its rows filled up with blank rows to
// ten, the office, voucher number and date in the header, the two sums; on both engines.

#include "tests/voucher/PrintFixture.h"

#include <gtest/gtest.h>
#include <tuple>

using vtest::row;
using vtest::today;

namespace {

// An amount of whole thousands as the mask "#,###" prints it.
QString thousands(int n) { return QString::number(n) + QStringLiteral(",000"); }

struct VoucherSize {
    int rows;  // stored: line 1 debit, line 1 credit, line 2 debit, ...
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
    std::unique_ptr<test::TestDatabase> database_;
    vtest::PreviewProbe* previews_ = nullptr;
};

// Line n holds n thousand; an odd count leaves the last line without its credit row.
TEST_P(PrintSizes, VoucherRowsComeFirstThenBlankRowsUpToTen) {
    const VoucherSize size = std::get<1>(GetParam());
    for (int r = 0; r < size.rows; ++r) {
        vtest::Row v = row(today(), "00000", "00000001", QStringLiteral("%1").arg(r / 2 + 1, 2, 10, QLatin1Char('0')));
        v.side = r % 2 == 0 ? QStringLiteral("01") : QStringLiteral("02");
        (r % 2 == 0 ? v.cr : v.dr) = 1000.0 * (r / 2 + 1);
        vtest::storeRow(database_->db(), v);
    }
    tk::app().initialize(QStringLiteral("Brenvik"));
    database_->installAsAlias(QStringLiteral("Account"));
    fmBrenvik = &tk::app().createForm<TfmBrenvik>();
    tk::app().run();
    tk::Clerk clerk(*fmBrenvik);
    clerk.clickCell(QStringLiteral("DBGrid1"), 0);
    clerk.click(QStringLiteral("PrintBtn"));

    EXPECT_EQ(fmBrenvik->query(QStringLiteral("Print_Query")).paramValue(QStringLiteral("tbCount")), QLatin1String(size.countText));
    ASSERT_EQ(previews_->shown.size(), 1u);
    const std::vector<QStringList> rows = vtest::printedRows(previews_->shown[0]);
    ASSERT_EQ(int(rows.size()), size.rows + size.blankRows);
    int debit = 0, credit = 0;
    for (int r = 0; r < int(rows.size()); ++r) {
        if (r >= size.rows) {
            EXPECT_EQ(rows[r].join(QString()), QString()) << "blank row " << r;
            continue;
        }
        // A debit row shows its amount under the debit column only, a credit row under the credit column.
        const int line = r / 2 + 1;
        EXPECT_EQ(rows[r].mid(8), r % 2 == 0 ? QStringList({thousands(line), ""}) : QStringList({"", thousands(line)})) << r;
        (r % 2 == 0 ? debit : credit) += line;
    }
    EXPECT_EQ(vtest::printedText(previews_->shown[0], "QRBand3", "QRExpr2"), thousands(debit));
    EXPECT_EQ(vtest::printedText(previews_->shown[0], "QRBand3", "QRExpr1"), thousands(credit));
}

// Named .../SQLite and .../PostgreSQL as every test on both engines; one instantiation per size.
std::string engineOfSize(const testing::TestParamInfo<std::tuple<test::Engine, VoucherSize>>& info) {
    return std::get<0>(info.param) == test::Engine::SQLite ? "SQLite" : "PostgreSQL";
}
INSTANTIATE_TEST_SUITE_P(OneLine, PrintSizes, testing::Combine(test::allEngines, testing::Values(VoucherSize{2, "08", 8})),
                         engineOfSize);
INSTANTIATE_TEST_SUITE_P(FourLines, PrintSizes, testing::Combine(test::allEngines, testing::Values(VoucherSize{8, "02", 2})),
                         engineOfSize);
INSTANTIATE_TEST_SUITE_P(ElevenRows, PrintSizes, testing::Combine(test::allEngines, testing::Values(VoucherSize{11, "-01", 0})),
                         engineOfSize);

// --- the command ------------------------------------------------------------------------------

using PrintCommand = vtest::PrintTest;

TEST_P(PrintCommand, ANewPrintFormShowsTheVoucherAndItsNumberGoesWhenThePreviewCloses) {
    storeLine(db(), row(today(), "00000", "00000001", "01"), 1500000);
    storeLine(db(), row(today(), "00000", "00000001", "02"), 250000);
    TfmBrenvik& f = start();
    const std::size_t forms = tk::app().forms().size();
    choose("00000001", "02");
    clerk().click("PrintBtn");

    ASSERT_EQ(previews().shown.size(), 1u);
    const report::FilledReport& printed = previews().shown[0];
    EXPECT_EQ(vtest::printedText(printed, "QRBand1", "qlKubun"), QStringLiteral("구    분 :본사/서울 중구"));
    EXPECT_EQ(vtest::printedText(printed, "QRBand1", "qlQel"), QStringLiteral("전표번호 :") + today() + "-00000001");
    EXPECT_EQ(vtest::printedText(printed, "QRBand1", "qlDate"), QStringLiteral("기준일자 : ") + today());
    const std::vector<QStringList> rows = vtest::printedRows(printed);
    ASSERT_EQ(rows.size(), 10u);
    EXPECT_EQ(rows[3], QStringList({"계정 02/02", "AC0202", "사원 02/02   SW0202", "적요 02/02", "부서 02/02   BU0202",
                                    "프로젝트 02/02   PJ0202", "거래처 02/02   KB0202", "항목 02/02   IT0202", "", "250,000"}));
    EXPECT_EQ(vtest::printedText(printed, "QRBand3", "QRExpr2"), QStringLiteral("1,750,000"));
    EXPECT_EQ(vtest::printedText(printed, "QRBand3", "QRExpr1"), QStringLiteral("1,750,000"));

    // The number stays while the preview is open and goes when it closes; the mode stays.
    EXPECT_EQ(previews().serialWhileOpen, QStringList({today() + "-00000001"}));
    EXPECT_EQ(f.edit("edSerial").text(), QString());
    EXPECT_EQ(f.formMode(), TfmBrenvik::ModeLineSelected);
    ASSERT_EQ(tk::app().forms().size(), forms + 1);
    EXPECT_EQ(tk::app().forms().back().get(), fmQrBrenvik);
    EXPECT_TRUE(messages().log().empty());
    tk::app().event([] { fmQrBrenvik->close(); });  // a closed print form is freed
    EXPECT_EQ(fmQrBrenvik, nullptr);
}

TEST_P(PrintCommand, AVoucherGoneSinceItWasChosenPrintsTenBlankRowsAndEmptySums) {
    storeLine(db(), row(today(), "00000", "00000001", "01"), 1500000);
    start();
    choose("00000001", "01");
    db().exec(QStringLiteral("delete from Account_Qel_AA"));  // another clerk deleted it
    clerk().click("PrintBtn");

    ASSERT_EQ(previews().shown.size(), 1u);
    const std::vector<QStringList> rows = vtest::printedRows(previews().shown[0]);
    EXPECT_EQ(rows, std::vector<QStringList>(10, QStringList(10, QString())));
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
}

TEST_P(PrintCommand, AnEmptyGridIsRefusedWithTheFocusOnTheButtonPanel) {
    // Without the office table the form starts with its designed buttons and no grid rows.
    db().exec(QStringLiteral("drop table Kubun_Table"));
    start();
    messages().clear();
    clerk().click("PrintBtn");

    EXPECT_EQ(messages().texts(), QStringList({QStringLiteral("현재 데이타가 없읍니다....")}));
    EXPECT_EQ(messages().log()[0].caption, QStringLiteral("Warning"));
    EXPECT_EQ(activeName(), QStringLiteral("Panel7"));
    EXPECT_TRUE(previews().shown.empty());
}

INSTANTIATE_TEST_SUITE_P(Engines, PrintCommand, test::allEngines, test::engineName);

}  // namespace
