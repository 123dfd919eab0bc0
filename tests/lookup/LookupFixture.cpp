#include "tests/lookup/LookupFixture.h"

#include "db/Query.h"
#include "lookup/Qel_Unit3_01.h"
#include "lookup/Qel_Unit3_02.h"
#include "lookup/Qel_Unit3_03.h"
#include "lookup/Qel_Unit3_04.h"
#include "lookup/Qel_Unit3_05.h"
#include "lookup/Qel_Unit3_06.h"
#include "lookup/Qel_Unit3_07.h"
#include "programs/BrenvikForms.h"
#include "toolkit/Application.h"
#include "voucher/Qel_Unit3.h"

namespace lookuptest {

namespace {
QString quoted(const std::optional<QString>& value) {
    if (!value) return QStringLiteral("NULL");
    QString text = *value;
    return QLatin1Char('\'') + text.replace(QLatin1Char('\''), QStringLiteral("''")) + QLatin1Char('\'');
}
}  // namespace

void createBrenvikForms() { ::createBrenvikForms(); }

void LookupTest::SetUp() {
    EngineTest::SetUp();
    database().installAsAlias(QStringLiteral("Account"));
    tk::app().reset();
    tk::app().initialize(QStringLiteral("Brenvik"));
    createBrenvikForms();
}

void LookupTest::TearDown() {
    tk::app().reset();
    fmBrenvik = nullptr;
    EngineTest::TearDown();
}

void LookupTest::exec(const QString& sql) {
    db::Query q(db());
    q.addSql(sql);
    q.execSql();
}

void LookupTest::addAccount(const QString& code, const QString& name, const QString& category,
                            const std::optional<QString>& janCheck, const std::optional<QString>& bigo,
                            const QString& codeKubun) {
    exec(QStringLiteral("insert into test_ac_code (ac_code, ac_name, a_kubun, b_kubun, c_kubun, code_kubun, "
                        "jan_check, bigo) values (%1, %2, %3, %4, %5, %6, %7, %8)")
             .arg(quoted(code), quoted(name), quoted(category.left(1)), quoted(category.mid(1, 2)),
                  quoted(category.mid(3, 2)), quoted(codeKubun), quoted(janCheck), quoted(bigo)));
}

void LookupTest::addCustomer(const QString& code, const QString& name) {
    exec(QStringLiteral("insert into Sale_Table (Sale_Code, Sale_Name, Sale_Serial01, Sale_Serial02, Sale_Serial03) "
                        "values (%1, %2, '123', '45', '67890')")
             .arg(quoted(code), quoted(name)));
}

void LookupTest::addBank(const QString& code, const QString& name, const QString& accountNo) {
    exec(QStringLiteral("insert into Bank_Table (Bank_Code, Bank_Name, Bank_Serial) values (%1, %2, %3)")
             .arg(quoted(code), quoted(name), quoted(accountNo)));
}

void LookupTest::addNameRow(const QString& table, const QString& code, const QString& name) {
    if (table == QLatin1String("Sawon")) {
        exec(QStringLiteral("insert into Sawon_Table (Sawon_Code, Sawon_Name, Sawon_Kubun, Sawon_Jumin01, "
                            "Sawon_Jumin02, Sawon_Text) values (%1, %2, '남', '700101', '1234567', '')")
                 .arg(quoted(code), quoted(name)));
        return;
    }
    exec(QStringLiteral("insert into %1_Table (%1_Code, %1_Name, %1_Text) values (%2, %3, '')")
             .arg(table, quoted(code), quoted(name)));
}

std::vector<lookup::LookupDialog*> LookupTest::dialogs() const {
    return {Form1, Form7, Form2, Form3, Form4, Form5, Form6};
}

tk::Form& LookupTest::voucherForm() const { return *fmBrenvik; }

QStringList LookupTest::column(const tk::Form& dialog, const QString& field) {
    const db::Query& q = dialog.query(QStringLiteral("Query1"));
    QStringList values;
    if (!q.active()) return values;
    const int index = q.fieldIndex(field);
    for (int row = 0; row < q.recordCount(); ++row) values << q.text(row, index);
    return values;
}

int LookupTest::rows(const tk::Form& dialog) {
    const db::Query& q = dialog.query(QStringLiteral("Query1"));
    return q.active() ? q.recordCount() : -1;
}

const std::vector<tk::Message>& LookupTest::messages() {
    return dynamic_cast<tk::RecordingMessageService&>(tk::app().messages()).log();
}

void LookupTest::prepare(lookup::LookupDialog& dialog, const QString& lineKey, const QString& text) {
    dialog.edit(QStringLiteral("edSearch")).setHint(lineKey);
    dialog.edit(QStringLiteral("edSearch")).setText(text);
}

}  // namespace lookuptest
