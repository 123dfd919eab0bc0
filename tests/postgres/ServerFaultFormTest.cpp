// Brenvik's voucher form on a server of its own that restarts or stops answering under it, or
// does not answer its start: the clerk's next action connects again, an action ends within the
// answer time limit with a message that says why, the typed lines stay, and nothing is
// half-written.

#include "programs/ProgramBlock.h"
#include "tests/postgres/PgServer.h"
#include "tests/support/Home.h"
#include "tests/voucher/SaveFixture.h"

#include <QElapsedTimer>
#include <gtest/gtest.h>

#include <chrono>
#include <functional>
#include <memory>
#include <stdexcept>
#include <tuple>

namespace {

using std::chrono::milliseconds;

// Short enough for a test, long enough for a loaded machine's ordinary statement.
constexpr milliseconds kAnswerLimit{2000};

template <class Param>
class OnAServerOfItsOwn : public vtest::SaveTestOf<Param> {
protected:
    static void SetUpTestSuite() {
        if (!qEnvironmentVariableIsSet("VQ_TEST_PG")) return;  // SetUp fails with the reason
        server_ = std::make_unique<pgtest::ThrowawayServer>();
    }
    static void TearDownTestSuite() { server_.reset(); }
    QString postgresServer() const override {
        return server_ ? server_->connection().text() : test::postgresConnectionString();
    }

    void startWithAnswerLimit() {
        this->start();
        db::Database::alias(QStringLiteral("Account")).setAnswerTimeLimit(kAnswerLimit);
    }
    void typeVoucher(const QString& amount) {
        this->c().alt('I');
        this->typeLine(1, amount);
    }
    // "voucher counter/line/side/debit/credit" of every stored row.
    QStringList vouchers() {
        QStringList rows = this->stored(QStringLiteral("Serial_Qel, Serial_Bun, Serial_CrDr, Cr_Amt, Dr_Amt"));
        for (QString& row : rows) row = row.mid(11);
        return rows;
    }
    static pgtest::ThrowawayServer& server() { return *server_; }

private:
    static inline std::unique_ptr<pgtest::ThrowawayServer> server_;
};

using ServerRestart = OnAServerOfItsOwn<test::Engine>;

TEST_P(ServerRestart, TheNextSaveStoresOnANewConnectionWithoutAWord) {
    startWithAnswerLimit();
    typeVoucher(QStringLiteral("1000"));
    c().alt('S');
    server().restart();

    typeVoucher(QStringLiteral("2000"));
    c().alt('S');

    EXPECT_EQ(vouchers(), (QStringList{"00000001/01/01/1000/0", "00000001/01/02/0/1000", "00000002/01/01/2000/0",
                                       "00000002/01/02/0/2000"}));
    EXPECT_EQ(messages().texts(), QStringList());
}

// The connection ends while the server commits (a deferred trigger ends its own session, so
// the COMMIT goes out and no answer comes back): the clerk is told the outcome is unknown and
// sent to the list, the lines stay, and once the trigger is gone the next save stores.
TEST_P(ServerRestart, ACommitLeftUnansweredSendsTheClerkToTheList) {
    startWithAnswerLimit();
    db::Database& account = db::Database::alias(QStringLiteral("Account"));
    account.exec(QStringLiteral("create function end_session() returns trigger language plpgsql as "
                                "$$ begin perform pg_terminate_backend(pg_backend_pid()); return null; end $$"));
    account.exec(QStringLiteral("create constraint trigger end_at_commit after insert on Account_Qel_AA "
                                "deferrable initially deferred for each row execute function end_session()"));
    typeVoucher(QStringLiteral("1000"));
    c().alt('S');

    ASSERT_EQ(messages().texts().size(), 1);
    EXPECT_TRUE(messages().texts()[0].contains(QStringLiteral("목록을 다시 조회하여 확인하세요")))
        << messages().texts()[0].toStdString();
    EXPECT_EQ(form().edit(QStringLiteral("edCR_Cr_Amt_01")).text().trimmed(), "1,000");

    db::Database::alias(QStringLiteral("Account")).exec(QStringLiteral("drop trigger end_at_commit on Account_Qel_AA"));
    c().alt('S');
    EXPECT_EQ(vouchers(), (QStringList{"00000001/01/01/1000/0", "00000001/01/02/0/1000"}));
    EXPECT_EQ(messages().texts().size(), 1);
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
    if (k.linesTyped) typeVoucher(QStringLiteral("1000"));
    QElapsedTimer waited;
    {
        pgtest::PausedServer paused(server(), std::chrono::seconds(20));
        waited.start();
        k.action(c());
    }
    // Once the limit, never a second wait (to connect again) within the same action.
    EXPECT_LT(waited.elapsed(), 3 * kAnswerLimit.count());
    ASSERT_EQ(messages().texts().size(), 1);
    EXPECT_TRUE(messages().texts()[0].contains(QStringLiteral("응답하지 않아"))) << messages().texts()[0].toStdString();
    EXPECT_EQ(form().edit(QStringLiteral("edCR_Cr_Amt_01")).text().trimmed(), k.linesTyped ? "1,000" : "");
    EXPECT_EQ(vouchers(), QStringList());

    if (!k.linesTyped) typeVoucher(QStringLiteral("1000"));
    c().alt('S');
    EXPECT_EQ(vouchers(), (QStringList{"00000001/01/01/1000/0", "00000001/01/02/0/1000"}));
    EXPECT_EQ(messages().texts().size(), 1);
}

const PauseCase kPauses[] = {
    {"Save", true, [](tk::Clerk& c) { c.alt('S'); }},
    {"GridReloadForAnotherOffice", false, [](tk::Clerk& c) { c.pick(QStringLiteral("cbKubun"), 1); }},
};

// A start while the server does not answer: the window opens with the message after one
// wait, an action that reaches the server while it is still away waits once more, and once it
// answers the same program reads its office list and stores a voucher.
class StartWithoutServer : public OnAServerOfItsOwn<test::Engine> {
protected:
    static constexpr milliseconds kConnectWait{2000};

    QString postgresServer() const override {
        return pgtest::ConnectionString(OnAServerOfItsOwn::postgresServer())
            .with(QStringLiteral("connect_timeout"), QString::number(kConnectWait.count() / 1000))
            .text();
    }
    void TearDown() override {
        tk::app().reset();
        db::Database::forget(QStringLiteral("Account"));
        OnAServerOfItsOwn::TearDown();
    }
    // The program block's start, with "Account" named in the engine's configuration file.
    void startAsTheProgramDoes() {
        ASSERT_TRUE(home_.writeAliasFile(database().configSection(QStringLiteral("Account")).toUtf8()));
        startOnTheAlias([]() -> TfmBrenvik& {
            if (!startForms([] { createBrenvikForms(); }) || !fmBrenvik)
                throw std::runtime_error("the start ended without its forms");
            return *fmBrenvik;
        });
    }
    test::Home home_;
};

TEST_P(StartWithoutServer, TheClerkGoesOnInTheSameProgramOnceTheServerAnswers) {
    QElapsedTimer waited;
    {
        pgtest::PausedServer paused(server(), std::chrono::seconds(20));
        waited.start();
        startAsTheProgramDoes();
        EXPECT_LT(waited.elapsed(), 2 * kConnectWait.count());
        ASSERT_EQ(messages().texts().size(), 1);
        EXPECT_TRUE(messages().texts()[0].startsWith(QStringLiteral("서버에 연결할 수 없습니다."))) << messages().texts()[0].toStdString();
        EXPECT_EQ(text(QStringLiteral("edDate")), vtest::today());
        EXPECT_TRUE(form().comboBox(QStringLiteral("cbKubun")).items().isEmpty());

        waited.restart();
        typeInto(QStringLiteral("edDate"), QStringLiteral("2024-03-05"));
        EXPECT_LT(waited.elapsed(), 2 * kConnectWait.count());
        EXPECT_EQ(messages().texts().size(), 2);
    }

    // Insert leaves the office list: the grid's reload reads the offices first.
    typeVoucher(QStringLiteral("1000"));
    EXPECT_EQ(form().comboBox(QStringLiteral("cbKubun")).itemIndex(), 0);
    c().alt('S');
    EXPECT_EQ(messages().texts().size(), 2);
    EXPECT_EQ(stored(QStringLiteral("Serial_Qel, Kubun_Bon, Serial_CrDr, Cr_Amt, Dr_Amt")),
              (QStringList{"2024-03-05-00000001/00000/01/1000/0", "2024-03-05-00000001/00000/02/0/1000"}));
    EXPECT_EQ(text(QStringLiteral("edDate")), QStringLiteral("2024-03-05"));
}

INSTANTIATE_TEST_SUITE_P(Server, ServerRestart, testing::Values(test::Engine::PostgreSQL), test::engineName);
INSTANTIATE_TEST_SUITE_P(Server, StartWithoutServer, testing::Values(test::Engine::PostgreSQL), test::engineName);
INSTANTIATE_TEST_SUITE_P(Server, ServerPause, testing::Combine(testing::Values(test::Engine::PostgreSQL), testing::ValuesIn(kPauses)),
                         test::rowName<PauseCase>);

}  // namespace
