#include "VoucherData.h"

#include "db/Database.h"
#include "db/Error.h"

#include <QDate>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSqlError>
#include <QSqlQuery>
#include <QVariant>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <random>
#include <vector>

namespace bench {

namespace {

struct Coded {
    const char* code;
    const char* name;
};

const Coded kAccounts[] = {
    {"10101001000", "현금"},       {"10101003000", "보통예금"},   {"10101008000", "외상매출금"},
    {"10101009000", "받을어음"},   {"10102001000", "상품"},       {"10102008000", "원재료"},
    {"20101001000", "외상매입금"}, {"20101005000", "미지급금"},   {"20101009000", "예수금"},
    {"40201001000", "상품매출"},   {"40201002000", "제품매출"},   {"40701001000", "급여"},
    {"40701002000", "복리후생비"}, {"40701003000", "여비교통비"}, {"40701004000", "접대비"},
    {"40701010000", "소모품비"},   {"40901001000", "이자수익"},   {"41001001000", "이자비용"}};
const Coded kCustomers[] = {{"00001", "(주)한빛상사"},     {"00002", "대한물산(주)"},       {"00003", "세종기계공업"},
                            {"00005", "우리유통"},         {"00004", "신한은행 역삼지점"}, {"00006", "우리은행 해운대지점"}};
const Coded kEmployees[] = {{"S0001", "김철수"}, {"S0002", "이영희"}, {"S0003", "박민수"}};
const Coded kDepartments[] = {{"B0001", "경리부"}, {"B0002", "영업부"}, {"B0003", "생산부"}};
const Coded kProjects[] = {{"P0001", "신제품 개발"}, {"P0002", "제2공장 증설"}};
const Coded kItems[] = {{"I0001", "원자재 구매"}, {"I0002", "사무용품"}, {"I0003", "차량 유지"}};
const char* const kSummaries[] = {
    "상품 매출 현금 입금", "직원 회식비",       "사무용품 구입",     "거래처 외상대금 회수", "월 급여 지급",
    "차량 유류비",         "전기요금 납부",     "통신비 자동이체",   "원재료 매입",          "사무실 임차료 지급",
    "출장 여비 정산",      "거래처 접대",       "예금 이자 입금",    "차입금 이자 지급",     "어음 만기 결제"};

constexpr std::uint32_t kSeed = 20210701;
constexpr int kColumns = 29;
constexpr int kRowsPerInsert = 100;

template <typename T, std::size_t N>
const T& pick(std::mt19937& rng, const T (&items)[N]) {
    return items[rng() % N];
}

QString u(const char* s) {
    return QString::fromUtf8(s);
}

struct Voucher {
    QDate day;
    int office;      // 0 to 2
    bool variant;    // form "A004"
    int lines;       // 1 to 4
};

QList<QDate> workingDays() {
    QList<QDate> days;
    for (QDate d(2019, 1, 1); d <= QDate(2023, 12, 31); d = d.addDays(1))
        if (d.dayOfWeek() <= 5) days << d;
    return days;
}

// The vouchers in date order, `rows` rows in all; the probe comes first on its day.
std::vector<Voucher> plan(int rows, std::mt19937& rng) {
    const QList<QDate> days = workingDays();
    const QDate probeDay = QDate::fromString(kProbeDate, Qt::ISODate);
    std::vector<Voucher> vouchers{{probeDay, kProbeOffice.toInt(), false, 4}};
    int left = rows - 8;
    while (left > 0) {
        const std::uint32_t r = rng() % 10;
        int lines = r < 4 ? 1 : r < 7 ? 2 : r < 9 ? 3 : 4;
        lines = std::min(lines, left / 2);
        const std::uint32_t o = rng() % 10;
        vouchers.push_back({days[static_cast<int>(rng() % static_cast<std::uint32_t>(days.size()))], o < 5 ? 0 : o < 8 ? 1 : 2,
                            rng() % 10 == 0, lines});
        left -= 2 * lines;
    }
    std::stable_sort(vouchers.begin(), vouchers.end(), [](const Voucher& a, const Voucher& b) { return a.day < b.day; });
    return vouchers;
}

QString insertStatement(int rowCount) {
    QStringList rowMarks;
    const QString marks = QStringLiteral("(") + QStringList(kColumns, QStringLiteral("?")).join(QLatin1Char(',')) + QStringLiteral(")");
    for (int i = 0; i < rowCount; ++i) rowMarks << marks;
    return QStringLiteral(
               "insert into Account_Qel_AA (Serial, Serial_Qel, Serial_Bun, Serial_CrDr, Month_Char, Year_Char, Date_Day, "
               "Table_Kubun, Kubun_Bon, Kubun_Qel, Kubun_Amt, Form_Kubun, Giel_Serial, Ac_QelCode, Ac_QelName, Ac_Text, "
               "Item_Code, Item_Name, Kubun_Code, Kubun_Name, Project_Code, Project_Name, Buser_Code, Buser_Name, Sawon_Code, "
               "Sawon_Name, Cr_Amt, Dr_Amt, End_Day) values ") +
           rowMarks.join(QLatin1Char(','));
}

class Writer {
public:
    explicit Writer(QSqlDatabase& handle) : handle_(handle) {}

    void add(QVariantList row) {
        pending_ += row;
        if (pending_.size() == kColumns * kRowsPerInsert) flush();
    }

    void flush() {
        if (pending_.isEmpty()) return;
        const int rowCount = static_cast<int>(pending_.size()) / kColumns;
        QSqlQuery q(handle_);
        if (!q.prepare(insertStatement(rowCount))) throw db::Error(q.lastError().text());
        for (int i = 0; i < pending_.size(); ++i) q.bindValue(i, pending_[i]);
        if (!q.exec()) throw db::Error(q.lastError().text());
        pending_.clear();
    }

private:
    QSqlDatabase& handle_;
    QVariantList pending_;
};

// Both rows of every line, as the voucher form stores them (the credit row mirrors the debit
// row's analysis fields and summary).
void fill(db::Database& database, int rows) {
    std::mt19937 rng(kSeed);
    const std::vector<Voucher> vouchers = plan(rows, rng);
    Writer writer(database.handle());
    QDate day;
    int counter = 0;
    for (const Voucher& v : vouchers) {
        counter = v.day == day ? counter + 1 : 1;
        day = v.day;
        const QString date = day.toString(Qt::ISODate);
        const QString office = QStringLiteral("%1").arg(v.office, 5, 10, QLatin1Char('0'));
        const QString form = v.variant ? QStringLiteral("A004") : QStringLiteral("A003");
        const QString number = QStringLiteral("%1-%2").arg(date).arg(counter, 8, 10, QLatin1Char('0'));
        const QDateTime saved(day, QTime(9, 0).addSecs(counter % 30000));
        for (int line = 1; line <= v.lines; ++line) {
            const QString lineText = QStringLiteral("%1").arg(line, 2, 10, QLatin1Char('0'));
            const double amount = 1000.0 * (1 + rng() % 5000);
            const QString summary = u(pick(rng, kSummaries)) + QStringLiteral(" %1건").arg(1 + rng() % 20);
            auto optional = [&](const auto& items, std::uint32_t percent) {
                return rng() % 100 < percent ? pick(rng, items) : Coded{"", ""};
            };
            const Coded customer = optional(kCustomers, 50), employee = optional(kEmployees, 30),
                        department = optional(kDepartments, 50), project = optional(kProjects, 20),
                        item = optional(kItems, 20);
            const Coded accounts[2] = {pick(rng, kAccounts), pick(rng, kAccounts)};
            for (int side = 0; side < 2; ++side) {
                const QString crDr = side == 0 ? QStringLiteral("01") : QStringLiteral("02");
                writer.add({QStringLiteral("AA*%1*3*%2*%3*%4*%5").arg(office, number, lineText, form, crDr), number, lineText,
                            crDr, date.mid(5, 2), date.left(4), date, QStringLiteral("AA"), office, QStringLiteral("3"),
                            v.variant && side == 1 ? QStringLiteral("7") : QStringLiteral("5"), form, QStringLiteral("999"),
                            u(accounts[side].code), u(accounts[side].name), summary, u(item.code), u(item.name),
                            u(customer.code), u(customer.name), u(project.code), u(project.name), u(department.code),
                            u(department.name), u(employee.code), u(employee.name), side == 0 ? amount : 0.0,
                            side == 0 ? 0.0 : amount, saved.toString(QStringLiteral("yyyy-MM-dd hh:mm:ss"))});
            }
        }
    }
    writer.flush();
}

void generate(Engine engine, db::Database& database, int rows) {
    std::fprintf(stderr, "Generating %d voucher rows on %s ...\n", rows, engineName(engine));
    database.createSchema();
    database.loadDemoData();
    db::Transaction t(database);
    fill(database, rows);
    t.commit();
}

QString dataFolder() {
    const QString configured = qEnvironmentVariable("VQ_BENCH_DATA");
    return configured.isEmpty() ? QStringLiteral(VQ_BENCH_DATA_DIR) : configured;
}

// The test server's connection string with another database.
QString withDatabase(const QString& connection, const QString& name) {
    QStringList parts;
    for (const QString& part : connection.split(QLatin1Char(' '), Qt::SkipEmptyParts))
        if (!part.startsWith(QStringLiteral("dbname="))) parts << part;
    return (parts << QStringLiteral("dbname=") + name).join(QLatin1Char(' '));
}

bool serverHasDatabase(db::Database& server, const QString& name) {
    QSqlQuery q(server.handle());
    if (!q.exec(QStringLiteral("select 1 from pg_database where datname = '%1'").arg(name))) throw db::Error(q.lastError().text());
    return q.next();
}

}  // namespace

const char* engineName(Engine engine) {
    return engine == Engine::SQLite ? "SQLite" : "PostgreSQL";
}

bool hasPostgres() {
    return !qEnvironmentVariable("VQ_TEST_PG").isEmpty();
}

QString sqliteFile(int rows) {
    const QString path = QDir(dataFolder()).filePath(QStringLiteral("vouchers-%1.sqlite").arg(rows));
    if (QFileInfo::exists(path)) return path;
    QDir().mkpath(dataFolder());
    // Written under another name first: an interrupted run leaves no half file to reuse.
    const QString part = path + QStringLiteral(".part");
    QFile::remove(part);
    {
        auto database = db::Database::openSQLite(part);
        generate(Engine::SQLite, *database, rows);
    }
    if (!QFile::rename(part, path)) throw db::Error(QStringLiteral("Cannot rename %1").arg(part));
    return path;
}

QString postgresConnection(int rows) {
    const QString server = qEnvironmentVariable("VQ_TEST_PG");
    const QString name = QStringLiteral("vqbench_%1").arg(rows);
    auto admin = db::Database::openPostgres(server);
    if (serverHasDatabase(*admin, name)) return withDatabase(server, name);
    const QString part = name + QStringLiteral("_part");
    admin->exec(QStringLiteral("DROP DATABASE IF EXISTS %1").arg(part));
    admin->exec(QStringLiteral("CREATE DATABASE %1").arg(part));
    {
        auto database = db::Database::openPostgres(withDatabase(server, part));
        generate(Engine::PostgreSQL, *database, rows);
        // A settled server: statistics and the visibility map as autovacuum leaves them.
        database->exec(QStringLiteral("VACUUM ANALYZE"));
    }
    admin->exec(QStringLiteral("ALTER DATABASE %1 RENAME TO %2").arg(part, name));
    return withDatabase(server, name);
}

QString aliasSection(Engine engine, int rows) {
    if (engine == Engine::SQLite)
        return QStringLiteral("[Account]\ndriver=sqlite\npath=%1\n").arg(sqliteFile(rows));
    return QStringLiteral("[Account]\ndriver=postgresql\nconnection=%1\n").arg(postgresConnection(rows));
}

}  // namespace bench
