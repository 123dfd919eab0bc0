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

namespace test {

enum class Engine { SQLite, PostgreSQL };

class TestDatabase {
public:
    enum class Tables { Current, None };
    // Throws db::Error (so the test fails with its message) when the engine cannot be reached.
    // Tables::None leaves the database empty for a test that makes its tables itself.
    explicit TestDatabase(Engine engine, Tables tables = Tables::Current);
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

// A fixture for tests that run on both engines: INSTANTIATE_TEST_SUITE_P(..., test::allEngines, test::engineName).
class EngineTest : public testing::TestWithParam<Engine> {
protected:
    void SetUp() override { database_ = std::make_unique<TestDatabase>(GetParam()); }
    void TearDown() override { database_.reset(); }
    TestDatabase& database() { return *database_; }
    db::Database& db() { return database_->db(); }

private:
    std::unique_ptr<TestDatabase> database_;
};

inline const auto allEngines = testing::Values(Engine::SQLite, Engine::PostgreSQL);

}  // namespace test
