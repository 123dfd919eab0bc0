#pragma once
// Brenvik's windows as the program block creates them (the voucher form, then the seven
// dialogs), on a fresh database of each engine holding only the lookup rows a test adds.

#include "lookup/LookupFrame.h"
#include "tests/support/Engines.h"
#include "toolkit/Services.h"

#include <QString>
#include <QStringList>
#include <optional>
#include <vector>

namespace lookuptest {

// The voucher form and the seven dialogs, created as the program block creates them.
void createBrenvikForms();

class LookupTest : public test::EngineTest {
protected:
    void SetUp() override;
    void TearDown() override;

    // Runs one statement on the test database.
    void exec(const QString& sql);
    void addAccount(const QString& code, const QString& name, const QString& category,
                    const std::optional<QString>& janCheck, const std::optional<QString>& bigo = std::nullopt,
                    const QString& codeKubun = QStringLiteral("SSSSS"));
    void addCustomer(const QString& code, const QString& name);
    void addBank(const QString& code, const QString& name, const QString& accountNo);
    // One row in each of the employee, department, project and item tables.
    void addNameRow(const QString& table, const QString& code, const QString& name);

    // The seven dialogs in the order the program creates them.
    std::vector<lookup::LookupDialog*> dialogs() const;
    tk::Form& voucherForm() const;

    // A column of the dialog's current result, each value as the query gives it.
    static QStringList column(const tk::Form& dialog, const QString& field);
    static int rows(const tk::Form& dialog);
    // The messages shown so far (the plain and the warning boxes).
    static const std::vector<tk::Message>& messages();
    // What the voucher form shows shortly before a dialog opens: line key and search text.
    static void prepare(lookup::LookupDialog& dialog, const QString& lineKey, const QString& text);
};

}  // namespace lookuptest
