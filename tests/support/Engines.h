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
    enum class Tables { Current, None };
    // Throws db::Error (so the test fails with its message) when the engine cannot be reached.
    // Tables::None leaves the database empty for a test that makes its tables itself. On
    // PostgreSQL, `server` is the connection string of the server (the test command's by default).
    explicit TestDatabase(Engine engine, Tables tables = Tables::Current, QString server = QString());
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
    // The section of the engine's configuration file that names this database as `alias`.
    QString configSection(const QString& alias) const;
    void loadDemoData() { db_->loadDemoData(); }
    // How another process reaches this database: "sqlite" and the file, or "postgresql", the
    // connection string and the schema (see openClientDatabase).
    QStringList clientArguments() const;

private:
    Engine engine_;
    QTemporaryDir dir_;
    QString sqlitePath_;
    QString pgServer_;
    QString pgSchema_;
    std::unique_ptr<db::Database> db_;
    QStringList aliases_;
};

// The database that clientArguments() names, opened in another process.
std::unique_ptr<db::Database> openClientDatabase(const QStringList& arguments);

// The PostgreSQL connection string of the test server; throws when the tests were not started
// through scripts/test.sh.
QString postgresConnectionString();

// Test names end in /SQLite or /PostgreSQL.
std::string engineName(const testing::TestParamInfo<Engine>& info);

// The engine of a test's parameter: the engine alone, or the first of a table row's tuple.
inline Engine engineOf(Engine engine) { return engine; }
template <class... Row>
Engine engineOf(const std::tuple<Engine, Row...>& param) {
    return std::get<0>(param);
}

// A fixture for tests that run on both engines: INSTANTIATE_TEST_SUITE_P(..., test::allEngines,
// test::engineName); or, one row of a table per test, EngineTestOf<std::tuple<Engine, Row>> with
// testing::Combine(test::allEngines, testing::ValuesIn(rows)) and test::rowName.
template <class Param>
class EngineTestOf : public testing::TestWithParam<Param> {
protected:
    void SetUp() override {
        database_ = std::make_unique<TestDatabase>(engineOf(this->GetParam()), TestDatabase::Tables::Current, postgresServer());
    }
    // The PostgreSQL server the test runs on: the test command's unless a fixture says otherwise.
    virtual QString postgresServer() const { return QString(); }
    // The table row of a test run once per engine and row.
    const auto& testCase() const { return std::get<1>(this->GetParam()); }
    void TearDown() override { database_.reset(); }
    TestDatabase& database() { return *database_; }
    db::Database& db() { return database_->db(); }

private:
    std::unique_ptr<TestDatabase> database_;
};
class EngineTest : public EngineTestOf<Engine> {};

// "<row's name>_SQLite" or "<row's name>_PostgreSQL", for a row type with a `name`.
template <class Row>
std::string rowName(const testing::TestParamInfo<std::tuple<Engine, Row>>& info) {
    const bool sqlite = std::get<0>(info.param) == Engine::SQLite;
    return std::string(std::get<1>(info.param).name) + (sqlite ? "_SQLite" : "_PostgreSQL");
}

inline const auto allEngines = testing::Values(Engine::SQLite, Engine::PostgreSQL);

}  // namespace test
