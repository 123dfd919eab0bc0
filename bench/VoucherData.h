#pragma once
// Voucher tables of a given size for the benchmarks, generated once from a fixed seed and kept
// between runs: SQLite files in the data folder ($VQ_BENCH_DATA, by default bench-data in the
// build folder) and databases "vqbench_<rows>" on the PostgreSQL server of VQ_TEST_PG.
//
// Five years of working days (2019 to 2023), three offices, vouchers of one to four lines
// (two rows each) numbered per date across the offices, one in ten of the variant's form
// "A004", Korean summaries and names. The first voucher of 1 July 2021 is the benchmarks'
// probe: four lines of form "A003" in office "00001".

#include <QString>

namespace bench {

enum class Engine { SQLite, PostgreSQL };

const char* engineName(Engine engine);

// The probe voucher.
inline const QString kProbeDate = QStringLiteral("2021-07-01");
inline const QString kProbeOffice = QStringLiteral("00001");
inline const QString kProbeVoucher = QStringLiteral("2021-07-01-00000001");

// Whether VQ_TEST_PG names a server.
bool hasPostgres();

// The SQLite file of a table of `rows` rows, generated when missing.
QString sqliteFile(int rows);
// The connection string of the server database of `rows` rows, generated when missing.
QString postgresConnection(int rows);

// The "aliases.ini" section that points the alias "Account" at the data set.
QString aliasSection(Engine engine, int rows);

}  // namespace bench
