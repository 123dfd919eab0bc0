#include "Probe.h"

#include "platform/NamedMutex.h"
#include "platform/RuntimeFolder.h"

#include <QDir>
#include <unistd.h>

using namespace platform;

using NamedMutexTest = RuntimeFolderTest;

TEST_F(NamedMutexTest, ExistsWhileAnyHandleIsOpen) {
    MutexHandle first = createNamedMutex(QStringLiteral("Brenvik"));
    ASSERT_FALSE(first.isNull());
    EXPECT_FALSE(first.alreadyExisted());

    MutexHandle second = createNamedMutex(QStringLiteral("Brenvik"));
    ASSERT_FALSE(second.isNull());
    EXPECT_TRUE(second.alreadyExisted());

    // The later handle keeps the mutex alive after the first is closed.
    closeHandle(first);
    EXPECT_TRUE(first.isNull());
    EXPECT_TRUE(createNamedMutex(QStringLiteral("Brenvik")).alreadyExisted());

    closeHandle(second);
    EXPECT_FALSE(createNamedMutex(QStringLiteral("Brenvik")).alreadyExisted());
}

TEST_F(NamedMutexTest, OtherNamesAreOtherMutexes) {
    MutexHandle brenvik = createNamedMutex(QStringLiteral("Brenvik"));
    MutexHandle sattrel = createNamedMutex(QStringLiteral("Sattrel"));
    MutexHandle korean = createNamedMutex(QStringLiteral("대체 전표/2"));
    EXPECT_FALSE(brenvik.alreadyExisted());
    EXPECT_FALSE(sattrel.alreadyExisted());
    ASSERT_FALSE(korean.isNull());
    EXPECT_FALSE(korean.alreadyExisted());
    EXPECT_TRUE(createNamedMutex(QStringLiteral("대체 전표/2")).alreadyExisted());
}

TEST_F(NamedMutexTest, HeldByAnotherProcessUntilItIsKilled) {
    Probe holder({QStringLiteral("lock"), QStringLiteral("Brenvik")});
    ASSERT_EQ(holder.readLine(), QStringLiteral("created"));

    MutexHandle second = createNamedMutex(QStringLiteral("Brenvik"));
    EXPECT_TRUE(second.alreadyExisted());
    closeHandle(second);

    holder.kill();
    MutexHandle after = createNamedMutex(QStringLiteral("Brenvik"));
    ASSERT_FALSE(after.isNull());
    EXPECT_FALSE(after.alreadyExisted());
}

TEST_F(NamedMutexTest, AnotherProcessSeesOurHandle) {
    MutexHandle ours = createNamedMutex(QStringLiteral("Sattrel"));
    Probe later({QStringLiteral("lock"), QStringLiteral("Sattrel")});
    EXPECT_EQ(later.readLine(), QStringLiteral("existed"));
}

TEST_F(NamedMutexTest, ClosingTheZeroHandleDoesNothing) {
    MutexHandle none;
    EXPECT_TRUE(none.isNull());
    closeHandle(none);
    closeHandle(none);
    EXPECT_TRUE(none.isNull());
    EXPECT_FALSE(none.alreadyExisted());
}

TEST_F(NamedMutexTest, MovedHandleKeepsTheMutex) {
    MutexHandle a = createNamedMutex(QStringLiteral("Brenvik"));
    MutexHandle b = std::move(a);
    EXPECT_FALSE(b.isNull());
    EXPECT_TRUE(createNamedMutex(QStringLiteral("Brenvik")).alreadyExisted());
    b = MutexHandle();
    EXPECT_FALSE(createNamedMutex(QStringLiteral("Brenvik")).alreadyExisted());
}

TEST_F(NamedMutexTest, LockFileLivesInTheRuntimeFolder) {
    EXPECT_EQ(runtimeFolder(), folder());
    MutexHandle h = createNamedMutex(QStringLiteral("Brenvik"));
    EXPECT_TRUE(QDir(folder()).exists(QStringLiteral("vqmutex-Brenvik.lock")));
}

TEST_F(NamedMutexTest, WithoutRuntimeDirAPrivateTmpFolderIsUsed) {
    qunsetenv("XDG_RUNTIME_DIR");
    const QString expected = QStringLiteral("/tmp/vq-runtime-%1").arg(::geteuid());
    EXPECT_EQ(runtimeFolder(), expected);
    const QString name = QStringLiteral("probe-%1").arg(::getpid());
    MutexHandle h = createNamedMutex(name);
    ASSERT_FALSE(h.isNull());
    EXPECT_FALSE(h.alreadyExisted());
    EXPECT_TRUE(createNamedMutex(name).alreadyExisted());
    closeHandle(h);
    QFile::remove(expected + QStringLiteral("/vqmutex-") + name + QStringLiteral(".lock"));
    QFile::remove(expected + QStringLiteral("/vqmutex-") + name + QStringLiteral(".guard"));
}
