#pragma once
// Sattrel's print form: Brenvik's, reading the print query of Sattrel's voucher form, with a
// few rules of its own lengths.

#include "voucher/QrQel_Unit3.h"

namespace sattrel {

class TfmQrBrenvik : public ::TfmQrBrenvik {
public:
    TfmQrBrenvik();
};

}  // namespace sattrel
