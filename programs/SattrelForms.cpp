#include "programs/SattrelForms.h"

#include "programs/ProgramForms.h"
#include "variant/Qel_Unit6.h"
#include "variant/Qel_Unit6_01.h"
#include "variant/Qel_Unit6_02.h"
#include "variant/Qel_Unit6_03.h"
#include "variant/Qel_Unit6_04.h"
#include "variant/Qel_Unit6_05.h"
#include "variant/Qel_Unit6_06.h"
#include "variant/Qel_Unit6_07.h"
#include "variant/QrQel_Unit6.h"

TfmSattrel& createSattrelForms() {
    fmSattrel = &tk::app().createForm<TfmSattrel>();
    createLookupDialogs<sattrel::TForm1, sattrel::TForm7, sattrel::TForm2, sattrel::TForm3, sattrel::TForm4,
                        sattrel::TForm5, sattrel::TForm6>(*fmSattrel);
    fmQrBrenvik = &tk::app().createForm<sattrel::TfmQrBrenvik>();
    return *fmSattrel;
}
