// Choosing a stored line in the grid loads its voucher into the line panels.

#include "tests/voucher/VoucherFormFixture.h"

#include <gtest/gtest.h>

#include <vector>

using vtest::row;
using vtest::today;

namespace {

QString blanks(int n) { return QString(n, QLatin1Char(' ')); }

class RecordingCursor : public tk::CursorService {
public:
    void setHourglass(bool on) override { changes.push_back(on); }
    std::vector<bool> changes;
};

class StoredLineTest : public vtest::VoucherFormTest {
protected:
    QString serial(const QString& counter) const { return today() + QLatin1Char('-') + counter; }

    // Clicks the grid row of this voucher number and line.
    void choose(const QString& counter, const QString& line) {
        const int r = int(gridKeys().indexOf(serial(counter) + line));
        ASSERT_GE(r, 0) << counter.toStdString() << "/" << line.toStdString();
        clerk().clickCell("DBGrid1", r);
    }

    // "v" visible, "-" hidden; "A" aqua and enabled, "e" enabled, "d" disabled.
    QString panels() {
        QString out;
        for (int n = 1; n <= 4; ++n) {
            const tk::Panel& p = form().panel(QStringLiteral("Panel%1").arg(n));
            if (!p.visible()) {
                out += QLatin1Char('-');
                continue;
            }
            if (p.color() == tk::clAqua) out += p.enabled() ? QLatin1Char('A') : QLatin1Char('a');
            else out += p.enabled() ? QLatin1Char('e') : QLatin1Char('d');
        }
        return out;
    }

    QString text(const char* edit) { return form().edit(QLatin1String(edit)).text(); }
    QString hint(const char* edit) { return form().edit(QLatin1String(edit)).hint(); }
};

TEST_P(StoredLineTest, OnlyTheVoucherLinesShowAndOnlyTheChosenLineIsOpen) {
    storeLine(db(), row(today(), "00000", "00000001", "01"), 1500000);
    storeLine(db(), row(today(), "00000", "00000001", "03"), 2500);
    // The same number written by the other program is no line of this voucher.
    storeLine(db(), row(today(), "00000", "00000001", "02", "A004"), 99);
    TfmBrenvik& f = start();
    ASSERT_EQ(f.grid("DBGrid1").rowCount(), 2);

    choose("00000001", "01");
    EXPECT_EQ(panels(), QStringLiteral("A-d-"));
    EXPECT_EQ(f.formMode(), QStringLiteral("2"));
    EXPECT_EQ(buttons(), QStringLiteral("-+++++"));
    EXPECT_EQ(text("edSerial"), serial("00000001"));

    choose("00000001", "03");
    EXPECT_EQ(panels(), QStringLiteral("d-A-"));
    EXPECT_EQ(f.panel("Panel1").color(), tk::clBtnFace);
    EXPECT_TRUE(messages().log().empty());
    EXPECT_FALSE(dynamic_cast<tk::NullCursorService&>(tk::app().cursor()).hourglass());
}

TEST_P(StoredLineTest, EveryColumnGoesToItsField) {
    storeLine(db(), row(today(), "00000", "00000001", "01"), 1500000);
    storeLine(db(), row(today(), "00000", "00000001", "02"), -1500000);
    start();
    choose("00000001", "02");

    EXPECT_EQ(text("edSerial_Bun_02"), QStringLiteral("02"));
    EXPECT_EQ(text("edCR_Serial_CrDr_02"), QStringLiteral("01"));
    EXPECT_EQ(text("edDR_Serial_CrDr_02"), QStringLiteral("02"));
    const struct {
        const char* edit;
        const char* name;
        const char* code;
    } coded[] = {
        {"edCR_Ac_QelName_01", "계정 01/01", "AC0101"},     {"edDR_Ac_QelName_01", "계정 01/02", "AC0102"},
        {"edCR_Kubun_Name_02", "거래처 02/01", "KB0201"},   {"edDR_Kubun_Name_02", "거래처 02/02", "KB0202"},
        {"edCR_Sawon_Name_02", "사원 02/01", "SW0201"},     {"edDR_Sawon_Name_01", "사원 01/02", "SW0102"},
        {"edCR_Buser_Name_01", "부서 01/01", "BU0101"},     {"edDR_Buser_Name_02", "부서 02/02", "BU0202"},
        {"edCR_Project_Name_02", "프로젝트 02/01", "PJ0201"}, {"edDR_Project_Name_01", "프로젝트 01/02", "PJ0102"},
        {"edCR_Item_Name_01", "항목 01/01", "IT0101"},      {"edDR_Item_Name_02", "항목 02/02", "IT0202"},
    };
    for (const auto& c : coded) {
        EXPECT_EQ(text(c.edit), QString::fromUtf8(c.name)) << c.edit;
        EXPECT_EQ(hint(c.edit), QLatin1String(c.code)) << c.edit;
    }
    EXPECT_EQ(text("edCR_Ac_Text_02"), QStringLiteral("적요 02/01"));
    EXPECT_EQ(text("edDR_Ac_Text_01"), QStringLiteral("적요 01/02"));

    // Amounts: the plain whole number in the Hint, the amount display in the text.
    EXPECT_EQ(text("edCR_Cr_Amt_01"), blanks(16) + QStringLiteral("1,500,000"));
    EXPECT_EQ(hint("edCR_Cr_Amt_01"), QStringLiteral("1500000"));
    EXPECT_EQ(text("edCR_Dr_Amt_01"), blanks(27) + QStringLiteral("0"));
    EXPECT_EQ(hint("edCR_Dr_Amt_01"), QStringLiteral("0"));
    EXPECT_EQ(text("edDR_Cr_Amt_01"), blanks(27) + QStringLiteral("0"));
    EXPECT_EQ(text("edDR_Dr_Amt_01"), blanks(16) + QStringLiteral("1,500,000"));
    EXPECT_EQ(text("edCR_Cr_Amt_02"), blanks(14) + QStringLiteral("-1,500,000"));
    EXPECT_EQ(hint("edCR_Cr_Amt_02"), QStringLiteral("-1500000"));
}

TEST_P(StoredLineTest, EachRowFillsItsOwnLineAndSideWhenACreditRowIsMissing) {
    // Voucher 1: line 01 lacks its credit row; line 02 follows, whole.
    vtest::Row lone = row(today(), "00000", "00000001", "01");
    storeRow(db(), lone);
    storeLine(db(), row(today(), "00000", "00000001", "02"), 70);
    // Voucher 2: the last row is a debit row without its partner.
    storeLine(db(), row(today(), "00000", "00000002", "01"), 80);
    storeRow(db(), row(today(), "00000", "00000002", "02"));
    start();

    choose("00000001", "01");
    EXPECT_EQ(panels(), QStringLiteral("Ad--"));
    EXPECT_EQ(text("edCR_Ac_QelName_01"), QStringLiteral("계정 01/01"));
    EXPECT_EQ(text("edDR_Ac_QelName_01") + hint("edDR_Ac_QelName_01"), QString());
    EXPECT_EQ(text("edDR_Serial_CrDr_01"), QString());
    EXPECT_EQ(text("edCR_Ac_QelName_02"), QStringLiteral("계정 02/01"));
    EXPECT_EQ(text("edDR_Ac_QelName_02"), QStringLiteral("계정 02/02"));
    EXPECT_EQ(text("edCR_Serial_CrDr_02") + text("edDR_Serial_CrDr_02"), QStringLiteral("0102"));
    EXPECT_EQ(text("edSerial_Bun_01") + text("edSerial_Bun_02"), QStringLiteral("0102"));

    choose("00000002", "02");
    EXPECT_EQ(text("edCR_Ac_QelName_02"), QStringLiteral("계정 02/01"));
    EXPECT_EQ(text("edDR_Ac_QelName_02") + text("edDR_Cr_Amt_02") + text("edDR_Dr_Amt_02"), QString());
    EXPECT_EQ(text("edDR_Serial_CrDr_02"), QString());
    EXPECT_EQ(text("edDR_Serial_CrDr_01"), QStringLiteral("02"));
    EXPECT_EQ(panels(), QStringLiteral("dA--"));
}

TEST_P(StoredLineTest, LinesAboveFourAreListedButNotShown) {
    storeLine(db(), row(today(), "00000", "00000001", "01"), 10);
    storeLine(db(), row(today(), "00000", "00000001", "05"), 50);
    TfmBrenvik& f = start();
    EXPECT_EQ(sortedGridKeys(), QStringList({serial("00000001") + "01", serial("00000001") + "05"}));

    choose("00000001", "05");
    EXPECT_EQ(f.formMode(), QStringLiteral("2"));
    EXPECT_EQ(text("edSerial"), serial("00000001"));
    // No panel is open: nothing typed could belong to line 05.
    EXPECT_EQ(panels(), QStringLiteral("d---"));
    EXPECT_EQ(text("edCR_Ac_QelName_01"), QStringLiteral("계정 01/01"));
    EXPECT_EQ(text("edDR_Ac_QelName_01"), QStringLiteral("계정 01/02"));
    EXPECT_TRUE(messages().log().empty());
}

TEST_P(StoredLineTest, AnEmptyGridIsReportedAndParksTheFocusOnTheButtons) {
    TfmBrenvik& f = start();
    clerk().focus("DBGrid1");
    clerk().press(tk::vk::Down);
    EXPECT_EQ(messages().texts(), QStringList({"현재 데이타가 없읍니다...."}));
    EXPECT_EQ(messages().log()[0].kind, tk::Message::Kind::Warning);
    EXPECT_EQ(activeName(), QStringLiteral("Panel7"));
    EXPECT_EQ(panels(), QStringLiteral("----"));
    EXPECT_EQ(f.formMode(), QStringLiteral("2"));
    EXPECT_EQ(buttons(), QStringLiteral("-+++++"));
    EXPECT_EQ(text("edSerial"), QString());
}

TEST_P(StoredLineTest, DownArrowLoadsTheOldRowOnKeyDownAndTheNewRowOnKeyUp) {
    storeLine(db(), row(today(), "00000", "00000001", "01"), 10);
    storeLine(db(), row(today(), "00000", "00000002", "01"), 20);
    TfmBrenvik& f = start();
    tk::DBGrid& grid = f.grid("DBGrid1");
    clerk().clickCell("DBGrid1", 0);
    const QString upper = text("edSerial");

    QStringList loaded;
    const tk::KeyEvent down = grid.onKeyDown, up = grid.onKeyUp;
    grid.onKeyDown = [&](tk::Control& c, int& k, tk::ShiftState s) {
        f.edit("edSerial").setText(QString());
        down(c, k, s);
        loaded << text("edSerial");
    };
    grid.onKeyUp = [&](tk::Control& c, int& k, tk::ShiftState s) {
        up(c, k, s);
        loaded << text("edSerial");
    };
    clerk().press(tk::vk::Down);
    EXPECT_EQ(grid.currentRow(), 1);
    ASSERT_EQ(loaded.size(), 2);
    EXPECT_EQ(loaded[0], upper);
    EXPECT_NE(loaded[1], upper);
    EXPECT_EQ(loaded[1], f.query("Query1").fieldText("serial_qel"));
}

TEST_P(StoredLineTest, TabFromTheLastLineFieldChoosesTheCurrentRow) {
    storeLine(db(), row(today(), "00000", "00000001", "01"), 10);
    storeLine(db(), row(today(), "00000", "00000002", "03"), 20);
    TfmBrenvik& f = start();
    f.grid("DBGrid1").setCurrentRow(1);
    const QString current = f.query("Query1").fieldText("serial_qel");
    clerk().focus("edDR_Item_Name_04");
    clerk().tab();
    EXPECT_EQ(activeName(), QStringLiteral("DBGrid1"));
    EXPECT_EQ(f.formMode(), QStringLiteral("2"));
    EXPECT_EQ(text("edSerial"), current);
}

TEST_P(StoredLineTest, TheHourglassShowsOnceWhileAVoucherLoadsAndGoesAlsoOnAFailure) {
    storeLine(db(), row(today(), "00000", "00000001", "01"), 10);
    TfmBrenvik& f = start();
    auto cursor = std::make_unique<RecordingCursor>();
    RecordingCursor& recorded = *cursor;
    tk::app().setCursorService(std::move(cursor));

    clerk().clickCell("DBGrid1", 0);
    EXPECT_EQ(recorded.changes, std::vector<bool>({true, false}));

    recorded.changes.clear();
    {
        db::Query q(db());
        q.setSql({QStringLiteral("alter table Account_Qel_AA rename to Account_Qel_Gone")});
        q.execSql();
    }
    clerk().clickCell("DBGrid1", 0);
    EXPECT_EQ(recorded.changes, std::vector<bool>({true, false}));
    ASSERT_EQ(messages().log().size(), 1u);
    EXPECT_EQ(messages().log()[0].kind, tk::Message::Kind::Error);
    EXPECT_EQ(f.formMode(), QStringLiteral("2"));
}

INSTANTIATE_TEST_SUITE_P(Engines, StoredLineTest, test::allEngines, test::engineName);

}  // namespace
