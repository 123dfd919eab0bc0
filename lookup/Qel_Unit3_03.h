#pragma once
// Employee lookup: writes into the edCR_Sawon_Name/edDR_Sawon_Name fields of the voucher form.

#include "lookup/NameLookup.h"

class TForm3 : public lookup::NameLookupDialog {
public:
    TForm3();
    ~TForm3() override;

protected:
    // Writes the current row into the edCR_Sawon_Name/edDR_Sawon_Name fields the line key names.
    void pDisplay();
    void writeBack() override { pDisplay(); }
};

// The instance the program block creates; set by the constructor.
extern TForm3* Form3;
