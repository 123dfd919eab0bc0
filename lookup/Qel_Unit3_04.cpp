#include "lookup/Qel_Unit3_04.h"

TForm4* Form4 = nullptr;

TForm4::TForm4()
    : lookup::NameLookupDialog(QStringLiteral("Form4"), QStringLiteral(":/forms/Qel_Unit3_04.json"),
                               QStringLiteral("Buser_Code"), QStringLiteral("Buser_Name"), fields::Field::Department) {
    Form4 = this;
}

TForm4::~TForm4() {
    if (Form4 == this)
        Form4 = nullptr;
}

void TForm4::pDispaly() { writeByLineKey(); }
