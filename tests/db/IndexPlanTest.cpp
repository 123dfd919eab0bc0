// Each statement of the voucher form that picks vouchers by a trimmed or joined text is
// planned on the index made for it, on both engines, as written and translated by the engine.
#include "StatementFiles.h"
#include "db/Backends.h"
#include "db/Dialect.h"
#include "tests/support/Engines.h"

#include <QRegularExpression>
#include <gtest/gtest.h>

namespace {

struct Row {
    const char* name;
    const char* text;   // the voucher form's statement text of this name, or
    const char* query;  // the voucher form's query of this name
    const char* index;
};

const Row kRows[] = {
    {"Grid", "StoredLines", nullptr, "account_qel_aa_day_office"},
    {"GridOfVoucher", "StoredLinesOfVoucher", nullptr, "account_qel_aa_day_office"},
    {"VoucherRows", "VoucherRows", nullptr, "account_qel_aa_voucher"},
    {"LineNumbers", "VoucherLineNumbers", nullptr, "account_qel_aa_voucher"},
    {"Correction", "UpdateRow", nullptr, "account_qel_aa_row_key"},
    {"Delete", "DeleteLine", nullptr, "account_qel_aa_voucher_line"},
    {"Count", "CountVoucherRows", nullptr, "account_qel_aa_voucher"},
    {"PrintCount", nullptr, "Print_Count_Query", "account_qel_aa_voucher"},
    {"PrintRows", nullptr, "Print_Query", "account_qel_aa_voucher"}};

class Plan : public test::EngineTest {};

TEST_P(Plan, EachStatementUsesTheIndexMadeForIt) {
    for (const Row& row : kRows) {
        SCOPED_TRACE(row.name);
        const QStringList sql = row.text ? test::formSql(QStringLiteral("Qel_Unit3"), QString::fromLatin1(row.text))
                                         : test::formQuerySql(QStringLiteral("Qel_Unit3"), QString::fromLatin1(row.query));
        const db::Translation t = db().translation(sql.join(QLatin1Char('\n')));
        QVariantList values;
        for (const QString& name : t.parameterOrder) {
            if (name == QLatin1String("tbcr_amt") || name == QLatin1String("tbdr_amt")) values << 1500.0;
            else if (name == QLatin1String("tbend_day")) values << QStringLiteral("2001-05-30 09:15:00");
            else values << QStringLiteral("%2001-05-30-00000001%");
        }
        const QString plan = db::detail::backendOf(db().backend()).plan(db(), t.sql, values);
        // Whole names: "account_qel_aa_voucher" is also the start of "account_qel_aa_voucher_line".
        const QStringList words = plan.toLower().split(QRegularExpression(QStringLiteral("[^a-z0-9_]+")));
        EXPECT_TRUE(words.contains(QString::fromLatin1(row.index))) << plan.toStdString();
    }
}

INSTANTIATE_TEST_SUITE_P(Engines, Plan, test::allEngines, test::engineName);

}  // namespace
