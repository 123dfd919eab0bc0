#include "lookup/Qel_Unit3_07.h"

TForm7* Form7 = nullptr;

TForm7::TForm7() : TForm7(QStringLiteral(":/forms/Qel_Unit3_07.json")) {}

TForm7::TForm7(const QString& descriptionPath)
    : lookup::AccountLookupDialog(QStringLiteral("Form7"), descriptionPath, fields::Side::Credit) {
    Form7 = this;
}

TForm7::~TForm7() {
    if (Form7 == this)
        Form7 = nullptr;
}
