#pragma once
// The seven dialogs of a program, created in their order and wired to its voucher form:
// each dialog writes into that form, and the form opens these dialogs.

#include "lookup/LookupFrame.h"
#include "toolkit/Application.h"
#include "voucher/Qel_Unit3.h"

template <class Form1, class Form7, class Form2, class Form3, class Form4, class Form5, class Form6>
void createLookupDialogs(TfmBrenvik& voucherForm) {
    tk::Application& app = tk::app();
    TfmBrenvik::Lookups lookups;
    lookups.debitAccount = &app.createForm<Form1>();
    lookups.creditAccount = &app.createForm<Form7>();
    lookups.customer = &app.createForm<Form2>();
    lookups.employee = &app.createForm<Form3>();
    lookups.department = &app.createForm<Form4>();
    lookups.project = &app.createForm<Form5>();
    lookups.item = &app.createForm<Form6>();
    for (lookup::LookupDialog* dialog : {lookups.debitAccount, lookups.creditAccount, lookups.customer,
                                         lookups.employee, lookups.department, lookups.project, lookups.item})
        dialog->setTargetForm(voucherForm);
    voucherForm.setLookups(lookups);
}
