#include "lookup/Qel_Unit3_06.h"

TForm6* Form6 = nullptr;

TForm6::TForm6()
    : lookup::NameLookupDialog(QStringLiteral("Form6"), QStringLiteral(":/forms/Qel_Unit3_06.json"),
                               QStringLiteral("Item_Code"), QStringLiteral("Item_Name"), fields::Field::Item) {
    Form6 = this;
}

TForm6::~TForm6() {
    if (Form6 == this)
        Form6 = nullptr;
}

void TForm6::pDisplay() { writeByLineKey(); }
