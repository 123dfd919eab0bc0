#pragma once
// Runs a database test on each engine: a fresh database with the tables and no demo data,
// on an SQLite file in a temporary folder or in a schema of its own on the PostgreSQL server
// that scripts/test.sh starts (connection string in VQ_TEST_PG).

#include "db/Database.h"

#include <QString>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <memory>
#include <string>
#include <tuple>

namespace test {

enum class Engine { SQLite, PostgreSQL };

class TestDatabase {
public:
    // Throws db::Error (so the test fails with its message) when the engine cannot be reached.
    explicit TestDatabase(Engine engine);
    ~TestDatabase();
    TestDatabase(const TestDatabase&) = delete;
    TestDatabase& operator=(const TestDatabase&) = delete;

    Engine engine() const { return engine_; }
    db::Database& db() { return *db_; }
    // A second connection to the same database, known to the engine under `alias`; it is
    // forgotten again when the test database ends.
    db::Database& installAsAlias(const QString& alias = QStringLiteral("Account"));
    // Another connection of its own to the same database (two clients).
    std::unique_ptr<db::Database> openAnotherConnection();
    void loadDemoData() { db_->loadDemoData(); }

private:
    Engine engine_;
    QTemporaryDir dir_;
    QString sqlitePath_;
    QString pgSchema_;
    std::unique_ptr<db::Database> db_;
    QStringList aliases_;
};

// The PostgreSQL connection string of the test server; throws when the tests were not started
// through scripts/test.sh.
QString postgresConnectionString();

// Test names end in /SQLite or /PostgreSQL.
std::string engineName(const testing::TestParamInfo<Engine>& info);

// The database of a test that runs on both engines; the parameter says which engine.
class EngineFixture : public testing::Test {
protected:
    virtual Engine engine() const = 0;
    void SetUp() override { database_ = std::make_unique<TestDatabase>(engine()); }
    void TearDown() override { database_.reset(); }
    TestDatabase& database() { return *database_; }
    db::Database& db() { return database_->db(); }

private:
    std::unique_ptr<TestDatabase> database_;
};

// A fixture for tests that run on both engines: INSTANTIATE_TEST_SUITE_P(..., test::allEngines, test::engineName).
class EngineTest : public EngineFixture, public testing::WithParamInterface<Engine> {
protected:
    Engine engine() const override { return GetParam(); }
};

// A table of cases run on both engines: INSTANTIATE_TEST_SUITE_P(..., testing::Combine(test::allEngines,
// testing::ValuesIn(cases)), test::engineCaseName<Case>); a case prints its own name with `name`.
template <class Case>
class EngineCaseTest : public EngineFixture, public testing::WithParamInterface<std::tuple<Engine, Case>> {
protected:
    Engine engine() const override { return std::get<0>(this->GetParam()); }
    const Case& testCase() const { return std::get<1>(this->GetParam()); }
};

template <class Case>
std::string engineCaseName(const testing::TestParamInfo<std::tuple<Engine, Case>>& info) {
    return std::string(std::get<1>(info.param).name) +
           (std::get<0>(info.param) == Engine::SQLite ? "_SQLite" : "_PostgreSQL");
}

inline const auto allEngines = testing::Values(Engine::SQLite, Engine::PostgreSQL);

}  // namespace test
