#include "programs/BrenvikForms.h"

#include "lookup/Qel_Unit3_01.h"
#include "lookup/Qel_Unit3_02.h"
#include "lookup/Qel_Unit3_03.h"
#include "lookup/Qel_Unit3_04.h"
#include "lookup/Qel_Unit3_05.h"
#include "lookup/Qel_Unit3_06.h"
#include "lookup/Qel_Unit3_07.h"
#include "programs/ProgramForms.h"
#include "voucher/QrQel_Unit3.h"

TfmBrenvik& createBrenvikForms() {
    fmBrenvik = &tk::app().createForm<TfmBrenvik>();
    createLookupDialogs<TForm1, TForm7, TForm2, TForm3, TForm4, TForm5, TForm6>(*fmBrenvik);
    fmQrBrenvik = &tk::app().createForm<TfmQrBrenvik>();
    return *fmBrenvik;
}
