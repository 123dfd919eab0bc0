#include "voucher/QrQel_Unit3.h"

#include "toolkit/FormDescription.h"

TfmQrBrenvik* fmQrBrenvik = nullptr;

TfmQrBrenvik::TfmQrBrenvik() : tk::Form(QStringLiteral("fmQrBrenvik")) {
    tk::FormDescription::fromFile(QStringLiteral(":/forms/QrQel_Unit3.json")).apply(*this, {});
    onClose = [this](tk::Form& sender, tk::CloseAction& action) { FormClose(sender, action); };
}

TfmQrBrenvik::~TfmQrBrenvik() {
    if (fmQrBrenvik == this) fmQrBrenvik = nullptr;
}

void TfmQrBrenvik::FormClose(tk::Form&, tk::CloseAction& action) {
    fmQrBrenvik = nullptr;
    action = tk::CloseAction::Free;
}
