// The random clerk's long run on an SQLite file, outside the test run:
//   VQ_CLERK_PROGRAM (Brenvik or Sattrel, default Brenvik), VQ_CLERK_ACTIONS (default 100000),
//   VQ_CLERK_SEED (default: from the clock, printed), VQ_CLERK_MINUTES (time bound, default 60).

#include "tests/support/Engines.h"
#include "tests/voucher/RandomClerk.h"

#include <gtest/gtest.h>

#include <chrono>
#include <iostream>

namespace {

std::uint64_t number(const char* variable, std::uint64_t fallback) {
    const QString text = qEnvironmentVariable(variable);
    if (text.isEmpty()) return fallback;
    bool ok = false;
    const std::uint64_t value = text.toULongLong(&ok);
    if (!ok) throw std::invalid_argument(std::string(variable) + " is no whole number: " + text.toStdString());
    return value;
}

TEST(RandomClerkLongRun, ManyActions) {
    const auto clock = static_cast<std::uint64_t>(std::chrono::system_clock::now().time_since_epoch().count());
    const std::uint64_t seed = number("VQ_CLERK_SEED", clock);
    const int actions = static_cast<int>(number("VQ_CLERK_ACTIONS", 100000));
    const std::chrono::minutes bound(number("VQ_CLERK_MINUTES", 60));
    const QString name = qEnvironmentVariable("VQ_CLERK_PROGRAM", QStringLiteral("Brenvik"));
    const vclerk::Program& program = vclerk::programNamed(name);
    std::cout << "random clerk long run: " << program.name << ", seed " << seed << ", " << actions << " actions" << std::endl;

    test::TestDatabase database(test::Engine::SQLite);
    database.loadDemoData();
    vclerk::storeSampleVouchers(database.db(), program);
    database.installAsAlias(QStringLiteral("Account"));
    const vclerk::Outcome outcome = vclerk::runAndCheck(program, seed, actions, bound, database.db());
    ASSERT_TRUE(outcome.summary.failure.isEmpty()) << outcome.summary.failure.toStdString();
    EXPECT_TRUE(outcome.programAnswer.isEmpty()) << "seed " << seed << ": " << outcome.programAnswer.toStdString();
    EXPECT_TRUE(outcome.storedProblems.isEmpty())
        << "seed " << seed << ":\n" << outcome.storedProblems.join(QLatin1Char('\n')).toStdString();
}

}  // namespace
