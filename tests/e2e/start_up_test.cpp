// Brenvik's start-up, from the alias file to the voucher form's first queries, in a home of
// its own: an alias file that names no "Account" ends the start with its message before any
// database is made, and a server that takes no connection is waited for once.

#include "db/Database.h"
#include "programs/BrenvikForms.h"
#include "programs/ProgramBlock.h"
#include "tests/support/Home.h"
#include "tests/support/Clerk.h"
#include "toolkit/Application.h"
#include "toolkit/Services.h"
#include "voucher/Qel_Unit3.h"

#include <QFileInfo>
#include <gtest/gtest.h>

#include <arpa/inet.h>
#include <fcntl.h>
#include <netinet/in.h>
#include <stdexcept>
#include <sys/socket.h>
#include <unistd.h>
#include <vector>

namespace {

class StartUp : public testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(home_.isValid());
        db::Database::closeAll();
        tk::app().reset();
        tk::app().initialize(QStringLiteral("Brenvik"));
    }
    void TearDown() override {
        tk::app().reset();
        fmBrenvik = nullptr;
        db::Database::closeAll();
    }
    static bool start() {
        return startForms([] { createBrenvikForms(); });
    }
    static QStringList messages() { return dynamic_cast<tk::RecordingMessageService&>(tk::app().messages()).texts(); }
    test::Home home_;
};

struct AliasFileCase {
    const char* name;
    QByteArray text;
    const char* found;  // what the message says the file holds
};

class AliasFileWithoutAccount : public StartUp, public testing::WithParamInterface<AliasFileCase> {};

TEST_P(AliasFileWithoutAccount, EndsTheStartWithAMessageNamingTheFileAndMakesNoDatabase) {
    ASSERT_TRUE(home_.writeAliasFile(GetParam().text));
    EXPECT_FALSE(start());
    ASSERT_EQ(messages().size(), 1);
    EXPECT_TRUE(messages()[0].contains(db::Database::configFilePath())) << messages()[0].toStdString();
    EXPECT_TRUE(messages()[0].contains(QString::fromUtf8(GetParam().found))) << messages()[0].toStdString();
    EXPECT_FALSE(QFileInfo::exists(home_.filePath(QStringLiteral("data/dbengine"))));
}

const AliasFileCase kAliasFiles[] = {
    {"Misspelled", "[Acount]\ndriver=postgresql\nconnection=host=db.example.com dbname=accounts\n", "[Acount]"},
    {"Empty", "", "없음"},
    {"OnlyAnotherAlias", "[Ledger]\ndriver=sqlite\npath=/tmp/ledger.sqlite\n", "[Ledger]"},
};
INSTANTIATE_TEST_SUITE_P(StartUp, AliasFileWithoutAccount, testing::ValuesIn(kAliasFiles),
                         [](const testing::TestParamInfo<AliasFileCase>& row) { return std::string(row.param.name); });

// A server that takes the connection and never answers (a host whose server hangs): the
// kernel accepts what the program never does.
class SilentServer {
public:
    SilentServer() {
        socket_ = ::socket(AF_INET, SOCK_STREAM, 0);
        sockaddr_in address{};
        address.sin_family = AF_INET;
        address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        socklen_t length = sizeof address;
        if (socket_ < 0 || ::bind(socket_, reinterpret_cast<sockaddr*>(&address), length) != 0 || ::listen(socket_, 16) != 0 ||
            ::getsockname(socket_, reinterpret_cast<sockaddr*>(&address), &length) != 0)
            throw std::runtime_error("no silent server");
        port_ = ntohs(address.sin_port);
        ::fcntl(socket_, F_SETFL, O_NONBLOCK);
    }
    ~SilentServer() {
        for (int c : taken_) ::close(c);
        ::close(socket_);
    }
    SilentServer(const SilentServer&) = delete;
    SilentServer& operator=(const SilentServer&) = delete;
    int port() const { return port_; }
    // The connections clients made so far.
    int connections() {
        for (int c; (c = ::accept(socket_, nullptr, nullptr)) >= 0;) taken_.push_back(c);
        return static_cast<int>(taken_.size());
    }

private:
    int socket_ = -1;
    int port_ = 0;
    std::vector<int> taken_;
};

TEST_F(StartUp, AServerThatTakesNoConnectionIsWaitedForOnceThenAgainByTheNextAction) {
    SilentServer silent;
    ASSERT_TRUE(home_.writeAliasFile(QStringLiteral("[Account]\ndriver=postgresql\nconnection=host=127.0.0.1 port=%1 dbname=accounts "
                                  "user=kim password=secret connect_timeout=2\n")
                                         .arg(silent.port())
                                         .toUtf8()));
    EXPECT_TRUE(start());
    EXPECT_EQ(silent.connections(), 1);
    ASSERT_EQ(messages().size(), 1);
    EXPECT_TRUE(messages()[0].startsWith(QStringLiteral("서버에 연결할 수 없습니다."))) << messages()[0].toStdString();

    // The clerk leaves the date field: the grid's reload connects again.
    tk::app().run();
    tk::Clerk clerk(*fmBrenvik);
    clerk.focus(QStringLiteral("edDate"));
    clerk.tab();
    EXPECT_EQ(silent.connections(), 2);
    EXPECT_EQ(messages().size(), 2);
}

}  // namespace
