// The printed voucher of a ten-row voucher (five lines): filling the report from the print
// query, and filling it and drawing it to a PDF file with the painter the preview and the
// printer use. An SQLite file with the demo data holds the voucher.
#include "db/Database.h"
#include "db/Query.h"
#include "report/Report.h"
#include "report/qt/Painter.h"
#include "toolkit/FormDescription.h"
#include "toolkit/qt/Fonts.h"

#include <benchmark/benchmark.h>

#include <QGuiApplication>
#include <QSqlError>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <QVariant>
#include <memory>
#include <stdexcept>

namespace {

const QString kDate = QStringLiteral("2001-05-30");
const QString kVoucher = QStringLiteral("2001-05-30-00000001");

void storeVoucher(QSqlDatabase& handle) {
    QSqlQuery q(handle);
    q.prepare(QStringLiteral("insert into Account_Qel_AA (Serial, Serial_Qel, Serial_Bun, Serial_CrDr, Date_Day, Kubun_Bon, "
                             "Form_Kubun, Ac_QelCode, Ac_QelName, Ac_Text, Sawon_Code, Sawon_Name, Buser_Code, Buser_Name, "
                             "Kubun_Code, Kubun_Name, Project_Code, Project_Name, Item_Code, Item_Name, Cr_Amt, Dr_Amt) "
                             "values (?, ?, ?, ?, ?, '00000', 'A003', '10101001000', '현금', ?, 'S0001', '김철수', 'B0001', "
                             "'경리부', '00001', '(주)한빛상사', 'P0001', '신규 공장', 'I0001', '원자재 구매', ?, ?)"));
    for (int line = 1; line <= 5; ++line) {
        for (int side = 1; side <= 2; ++side) {
            const QString bun = QStringLiteral("%1").arg(line, 2, 10, QLatin1Char('0'));
            const QString crdr = QStringLiteral("%1").arg(side, 2, 10, QLatin1Char('0'));
            q.addBindValue(QStringLiteral("AA*00000*3*%1*%2*A003*%3").arg(kVoucher, bun, crdr));
            q.addBindValue(kVoucher);
            q.addBindValue(bun);
            q.addBindValue(crdr);
            q.addBindValue(kDate);
            q.addBindValue(QStringLiteral("%1월 거래 %2").arg(line).arg(side));
            q.addBindValue(side == 1 ? 125000.0 * line : 0.0);
            q.addBindValue(side == 2 ? 125000.0 * line : 0.0);
            if (!q.exec()) throw std::runtime_error(q.lastError().text().toStdString());
        }
    }
}

struct Fixture {
    QTemporaryDir dir;
    std::unique_ptr<db::Database> database;
    std::unique_ptr<db::Query> print;
    std::unique_ptr<report::Report> voucher;

    Fixture() {
        database = db::Database::openSQLite(dir.filePath(QStringLiteral("bench.sqlite")), true);
        storeVoucher(database->handle());
        print = std::make_unique<db::Query>(*database);
        print->setSql(tk::FormDescription::fromFile(QStringLiteral(":/forms/Qel_Unit3.json")).querySql(QStringLiteral("Print_Query")));
        print->setParamText(QStringLiteral("tbDateDay"), kDate);
        print->setParamText(QStringLiteral("tbKubunBon"), QStringLiteral("00000"));
        print->setParamText(QStringLiteral("tbSerialQel"), kVoucher);
        print->setParamText(QStringLiteral("tbCount"), QStringLiteral("00"));
        print->open();
        if (print->recordCount() != 10) throw std::runtime_error("the voucher does not print ten rows");
        voucher = std::make_unique<report::Report>(report::Report::fromFile(QStringLiteral(":/forms/QrQel_Unit3.json")));
        voucher->setDataSet(print.get());
        voucher->setCaption(QStringLiteral("qlKubun"), QStringLiteral("구    분 :본사/서울 중구"));
        voucher->setCaption(QStringLiteral("qlQel"), QStringLiteral("전표번호 :") + kVoucher);
        voucher->setCaption(QStringLiteral("qlDate"), QStringLiteral("기준일자 : ") + kDate);
    }
    ~Fixture() {
        print.reset();
        database.reset();
    }
};

Fixture& fixture() {
    static Fixture f;
    return f;
}

void BM_FillVoucherReport(benchmark::State& state) {
    const report::Report& voucher = *fixture().voucher;
    for (auto _ : state) {
        report::FilledReport filled = voucher.fill();
        benchmark::DoNotOptimize(filled.pages.data());
    }
}

void BM_FillAndDrawVoucherPdf(benchmark::State& state) {
    Fixture& f = fixture();
    const QString pdf = f.dir.filePath(QStringLiteral("voucher.pdf"));
    for (auto _ : state) {
        if (!rptqt::writePdf(f.voucher->fill(), pdf)) {
            state.SkipWithError("the PDF cannot be written");
            break;
        }
    }
}

}  // namespace

BENCHMARK(BM_FillVoucherReport)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_FillAndDrawVoucherPdf)->Unit(benchmark::kMillisecond);

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    tkqt::installFontSubstitutes();
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
