#pragma once
// The print form of the voucher form. It is never shown itself: a print creates a new one,
// sets the captions of its report and opens the report's preview. The report's layout comes
// from forms/QrQel_Unit3.json; its rows are the voucher form's print query.

#include "report/Report.h"
#include "toolkit/Form.h"
#include "toolkit/FormDescription.h"

class TfmQrBrenvik : public tk::Form {
public:
    TfmQrBrenvik();
    ~TfmQrBrenvik() override;

    void FormClose(tk::Form& sender, tk::CloseAction& action);

    report::Report QuickRep1;

protected:
    // A variant's print form: its own description, reading the print query of its voucher form.
    TfmQrBrenvik(const tk::FormDescription& description, tk::Form* voucherForm);
};

// The newest print form.
extern TfmQrBrenvik* fmQrBrenvik;
