#include "lookup/Qel_Unit3_05.h"

TForm5* Form5 = nullptr;

TForm5::TForm5()
    : lookup::NameLookupDialog(QStringLiteral("Form5"), QStringLiteral(":/forms/Qel_Unit3_05.json"),
                               QStringLiteral("Project_Code"), QStringLiteral("Project_Name"), fields::Field::Project) {
    Form5 = this;
}

TForm5::~TForm5() {
    if (Form5 == this)
        Form5 = nullptr;
}

void TForm5::pDispaly() { writeByLineKey(); }
