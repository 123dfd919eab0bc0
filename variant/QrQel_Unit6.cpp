#include "variant/QrQel_Unit6.h"

#include "variant/Qel_Unit6.h"

sattrel::TfmQrBrenvik::TfmQrBrenvik()
    : ::TfmQrBrenvik(tk::FormDescription::fromFile(QStringLiteral(":/forms/QrQel_Unit6.json")), fmSattrel) {}
