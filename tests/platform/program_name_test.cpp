#include <gtest/gtest.h>

#include "platform/ProgramName.h"

#include <QCoreApplication>

using namespace platform;

TEST(ProgramNameTest, ExtensionOfThreeLettersIsCut) {
    EXPECT_EQ(exeBaseName(QStringLiteral("C:/Account/Brenvik.exe")), QStringLiteral("Brenvik"));
    EXPECT_EQ(exeBaseName(QStringLiteral("Sattrel.EXE")), QStringLiteral("Sattrel"));
    EXPECT_EQ(exeBaseName(QStringLiteral("/opt/a.b/x.bin")), QStringLiteral("x"));
}

TEST(ProgramNameTest, NameWithoutExtensionIsKept) {
    EXPECT_EQ(exeBaseName(QStringLiteral("/usr/local/bin/Brenvik")), QStringLiteral("Brenvik"));
    EXPECT_EQ(exeBaseName(QStringLiteral("./Sattrel")), QStringLiteral("Sattrel"));
    EXPECT_EQ(exeBaseName(QStringLiteral("/opt/v1.2.3/Brenvik")), QStringLiteral("Brenvik"));
    EXPECT_EQ(exeBaseName(QStringLiteral("Brenvik.v2")), QStringLiteral("Brenvik.v2"));
    EXPECT_EQ(exeBaseName(QStringLiteral("a.b.c")), QStringLiteral("a.b.c"));
    EXPECT_EQ(exeBaseName(QStringLiteral(".exe")), QStringLiteral(".exe"));
    EXPECT_EQ(exeBaseName(QStringLiteral("/usr/bin/")), QString());
}

TEST(ProgramNameTest, RunningProgramIsNamedAfterItsFile) {
    EXPECT_EQ(programFilePath(), QCoreApplication::arguments().first());
    EXPECT_EQ(appExeName(), QStringLiteral("platform_tests"));
}
