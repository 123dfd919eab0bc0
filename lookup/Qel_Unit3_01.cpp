#include "lookup/Qel_Unit3_01.h"

TForm1* Form1 = nullptr;

TForm1::TForm1() : TForm1(QStringLiteral(":/forms/Qel_Unit3_01.json")) {}

TForm1::TForm1(const QString& descriptionPath)
    : lookup::AccountLookupDialog(QStringLiteral("Form1"), descriptionPath, fields::Side::Debit) {
    Form1 = this;
}

TForm1::~TForm1() {
    if (Form1 == this)
        Form1 = nullptr;
}
