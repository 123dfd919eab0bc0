// The voucher form's start-up, modes, base date and office fields, on both engines.

#include "tests/voucher/VoucherFormFixture.h"

#include "toolkit/Types.h"

#include <gtest/gtest.h>

#include <functional>
#include <ostream>
#include <tuple>

using vtest::today;

namespace {

const QString kBadKey = QStringLiteral("잘못 입력하셨습니다");
const QString kBadDate = QStringLiteral(" : 유효하지 않은 날짜 형식입니다.");

class StartUpTest : public vtest::VoucherFormTest {
protected:
    // Today: two vouchers in the first office, one in the second, one of the other program;
    // and one voucher of another day.
    void storeMixedDays() {
        storeLine(db(), vtest::row(today(), "00000", "00000001", "01"), 1500000);
        storeLine(db(), vtest::row(today(), "00000", "00000001", "02"), 2000);
        storeLine(db(), vtest::row(today(), "00000", "00000003", "01"), 300);
        storeLine(db(), vtest::row(today(), "00001", "00000002", "01"), 400);
        storeLine(db(), vtest::row(today(), "00000", "00000004", "01", "A004"), 500);
        storeLine(db(), vtest::row("2001-05-30", "00000", "00000001", "01"), 600);
    }
};

TEST_P(StartUpTest, ShowsTodaysLinesOfTheFirstOfficeInIdleMode) {
    storeMixedDays();
    TfmBrenvik& f = start();

    EXPECT_EQ(f.comboBox("cbKubun").items(),
              QStringList({"본사/서울 중구", "부산지점/부산 해운대구", "대구지점/대구 수성구"}));
    EXPECT_EQ(f.comboBox("cbKubun").itemIndex(), 0);
    EXPECT_EQ(f.comboBox("cbKubun").text(), QStringLiteral("본사/서울 중구"));
    EXPECT_EQ(f.edit("edDate").text(), today());
    EXPECT_EQ(sortedGridKeys(), QStringList({today() + "-0000000101", today() + "-0000000102",
                                             today() + "-0000000301"}));
    EXPECT_EQ(f.formMode(), QStringLiteral("1"));
    EXPECT_EQ(buttons(), QStringLiteral("+----+"));
    EXPECT_EQ(f.edit("edSerial").text(), QString());
    EXPECT_EQ(f.edit("edSerial_Bun_03").text(), QStringLiteral("03"));
    EXPECT_EQ(f.edit("edDR_Serial_CrDr_04").text(), QStringLiteral("02"));
    EXPECT_EQ(f.grid("DBGrid1").hint(), QString());
    EXPECT_TRUE(messages().log().empty());
    EXPECT_FALSE(dynamic_cast<tk::NullCursorService&>(tk::app().cursor()).hourglass());
}

TEST_P(StartUpTest, GridJoinsBothRowsOfALineAndFormatsTheAmounts) {
    storeMixedDays();
    TfmBrenvik& f = start();
    tk::DBGrid& grid = f.grid("DBGrid1");
    ASSERT_TRUE(f.query("Query1").locate("serial_ttt", today() + "-0000000101"));
    const int row = grid.currentRow();
    const QStringList titles = [&] {
        QStringList t;
        for (const tk::GridColumn& c : grid.columns()) t << c.title;
        return t;
    }();
    const auto cell = [&](const char* title) { return grid.cellText(row, int(titles.indexOf(QString::fromUtf8(title)))); };
    EXPECT_EQ(cell("기준일자"), today());
    EXPECT_EQ(cell("본지점구분"), QStringLiteral("본사/서울 중구"));
    EXPECT_EQ(cell("차  변     적  요  기  재  사  항"), QStringLiteral("적요 01/01"));
    EXPECT_EQ(cell("대  변     적  요  기  재  사  항"), QStringLiteral("적요 01/02"));
    EXPECT_EQ(cell("차변  계정과목  이름"), QStringLiteral("계정 01/01"));
    EXPECT_EQ(cell("대변  계정과목  이름"), QStringLiteral("계정 01/02"));
    EXPECT_EQ(cell("차  변   금  액"), QStringLiteral("1,500,000"));
    EXPECT_EQ(cell("대  변   금  액"), QStringLiteral("1,500,000"));
    EXPECT_EQ(grid.columns().front().width, 0);
    EXPECT_TRUE(grid.columns().front().field.isEmpty());
}

TEST_P(StartUpTest, EmptyOfficeTableLeavesNoOfficeSelected) {
    {
        db::Query q(db());
        q.setSql({QStringLiteral("delete from Kubun_Table")});
        q.execSql();
    }
    storeMixedDays();
    TfmBrenvik& f = start();
    EXPECT_TRUE(f.comboBox("cbKubun").items().isEmpty());
    EXPECT_EQ(f.comboBox("cbKubun").itemIndex(), -1);
    EXPECT_EQ(f.officeCode(), QStringLiteral("-00001"));
    EXPECT_EQ(f.grid("DBGrid1").rowCount(), 0);
    EXPECT_EQ(buttons(), QStringLiteral("+----+"));
}

TEST_P(StartUpTest, DatabaseErrorWhileTheGridLoadsIsShownAndTheProgramGoesOn) {
    storeMixedDays();
    {
        db::Query q(db());
        q.setSql({QStringLiteral("alter table Account_Qel_AA rename to Account_Qel_Gone")});
        q.execSql();
    }
    TfmBrenvik& f = start();
    ASSERT_EQ(messages().log().size(), 1u);
    EXPECT_EQ(messages().log()[0].kind, tk::Message::Kind::Error);
    // The steps after the grid did not run: no mode, the buttons as designed.
    EXPECT_EQ(f.formMode(), QString());
    EXPECT_EQ(buttons(), QStringLiteral("++++++"));
    EXPECT_EQ(f.edit("edDate").text(), today());
    EXPECT_FALSE(dynamic_cast<tk::NullCursorService&>(tk::app().cursor()).hourglass());

    {
        db::Query q(db());
        q.setSql({QStringLiteral("alter table Account_Qel_Gone rename to Account_Qel_AA")});
        q.execSql();
    }
    clerk().pick("cbKubun", 1);
    EXPECT_EQ(messages().log().size(), 1u);
    EXPECT_EQ(gridKeys(), QStringList({today() + "-0000000201"}));
    EXPECT_EQ(buttons(), QStringLiteral("+----+"));
}

TEST_P(StartUpTest, ButtonTableFollowsTheMode) {
    TfmBrenvik& f = start();
    const struct {
        const char* mode;
        const char* buttons;
    } table[] = {{"2", "-+++++"}, {"3", "-++--+"}, {"9", "-++--+"}, {"1", "+----+"}};
    for (const auto& t : table) {
        f.setFormMode(QLatin1String(t.mode));
        f.pEnabledBtn();
        EXPECT_EQ(buttons(), QLatin1String(t.buttons)) << "mode " << t.mode;
    }
    // Setting the mode alone keeps the buttons of the previous mode.
    f.setFormMode("2");
    EXPECT_EQ(buttons(), QStringLiteral("+----+"));
}

TEST_P(StartUpTest, CancelInModeTwoEmptiesTheLinesAndKeepsTheGrid) {
    storeMixedDays();
    storeLine(db(), vtest::row(today(), "00000", "00000001", "03"), 7000);
    TfmBrenvik& f = start();
    const int row = int(gridKeys().indexOf(today() + "-0000000103"));
    clerk().clickCell("DBGrid1", row);
    ASSERT_EQ(f.formMode(), QStringLiteral("2"));
    ASSERT_FALSE(f.panel("Panel2").enabled());
    ASSERT_NE(f.edit("edCR_Ac_QelName_01").text(), QString());
    // Clearing empties the amounts' texts and leaves their Hints as the voucher loaded them.
    const auto amountHints = [&f] {
        QStringList hints;
        for (int n = 1; n <= 4; ++n) {
            for (const char* e : {"edCR_Cr_Amt_", "edCR_Dr_Amt_", "edDR_Cr_Amt_", "edDR_Dr_Amt_"})
                hints << f.edit(QLatin1String(e) + QStringLiteral("%1").arg(n, 2, 10, QLatin1Char('0'))).hint();
        }
        return hints;
    };
    const QStringList loadedHints = amountHints();
    ASSERT_EQ(loadedHints[8], QStringLiteral("7000"));

    clerk().click("CancelBtn");
    EXPECT_EQ(f.formMode(), QStringLiteral("1"));
    EXPECT_EQ(buttons(), QStringLiteral("+----+"));
    for (int n = 1; n <= 4; ++n) {
        const tk::Panel& p = f.panel(QStringLiteral("Panel%1").arg(n));
        EXPECT_TRUE(p.visible() && p.enabled()) << n;
        EXPECT_EQ(p.color(), tk::clBtnFace) << n;
        const QString line = QStringLiteral("_%1").arg(n, 2, 10, QLatin1Char('0'));
        for (const char* e : {"edCR_Ac_QelName", "edDR_Kubun_Name", "edCR_Sawon_Name", "edDR_Buser_Name",
                              "edCR_Project_Name", "edDR_Item_Name"}) {
            EXPECT_EQ(f.edit(QLatin1String(e) + line).text(), QString()) << e << n;
            EXPECT_EQ(f.edit(QLatin1String(e) + line).hint(), QString()) << e << n;
        }
        for (const char* e : {"edCR_Ac_Text", "edDR_Ac_Text", "edCR_Cr_Amt", "edCR_Dr_Amt", "edDR_Cr_Amt", "edDR_Dr_Amt"}) {
            EXPECT_EQ(f.edit(QLatin1String(e) + line).text(), QString()) << e << n;
        }
    }
    EXPECT_EQ(amountHints(), loadedHints);
    EXPECT_EQ(f.edit("edSerial").text(), QString());
    EXPECT_EQ(f.grid("DBGrid1").currentRow(), row);
    EXPECT_EQ(f.grid("DBGrid1").rowCount(), 4);
}

TEST_P(StartUpTest, InsertMovesToTheFirstAccountAndCloseEndsTheRun) {
    TfmBrenvik& f = start();
    clerk().focus("edDate");
    clerk().click("InsertBtn");
    EXPECT_EQ(activeName(), QStringLiteral("edCR_Ac_QelName_01"));
    EXPECT_EQ(f.formMode(), QStringLiteral("1"));
    clerk().alt('X');
    EXPECT_TRUE(tk::app().terminated());
    EXPECT_EQ(fmBrenvik, nullptr);
}

TEST_P(StartUpTest, GridOfOneVoucherListsOnlyItsRemainingLines) {
    storeMixedDays();
    TfmBrenvik& f = start();
    f.grid("DBGrid1").setHint(today() + "-00000001");
    f.pDeleteCount_Query();
    EXPECT_EQ(sortedGridKeys(), QStringList({today() + "-0000000101", today() + "-0000000102"}));
    // Still only this office's rows.
    clerk().pick("cbKubun", 1);
    f.grid("DBGrid1").setHint(today() + "-00000001");
    f.pDeleteCount_Query();
    EXPECT_TRUE(gridKeys().isEmpty());
}

// --- base date and office ----------------------------------------------------------------

TEST_P(StartUpTest, ADateOrOfficeChangeReloadsTheGridAndReturnsToIdle) {
    storeMixedDays();
    TfmBrenvik& f = start();
    clerk().focus("edDate");
    clerk().selectAllAndType("2001-05-30");
    clerk().focus("edCR_Ac_Text_02");
    EXPECT_EQ(gridKeys(), QStringList({"2001-05-30-0000000101"}));
    EXPECT_TRUE(messages().log().empty());

    clerk().focus("edDate");
    clerk().selectAllAndType(today());
    clerk().enter();
    EXPECT_EQ(activeName(), QStringLiteral("cbKubun"));
    EXPECT_TRUE(f.comboBox("cbKubun").droppedDown());
    EXPECT_EQ(gridKeys().size(), 3);

    clerk().pick("cbKubun", 1);
    EXPECT_EQ(gridKeys(), QStringList({today() + "-0000000201"}));
    EXPECT_EQ(f.officeCode(), QStringLiteral("00001"));
    clerk().pick("cbKubun", 2);
    EXPECT_EQ(f.grid("DBGrid1").rowCount(), 0);
    EXPECT_EQ(f.formMode(), QStringLiteral("1"));
    clerk().focus("edCR_Ac_QelName_01");
    EXPECT_FALSE(f.comboBox("cbKubun").droppedDown());
}

TEST_P(StartUpTest, DateChangeResetsAChosenLine) {
    storeMixedDays();
    TfmBrenvik& f = start();
    clerk().clickCell("DBGrid1", 0);
    ASSERT_EQ(f.formMode(), QStringLiteral("2"));
    clerk().focus("edDate");
    clerk().selectAllAndType("2001-05-30");
    clerk().focus("CancelBtn");
    EXPECT_EQ(f.formMode(), QStringLiteral("1"));
    EXPECT_EQ(buttons(), QStringLiteral("+----+"));
    EXPECT_EQ(f.edit("edSerial").text(), QString());
    EXPECT_EQ(f.edit("edCR_Ac_QelName_01").text(), QString());
    for (int n = 1; n <= 4; ++n) {
        const tk::Panel& p = f.panel(QStringLiteral("Panel%1").arg(n));
        EXPECT_TRUE(p.visible() && p.enabled() && p.color() == tk::clBtnFace) << n;
    }
}

TEST_P(StartUpTest, AShortDateGivesOneWarningAndEmptiesTheGrid) {
    storeMixedDays();
    TfmBrenvik& f = start();
    clerk().focus("edDate");
    clerk().selectAllAndType("2001-5-3");
    clerk().focus("edCR_Ac_QelName_01");
    ASSERT_EQ(messages().log().size(), 1u);
    EXPECT_EQ(messages().log()[0].kind, tk::Message::Kind::Warning);
    EXPECT_EQ(messages().log()[0].caption, QStringLiteral("Warning"));
    EXPECT_EQ(messages().log()[0].text, QStringLiteral("2001-5-3") + kBadDate);
    EXPECT_EQ(activeName(), QStringLiteral("edDate"));
    EXPECT_EQ(f.grid("DBGrid1").rowCount(), 0);
    EXPECT_EQ(f.formMode(), QStringLiteral("1"));
}

TEST_P(StartUpTest, ADateThatIsNoDateGivesTwoWarnings) {
    TfmBrenvik& f = start();
    clerk().focus("edDate");
    clerk().selectAllAndType("12-34");
    clerk().tab();
    EXPECT_EQ(messages().texts(), QStringList({"12-34" + kBadDate, "12-34" + kBadDate}));
    EXPECT_EQ(activeName(), QStringLiteral("edDate"));
    EXPECT_EQ(f.edit("edDate").text(), QStringLiteral("12-34"));

    // Ten characters, but no such day.
    messages().clear();
    clerk().selectAllAndType("2001-02-30");
    clerk().tab();
    EXPECT_EQ(messages().texts(), QStringList({"2001-02-30" + kBadDate}));
}

TEST_P(StartUpTest, LeavingTheDateForTheGridChecksNothing) {
    storeMixedDays();
    TfmBrenvik& f = start();
    clerk().focus("edDate");
    clerk().selectAllAndType("12-34");
    clerk().focus("DBGrid1");
    EXPECT_TRUE(messages().log().empty());
    EXPECT_EQ(f.formMode(), QStringLiteral("3"));
    EXPECT_EQ(buttons(), QStringLiteral("+----+"));
    EXPECT_EQ(gridKeys().size(), 3);

    clerk().focus("cbKubun");
    clerk().focus("DBGrid1");
    EXPECT_EQ(f.formMode(), QStringLiteral("3"));
    EXPECT_FALSE(f.comboBox("cbKubun").droppedDown());
}

TEST_P(StartUpTest, RefusedKeysAreReportedAndLeaveTheTextAlone) {
    TfmBrenvik& f = start();
    clerk().focus("edDate");
    clerk().selectAllAndType("2001-05-3");
    clerk().type("a.");
    EXPECT_EQ(f.edit("edDate").text(), QStringLiteral("2001-05-3"));
    EXPECT_EQ(messages().texts(), QStringList({kBadKey, kBadKey}));
    EXPECT_EQ(messages().log()[0].kind, tk::Message::Kind::Plain);
    EXPECT_EQ(messages().log()[0].caption, QStringLiteral("Brenvik"));
    EXPECT_EQ(activeName(), QStringLiteral("edDate"));
    clerk().type("1");
    EXPECT_EQ(f.edit("edDate").text(), QStringLiteral("2001-05-31"));

    messages().clear();
    clerk().focus("edCR_Cr_Amt_02");
    clerk().type("-12x5.5 ");
    EXPECT_EQ(f.edit("edCR_Cr_Amt_02").text(), QStringLiteral("-125.5"));
    EXPECT_EQ(messages().texts(), QStringList({kBadKey, kBadKey}));
    EXPECT_EQ(activeName(), QStringLiteral("edCR_Cr_Amt_02"));
    clerk().press(tk::vk::Back);
    EXPECT_EQ(f.edit("edCR_Cr_Amt_02").text(), QStringLiteral("-125."));

    // The text fields take anything.
    messages().clear();
    clerk().focus("edCR_Ac_Text_02");
    clerk().type("a 1.-");
    EXPECT_EQ(f.edit("edCR_Ac_Text_02").text(), QStringLiteral("a 1.-"));
    EXPECT_TRUE(messages().log().empty());
}

TEST_P(StartUpTest, EnterMovesThroughTheTabOrder) {
    storeMixedDays();
    TfmBrenvik& f = start();
    clerk().focus("edCR_Ac_QelName_01");
    const char* const order[] = {"edCR_Kubun_Name_01", "edCR_Sawon_Name_01", "edCR_Buser_Name_01",
                                 "edCR_Project_Name_01", "edCR_Ac_Text_01", "edCR_Item_Name_01", "edCR_Cr_Amt_01",
                                 "edDR_Ac_QelName_01"};
    for (const char* next : order) {
        clerk().enter();
        EXPECT_EQ(activeName(), QLatin1String(next));
    }
    clerk().focus("edDR_Item_Name_03");
    clerk().enter();
    EXPECT_EQ(activeName(), QStringLiteral("edCR_Ac_QelName_04"));
    // Leaving the first account forward started a new voucher.
    EXPECT_EQ(f.formMode(), QStringLiteral("3"));
    // Browsing again, the key comes up at the grid, which chooses its current row.
    clerk().alt(QLatin1Char('C'));
    clerk().focus("edDR_Item_Name_04");
    clerk().enter();
    EXPECT_EQ(activeName(), QStringLiteral("DBGrid1"));
    EXPECT_EQ(f.formMode(), QStringLiteral("2"));
    EXPECT_EQ(f.edit("edSerial").text(), f.query("Query1").fieldText("serial_qel"));
    EXPECT_TRUE(messages().log().empty());

    clerk().focus("edDate");
    clerk().enter();
    EXPECT_EQ(activeName(), QStringLiteral("cbKubun"));
    clerk().enter();
    EXPECT_EQ(activeName(), QStringLiteral("edCR_Ac_QelName_01"));
}

TEST_P(StartUpTest, AnOfficeTextMatchingNoItemFindsNoLines) {
    storeMixedDays();
    TfmBrenvik& f = start();
    clerk().focus("cbKubun");
    clerk().selectAllAndType("없는 지점");
    EXPECT_EQ(f.comboBox("cbKubun").itemIndex(), -1);
    EXPECT_EQ(f.officeCode(), QStringLiteral("-00001"));
    EXPECT_EQ(f.grid("DBGrid1").rowCount(), 0);
    EXPECT_EQ(f.formMode(), QStringLiteral("1"));
    EXPECT_TRUE(messages().log().empty());
}

INSTANTIATE_TEST_SUITE_P(Engines, StartUpTest, test::allEngines, test::engineName);

// A start that could not read the office list (its table away here; the server out of reach
// in tests/postgres) is finished by the clerk's first action that reaches the database.
struct FinishingAction {
    const char* name;
    std::function<void(tk::Clerk&)> act;
    const char* date;      // the base date afterwards
    const char* warning;   // what the action says on the way, if anything
};
void PrintTo(const FinishingAction& a, std::ostream* os) { *os << a.name; }

class UnfinishedStart : public vtest::VoucherFormTestOf<std::tuple<test::Engine, FinishingAction>> {
protected:
    void renameOffices(const char* from, const char* to) {
        db::Query q(db());
        q.setSql({QStringLiteral("alter table %1 rename to %2").arg(QLatin1String(from), QLatin1String(to))});
        q.execSql();
    }
};

TEST_P(UnfinishedStart, IsFinishedByTheFirstActionThatReachesTheDatabase) {
    const FinishingAction& k = testCase();
    storeLine(db(), vtest::row(today(), "00001", "00000001", "01"), 100);
    storeLine(db(), vtest::row("2024-03-05", "00001", "00000002", "01"), 200);
    renameOffices("Kubun_Table", "Kubun_Away");
    TfmBrenvik& f = start();
    ASSERT_EQ(messages().log().size(), 1u);
    EXPECT_EQ(messages().log()[0].kind, tk::Message::Kind::Error);
    EXPECT_EQ(f.edit("edDate").text(), today());
    EXPECT_TRUE(f.comboBox("cbKubun").items().isEmpty());

    renameOffices("Kubun_Away", "Kubun_Table");
    k.act(clerk());
    QStringList said{messages().log()[0].text};
    if (k.warning) said << QString::fromUtf8(k.warning);
    EXPECT_EQ(messages().texts(), said);
    EXPECT_EQ(f.comboBox("cbKubun").items(), QStringList({"본사/서울 중구", "부산지점/부산 해운대구", "대구지점/대구 수성구"}));
    EXPECT_EQ(f.comboBox("cbKubun").itemIndex(), 0);
    const QString date = k.date ? QLatin1String(k.date) : today();
    EXPECT_EQ(f.edit("edDate").text(), date);

    clerk().pick("cbKubun", 1);
    EXPECT_EQ(messages().texts(), said);
    EXPECT_EQ(gridKeys(), QStringList(date + (k.date ? "-0000000201" : "-0000000101")));
    EXPECT_EQ(f.formMode(), QStringLiteral("1"));
    EXPECT_EQ(buttons(), QStringLiteral("+----+"));
}

const FinishingAction kFinishingActions[] = {
    {"DateTypedAndLeft",
     [](tk::Clerk& c) {
         c.focus("edDate");
         c.selectAllAndType("2024-03-05");
         c.tab();
     },
     "2024-03-05", nullptr},
    {"OfficeListEntered", [](tk::Clerk& c) { c.click("cbKubun"); }, nullptr, nullptr},
    {"AnAccountLeftForward",
     [](tk::Clerk& c) {
         c.alt('I');
         c.type("현");
         c.tab();
     },
     nullptr, "본지점 구분을 선택하세요."},
};
INSTANTIATE_TEST_SUITE_P(StartUp, UnfinishedStart, testing::Combine(test::allEngines, testing::ValuesIn(kFinishingActions)),
                         test::rowName<FinishingAction>);

}  // namespace
