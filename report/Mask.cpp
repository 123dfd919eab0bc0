#include "report/Mask.h"

#include <QRegularExpression>
#include <cmath>
#include <stdexcept>

namespace report {

bool isNumberMask(const QString& mask) {
    static const QRegularExpression wholeDigits(QStringLiteral("^[#0,]*[#0][#0,]*$"));
    return wholeDigits.match(mask).hasMatch();
}

QString formatNumber(const QString& mask, double value) {
    if (!isNumberMask(mask)) throw std::invalid_argument("unsupported number mask: " + mask.toStdString());
    const double rounded = std::round(value);
    QString digits = rounded == 0.0 ? QString() : QString::number(std::fabs(rounded), 'f', 0);
    const int minimumDigits = int(mask.count(QLatin1Char('0')));
    if (digits.size() < minimumDigits) digits.prepend(QString(minimumDigits - digits.size(), QLatin1Char('0')));
    if (mask.contains(QLatin1Char(','))) {
        for (qsizetype at = digits.size() - 3; at > 0; at -= 3) digits.insert(at, QLatin1Char(','));
    }
    return rounded < 0 ? QLatin1Char('-') + digits : digits;
}

}  // namespace report
