// Save, correct and delete as a clerk does them, and what the table holds afterwards.

#include "tests/voucher/EmptySaves.h"
#include "tests/voucher/SaveFixture.h"

#include "lookup/Qel_Unit3_02.h"

#include <QFile>
#include <QSqlQuery>
#include <gtest/gtest.h>

#include <cstdio>
#include <tuple>
#include <vector>

using vtest::row;
using vtest::SaveTestOf;
using vtest::today;

namespace {

// --- a new voucher -----------------------------------------------------------------------------

struct AmountCase {
    const char* name;
    QStringList amounts;  // lines 1 to 4; an empty one is not typed
    bool saveFromTheLastAmount;
    QStringList rows;
};

class Amounts : public SaveTestOf<std::tuple<test::Engine, AmountCase>> {};

TEST_P(Amounts, StoreTwoRowsPerLineWithAnAmountAndReturnToIdle) {
    const AmountCase& k = std::get<1>(GetParam());
    start();
    c().alt('I');
    int last = 0;
    for (int line = 1; line <= 4; ++line) {
        if (k.amounts[line - 1].isEmpty()) continue;
        last = line;
        if (!k.saveFromTheLastAmount) typeLine(line, k.amounts[line - 1]);
    }
    if (k.saveFromTheLastAmount) {
        chooseAccount(fields::Side::Debit, last);
        chooseAccount(fields::Side::Credit, last);
        typeAmount(last, k.amounts[last - 1]);
    }
    c().alt('S');

    EXPECT_EQ(stored(), k.rows);
    EXPECT_EQ(messages().texts(), QStringList());
    EXPECT_EQ(form().formMode(), QStringLiteral("1"));
    EXPECT_EQ(activeName(), QStringLiteral("InsertBtn"));
    EXPECT_EQ(text("edSerial") + text("edCR_Ac_QelName_01") + text("edCR_Cr_Amt_02"), QString());
    const QString lastKey = k.rows.isEmpty() ? QString() : today() + "-00000001" + k.rows.last().left(2);
    EXPECT_EQ(form().panel("Panel1").hint(), lastKey);
    EXPECT_EQ(form().query("Query1").fieldText("serial_ttt"), lastKey);
}

const AmountCase kAmounts[] = {
    {"LinesTwoAndFour", {"", "1000", "", "2500"}, false,
     {"02/01/1000/0", "02/02/0/1000", "04/01/2500/0", "04/02/0/2500"}},
    {"GroupedAmountBehindBlanks", {"1250000", "", "", ""}, false, {"01/01/1250000/0", "01/02/0/1250000"}},
};
INSTANTIATE_TEST_SUITE_P(Save, Amounts, testing::Combine(test::allEngines, testing::ValuesIn(kAmounts)),
                         test::rowName<AmountCase>);

// A refused Save: line 1 is complete, then the clerk chooses a debit account, types the
// case's fields (each left with Tab) and an amount, and saves from there.
struct RefusalCase {
    const char* name;
    int debitAccountChosenOnLine;
    std::vector<std::pair<const char*, const char*>> typed;
    const char* amountField;
    const char* amount;
    const char* message;
    const char* focus;
};

class Refusals : public SaveTestOf<std::tuple<test::Engine, RefusalCase>> {};

TEST_P(Refusals, NameTheFirstFailingLineAndFieldAndStoreNothing) {
    const RefusalCase& k = std::get<1>(GetParam());
    start();
    typeLine(1, "100");
    if (k.debitAccountChosenOnLine) chooseAccount(fields::Side::Debit, k.debitAccountChosenOnLine);
    for (const auto& [field, typed] : k.typed) typeInto(QLatin1String(field), QString::fromUtf8(typed));
    if (k.amountField) {
        c().focus(QLatin1String(k.amountField));
        c().type(QLatin1String(k.amount));
    }
    c().alt('S');
    EXPECT_EQ(messages().texts(), QStringList(QString::fromUtf8(k.message)));
    EXPECT_EQ(activeName(), QLatin1String(k.focus));
    EXPECT_EQ(form().formMode(), QStringLiteral("3"));
    EXPECT_EQ(stored(), QStringList());
}

const RefusalCase kRefusals[] = {
    {"TwoZerosNeedAccounts", 0, {}, "edCR_Cr_Amt_02", "00", "2라인에 계정과목을 등록 하세요....", "edCR_Ac_QelName_02"},
    {"ZeroWithDecimalsNeedsTheCreditAccount", 3, {}, "edCR_Cr_Amt_03", "0.0", "3라인에 계정과목을 등록 하세요....",
     "edDR_Ac_QelName_03"},
    {"KindBeforeLine", 0, {{"edCR_Sawon_Name_01", "김"}, {"edDR_Kubun_Name_04", "한빛"}}, nullptr, nullptr,
     "4라인에 거래처및은행명의 코드를 등록 하세요....", "edDR_Kubun_Name_04"},
    {"CustomerOfBlanks", 0, {{"edCR_Kubun_Name_01", "   "}}, nullptr, nullptr,
     "1라인에 거래처및은행명의 코드를 등록 하세요....", "edCR_Kubun_Name_01"},
};
INSTANTIATE_TEST_SUITE_P(Save, Refusals, testing::Combine(test::allEngines, testing::ValuesIn(kRefusals)),
                         test::rowName<RefusalCase>);

// A new voucher whose date was typed and left for the grid, which passes the date field's
// check by; then the clerk goes on in line 1 and saves. Only a date is a base date.
struct BaseDateCase {
    const char* name;
    const char* date;
    bool refused;
};

class BaseDates : public SaveTestOf<std::tuple<test::Engine, BaseDateCase>> {};

TEST_P(BaseDates, ANewVoucherIsStoredUnderADateOnly) {
    const BaseDateCase& k = std::get<1>(GetParam());
    start();
    typeLine(1, "100");
    c().click("edDate");
    c().selectAllAndType(QLatin1String(k.date));
    c().click("DBGrid1");
    c().click("edCR_Ac_Text_01");
    c().alt('S');
    const QString date = QLatin1String(k.date);
    if (k.refused) {
        EXPECT_EQ(messages().texts(), QStringList(date + " : 유효하지 않은 날짜 형식입니다."));
        EXPECT_EQ(activeName(), QStringLiteral("edDate"));
        EXPECT_EQ(form().formMode(), QStringLiteral("3"));
        EXPECT_EQ(text("edCR_Ac_QelName_01"), QStringLiteral("현금"));
        EXPECT_EQ(stored(), QStringList());
    } else {
        EXPECT_EQ(messages().texts(), QStringList());
        EXPECT_EQ(stored("Serial_Qel, Date_Day"), QStringList({date + "-00000001/" + date, date + "-00000001/" + date}));
    }
}

const BaseDateCase kBaseDates[] = {
    {"NoMonth", "2024-13-01", true},
    {"NoDay", "2024-02-30", true},
    {"Hyphens", "----------", true},
    {"Short", "2024-3-5", true},
    {"AnotherDate", "2024-03-05", false},
};
INSTANTIATE_TEST_SUITE_P(Save, BaseDates, testing::Combine(test::allEngines, testing::ValuesIn(kBaseDates)),
                         test::rowName<BaseDateCase>);

class Saving : public SaveTestOf<test::Engine> {
protected:
    // Lines 01 to 03 of voucher 00000001 of today, stored without an End_Day.
    void storeThreeLines() {
        for (const char* line : {"01", "02", "03"}) storeLine(db(), row(today(), "00000", "00000001", line), 100);
    }
    void choose(const QString& line) {
        clerk().clickCell("DBGrid1", int(gridKeys().indexOf(today() + "-00000001" + line)));
    }
};

TEST_P(Saving, AnEmptyCustomerWithACodeLeftInItsHintPasses) {
    start();
    typeLine(1, "100");
    typeInto("edCR_Kubun_Name_01", "한빛");
    pick(*Form2, "Tot_Code", "C001");
    c().focus("edCR_Kubun_Name_01");
    c().selectAllAndType(QString());
    c().press(tk::vk::Back);
    c().alt('S');
    EXPECT_EQ(messages().texts(), QStringList());
    EXPECT_EQ(stored("Serial_CrDr, Kubun_Code, Kubun_Name"), QStringList({"01/C001/", "02/C001/한빛상사"}));
}

TEST_P(Saving, SpaceOnTheFocusedSaveButtonSaves) {
    start();
    typeLine(1, "100");
    c().focus("SaveBtn");  // pressed with the mouse and let go elsewhere: focused, not clicked
    ASSERT_EQ(stored(), QStringList());
    c().press(tk::vk::Space);
    EXPECT_EQ(messages().texts(), QStringList());
    EXPECT_EQ(stored(), QStringList({"01/01/100/0", "01/02/0/100"}));
}

TEST_P(Saving, ACorrectionRewritesExactlyTheTwoRowsOfItsLine) {
    storeThreeLines();
    start();
    choose("03");
    c().click("edCR_Cr_Amt_03");
    c().selectAllAndType("777");
    typeInto("edCR_Ac_Text_03", "고친 적요");
    c().alt('S');
    EXPECT_EQ(messages().texts(), QStringList());
    EXPECT_EQ(stored("Serial_Bun, Serial_CrDr, Cr_Amt, Dr_Amt, Ac_Text"),
              QStringList({"01/01/100/0/적요 01/01", "01/02/0/100/적요 01/02", "02/01/100/0/적요 02/01",
                           "02/02/0/100/적요 02/02", "03/01/777/0/고친 적요", "03/02/0/777/고친 적요"}));
    EXPECT_EQ(saveTimes(), QStringList({"", "", "", "", "set", "set"}));
    EXPECT_EQ(form().formMode(), QStringLiteral("2"));
    EXPECT_EQ(form().query("Query1").fieldText("serial_ttt"), today() + "-0000000103");
    EXPECT_EQ(text("edSerial"), today() + "-00000001");
}

TEST_P(Saving, DeletingOneOfThreeLinesShowsTheOthersAndASecondDeleteIsRefused) {
    storeThreeLines();
    start();
    choose("02");
    c().click("DeleteBtn");
    EXPECT_EQ(sortedGridKeys(), QStringList({today() + "-0000000101", today() + "-0000000103"}));
    EXPECT_EQ(stored("Serial_Bun"), QStringList({"01", "01", "03", "03"}));
    EXPECT_EQ(form().formMode(), QStringLiteral("2"));
    EXPECT_FALSE(form().panel("Panel2").visible());
    c().click("DeleteBtn");
    EXPECT_EQ(messages().texts(), QStringList("그리드의 레코드를 선택하세요...."));
    EXPECT_EQ(stored("Serial_Bun").size(), 4);
}

TEST_P(Saving, DeletingTheOnlyLineResetsTheForm) {
    storeLine(db(), row(today(), "00000", "00000001", "02"), 100);
    start();
    choose("02");
    c().click("DeleteBtn");
    EXPECT_EQ(stored(), QStringList());
    EXPECT_EQ(form().formMode(), QStringLiteral("1"));
    EXPECT_EQ(buttons(), QStringLiteral("+----+"));
    EXPECT_EQ(form().grid("DBGrid1").rowCount(), 0);
    for (int n = 1; n <= 4; ++n) {
        const tk::Panel& p = form().panel(fields::linePanel(n));
        EXPECT_TRUE(p.enabled() && p.visible() && p.color() == tk::clBtnFace) << n;
    }
    EXPECT_EQ(text("edCR_Ac_QelName_02"), QString());
}

// A chosen line that no row matches any more: the delete says so and nothing stays chosen.
struct NotFoundCase {
    const char* name;
    const char* change;  // what another program does to voucher 2's line
    bool afterChoosing;  // done while the clerk has the line chosen
    int gridRows;        // listed once the grid is read again
};

class DeleteFindsNothing : public SaveTestOf<std::tuple<test::Engine, NotFoundCase>> {};

TEST_P(DeleteFindsNothing, SaysSoReadsTheGridAgainAndGoesBackToBrowsing) {
    const NotFoundCase& k = std::get<1>(GetParam());
    storeLine(db(), row(today(), "00000", "00000001", "01"), 100);
    storeLine(db(), row(today(), "00000", "00000002", "02"), 200);
    const auto change = [&] { db().exec(QString::fromUtf8(k.change)); };
    if (!k.afterChoosing) change();
    start();
    db::Query& grid = form().query("Query1");
    ASSERT_TRUE(grid.locate("serial_qel", today() + "-00000002"));
    c().clickCell("DBGrid1", grid.recNo());
    if (k.afterChoosing) change();
    const QStringList before = stored("Serial_Qel, Serial_Bun, Serial_CrDr, Cr_Amt, Dr_Amt");
    c().click("DeleteBtn");

    EXPECT_EQ(messages().texts(), QStringList("삭제할 라인을 찾지 못했습니다. 삭제한 것은 없습니다. 그리드를 다시 조회했습니다...."));
    EXPECT_EQ(stored("Serial_Qel, Serial_Bun, Serial_CrDr, Cr_Amt, Dr_Amt"), before);
    EXPECT_EQ(form().formMode(), QStringLiteral("1"));
    EXPECT_EQ(buttons(), QStringLiteral("+----+"));
    EXPECT_EQ(text("edSerial") + text("edCR_Ac_QelName_02"), QString());
    EXPECT_EQ(form().grid("DBGrid1").rowCount(), k.gridRows);
}

const NotFoundCase kNotFound[] = {
    {"NullLine", "update Account_Qel_AA set Serial_Bun = NULL where Serial_Bun = '02'", false, 2},
    {"DeletedByAnotherClerkFirst", "delete from Account_Qel_AA where Serial_Bun = '02'", true, 1},
};
INSTANTIATE_TEST_SUITE_P(Engines, DeleteFindsNothing, testing::Combine(test::allEngines, testing::ValuesIn(kNotFound)),
                         test::rowName<NotFoundCase>);

// --- failures ----------------------------------------------------------------------------------

TEST_P(Saving, ATextTooLongForItsColumnStoresNothingAndTheVoucherCanBeSavedAgain) {
    storeLine(db(), row(today(), "00001", "00000004", "01"), 5);
    start();
    for (int line = 1; line <= 4; ++line) typeLine(line, QString::number(line * 1000));
    typeInto("edCR_Ac_Text_03", QString(201, QLatin1Char('x')));
    c().alt('S');
    ASSERT_EQ(messages().log().size(), 1u);
    EXPECT_EQ(messages().log()[0].kind, tk::Message::Kind::Error);
    EXPECT_TRUE(messages().log()[0].text.startsWith("저장하지 못했습니다.")) << messages().log()[0].text.toStdString();
    EXPECT_TRUE(messages().log()[0].text.contains("Ac_Text holds at most 200")) << messages().log()[0].text.toStdString();
    EXPECT_EQ(stored().size(), 2);
    EXPECT_EQ(form().formMode(), QStringLiteral("3"));
    EXPECT_EQ(text("edSerial"), QString());
    EXPECT_EQ(text("edDR_Ac_QelName_04") + text("edCR_Cr_Amt_04").trimmed(), "보통예금4,000");

    typeInto("edCR_Ac_Text_03", "짧은 적요");
    c().alt('S');
    EXPECT_EQ(messages().log().size(), 1u);
    EXPECT_EQ(stored("Serial_Qel, Serial_Bun, Serial_CrDr, Ac_Text").mid(2),
              QStringList({today() + "-00000005/01/01/", today() + "-00000005/01/02/", today() + "-00000005/02/01/",
                           today() + "-00000005/02/02/", today() + "-00000005/03/01/짧은 적요",
                           today() + "-00000005/03/02/짧은 적요", today() + "-00000005/04/01/",
                           today() + "-00000005/04/02/"}));
}

TEST_P(Saving, AnAmountThatDoesNotConvertStoresNothing) {
    start();
    typeLine(1, "100");
    chooseAccount(fields::Side::Debit, 2);
    chooseAccount(fields::Side::Credit, 2);
    typeInto("edCR_Cr_Amt_02", "1-2");
    ASSERT_EQ(messages().log().size(), 1u) << "leaving the amount reports it";
    messages().clear();
    c().alt('S');
    ASSERT_EQ(messages().log().size(), 1u);
    EXPECT_TRUE(messages().log()[0].text.contains("'1-2' is not a valid floating point value"));
    EXPECT_EQ(stored(), QStringList());
    EXPECT_EQ(text("edCR_Cr_Amt_02"), "1-2");
}

TEST_P(Saving, ACorrectionOfALineDeletedMeanwhileWarnsAndChangesNothing) {
    storeThreeLines();
    start();
    choose("02");
    db().exec("delete from Account_Qel_AA where Serial_Bun = '02'");
    typeInto("edCR_Ac_Text_02", "고친 적요");
    c().alt('S');
    EXPECT_EQ(messages().texts(), QStringList("수정할 라인이 저장되어 있지 않습니다. 그리드를 다시 조회하세요...."));
    EXPECT_EQ(stored("Serial_Bun, Ac_Text"), QStringList({"01/적요 01/01", "01/적요 01/02", "03/적요 03/01", "03/적요 03/02"}));
    EXPECT_EQ(saveTimes(), QStringList({"", "", "", ""}));
    EXPECT_EQ(text("edCR_Ac_Text_02"), "고친 적요");
    EXPECT_TRUE(form().panel("Panel2").enabled());
}

TEST_P(Saving, AWriterHoldingTheDateMakesSaveWaitThenSayItAndAnotherTryStores) {
    start();
    typeLine(1, "100");
    db().begin();
    db().lockUntilTransactionEnds("Serial_Qel " + today());
    c().alt('S');
    ASSERT_EQ(messages().log().size(), 1u);
    EXPECT_TRUE(messages().log()[0].text.contains("다른 사용자가 저장하고 있어")) << messages().log()[0].text.toStdString();
    EXPECT_FALSE(dynamic_cast<tk::NullCursorService&>(tk::app().cursor()).hourglass());
    EXPECT_EQ(stored(), QStringList());
    db().rollback();
    c().alt('S');
    EXPECT_EQ(stored().size(), 2);
}

// Renames the office table when the grid closes to be read again: after the commit, only the
// list of stored lines reads that table.
class OfficesGoneOnReload : public db::QueryObserver {
public:
    explicit OfficesGoneOnReload(db::Database& db) : db_(db) {}
    void rowSetChanged(Change what) override {
        if (what != Change::Closed || renamed_) return;
        renamed_ = true;
        db_.exec(QStringLiteral("alter table Kubun_Table rename to Kubun_Gone"));
    }

private:
    db::Database& db_;
    bool renamed_ = false;
};

TEST_P(Saving, AListThatCannotBeShownAfterTheCommitNamesTheStoredVoucher) {
    start();
    typeLine(1, "100");
    OfficesGoneOnReload reload(db());
    form().query("Query1").addObserver(&reload);
    c().alt('S');
    form().query("Query1").removeObserver(&reload);
    ASSERT_EQ(messages().log().size(), 1u);
    EXPECT_EQ(messages().log()[0].kind, tk::Message::Kind::Error);
    EXPECT_TRUE(messages().log()[0].text.startsWith("전표번호 " + today() + "-00000001 로 저장했습니다.")) << messages().log()[0].text.toStdString();
    EXPECT_EQ(stored(), QStringList({"01/01/100/0", "01/02/0/100"}));
    // As after a save: browsing, the lines empty, the focus on Insert.
    EXPECT_EQ(form().formMode(), QStringLiteral("1"));
    EXPECT_EQ(activeName(), QStringLiteral("InsertBtn"));
    EXPECT_EQ(text("edSerial") + text("edCR_Ac_QelName_01"), QString());
}

// A correction or a delete whose list cannot be shown after the commit says what was stored.
struct UnlistedCase {
    const char* name;
    QStringList lines;   // of voucher 00000001
    const char* chosen;
    bool correct;        // the summary retyped and saved; otherwise deleted
    const char* done;    // what the message says became of the line
    QStringList after;   // "line/side/summary" of every row
    const char* mode;
};

class ListFailsAfterTheCommit : public SaveTestOf<std::tuple<test::Engine, UnlistedCase>> {};

TEST_P(ListFailsAfterTheCommit, TheMessageSaysWhatWasStoredAndTheTableHoldsIt) {
    const UnlistedCase& k = testCase();
    for (const QString& line : k.lines) storeLine(db(), row(today(), "00000", "00000001", line), 100);
    start();
    const QString chosen = QLatin1String(k.chosen);
    c().clickCell("DBGrid1", int(gridKeys().indexOf(today() + "-00000001" + chosen)));
    if (k.correct) typeInto("edCR_Ac_Text_" + chosen, "고친 적요");
    OfficesGoneOnReload reload(db());
    form().query("Query1").addObserver(&reload);
    if (k.correct) c().alt('S');
    else c().click("DeleteBtn");
    form().query("Query1").removeObserver(&reload);
    ASSERT_EQ(messages().log().size(), 1u);
    EXPECT_EQ(messages().log()[0].kind, tk::Message::Kind::Error);
    const QString headline = "전표번호 " + today() + "-00000001 의 " + QString::fromUtf8(k.done);
    EXPECT_TRUE(messages().log()[0].text.startsWith(headline)) << messages().log()[0].text.toStdString();
    EXPECT_EQ(stored("Serial_Bun, Serial_CrDr, Ac_Text"), k.after);
    EXPECT_EQ(form().formMode(), QLatin1String(k.mode));
}

const UnlistedCase kUnlisted[] = {
    {"Correction", {"01", "03"}, "03", true, "03라인을 수정했습니다.",
     {"01/01/적요 01/01", "01/02/적요 01/02", "03/01/고친 적요", "03/02/고친 적요"}, "2"},
    {"DeleteOfOneOfTwoLines", {"01", "03"}, "03", false, "03라인을 삭제했습니다.", {"01/01/적요 01/01", "01/02/적요 01/02"}, "2"},
    {"DeleteOfTheLastLine", {"02"}, "02", false, "02라인을 삭제했습니다.", {}, "1"},
};
INSTANTIATE_TEST_SUITE_P(Engines, ListFailsAfterTheCommit, testing::Combine(test::allEngines, testing::ValuesIn(kUnlisted)),
                         test::rowName<UnlistedCase>);

// Numbering itself is the store's; the form says what kept the voucher from being stored.
TEST_P(Saving, AHighestNumberWithoutANumericCounterIsShownAndStoresNothing) {
    vtest::Row broken = row(today(), "00000", "", "01");
    broken.serialQel = today() + "-0000001X";
    storeLine(db(), broken, 10);
    start();
    typeLine(1, "100");
    c().alt('S');
    ASSERT_EQ(messages().log().size(), 1u);
    EXPECT_EQ(messages().log()[0].kind, tk::Message::Kind::Error);
    EXPECT_TRUE(messages().log()[0].text.contains(today() + "-0000001X")) << messages().log()[0].text.toStdString();
    EXPECT_EQ(text("edSerial"), QString());
    EXPECT_EQ(stored().size(), 2);
}

INSTANTIATE_TEST_SUITE_P(Engines, Saving, test::allEngines, test::engineName);

// --- the file replaced under the form -----------------------------------------------------------

class SavingOnAFile : public SaveTestOf<test::Engine> {};

// A copy moved onto the database file while the form is open: Save stores into the file at the
// path, next to the copy's own rows, and the clerk is told once. The fixture's own connection
// still has the old file: the file at the path is read through one of its own.
TEST_P(SavingOnAFile, AVoucherSavedAfterACopyReplacedTheFileIsInTheFileAtThePath) {
    const QString path = database().clientArguments().value(1);
    const QString copy = path + QStringLiteral(".copy");
    start();
    typeLine(1, "100");
    db().exec(QStringLiteral("VACUUM INTO '%1'").arg(copy));
    db::Database::openSQLite(copy)->exec(QStringLiteral("insert into Sale_Table (Sale_Code, Sale_Name) values ('C009', '복사본')"));
    ASSERT_EQ(std::rename(QFile::encodeName(copy).constData(), QFile::encodeName(path).constData()), 0);
    c().alt('S');
    ASSERT_EQ(messages().texts().size(), 1) << messages().texts().join("\n").toStdString();
    EXPECT_TRUE(messages().texts()[0].contains(path));
    const auto atThePath = db::Database::openSQLite(path);
    EXPECT_EQ(vtest::storedRows(*atThePath, "Serial_CrDr, Cr_Amt, Dr_Amt", "rowid"), QStringList({"01/100/0", "02/0/100"}));
    QSqlQuery copied = atThePath->run("select count(*) from Sale_Table where Sale_Code = 'C009'");
    ASSERT_TRUE(copied.next());
    EXPECT_EQ(copied.value(0).toInt(), 1);
}

INSTANTIATE_TEST_SUITE_P(Engines, SavingOnAFile, testing::Values(test::Engine::SQLite), test::engineName);

// --- another session's lock --------------------------------------------------------------------

// A save, a correction or a delete while another session holds the table, as a build of an index
// does (on PostgreSQL a statement that writes waits for it when it is prepared), or the rows of
// the line (it waits when it runs); on SQLite either is the file's write lock. (A save that
// waits for its voucher number: Saving.AWriterHoldingTheDateMakesSaveWaitThenSayItAndAnotherTryStores.)
enum class Step { Save, Correct, Delete };
enum class Held { Table, Rows };

struct LockCase {
    const char* name;
    Step step;
    Held held;
    const char* headline;
    QStringList after;  // what the table holds once another try succeeded
};

class AnotherSessionsLock : public SaveTestOf<std::tuple<test::Engine, LockCase>> {
protected:
    bool onSQLite() const { return test::engineOf(GetParam()) == test::Engine::SQLite; }
    // Lines 01 and 02 of voucher 00000001 for a correction or a delete of line 02; none for a save.
    void clerkReadies(Step step) {
        if (step != Step::Save) {
            for (const char* line : {"01", "02"}) vtest::storeLine(db(), row(today(), "00000", "00000001", line), 100);
        }
        start();
        // What the engine waits for another session is cut short here.
        db::Database::alias(QStringLiteral("Account"))
            .exec(onSQLite() ? QStringLiteral("PRAGMA busy_timeout = 200") : QStringLiteral("SET lock_timeout = '200ms'"));
        if (step == Step::Save) {
            typeLine(1, "100");
            return;
        }
        clerk().clickCell("DBGrid1", int(gridKeys().indexOf(today() + "-0000000102")));
        if (step == Step::Delete) return;
        c().click("edCR_Cr_Amt_02");
        c().selectAllAndType("777");
        typeInto("edCR_Ac_Text_02", "고친 적요");
    }
    void act(Step step) {
        if (step == Step::Delete)
            c().click("DeleteBtn");
        else
            c().alt('S');
    }
    void holdFromAnotherSession(Held held) {
        db().begin();
        if (onSQLite()) return;
        db().exec(held == Held::Table ? QStringLiteral("LOCK TABLE Account_Qel_AA IN SHARE MODE")
                                      : QStringLiteral("select Serial from Account_Qel_AA for update"));
    }
};

TEST_P(AnotherSessionsLock, IsWaitedForThenNamedAndAnotherTryWrites) {
    const LockCase& k = testCase();
    clerkReadies(k.step);
    const QStringList before = stored();
    holdFromAnotherSession(k.held);
    act(k.step);
    ASSERT_EQ(messages().log().size(), 1u);
    const QString text = messages().log()[0].text;
    const QString sentence =
        QString::fromUtf8(k.headline) + "\n다른 사용자가 저장하고 있어 기다렸으나 끝나지 않았습니다. 잠시 후 다시 하세요....\n";
    EXPECT_TRUE(text.startsWith(sentence) && text.size() > sentence.size()) << text.toStdString();
    EXPECT_EQ(stored(), before);

    db().rollback();
    messages().clear();
    act(k.step);
    EXPECT_EQ(messages().texts(), QStringList());
    EXPECT_EQ(stored(), k.after);
}

const char kNotSaved[] = "저장하지 못했습니다. 입력한 내용은 그대로 있습니다....";
const char kNotCorrected[] = "수정하지 못했습니다. 저장된 라인은 바뀌지 않았습니다....";
const char kNotDeleted[] = "삭제하지 못했습니다. 저장된 라인은 그대로 있습니다....";
const QStringList kCorrected = {"01/01/100/0", "01/02/0/100", "02/01/777/0", "02/02/0/777"};
const LockCase kLocks[] = {
    {"SaveWhileTheTableIsHeld", Step::Save, Held::Table, kNotSaved, {"01/01/100/0", "01/02/0/100"}},
    {"CorrectionWhileTheTableIsHeld", Step::Correct, Held::Table, kNotCorrected, kCorrected},
    {"CorrectionWhileTheLineIsHeld", Step::Correct, Held::Rows, kNotCorrected, kCorrected},
    {"DeleteWhileTheTableIsHeld", Step::Delete, Held::Table, kNotDeleted, {"01/01/100/0", "01/02/0/100"}},
    {"DeleteWhileTheLineIsHeld", Step::Delete, Held::Rows, kNotDeleted, {"01/01/100/0", "01/02/0/100"}},
};
INSTANTIATE_TEST_SUITE_P(Lock, AnotherSessionsLock, testing::Combine(test::allEngines, testing::ValuesIn(kLocks)),
                         test::rowName<LockCase>);

}  // namespace

// Lines that all read zero once their amounts are left.
namespace vtest {

INSTANTIATE_TEST_SUITE_P(Brenvik, NothingToStore,
                         testing::Combine(test::allEngines, testing::ValuesIn(emptySaveCases(kBrenvik))),
                         test::rowName<EmptySaveCase>);
INSTANTIATE_TEST_SUITE_P(Brenvik, LinesClearedOnTheWayToSave,
                         testing::Combine(test::allEngines, testing::ValuesIn(clearedSaveCases(kBrenvik))),
                         test::rowName<ClearedSaveCase>);

}  // namespace vtest
