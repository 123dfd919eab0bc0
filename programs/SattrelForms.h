#pragma once
// Sattrel's forms in their creation order: its voucher form, its seven dialogs, the print
// form. The program block and the tests create them through this one function.

class TfmSattrel;

TfmSattrel& createSattrelForms();
