#include "programs/BrenvikForms.h"

#include "lookup/Qel_Unit3_01.h"
#include "lookup/Qel_Unit3_02.h"
#include "lookup/Qel_Unit3_03.h"
#include "lookup/Qel_Unit3_04.h"
#include "lookup/Qel_Unit3_05.h"
#include "lookup/Qel_Unit3_06.h"
#include "lookup/Qel_Unit3_07.h"
#include "toolkit/Application.h"
#include "voucher/Qel_Unit3.h"
#include "voucher/QrQel_Unit3.h"

TfmBrenvik& createBrenvikForms() {
    tk::Application& app = tk::app();
    fmBrenvik = &app.createForm<TfmBrenvik>();
    TfmBrenvik::Lookups lookups;
    lookups.debitAccount = &app.createForm<TForm1>();
    lookups.creditAccount = &app.createForm<TForm7>();
    lookups.customer = &app.createForm<TForm2>();
    lookups.employee = &app.createForm<TForm3>();
    lookups.department = &app.createForm<TForm4>();
    lookups.project = &app.createForm<TForm5>();
    lookups.item = &app.createForm<TForm6>();
    for (lookup::LookupDialog* dialog : {lookups.debitAccount, lookups.creditAccount, lookups.customer,
                                         lookups.employee, lookups.department, lookups.project, lookups.item})
        dialog->setTargetForm(*fmBrenvik);
    fmBrenvik->setLookups(lookups);
    fmQrBrenvik = &app.createForm<TfmQrBrenvik>();
    return *fmBrenvik;
}
