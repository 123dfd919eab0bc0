#pragma once
// The print form of the voucher form. It is never shown itself: a print creates a new one
// and opens the preview of its report.

#include "toolkit/Form.h"

class TfmQrBrenvik : public tk::Form {
public:
    TfmQrBrenvik();
    ~TfmQrBrenvik() override;

    void FormClose(tk::Form& sender, tk::CloseAction& action);
};

// The newest print form.
extern TfmQrBrenvik* fmQrBrenvik;
