#pragma once
// Credit-row account lookup: writes into edDR_Ac_QelName_01 .. _04 of the voucher form.

#include "lookup/AccountLookup.h"

class TForm7 : public lookup::AccountLookupDialog {
public:
    TForm7();
    ~TForm7() override;

protected:
    explicit TForm7(const QString& descriptionPath);
};

// The instance the program block creates; set by the constructor.
extern TForm7* Form7;
