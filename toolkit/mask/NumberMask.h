#pragma once
// Number masks, one formatter for every place a number is shown by one: the grid's display
// formats, the report's data fields and sums, the voucher form's amounts. "0" is a digit
// always shown, "#" one shown when significant, "," anywhere in the whole part groups the
// digits by three, "." then the decimals ("#,##0", "#,###", "00000", "#,##0.00"). Values are
// rounded at the last decimal, halves away from zero; "-" stands in front of a negative
// result ("#,###" shows 0 as nothing, "#,##0" as "0"). QtCore only.

#include <QString>
#include <optional>

namespace mask {

// The formatted number; none for a mask of another kind.
std::optional<QString> formatNumber(const QString& mask, double value);

// A mask of whole digits: "#", "0" and "," only, with at least one digit.
bool isWholeNumber(const QString& mask);
// The number by a mask of whole digits; throws std::invalid_argument for any other mask.
QString formatWholeNumber(const QString& mask, double value);

}  // namespace mask
