#pragma once
// Number masks of data fields and sums: "#" a digit shown when significant, "0" a digit
// always shown, "," anywhere groups the digits by three ("#,###" prints 0 as nothing,
// "#,##0" as "0"). Values are rounded to whole units, halves away from zero.

#include <QString>

namespace report {

bool isNumberMask(const QString& mask);
// Throws std::invalid_argument for a mask isNumberMask refuses.
QString formatNumber(const QString& mask, double value);

}  // namespace report
