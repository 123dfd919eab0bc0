#pragma once
// Brenvik's forms in their creation order: the voucher form, the seven dialogs, the print
// form. Each dialog is handed the voucher form it writes into, and the voucher form the
// dialogs it opens. The program block and the tests create them through this one function.

class TfmBrenvik;

TfmBrenvik& createBrenvikForms();
