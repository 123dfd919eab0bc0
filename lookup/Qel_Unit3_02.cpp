#include "lookup/Qel_Unit3_02.h"

#include "db/Query.h"

TForm2* Form2 = nullptr;

TForm2::TForm2()
    : lookup::NameLookupDialog(QStringLiteral("Form2"), QStringLiteral(":/forms/Qel_Unit3_02.json"),
                               QStringLiteral("Tot_Code"), QStringLiteral("Tot_Name"), fields::Field::Customer,
                               ownHandlers(this)) {
    Form2 = this;
}

TForm2::~TForm2() {
    if (Form2 == this)
        Form2 = nullptr;
}

// Bound before the dialog is built; they run only after construction.
tk::Form::Handlers TForm2::ownHandlers(TForm2* self) {
    Handlers h;
    h.bind(QStringLiteral("cbCheckChange"), self, &TForm2::cbCheckChange);
    h.bind(QStringLiteral("cbCheckKeyPress"), self, &TForm2::cbCheckKeyPress);
    return h;
}

// The filter line follows the kind chosen in cbCheck; with none chosen both kinds stay.
void TForm2::pQuery() {
    static const char* const filters[] = {"FilterAll", "FilterCustomers", "FilterBanks"};
    db::Query& q = description().loadStatement(query(QStringLiteral("Query1")), QStringLiteral("pQuery"));
    const int kind = comboBox(QStringLiteral("cbCheck")).itemIndex();
    if (kind >= 0 && kind <= 2)
        description().appendStatement(q, QString::fromLatin1(filters[kind]));
    description().appendStatement(q, QStringLiteral("OrderBy"));
    q.setParamText(QStringLiteral("tbName"), lookup::searchPattern(edit(QStringLiteral("edSearch")).text()));
    q.open();
}

void TForm2::pDisplay() { writeByLineKey(); }

void TForm2::resetFilter() { comboBox(QStringLiteral("cbCheck")).setItemIndex(0); }

void TForm2::cbCheckChange(tk::Control&) { pQuery(); }

void TForm2::cbCheckKeyPress(tk::Control& sender, QChar& key) { moveOnWithEnter(sender, key); }
