#pragma once
// Customer-and-bank lookup: customers of Sale_Table and banks of Bank_Table in one list,
// filtered by kind through cbCheck; its statement is assembled by pQuery.

#include "lookup/NameLookup.h"

class TForm2 : public lookup::NameLookupDialog {
public:
    TForm2();
    ~TForm2() override;

    // Assembles the statement for the chosen filter, binds tbName from edSearch and opens Query1.
    void pQuery();
    void search() override { pQuery(); }

protected:
    // Writes the current row into the customer-or-bank fields the line key names.
    void pDisplay();
    void writeBack() override { pDisplay(); }

    // "전   체", chosen from code: no search runs.
    void resetFilter() override;
    void cbCheckChange(tk::Control& sender);
    void cbCheckKeyPress(tk::Control& sender, QChar& key);

private:
    static Handlers ownHandlers(TForm2* self);
};

// The instance the program block creates; set by the constructor.
extern TForm2* Form2;
