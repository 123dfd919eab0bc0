#pragma once
// Debit-row account lookup: writes into edCR_Ac_QelName_01 .. _04 of the voucher form.

#include "lookup/AccountLookup.h"

class TForm1 : public lookup::AccountLookupDialog {
public:
    TForm1();
    ~TForm1() override;

protected:
    // For a variant whose dialog keeps this layout but reads another description.
    explicit TForm1(const QString& descriptionPath);
};

// The instance the program block creates; set by the constructor.
extern TForm1* Form1;
