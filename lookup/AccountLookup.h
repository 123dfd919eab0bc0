#pragma once
// The two account dialogs: the debit-row list (Form1) and the credit-row list (Form7).
// Their statement lives in the form description; the search only binds tbac_name.

#include "lookup/LookupFrame.h"
#include "voucher/text/LineFields.h"

namespace lookup {

class AccountLookupDialog : public LookupDialog {
public:
    void search() override;

protected:
    // `side`: the row whose account fields the dialog fills.
    AccountLookupDialog(const QString& formName, const QString& descriptionPath, fields::Side side);

    // Line keys "1" to "4" write the account field of that line; any other writes nothing.
    void writeBack() override;
    bool closesOnDoubleClick() const override;
    // Leaving the search field for "&X 종료" must not search.
    void edSearchExit(tk::Control& sender) override;

private:
    fields::Side side_;
};

}  // namespace lookup
