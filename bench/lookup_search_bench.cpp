// The account search and the customer-and-bank search over lookup tables of 100,000 rows
// each, on an SQLite file, through the dialogs' own search routines.
#include "db/Database.h"
#include "db/Query.h"
#include "lookup/Qel_Unit3_01.h"
#include "lookup/Qel_Unit3_02.h"
#include "lookup/Qel_Unit3_07.h"
#include "toolkit/Application.h"

#include <benchmark/benchmark.h>

#include <QCoreApplication>
#include <QSqlError>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <QVariant>
#include <stdexcept>

namespace {

constexpr int kRows = 100000;

// Five categories spread over the account list; every tenth account is a sales account.
const char* const kCategories[] = {"10101", "20101", "40201", "40701", "40901"};

void run(QSqlQuery& q) {
    if (!q.exec())
        throw std::runtime_error(q.lastError().text().toStdString());
}

void fillAccounts(QSqlDatabase& handle) {
    QSqlQuery q(handle);
    q.prepare(QStringLiteral("insert into test_ac_code (ac_code, ac_name, a_kubun, b_kubun, c_kubun, code_kubun, "
                             "jan_check, bigo) values (?, ?, ?, ?, ?, 'SSSSS', ?, ?)"));
    for (int i = 0; i < kRows; ++i) {
        const QString category = QString::fromLatin1(kCategories[i % 5]);
        q.bindValue(0, QStringLiteral("%1").arg(i, 11, 10, QLatin1Char('0')));
        q.bindValue(1, QStringLiteral("계정과목%1").arg(i));
        q.bindValue(2, category.left(1));
        q.bindValue(3, category.mid(1, 2));
        q.bindValue(4, category.mid(3, 2));
        q.bindValue(5, i % 2 == 0 ? QStringLiteral("57") : QStringLiteral("10"));
        q.bindValue(6, QStringLiteral("분류 %1").arg(category));
        run(q);
    }
}

void fillCustomersAndBanks(QSqlDatabase& handle) {
    QSqlQuery sale(handle), bank(handle);
    sale.prepare(QStringLiteral("insert into Sale_Table (Sale_Code, Sale_Name, Sale_Serial01, Sale_Serial02, "
                                "Sale_Serial03) values (?, ?, '123', '45', '67890')"));
    bank.prepare(QStringLiteral("insert into Bank_Table (Bank_Code, Bank_Name, Bank_Serial) values (?, ?, ?)"));
    for (int i = 0; i < kRows; ++i) {
        const QString code = QStringLiteral("%1").arg(i, 8, 10, QLatin1Char('0'));
        sale.bindValue(0, code);
        sale.bindValue(1, QStringLiteral("거래처 %1").arg(i));
        run(sale);
        bank.bindValue(0, code);
        bank.bindValue(1, QStringLiteral("은행 %1").arg(i));
        bank.bindValue(2, QStringLiteral("100-200-%1").arg(i));
        run(bank);
    }
}

// One SQLite file with the lookup tables filled, adopted as the alias "Account", and the
// three dialogs the benchmarks search through.
struct Setup {
    QTemporaryDir dir;
    Setup() {
        auto database = db::Database::openSQLite(dir.filePath(QStringLiteral("bench.sqlite")));
        database->createSchema();
        database->begin();
        fillAccounts(database->handle());
        fillCustomersAndBanks(database->handle());
        database->commit();
        db::Database::adopt(QStringLiteral("Account"), std::move(database));
        tk::app().initialize(QStringLiteral("lookup_bench"));
        tk::app().createForm<TForm1>();
        tk::app().createForm<TForm7>();
        tk::app().createForm<TForm2>();
    }
};

Setup& setup() {
    static Setup s;
    return s;
}

// state.range(0): 0 searches a name fragment that few rows hold, 1 a blank text (every row).
QString searchText(const benchmark::State& state, const QString& fragment) {
    return state.range(0) == 0 ? fragment : QStringLiteral(" ");
}

void BM_AccountSearchDebit(benchmark::State& state) {
    setup();
    Form1->edit(QStringLiteral("edSearch")).setText(searchText(state, QStringLiteral("목 1234")));
    for (auto _ : state) {
        Form1->search();
        benchmark::DoNotOptimize(Form1->query(QStringLiteral("Query1")).recordCount());
    }
    state.counters["rows"] = Form1->query(QStringLiteral("Query1")).recordCount();
}

void BM_AccountSearchCredit(benchmark::State& state) {
    setup();
    Form7->edit(QStringLiteral("edSearch")).setText(searchText(state, QStringLiteral("목 1234")));
    for (auto _ : state) {
        Form7->search();
        benchmark::DoNotOptimize(Form7->query(QStringLiteral("Query1")).recordCount());
    }
    state.counters["rows"] = Form7->query(QStringLiteral("Query1")).recordCount();
}

// state.range(1): the item of cbCheck (0 all, 1 customers, 2 banks).
void BM_CustomerBankSearch(benchmark::State& state) {
    setup();
    Form2->edit(QStringLiteral("edSearch")).setText(searchText(state, QStringLiteral("1234")));
    Form2->comboBox(QStringLiteral("cbCheck")).setItemIndex(static_cast<int>(state.range(1)));
    for (auto _ : state) {
        Form2->pQuery();
        benchmark::DoNotOptimize(Form2->query(QStringLiteral("Query1")).recordCount());
    }
    state.counters["rows"] = Form2->query(QStringLiteral("Query1")).recordCount();
}

}  // namespace

BENCHMARK(BM_AccountSearchDebit)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_AccountSearchCredit)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_CustomerBankSearch)->Args({0, 0})->Args({1, 0})->Args({1, 2})->Unit(benchmark::kMillisecond);

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    // The dialogs' queries go before their connection does.
    tk::app().reset();
    db::Database::closeAll();
    return 0;
}
