#include "lookup/AccountLookup.h"

namespace lookup {

AccountLookupDialog::AccountLookupDialog(const QString& formName, const QString& descriptionPath,
                                         fields::Side side)
    : LookupDialog(formName, descriptionPath, QStringLiteral("ac_code"), QStringLiteral("ac_name01")),
      side_(side) {}

void AccountLookupDialog::search() { searchQuery1(QStringLiteral("tbac_name")); }

void AccountLookupDialog::writeBack() {
    if (const std::optional<int> line = fields::bothRowsLine(lineKey()))
        writeRowInto(fields::name(side_, fields::Field::Account, *line));
}

bool AccountLookupDialog::closesOnDoubleClick() const { return fields::bothRowsLine(lineKey()).has_value(); }

// The focus is already on the control being entered while the exit runs.
void AccountLookupDialog::edSearchExit(tk::Control&) {
    if (activeControl() == nullptr || activeControl()->name() != QLatin1String("CloseBtn"))
        search();
}

}  // namespace lookup
