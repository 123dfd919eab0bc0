#pragma once
// Project lookup: writes into the edCR_Project_Name/edDR_Project_Name fields of the voucher form.

#include "lookup/NameLookup.h"

class TForm5 : public lookup::NameLookupDialog {
public:
    TForm5();
    ~TForm5() override;

protected:
    // Writes the current row into the edCR_Project_Name/edDR_Project_Name fields the line key names.
    void pDispaly();
    void writeBack() override { pDispaly(); }
};

// The instance the program block creates; set by the constructor.
extern TForm5* Form5;
