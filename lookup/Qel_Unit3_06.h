#pragma once
// Management item lookup: writes into the edCR_Item_Name/edDR_Item_Name fields of the voucher form.

#include "lookup/NameLookup.h"

class TForm6 : public lookup::NameLookupDialog {
public:
    TForm6();
    ~TForm6() override;

protected:
    // Writes the current row into the edCR_Item_Name/edDR_Item_Name fields the line key names.
    void pDisplay();
    void writeBack() override { pDisplay(); }
};

// The instance the program block creates; set by the constructor.
extern TForm6* Form6;
