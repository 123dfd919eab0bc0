#pragma once
// Department lookup: writes into the edCR_Buser_Name/edDR_Buser_Name fields of the voucher form.

#include "lookup/NameLookup.h"

class TForm4 : public lookup::NameLookupDialog {
public:
    TForm4();
    ~TForm4() override;

protected:
    // Writes the current row into the edCR_Buser_Name/edDR_Buser_Name fields the line key names.
    void pDispaly();
    void writeBack() override { pDispaly(); }
};

// The instance the program block creates; set by the constructor.
extern TForm4* Form4;
