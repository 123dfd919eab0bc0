#include "Probe.h"

#include "platform/Window.h"

#include <QDir>

using namespace platform;

namespace {

int socketCount(const QString& folder) {
    return int(QDir(folder).entryList({QStringLiteral("vqwin-*")}, QDir::System | QDir::Files).size());
}

}  // namespace

class WindowTest : public RuntimeFolderTest {
protected:
    void TearDown() override {
        for (WindowHandle w : own_) destroyWindow(w);
        RuntimeFolderTest::TearDown();
    }
    WindowHandle ownWindow(const QString& title, WindowCallbacks callbacks = {}) {
        const WindowHandle w = createWindow(title, std::move(callbacks));
        own_.push_back(w);
        return w;
    }

private:
    std::vector<WindowHandle> own_;
};

TEST_F(WindowTest, OwnWindowIsFoundAndRetitled) {
    const WindowHandle own = ownWindow(QStringLiteral("Brenvik"));
    ASSERT_NE(own, 0u);
    EXPECT_EQ(findWindow(QStringLiteral("Brenvik")), own);
    EXPECT_EQ(getWindowText(own), QStringLiteral("Brenvik"));

    ASSERT_TRUE(setWindowText(own, QStringLiteral("Varo-Quint")));
    EXPECT_EQ(findWindow(QStringLiteral("Brenvik")), 0u);
    EXPECT_EQ(findWindow(QStringLiteral("Varo-Quint")), own);
    EXPECT_EQ(getWindowText(own), QStringLiteral("Varo-Quint"));
    EXPECT_EQ(socketCount(folder()), 1);

    destroyWindow(own);
    EXPECT_EQ(findWindow(QStringLiteral("Varo-Quint")), 0u);
    EXPECT_EQ(socketCount(folder()), 0);
}

TEST_F(WindowTest, OwnWindowCallbacksAnswerDirectly) {
    bool minimized = true;
    int raised = 0;
    WindowCallbacks callbacks;
    callbacks.isMinimized = [&] { return minimized; };
    callbacks.restore = [&] { minimized = false; };
    callbacks.raise = [&] { ++raised; };
    const WindowHandle own = ownWindow(QStringLiteral("Brenvik"));
    EXPECT_FALSE(isIconic(own));  // nothing installed yet
    setWindowCallbacks(own, callbacks);
    EXPECT_TRUE(isIconic(own));
    EXPECT_TRUE(showWindow(own, SW_RESTORE));
    EXPECT_FALSE(isIconic(own));
    EXPECT_TRUE(setForegroundWindow(own));
    EXPECT_EQ(raised, 1);
}

TEST_F(WindowTest, ZeroHandleDoesNothing) {
    EXPECT_EQ(findWindow(QStringLiteral("Brenvik")), 0u);
    EXPECT_FALSE(setWindowText(0, QStringLiteral("Varo-Quint")));
    EXPECT_FALSE(isIconic(0));
    EXPECT_FALSE(showWindow(0, SW_RESTORE));
    EXPECT_FALSE(setForegroundWindow(0));
    EXPECT_TRUE(getWindowText(0).isEmpty());
}

// The start-up of a second instance: its own window is found first and renamed, then the
// running instance's window is found and restored.
TEST_F(WindowTest, SecondStartRestoresMinimisedRunningInstance) {
    Probe running({QStringLiteral("window"), QStringLiteral("Brenvik"), QStringLiteral("minimized")});
    ASSERT_EQ(running.readLine(), QStringLiteral("ready"));
    const WindowHandle own = ownWindow(QStringLiteral("Brenvik"));

    WindowHandle found = findWindow(QStringLiteral("Brenvik"));
    EXPECT_EQ(found, own);
    ASSERT_TRUE(setWindowText(found, QStringLiteral("Varo-Quint")));
    found = findWindow(QStringLiteral("Brenvik"));
    ASSERT_NE(found, 0u);
    EXPECT_NE(found, own);

    EXPECT_EQ(getWindowText(found), QStringLiteral("Brenvik"));
    ASSERT_TRUE(isIconic(found));
    EXPECT_TRUE(showWindow(found, SW_RESTORE));
    EXPECT_EQ(running.readLine(), QStringLiteral("restored"));
    EXPECT_FALSE(isIconic(found));
}

TEST_F(WindowTest, SecondStartRaisesOpenRunningInstance) {
    Probe running({QStringLiteral("window"), QStringLiteral("Brenvik")});
    ASSERT_EQ(running.readLine(), QStringLiteral("ready"));
    const WindowHandle own = ownWindow(QStringLiteral("Brenvik"));
    setWindowText(findWindow(QStringLiteral("Brenvik")), QStringLiteral("Varo-Quint"));

    const WindowHandle found = findWindow(QStringLiteral("Brenvik"));
    ASSERT_NE(found, 0u);
    EXPECT_NE(found, own);
    EXPECT_FALSE(isIconic(found));
    EXPECT_TRUE(setForegroundWindow(found));
    EXPECT_EQ(running.readLine(), QStringLiteral("raised"));
}

TEST_F(WindowTest, OtherProgramsWindowIsNotFound) {
    Probe sattrel({QStringLiteral("window"), QStringLiteral("Sattrel")});
    ASSERT_EQ(sattrel.readLine(), QStringLiteral("ready"));
    EXPECT_EQ(findWindow(QStringLiteral("Brenvik")), 0u);
    EXPECT_NE(findWindow(QStringLiteral("Sattrel")), 0u);
}

TEST_F(WindowTest, RetitledRemoteWindowAnswersToItsNewTitleOnly) {
    Probe running({QStringLiteral("window"), QStringLiteral("Brenvik")});
    ASSERT_EQ(running.readLine(), QStringLiteral("ready"));
    const WindowHandle remote = findWindow(QStringLiteral("Brenvik"));
    ASSERT_NE(remote, 0u);

    ASSERT_TRUE(setWindowText(remote, QStringLiteral("Varo-Quint")));
    EXPECT_EQ(findWindow(QStringLiteral("Brenvik")), 0u);
    EXPECT_EQ(findWindow(QStringLiteral("Varo-Quint")), remote);
    EXPECT_EQ(getWindowText(remote), QStringLiteral("Varo-Quint"));
    EXPECT_TRUE(setForegroundWindow(remote));
    EXPECT_EQ(running.readLine(), QStringLiteral("raised"));
}

TEST_F(WindowTest, NewestLiveWindowWinsAndStaleSocketsAreDropped) {
    Probe older({QStringLiteral("window"), QStringLiteral("Brenvik")});
    ASSERT_EQ(older.readLine(), QStringLiteral("ready"));
    Probe newer({QStringLiteral("window"), QStringLiteral("Brenvik")});
    ASSERT_EQ(newer.readLine(), QStringLiteral("ready"));
    EXPECT_EQ(socketCount(folder()), 2);

    EXPECT_TRUE(setForegroundWindow(findWindow(QStringLiteral("Brenvik"))));
    EXPECT_EQ(newer.readLine(), QStringLiteral("raised"));

    // Killed: its socket file stays behind, answers nothing, and must not hide the older one.
    newer.kill();
    EXPECT_EQ(socketCount(folder()), 2);
    const WindowHandle found = findWindow(QStringLiteral("Brenvik"));
    ASSERT_NE(found, 0u);
    EXPECT_TRUE(setForegroundWindow(found));
    EXPECT_EQ(older.readLine(), QStringLiteral("raised"));
    EXPECT_EQ(socketCount(folder()), 1);

    older.kill();
    EXPECT_EQ(findWindow(QStringLiteral("Brenvik")), 0u);
    EXPECT_EQ(socketCount(folder()), 0);
}

TEST_F(WindowTest, HandleOfAKilledInstanceFails) {
    Probe running({QStringLiteral("window"), QStringLiteral("Brenvik"), QStringLiteral("minimized")});
    ASSERT_EQ(running.readLine(), QStringLiteral("ready"));
    const WindowHandle remote = findWindow(QStringLiteral("Brenvik"));
    ASSERT_TRUE(isIconic(remote));
    running.kill();
    EXPECT_FALSE(isIconic(remote));
    EXPECT_FALSE(showWindow(remote, SW_RESTORE));
    EXPECT_FALSE(setForegroundWindow(remote));
    EXPECT_FALSE(setWindowText(remote, QStringLiteral("Varo-Quint")));
}

TEST_F(WindowTest, LongKoreanTitlesAreFound) {
    const QString title = QStringLiteral("재고자산 타 계정 대체 등록 폼입니다.");
    Probe running({QStringLiteral("window"), title});
    ASSERT_EQ(running.readLine(), QStringLiteral("ready"));
    const WindowHandle remote = findWindow(title);
    ASSERT_NE(remote, 0u);
    EXPECT_EQ(getWindowText(remote), title);
    EXPECT_EQ(findWindow(QStringLiteral("재고자산 타 계정 대체 등록 폼입니다")), 0u);
}
