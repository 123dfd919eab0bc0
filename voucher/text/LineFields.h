#pragma once
// How the edits of a voucher line are named: "edCR_" or "edDR_" for the debit (upper) or
// credit (lower) row, the field's middle name, "_" and the two-digit line number
// ("edCR_Kubun_Name_03"). The voucher form, the dialogs' write-back and the tests all name
// line fields through these functions.

#include <QString>

#include <optional>

namespace fields {

enum class Side { Debit, Credit };

enum class Field {
    SideCode,      // Serial_CrDr: "01" or "02", disabled
    Account,       // Ac_QelName: name in the text, code in the Hint
    Customer,      // Kubun_Name: customer or bank
    Employee,      // Sawon_Name
    Department,    // Buser_Name
    Project,       // Project_Name
    Summary,       // Ac_Text
    Item,          // Item_Name: management item
    DebitColumn,   // Cr_Amt: the debit amount column (typed on the debit row)
    CreditColumn,  // Dr_Amt: the credit amount column
};

// The five analysis kinds in the order the save checks them; each has a lookup dialog.
inline constexpr Field AnalysisKinds[] = {Field::Customer, Field::Employee, Field::Department, Field::Project,
                                          Field::Item};

constexpr int LineCount = 4;

QString lineNumber(int line);        // "03"
// The line whose panel the rows of a stored line text fill: 1 to 4 only for exactly "01" to
// "04", trailing blanks aside. Any other text ("1", "001", "05", "1A") fills no panel, so no
// panel is ever taken for another line's.
std::optional<int> panelOfStoredLine(const QString& storedLine);
QString name(Side side, Field field, int line);
QString lineNumberEdit(int line);    // "edSerial_Bun_03"
QString linePanel(int line);         // "Panel3"

// The line key a field leaves for its lookup dialog: the line number ("1" to "4") when the
// choice fills both rows of the line, line * 10 + 5 ("15" to "45") when it fills the credit
// row alone.
enum class KeyRows { Both, CreditOnly };
struct KeyedLine {
    int line = 0;
    KeyRows rows = KeyRows::Both;
};
QString lineKey(int line, KeyRows rows = KeyRows::Both);
// The line and rows a key names; none for any other key.
std::optional<KeyedLine> keyedLine(int key);
// The line whose both rows the key names; none for a credit-row key or any other.
std::optional<int> bothRowsLine(int key);

}  // namespace fields
