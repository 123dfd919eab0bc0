#include "toolkit/mask/NumberMask.h"

#include <algorithm>
#include <cmath>
#include <stdexcept>

namespace mask {

namespace {
bool onlyOf(const QString& s, const QString& allowed) {
    return std::all_of(s.begin(), s.end(), [&](QChar c) { return allowed.contains(c); });
}
}  // namespace

std::optional<QString> formatNumber(const QString& mask, double value) {
    const auto dot = mask.indexOf(QLatin1Char('.'));
    const QString intMask = dot < 0 ? mask : mask.left(dot);
    const QString fracMask = dot < 0 ? QString() : mask.mid(dot + 1);
    if (!onlyOf(intMask, QStringLiteral("#0,")) || !onlyOf(fracMask, QStringLiteral("#0"))) return std::nullopt;
    const int minInt = static_cast<int>(intMask.count(QLatin1Char('0')));
    const int maxFrac = static_cast<int>(fracMask.size());
    const int minFrac = static_cast<int>(fracMask.count(QLatin1Char('0')));

    const double scaled = std::round(std::abs(value) * std::pow(10.0, maxFrac));
    QString digits = QString::number(scaled, 'f', 0);
    if (digits.size() < maxFrac) digits = QString(maxFrac - digits.size(), QLatin1Char('0')) + digits;
    QString whole = digits.left(digits.size() - maxFrac);
    QString frac = digits.right(maxFrac);
    while (whole.startsWith(QLatin1Char('0'))) whole.remove(0, 1);
    if (whole.size() < minInt) whole = QString(minInt - whole.size(), QLatin1Char('0')) + whole;
    while (frac.size() > minFrac && frac.endsWith(QLatin1Char('0'))) frac.chop(1);
    if (intMask.contains(QLatin1Char(','))) {
        for (auto i = whole.size() - 3; i > 0; i -= 3) whole.insert(i, QLatin1Char(','));
    }
    QString out = frac.isEmpty() ? whole : whole + QLatin1Char('.') + frac;
    if (value < 0 && scaled != 0) out.prepend(QLatin1Char('-'));
    return out;
}

bool isWholeNumber(const QString& mask) {
    return onlyOf(mask, QStringLiteral("#0,")) && (mask.contains(QLatin1Char('#')) || mask.contains(QLatin1Char('0')));
}

QString formatWholeNumber(const QString& mask, double value) {
    if (!isWholeNumber(mask)) throw std::invalid_argument("unsupported number mask: " + mask.toStdString());
    return *formatNumber(mask, value);
}

}  // namespace mask
