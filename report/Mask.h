#pragma once
// Number masks of data fields and sums: masks of whole digits, formatted as everywhere else
// (toolkit/mask/NumberMask.h): "#" a digit shown when significant, "0" a digit always shown,
// "," anywhere groups the digits by three ("#,###" prints 0 as nothing, "#,##0" as "0").

#include <QString>

namespace report {

bool isNumberMask(const QString& mask);
// Throws std::invalid_argument for a mask isNumberMask refuses.
QString formatNumber(const QString& mask, double value);

}  // namespace report
