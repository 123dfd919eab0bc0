// Brenvik's voucher form on a server of its own that restarts or stops answering under it:
// the clerk's next action connects again, an action ends within the answer time limit with a
// message that says why, the typed lines stay, and nothing is half-written.

#include "tests/postgres/PgServer.h"
#include "tests/voucher/VoucherFormFixture.h"

#include "lookup/Qel_Unit3_01.h"
#include "lookup/Qel_Unit3_07.h"

#include <QElapsedTimer>
#include <gtest/gtest.h>

#include <chrono>
#include <functional>
#include <memory>
#include <tuple>

namespace {

using std::chrono::milliseconds;

// Short enough for a test, long enough for a loaded machine's ordinary statement.
constexpr milliseconds kAnswerLimit{2000};

template <class Param>
class OnAServerOfItsOwn : public vtest::VoucherFormTestOf<Param> {
protected:
    static void SetUpTestSuite() {
        if (!qEnvironmentVariableIsSet("VQ_TEST_PG")) return;  // SetUp fails with the reason
        server_ = std::make_unique<pgtest::ThrowawayServer>();
    }
    static void TearDownTestSuite() { server_.reset(); }
    QString postgresServer() const override {
        return server_ ? server_->connection().text() : test::postgresConnectionString();
    }

    void SetUp() override {
        vtest::VoucherFormTestOf<Param>::SetUp();
        this->db().exec(QStringLiteral("insert into test_ac_code (ac_code, ac_name, a_kubun, b_kubun, c_kubun, code_kubun) "
                                       "values ('10101001000', '현금', '1', '01', '01', 'SSSSS'), "
                                       "('10101003000', '보통예금', '1', '01', '01', 'SSSSS')"));
    }

    void startWithAnswerLimit() {
        this->start();
        db::Database::alias(QStringLiteral("Account")).setAnswerTimeLimit(kAnswerLimit);
    }

    // Line 1 as a clerk types it: debit account from its dialog, amount, credit account.
    void typeLine(const QString& amount) {
        this->clerk().alt('I');
        choose(QStringLiteral("edCR_Ac_QelName_01"), QStringLiteral("현"), *Form1, QStringLiteral("10101001000"));
        this->clerk().focus(QStringLiteral("edCR_Cr_Amt_01"));
        this->clerk().selectAllAndType(amount);
        choose(QStringLiteral("edDR_Ac_QelName_01"), QStringLiteral("보통"), *Form7, QStringLiteral("10101003000"));
    }
    void choose(const QString& field, const QString& typed, lookup::LookupDialog& dialog, const QString& code) {
        this->clerk().focus(field);
        this->clerk().selectAllAndType(typed);
        this->clerk().tab();
        db::Query& rows = dialog.query(QStringLiteral("Query1"));
        ASSERT_TRUE(dialog.visible() && rows.locate(QStringLiteral("ac_code"), code)) << code.toStdString();
        tk::Clerk inDialog(dialog);
        inDialog.clickCell(QStringLiteral("DBGrid1"), rows.recNo());
        inDialog.dblClick(QStringLiteral("DBGrid1"));
        this->clerk().switchTo(this->form());
    }

    // The stored rows as "voucher number/line/side/amount", read on the test's own connection.
    QStringList stored() {
        db::Query q(this->db());
        q.setSql({QStringLiteral("select Serial_Qel, Serial_Bun, Serial_CrDr, Cr_Amt + Dr_Amt as amount from Account_Qel_AA "
                                 "order by Serial_Qel, Serial_Bun, Serial_CrDr")});
        q.open();
        QStringList rows;
        for (; !q.eof(); q.next())
            rows << QStringList{q.fieldText(QStringLiteral("Serial_Qel")).right(8), q.fieldText(QStringLiteral("Serial_Bun")),
                                q.fieldText(QStringLiteral("Serial_CrDr")), q.fieldText(QStringLiteral("amount"))}
                        .join(QLatin1Char('/'));
        return rows;
    }

    static pgtest::ThrowawayServer& server() { return *server_; }

private:
    static inline std::unique_ptr<pgtest::ThrowawayServer> server_;
};

using ServerRestart = OnAServerOfItsOwn<test::Engine>;

TEST_P(ServerRestart, TheNextSaveStoresOnANewConnectionWithoutAWord) {
    startWithAnswerLimit();
    typeLine(QStringLiteral("1000"));
    clerk().alt('S');
    server().restart();

    typeLine(QStringLiteral("2000"));
    clerk().alt('S');

    EXPECT_EQ(stored(), (QStringList{"00000001/01/01/1000", "00000001/01/02/1000", "00000002/01/01/2000",
                                     "00000002/01/02/2000"}));
    EXPECT_EQ(messages().texts(), QStringList());
}

// The clerk's action while the server is paused, and whether lines are typed before it.
struct PauseCase {
    const char* name;
    bool linesTyped;
    std::function<void(tk::Clerk&)> action;
};

class ServerPause : public OnAServerOfItsOwn<std::tuple<test::Engine, PauseCase>> {};

TEST_P(ServerPause, EndsTheActionWithinTheLimitKeepsTheLinesAndTheNextSaveStores) {
    const PauseCase& k = testCase();
    startWithAnswerLimit();
    if (k.linesTyped) typeLine(QStringLiteral("1000"));
    QElapsedTimer waited;
    {
        pgtest::PausedServer paused(server(), std::chrono::seconds(20));
        waited.start();
        k.action(clerk());
    }
    // Once the limit, never a second wait (to connect again) within the same action.
    EXPECT_LT(waited.elapsed(), 3 * kAnswerLimit.count());
    ASSERT_EQ(messages().texts().size(), 1);
    EXPECT_TRUE(messages().texts()[0].contains(QStringLiteral("응답하지 않아"))) << messages().texts()[0].toStdString();
    EXPECT_EQ(form().edit(QStringLiteral("edCR_Cr_Amt_01")).text().trimmed(), k.linesTyped ? "1,000" : "");
    EXPECT_EQ(stored(), QStringList());

    if (!k.linesTyped) typeLine(QStringLiteral("1000"));
    clerk().alt('S');
    EXPECT_EQ(stored(), (QStringList{"00000001/01/01/1000", "00000001/01/02/1000"}));
    EXPECT_EQ(messages().texts().size(), 1);
}

const PauseCase kPauses[] = {
    {"Save", true, [](tk::Clerk& c) { c.alt('S'); }},
    {"GridReloadForAnotherOffice", false, [](tk::Clerk& c) { c.pick(QStringLiteral("cbKubun"), 1); }},
};

INSTANTIATE_TEST_SUITE_P(Server, ServerRestart, testing::Values(test::Engine::PostgreSQL), test::engineName);
INSTANTIATE_TEST_SUITE_P(Server, ServerPause, testing::Combine(testing::Values(test::Engine::PostgreSQL), testing::ValuesIn(kPauses)),
                         test::rowName<PauseCase>);

}  // namespace
