#include "lookup/Qel_Unit3_03.h"

TForm3* Form3 = nullptr;

TForm3::TForm3()
    : lookup::NameLookupDialog(QStringLiteral("Form3"), QStringLiteral(":/forms/Qel_Unit3_03.json"),
                               QStringLiteral("Sawon_Code"), QStringLiteral("Sawon_Name"), fields::Field::Employee) {
    Form3 = this;
}

TForm3::~TForm3() {
    if (Form3 == this)
        Form3 = nullptr;
}

void TForm3::pDisplay() { writeByLineKey(); }
