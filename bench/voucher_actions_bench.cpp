// Every clerk action of the voucher form as its statements run through db::Query on the
// alias "Account", over generated voucher tables of 10^4, 10^5 and 10^6 rows on SQLite and,
// when VQ_TEST_PG names a server, on PostgreSQL. The statements come from the voucher form's
// description, as the form loads them.
//
//   voucher_bench --benchmark_repetitions=5 --benchmark_report_aggregates_only=true
//
// Targets: every action under 50 ms at 10^5 rows on SQLite and at 10^6 rows on PostgreSQL.
#include "Targets.h"
#include "VoucherData.h"
#include "db/Database.h"
#include "db/Query.h"
#include "toolkit/FormDescription.h"

#include <benchmark/benchmark.h>

#include <QCoreApplication>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <functional>
#include <optional>
#include <utility>
#include <vector>

namespace {

using bench::Engine;
using Params = std::vector<std::pair<QString, QString>>;

const int kSizes[] = {10000, 100000, 1000000};

const tk::FormDescription& voucherForm() {
    static const tk::FormDescription description = tk::FormDescription::fromFile(QStringLiteral(":/forms/Qel_Unit3.json"));
    return description;
}
QStringList form(const char* name) { return voucherForm().sqlText(QString::fromLatin1(name)); }
QStringList printQuery(const char* name) { return voucherForm().querySql(QString::fromLatin1(name)); }

// The engine's configuration lives in a folder of the run; "Account" names one data set at a time.
class Aliases {
public:
    Aliases() { qputenv("XDG_CONFIG_HOME", dir_.path().toLocal8Bit()); }

    void use(Engine engine, int rows) {
        if (current_ && current_->first == engine && current_->second == rows) return;
        db::Database::forget(QStringLiteral("Account"));
        QFile ini(db::Database::configFilePath());
        QDir().mkpath(QFileInfo(ini).absolutePath());
        if (!ini.open(QIODevice::WriteOnly | QIODevice::Truncate)) throw db::Error(QStringLiteral("Cannot write ") + ini.fileName());
        ini.write(bench::aliasSection(engine, rows).toUtf8());
        ini.close();
        db::Database::alias(QStringLiteral("Account"));  // the first open is not timed
        current_ = std::make_pair(engine, rows);
    }

private:
    QTemporaryDir dir_;
    std::optional<std::pair<Engine, int>> current_;
};

Aliases& aliases() {
    static Aliases a;
    return a;
}

// As the forms do it: clear, add the lines, set the parameters as text, run.
void prepare(db::Query& q, const QStringList& lines, const Params& params) {
    q.clearSql();
    for (const QString& line : lines) q.addSql(line);
    for (const auto& [name, value] : params) q.setParamText(name, value);
}

int openRows(db::Query& q, const QStringList& lines, const Params& params) {
    prepare(q, lines, params);
    q.open();
    return q.recordCount();
}

// The sixteen values of a correction, or of an insert, for one row of line `line`.
void setRowValues(db::Query& q, int line, bool debit) {
    const QString n = QString::number(line);
    q.setParamText(QStringLiteral("tbAc_QelCode"), debit ? QStringLiteral("10101001000") : QStringLiteral("40201001000"));
    q.setParamText(QStringLiteral("tbAc_QelName"), debit ? QStringLiteral("현금") : QStringLiteral("상품매출"));
    q.setParamText(QStringLiteral("tbAc_Text"), QStringLiteral("상품 매출 현금 입금 ") + n);
    q.setParamText(QStringLiteral("tbItem_Code"), QStringLiteral("I0001"));
    q.setParamText(QStringLiteral("tbItem_Name"), QStringLiteral("원자재 구매"));
    q.setParamText(QStringLiteral("tbKubun_Code"), QStringLiteral("00001"));
    q.setParamText(QStringLiteral("tbKubun_Name"), QStringLiteral("(주)한빛상사"));
    q.setParamText(QStringLiteral("tbProject_Code"), QString());
    q.setParamText(QStringLiteral("tbProject_Name"), QString());
    q.setParamText(QStringLiteral("tbBuser_Code"), QStringLiteral("B0001"));
    q.setParamText(QStringLiteral("tbBuser_Name"), QStringLiteral("경리부"));
    q.setParamText(QStringLiteral("tbSawon_Code"), QStringLiteral("S0001"));
    q.setParamText(QStringLiteral("tbSawon_Name"), QStringLiteral("김철수"));
    q.setParamDouble(QStringLiteral("tbCr_Amt"), debit ? 1250000.0 : 0.0);
    q.setParamDouble(QStringLiteral("tbDr_Amt"), debit ? 0.0 : 1250000.0);
    q.setParamDateTime(QStringLiteral("tbEnd_Day"), QDateTime::currentDateTime());
}

const QString kGridPattern = QStringLiteral("%") + bench::kProbeDate + bench::kProbeOffice + QStringLiteral("%");

// --- the actions: each returns the rows it read or wrote -------------------------------------

int grid(db::Query& q) {
    static const QStringList sql = form("StoredLines");
    return openRows(q, sql, {{QStringLiteral("tbDKubun"), kGridPattern}});
}

int gridOfVoucher(db::Query& q) {
    static const QStringList sql = form("StoredLinesOfVoucher");
    return openRows(q, sql, {{QStringLiteral("tbDKubun"), kGridPattern},
                             {QStringLiteral("tbqel"), QStringLiteral("%") + bench::kProbeVoucher + QStringLiteral("%")}});
}

int voucherRows(db::Query& q) {
    static const QStringList sql = form("VoucherRows");
    return openRows(q, sql, {{QStringLiteral("tbDayBon"), bench::kProbeDate + bench::kProbeOffice},
                             {QStringLiteral("tbSerial_qel"), bench::kProbeVoucher}});
}

int lineNumbers(db::Query& q) {
    static const QStringList sql = form("VoucherLineNumbers");
    return openRows(q, sql, {{QStringLiteral("tbSerial_qel"), bench::kProbeVoucher}, {QStringLiteral("tbSerial_day"), bench::kProbeDate}});
}

// The debit row of line 2 of the probe, rewritten with the values it already holds after the first run.
int correctRow(db::Query& q) {
    static const QStringList sql = form("UpdateRow");
    prepare(q, sql, {{QStringLiteral("tbSerial"), bench::kProbeDate + bench::kProbeVoucher + QStringLiteral("0201")},
                     {QStringLiteral("tbDate_Day"), bench::kProbeDate},
                     {QStringLiteral("tbSerial_Qel"), bench::kProbeVoucher},
                     {QStringLiteral("tbSerial_Bun"), QStringLiteral("02")},
                     {QStringLiteral("tbSerial_CrDr"), QStringLiteral("01")}});
    setRowValues(q, 2, true);
    q.execSql();
    return 1;
}

int deleteLine(db::Query& q) {
    static const QStringList sql = form("DeleteLine");
    prepare(q, sql, {{QStringLiteral("tbSerial"), bench::kProbeVoucher + QStringLiteral("03")},
                     {QStringLiteral("tbSerial_Qel"), bench::kProbeVoucher},
                     {QStringLiteral("tbSerial_Bun"), QStringLiteral("03")}});
    q.execSql();
    return 2;
}

int voucherCount(db::Query& q) {
    static const QStringList sql = form("CountVoucherRows");
    prepare(q, sql, {{QStringLiteral("tbSerial"), bench::kProbeVoucher}});
    q.open();
    return q.fieldInt(QStringLiteral("Serial"));
}

const Params& printKey() {
    static const Params key = {{QStringLiteral("tbDateDay"), bench::kProbeDate},
                               {QStringLiteral("tbKubunBon"), bench::kProbeOffice},
                               {QStringLiteral("tbSerialQel"), bench::kProbeVoucher}};
    return key;
}

int printCount(db::Query& q) {
    static const QStringList sql = printQuery("Print_Count_Query");
    return openRows(q, sql, printKey());
}

int printRows(db::Query& q) {
    static const QStringList sql = printQuery("Print_Query");
    Params params = printKey();
    params.emplace_back(QStringLiteral("tbCount"), QStringLiteral("02"));
    return openRows(q, sql, params);
}

// A new voucher of four lines: the next number of the date, then eight inserts, one transaction.
QString saveVoucher(db::Query& q) {
    static const QStringList numbering = form("SerialMax");
    static const QStringList insert = form("InsertRow");
    db::Transaction t(q.database());
    prepare(q, numbering, {{QStringLiteral("tbDate_Day"), bench::kProbeDate}});
    q.open();
    const QString highest = q.fieldText(QStringLiteral("Serial_Max"));
    const QString number = QStringLiteral("%1-%2").arg(bench::kProbeDate).arg(highest.mid(11, 8).toInt() + 1, 8, 10, QLatin1Char('0'));
    q.close();
    for (int line = 1; line <= 4; ++line) {
        const QString lineText = QStringLiteral("0%1").arg(line);
        for (const QString& side : {QStringLiteral("01"), QStringLiteral("02")}) {
            prepare(q, insert,
                    {{QStringLiteral("tbSerial"), QStringLiteral("AA*%1*3*%2*%3*A003*%4").arg(bench::kProbeOffice, number, lineText, side)},
                     {QStringLiteral("tbSerial_Qel"), number},
                     {QStringLiteral("tbSerial_Bun"), lineText},
                     {QStringLiteral("tbSerial_CrDr"), side},
                     {QStringLiteral("tbMonth_Char"), bench::kProbeDate.mid(5, 2)},
                     {QStringLiteral("tbYear_Char"), bench::kProbeDate.left(4)},
                     {QStringLiteral("tbDate_Day"), bench::kProbeDate},
                     {QStringLiteral("tbTable_Kubun"), QStringLiteral("AA")},
                     {QStringLiteral("tbKubun_Bon"), bench::kProbeOffice},
                     {QStringLiteral("tbKubun_Qel"), QStringLiteral("3")},
                     {QStringLiteral("tbKubun_Amt"), QStringLiteral("5")},
                     {QStringLiteral("tbForm_Kubun"), QStringLiteral("A003")},
                     {QStringLiteral("tbGiel_Serial"), QStringLiteral("999")}});
            setRowValues(q, line, side == QLatin1String("01"));
            q.execSql();
        }
    }
    t.commit();
    return number;
}

// --- benchmarks ------------------------------------------------------------------------------

double targetMs(Engine engine, int rows) {
    return (engine == Engine::SQLite && rows == 100000) || (engine == Engine::PostgreSQL && rows == 1000000) ? 50.0 : 0.0;
}

void finish(benchmark::State& state, Engine engine, int rows, int result) {
    state.counters["rows"] = result;
    if (targetMs(engine, rows) > 0) state.counters["target_ms"] = targetMs(engine, rows);
}

void runRead(benchmark::State& state, Engine engine, int rows, const std::function<int(db::Query&)>& action) {
    aliases().use(engine, rows);
    db::Query q;
    int result = 0;
    for (auto _ : state) result = action(q);
    finish(state, engine, rows, result);
}

// A delete that is undone after each run, so that every run deletes the same line.
void runDelete(benchmark::State& state, Engine engine, int rows) {
    aliases().use(engine, rows);
    db::Query q;
    db::Database& database = q.database();
    for (auto _ : state) {
        state.PauseTiming();
        database.begin();
        state.ResumeTiming();
        deleteLine(q);
        state.PauseTiming();
        database.rollback();
        state.ResumeTiming();
    }
    finish(state, engine, rows, 2);
}

// Each saved voucher is removed again outside the timing, so the data set stays as generated.
void runSave(benchmark::State& state, Engine engine, int rows) {
    aliases().use(engine, rows);
    db::Query q, cleanup;
    for (auto _ : state) {
        const QString number = saveVoucher(q);
        state.PauseTiming();
        cleanup.setSql({QStringLiteral("delete from Account_Qel_AA where Serial_Qel = :tbSerial")});
        cleanup.setParamText(QStringLiteral("tbSerial"), number);
        cleanup.execSql();
        state.ResumeTiming();
    }
    finish(state, engine, rows, 8);
}

void registerAll() {
    const std::pair<const char*, std::function<int(db::Query&)>> reads[] = {
        {"Grid", grid},               {"GridOfVoucher", gridOfVoucher}, {"VoucherRows", voucherRows},
        {"LineNumbers", lineNumbers}, {"CorrectRow", correctRow},       {"VoucherCount", voucherCount},
        {"PrintCount", printCount},   {"PrintRows", printRows}};
    std::vector<Engine> engines{Engine::SQLite};
    if (bench::hasPostgres()) engines.push_back(Engine::PostgreSQL);
    for (const Engine engine : engines) {
        for (const int rows : kSizes) {
            const std::string suffix = std::string("/") + bench::engineName(engine) + "/" + std::to_string(rows);
            auto configure = [](benchmark::internal::Benchmark* b) {
                b->Unit(benchmark::kMillisecond)->UseRealTime()->MinWarmUpTime(0.2);
            };
            for (const auto& [name, action] : reads) {
                configure(benchmark::RegisterBenchmark((name + suffix).c_str(), [engine, rows, action = action](benchmark::State& s) {
                    runRead(s, engine, rows, action);
                }));
            }
            configure(benchmark::RegisterBenchmark(("DeleteLine" + suffix).c_str(),
                                                   [engine, rows](benchmark::State& s) { runDelete(s, engine, rows); }));
            configure(benchmark::RegisterBenchmark(("SaveVoucher" + suffix).c_str(),
                                                   [engine, rows](benchmark::State& s) { runSave(s, engine, rows); }));
        }
    }
}

}  // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    registerAll();
    bench::TargetReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();
    db::Database::closeAll();
    return 0;
}
