#include "variant/Qel_Unit6.h"

#include "toolkit/Application.h"
#include "variant/QrQel_Unit6.h"

TfmSattrel* fmSattrel = nullptr;

TfmSattrel::TfmSattrel() : TfmBrenvik(QStringLiteral("fmSattrel"), Deferred{}) {
    load(QStringLiteral(":/forms/Qel_Unit6.json"), handlers());
}

QString TfmSattrel::formKubun() const { return QStringLiteral("A004"); }

void TfmSattrel::FormClose(tk::Form&, tk::CloseAction& action) {
    if (fmSattrel == this) fmSattrel = nullptr;
    action = tk::CloseAction::Free;
}

void TfmSattrel::creditLookupExit(fields::Field, int) {}

void TfmSattrel::creditItemExit(int) {
    if (formMode() == ModeLineSelected && receiverIs(storedLines())) focusSaveButton();
}

void TfmSattrel::lastCreditItemExit() { focusSaveButton(); }

QString TfmSattrel::kubunAmt(fields::Side side) const {
    return side == fields::Side::Debit ? QStringLiteral("5") : QStringLiteral("7");
}

std::vector<fields::Side> TfmSattrel::codeCheckedSides() const { return {fields::Side::Debit}; }

TfmQrBrenvik& TfmSattrel::createPrintForm() { return tk::app().createForm<sattrel::TfmQrBrenvik>(); }
