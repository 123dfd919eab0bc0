#include "lookup/NameLookup.h"

namespace lookup {

NameLookupDialog::NameLookupDialog(const QString& formName, const QString& descriptionPath, QString codeColumn,
                                   QString nameColumn, fields::Field kind, const Handlers& extra)
    : LookupDialog(formName, descriptionPath, std::move(codeColumn), std::move(nameColumn), extra),
      kind_(kind) {}

void NameLookupDialog::search() { searchQuery1(QStringLiteral("tbName")); }

QString NameLookupDialog::debitField(int line) const { return fields::name(fields::Side::Debit, kind_, line); }

QString NameLookupDialog::creditField(int line) const { return fields::name(fields::Side::Credit, kind_, line); }

void NameLookupDialog::writeByLineKey() {
    const std::optional<fields::KeyedLine> keyed = fields::keyedLine(lineKey());
    if (!keyed) return;
    if (keyed->rows == fields::KeyRows::Both) writeRowInto(debitField(keyed->line));
    writeRowInto(creditField(keyed->line));
}

}  // namespace lookup
