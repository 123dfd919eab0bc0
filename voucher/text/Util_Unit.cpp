#include "voucher/text/Util_Unit.h"

#include "toolkit/mask/NumberMask.h"

#include <QRegularExpression>

#include <array>
#include <cmath>

namespace {

const QChar kBlank = QLatin1Char(' ');
constexpr int kNone = -1;
constexpr int kPrecision = 15;

// Blanks in front of the formatted amount, by the length of the plain text (1 to 16).
constexpr std::array<int, 16> kBlanksNotNegative{27, 25, 24, 21, 20, 18, 16, 14, 13, 10, 8, 7, 4, 3, 2, kNone};
constexpr std::array<int, 16> kBlanksNegative{kNone, 25, 24, 22, 20, 18, 17, 14, 13, 11, 9, 7, 6, 3, 2, 0};

int blanksFor(qsizetype plainLength, bool negative) {
    if (plainLength < 1 || plainLength > qsizetype(kBlanksNegative.size())) return kNone;
    return negative ? kBlanksNegative[plainLength - 1] : kBlanksNotNegative[plainLength - 1];
}

// Significant digits (no trailing zeros) and decimal exponent of |value| at 15 digits.
void decimalDigits(double value, QString& digits, int& exponent) {
    const QString scientific = QString::number(std::fabs(value), 'e', kPrecision - 1);
    const qsizetype e = scientific.indexOf(QLatin1Char('e'));
    digits = scientific.left(1) + scientific.mid(2, e - 2);
    exponent = scientific.mid(e + 1).toInt();
    while (digits.size() > 1 && digits.endsWith(QLatin1Char('0'))) digits.chop(1);
}

}  // namespace

ConvertError::ConvertError(const QString& text)
    : std::runtime_error(QStringLiteral("'%1' is not a valid floating point value").arg(text).toStdString()),
      text_(text) {}

QString Str_LTrim(const QString& text) {
    qsizetype first = 0;
    while (first < text.size() && text.at(first) == kBlank) ++first;
    return text.mid(first);
}

QString Str_RTrim(const QString& text) {
    qsizetype end = text.size();
    while (end > 0 && text.at(end - 1) == kBlank) --end;
    return text.left(end);
}

QString Str_DelSpace(const QString& text) {
    QString result;
    result.reserve(text.size());
    for (const QChar c : text) {
        if (c != kBlank) result.append(c);
    }
    return result;
}

double Str_ToNumber(const QString& text) {
    static const QString kept = QStringLiteral("-0123456789.");
    QString number;
    for (const QChar c : text) {
        if (kept.contains(c)) number.append(c);
    }
    if (number.isEmpty()) number = QStringLiteral("0");
    return StrToFloat(number);
}

double StrToFloat(const QString& text) {
    static const QRegularExpression pattern(
        QStringLiteral("^ *[+-]?([0-9]+\\.?[0-9]*|\\.[0-9]+)([eE][+-]?[0-9]+)? *$"));
    if (!pattern.match(text).hasMatch()) throw ConvertError(text);
    bool ok = false;
    const double value = text.trimmed().toDouble(&ok);
    if (!ok || !std::isfinite(value)) throw ConvertError(text);
    return value;
}

QString Str_FloatToStr(double value) {
    if (value == 0.0) return QStringLiteral("0");
    if (std::isnan(value)) return QStringLiteral("NAN");
    if (std::isinf(value)) return value > 0 ? QStringLiteral("INF") : QStringLiteral("-INF");

    QString digits;
    int exponent = 0;
    decimalDigits(value, digits, exponent);
    QString text;
    if (exponent >= kPrecision) {
        text = digits.left(1);
        if (digits.size() > 1) text += QLatin1Char('.') + digits.mid(1);
        text += QLatin1Char('E') + QString::number(exponent);
    } else if (exponent < 0) {
        text = QStringLiteral("0.") + QString(-exponent - 1, QLatin1Char('0')) + digits;
    } else if (digits.size() > exponent + 1) {
        text = digits.left(exponent + 1) + QLatin1Char('.') + digits.mid(exponent + 1);
    } else {
        text = digits + QString(exponent + 1 - digits.size(), QLatin1Char('0'));
    }
    return value < 0 ? QLatin1Char('-') + text : text;
}

QString Str_FormatFloat(const QString& pattern, double value) { return mask::formatWholeNumber(pattern, value); }

QString Str_StrToDouble(const QString& plain, const QString& formatted) {
    const bool negative = StrToFloat(plain) < 0;
    const int blanks = blanksFor(plain.size(), negative);
    if (blanks == kNone) return QString();
    return QString(blanks, kBlank) + formatted;
}
