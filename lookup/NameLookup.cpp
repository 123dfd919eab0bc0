#include "lookup/NameLookup.h"

namespace lookup {

NameLookupDialog::NameLookupDialog(const QString& formName, const QString& descriptionPath, QString codeColumn,
                                   QString nameColumn, fields::Field kind, const Handlers& extra)
    : LookupDialog(formName, descriptionPath, std::move(codeColumn), std::move(nameColumn), extra),
      kind_(kind) {}

void NameLookupDialog::search() { searchQuery1(QStringLiteral("tbName")); }

QString NameLookupDialog::debitField(int line) const { return fields::name(fields::Side::Debit, kind_, line); }

QString NameLookupDialog::creditField(int line) const { return fields::name(fields::Side::Credit, kind_, line); }

// "1" to "4" come from a debit-row field and fill both rows; "15" to "45" come from a
// credit-row field and fill that row alone.
void NameLookupDialog::writeByLineKey() {
    const int key = lineKey();
    if (key >= 1 && key <= 4) {
        writeRowInto(debitField(key));
        writeRowInto(creditField(key));
    } else if (key == 15 || key == 25 || key == 35 || key == 45) {
        writeRowInto(creditField(key / 10));
    }
}

}  // namespace lookup
