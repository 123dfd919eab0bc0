#pragma once
// The voucher form of Sattrel (transfers of inventory assets to other accounts): Brenvik's
// voucher form with entry form "A004", and credit-row analysis fields that only mirror the
// debit row (read-only in its description, their exits open no dialog).

#include "voucher/Qel_Unit3.h"

class TfmSattrel : public TfmBrenvik {
public:
    TfmSattrel();

    QString formKubun() const override;
    void FormClose(tk::Form& sender, tk::CloseAction& action) override;

    // The customer, employee, department and project fields of the credit row: nothing.
    void creditLookupExit(fields::Field kind, int line) override;
    // Items of lines 1 to 3: to Save only when a chosen line is left for the grid.
    void creditItemExit(int line) override;
    // Item of line 4: to Save on every exit.
    void lastCreditItemExit() override;

    TfmQrBrenvik& createPrintForm() override;

protected:
    // "5" on the debit row, "7" on the credit row.
    QString kubunAmt(fields::Side side) const override;
    // The credit row's analysis fields are copies of the debit row's: only those are checked.
    std::vector<fields::Side> codeCheckedSides() const override;
};

// Sattrel's voucher form while it runs.
extern TfmSattrel* fmSattrel;
