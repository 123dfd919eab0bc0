#pragma once
// The five name dialogs (customer or bank, employee, department, project, item). A choice
// for line key "1" to "4" fills the debit-row and the credit-row field of the dialog's kind
// on that line; "15", "25", "35", "45" fill the credit-row field of line 1 to 4 alone.

#include "lookup/LookupFrame.h"
#include "voucher/text/LineFields.h"

namespace lookup {

class NameLookupDialog : public LookupDialog {
public:
    void search() override;

protected:
    // `kind`: the line fields this dialog fills (customer, employee, ...).
    NameLookupDialog(const QString& formName, const QString& descriptionPath, QString codeColumn,
                     QString nameColumn, fields::Field kind, const Handlers& extra = {});

    // The write-back by line key into fields of this dialog's kind.
    void writeByLineKey();
    bool closesOnDoubleClick() const override { return true; }

    QString debitField(int line) const;
    QString creditField(int line) const;

private:
    fields::Field kind_;
};

}  // namespace lookup
