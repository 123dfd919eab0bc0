// A clerk doing thousands of random things to a program's forms cannot crash the program, make
// it show a text it does not know, or store a voucher line other than as one debit and one
// credit row. Runs a fixed seed in each program, and the seed in VQ_CLERK_SEED when that is set.

#include "tests/support/Engines.h"
#include "tests/voucher/RandomClerk.h"

#include <gtest/gtest.h>

#include <tuple>
#include <vector>

namespace {

// A seed whose run saves, corrects, deletes and prints in either program, and in Brenvik has a
// save refused by the table.
constexpr std::uint64_t kFixedSeed = 22;
constexpr int kActions = 3000;
constexpr std::chrono::seconds kTimeBound(150);

std::vector<std::uint64_t> seeds() {
    std::vector<std::uint64_t> s = {kFixedSeed};
    const QString fromEnvironment = qEnvironmentVariable("VQ_CLERK_SEED");
    if (fromEnvironment.isEmpty()) return s;
    bool ok = false;
    const std::uint64_t seed = fromEnvironment.toULongLong(&ok);
    if (!ok) throw std::invalid_argument("VQ_CLERK_SEED is no whole number: " + fromEnvironment.toStdString());
    s.push_back(seed);
    return s;
}

class RandomClerk : public test::EngineTestOf<std::tuple<test::Engine, vclerk::Program>> {
protected:
    void SetUp() override {
        EngineTestOf::SetUp();
        db().loadDemoData();
        vclerk::storeSampleVouchers(db(), testCase());
        database().installAsAlias(QStringLiteral("Account"));
    }
};

TEST_P(RandomClerk, LeavesTheProgramRunningAndEveryStoredLineWhole) {
    for (std::uint64_t seed : seeds()) {
        const vclerk::Outcome outcome = vclerk::runAndCheck(testCase(), seed, kActions, kTimeBound, db());
        const vclerk::Summary& summary = outcome.summary;
        ASSERT_TRUE(summary.failure.isEmpty()) << summary.failure.toStdString();
        if (seed == kFixedSeed) {
            // The clerk still gets through to saving, deleting and printing.
            for (const char* effect : {"vouchers saved", "lines deleted"})
                EXPECT_GT(summary.effects.count(effect) ? summary.effects.at(effect) : 0, 0) << effect;
            EXPECT_GT(summary.previews, 0);
        }
        EXPECT_TRUE(outcome.programAnswer.isEmpty()) << "seed " << seed << ": " << outcome.programAnswer.toStdString();
        EXPECT_TRUE(outcome.storedProblems.isEmpty())
            << "seed " << seed << ":\n" << outcome.storedProblems.join(QLatin1Char('\n')).toStdString();
    }
}

INSTANTIATE_TEST_SUITE_P(Programs, RandomClerk,
                         testing::Combine(test::allEngines, testing::Values(vclerk::kBrenvik, vclerk::kSattrel)),
                         test::rowName<vclerk::Program>);

}  // namespace
