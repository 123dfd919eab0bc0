#include "voucher/text/LineFields.h"

#include "voucher/text/Util_Unit.h"

namespace fields {

namespace {
QLatin1String middleName(Field field) {
    switch (field) {
    case Field::SideCode: return QLatin1String("Serial_CrDr");
    case Field::Account: return QLatin1String("Ac_QelName");
    case Field::Customer: return QLatin1String("Kubun_Name");
    case Field::Employee: return QLatin1String("Sawon_Name");
    case Field::Department: return QLatin1String("Buser_Name");
    case Field::Project: return QLatin1String("Project_Name");
    case Field::Summary: return QLatin1String("Ac_Text");
    case Field::Item: return QLatin1String("Item_Name");
    case Field::DebitColumn: return QLatin1String("Cr_Amt");
    case Field::CreditColumn: return QLatin1String("Dr_Amt");
    }
    return QLatin1String();
}
}  // namespace

QString lineNumber(int line) { return QStringLiteral("%1").arg(line, 2, 10, QLatin1Char('0')); }

std::optional<int> panelOfStoredLine(const QString& storedLine) {
    const QString text = Str_RTrim(storedLine);
    for (int line = 1; line <= LineCount; ++line) {
        if (text == lineNumber(line)) return line;
    }
    return std::nullopt;
}

QString name(Side side, Field field, int line) {
    const QLatin1String prefix = side == Side::Debit ? QLatin1String("edCR_") : QLatin1String("edDR_");
    return prefix + middleName(field) + QLatin1Char('_') + lineNumber(line);
}

QString lineNumberEdit(int line) { return QStringLiteral("edSerial_Bun_") + lineNumber(line); }

QString linePanel(int line) { return QStringLiteral("Panel%1").arg(line); }

namespace {
constexpr int kCreditOnlyDigit = 5;
bool isLine(int line) { return line >= 1 && line <= LineCount; }
}  // namespace

QString lineKey(int line, KeyRows rows) {
    return QString::number(rows == KeyRows::Both ? line : line * 10 + kCreditOnlyDigit);
}

std::optional<KeyedLine> keyedLine(int key) {
    if (isLine(key)) return KeyedLine{key, KeyRows::Both};
    if (key % 10 == kCreditOnlyDigit && isLine(key / 10)) return KeyedLine{key / 10, KeyRows::CreditOnly};
    return std::nullopt;
}

std::optional<int> bothRowsLine(int key) {
    const std::optional<KeyedLine> keyed = keyedLine(key);
    if (keyed && keyed->rows == KeyRows::Both) return keyed->line;
    return std::nullopt;
}

}  // namespace fields
