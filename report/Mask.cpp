#include "report/Mask.h"

#include "toolkit/mask/NumberMask.h"

namespace report {

bool isNumberMask(const QString& mask) { return mask::isWholeNumber(mask); }

QString formatNumber(const QString& mask, double value) { return mask::formatWholeNumber(mask, value); }

}  // namespace report
