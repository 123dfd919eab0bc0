#include "voucher/QrQel_Unit3.h"

#include "db/Query.h"
#include "toolkit/FormDescription.h"
#include "voucher/Qel_Unit3.h"

TfmQrBrenvik* fmQrBrenvik = nullptr;

namespace {
const QString kDescription = QStringLiteral(":/forms/QrQel_Unit3.json");
}

TfmQrBrenvik::TfmQrBrenvik() : TfmQrBrenvik(tk::FormDescription::fromFile(kDescription), fmBrenvik) {}

TfmQrBrenvik::TfmQrBrenvik(const tk::FormDescription& description, tk::Form* voucherForm)
    : tk::Form(QStringLiteral("fmQrBrenvik")),
      QuickRep1(report::Report::fromJson(description.section(QStringLiteral("report")))) {
    description.apply(*this, {});
    onClose = [this](tk::Form& sender, tk::CloseAction& action) { FormClose(sender, action); };
    if (voucherForm) QuickRep1.setDataSet(&voucherForm->query(QStringLiteral("Print_Query")));
}

TfmQrBrenvik::~TfmQrBrenvik() {
    if (fmQrBrenvik == this) fmQrBrenvik = nullptr;
}

// An older print form that closes leaves the newest one in the global.
void TfmQrBrenvik::FormClose(tk::Form&, tk::CloseAction& action) {
    if (fmQrBrenvik == this) fmQrBrenvik = nullptr;
    action = tk::CloseAction::Free;
}
