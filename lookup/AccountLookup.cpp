#include "lookup/AccountLookup.h"

namespace lookup {

namespace {
bool isLine(int key) { return key >= 1 && key <= 4; }
}  // namespace

AccountLookupDialog::AccountLookupDialog(const QString& formName, const QString& descriptionPath,
                                         fields::Side side)
    : LookupDialog(formName, descriptionPath, QStringLiteral("ac_code"), QStringLiteral("ac_name01")),
      side_(side) {}

void AccountLookupDialog::search() { searchQuery1(QStringLiteral("tbac_name")); }

void AccountLookupDialog::writeBack() {
    const int key = lineKey();
    if (isLine(key))
        writeRowInto(fields::name(side_, fields::Field::Account, key));
}

bool AccountLookupDialog::closesOnDoubleClick() const { return isLine(lineKey()); }

// The focus is already on the control being entered while the exit runs.
void AccountLookupDialog::edSearchExit(tk::Control&) {
    if (activeControl() == nullptr || activeControl()->name() != QLatin1String("CloseBtn"))
        search();
}

}  // namespace lookup
