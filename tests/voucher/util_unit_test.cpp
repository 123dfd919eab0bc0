#include <gtest/gtest.h>

#include "voucher/text/Util_Unit.h"

#include <array>

namespace {

QString blanks(int n) { return QString(n, QLatin1Char(' ')); }

// Runs fn, expects the conversion error, returns its message.
template <class Fn>
QString convertErrorOf(Fn fn) {
    try {
        fn();
    } catch (const ConvertError& e) {
        return QString::fromUtf8(e.what());
    }
    return QStringLiteral("no error");
}

}  // namespace

TEST(TrimTest, OnlyTheSpaceCharacterIsABlank) {
    EXPECT_EQ(Str_LTrim(QStringLiteral("   ")), QString());
    EXPECT_EQ(Str_LTrim(QStringLiteral("  a b  ")), QStringLiteral("a b  "));
    EXPECT_EQ(Str_LTrim(QStringLiteral(" \ta")), QStringLiteral("\ta"));
    EXPECT_EQ(Str_LTrim(QString()), QString());

    EXPECT_EQ(Str_RTrim(QStringLiteral("ab  ")), QStringLiteral("ab"));
    EXPECT_EQ(Str_RTrim(QStringLiteral("  a b  ")), QStringLiteral("  a b"));
    EXPECT_EQ(Str_RTrim(QStringLiteral("a\t ")), QStringLiteral("a\t"));
    EXPECT_EQ(Str_RTrim(QStringLiteral("  ")), QString());
    EXPECT_EQ(Str_RTrim(QStringLiteral("관리 항목\u3000 ")), QStringLiteral("관리 항목\u3000"));
}

TEST(TrimTest, DelSpaceDropsInnerBlanksToo) {
    EXPECT_EQ(Str_DelSpace(QStringLiteral(" 2001-05-30 00000 ")), QStringLiteral("2001-05-3000000"));
    EXPECT_EQ(Str_DelSpace(QStringLiteral("전   체")), QStringLiteral("전체"));
    EXPECT_EQ(Str_DelSpace(QStringLiteral("a\tb\nc")), QStringLiteral("a\tb\nc"));
    EXPECT_EQ(Str_DelSpace(QStringLiteral("    ")), QString());
}

TEST(ToNumberTest, KeepsSignDigitsAndPoint) {
    EXPECT_EQ(Str_ToNumber(QString()), 0.0);
    EXPECT_EQ(Str_ToNumber(QStringLiteral("현금")), 0.0);
    EXPECT_EQ(Str_ToNumber(QStringLiteral("1,234")), 1234.0);
    EXPECT_EQ(Str_ToNumber(QStringLiteral("12a3")), 123.0);
    EXPECT_EQ(Str_ToNumber(QStringLiteral(" 1,500,000")), 1500000.0);
    EXPECT_EQ(Str_ToNumber(blanks(14) + QStringLiteral("-1,500,000")), -1500000.0);
    EXPECT_EQ(Str_ToNumber(QStringLiteral("-12.5")), -12.5);
    EXPECT_EQ(Str_ToNumber(QStringLiteral("12.")), 12.0);
    EXPECT_EQ(Str_ToNumber(QStringLiteral(".5")), 0.5);
    // An exponent letter is dropped like any other letter.
    EXPECT_EQ(Str_ToNumber(QStringLiteral("1E5")), 15.0);
}

TEST(ToNumberTest, KeptTextThatIsNoNumberIsAnError) {
    const QString suffix = QStringLiteral("' is not a valid floating point value");
    EXPECT_EQ(convertErrorOf([] { Str_ToNumber(QStringLiteral("1 - 2")); }), QStringLiteral("'1-2") + suffix);
    EXPECT_EQ(convertErrorOf([] { Str_ToNumber(QStringLiteral(".")); }), QStringLiteral("'.") + suffix);
    EXPECT_EQ(convertErrorOf([] { Str_ToNumber(QStringLiteral("--5")); }), QStringLiteral("'--5") + suffix);
    EXPECT_EQ(convertErrorOf([] { Str_ToNumber(QStringLiteral("a-b")); }), QStringLiteral("'-") + suffix);
    EXPECT_EQ(convertErrorOf([] { Str_ToNumber(QStringLiteral("1.2.3")); }), QStringLiteral("'1.2.3") + suffix);
    EXPECT_EQ(convertErrorOf([] { Str_ToNumber(QStringLiteral("5-")); }), QStringLiteral("'5-") + suffix);
    EXPECT_EQ(convertErrorOf([] { Str_ToNumber(QString(400, QLatin1Char('9'))); }).left(4), QStringLiteral("'999"));
}

TEST(StrToFloatTest, AcceptsWholeNumberTextsOnly) {
    EXPECT_EQ(StrToFloat(QStringLiteral("1E15")), 1e15);
    EXPECT_EQ(StrToFloat(QStringLiteral("-1.5E-6")), -1.5e-6);
    EXPECT_EQ(StrToFloat(QStringLiteral(" +7 ")), 7.0);
    EXPECT_EQ(convertErrorOf([] { StrToFloat(QString()); }), QStringLiteral("'' is not a valid floating point value"));
    EXPECT_NE(convertErrorOf([] { StrToFloat(QStringLiteral("1,000")); }), QStringLiteral("no error"));
    EXPECT_NE(convertErrorOf([] { StrToFloat(QStringLiteral("1e999")); }), QStringLiteral("no error"));
    EXPECT_NE(convertErrorOf([] { StrToFloat(QStringLiteral("\u0661")); }), QStringLiteral("no error"));
}

TEST(FloatToStrTest, ShortestTextUpToFifteenDigits) {
    EXPECT_EQ(Str_FloatToStr(0.0), QStringLiteral("0"));
    EXPECT_EQ(Str_FloatToStr(-0.0), QStringLiteral("0"));
    EXPECT_EQ(Str_FloatToStr(100), QStringLiteral("100"));
    EXPECT_EQ(Str_FloatToStr(1500000), QStringLiteral("1500000"));
    EXPECT_EQ(Str_FloatToStr(-1500000), QStringLiteral("-1500000"));
    EXPECT_EQ(Str_FloatToStr(1234.5), QStringLiteral("1234.5"));
    EXPECT_EQ(Str_FloatToStr(0.1), QStringLiteral("0.1"));
    EXPECT_EQ(Str_FloatToStr(1.1 + 2.2), QStringLiteral("3.3"));
    EXPECT_EQ(Str_FloatToStr(1.0 / 3), QStringLiteral("0.333333333333333"));
    EXPECT_EQ(Str_FloatToStr(-2.0 / 3), QStringLiteral("-0.666666666666667"));
    EXPECT_EQ(Str_FloatToStr(0.00001), QStringLiteral("0.00001"));
    EXPECT_EQ(Str_FloatToStr(123456789012345), QStringLiteral("123456789012345"));
    EXPECT_EQ(Str_FloatToStr(-123456789012345), QStringLiteral("-123456789012345"));
}

TEST(FloatToStrTest, ExponentFormFromTenToTheFifteen) {
    EXPECT_EQ(Str_FloatToStr(1e15), QStringLiteral("1E15"));
    EXPECT_EQ(Str_FloatToStr(999999999999999.9), QStringLiteral("1E15"));
    EXPECT_EQ(Str_FloatToStr(1234567890123456), QStringLiteral("1.23456789012346E15"));
    EXPECT_EQ(Str_FloatToStr(-2.5e20), QStringLiteral("-2.5E20"));
    EXPECT_EQ(Str_FloatToStr(0.000001), QStringLiteral("0.000001"));
    EXPECT_EQ(Str_FloatToStr(-1.5e-7), QStringLiteral("-0.00000015"));
}

TEST(FormatFloatTest, GroupedWholeUnits) {
    const QString p = QStringLiteral("#,##0");
    EXPECT_EQ(Str_FormatFloat(p, 0), QStringLiteral("0"));
    EXPECT_EQ(Str_FormatFloat(p, 999), QStringLiteral("999"));
    EXPECT_EQ(Str_FormatFloat(p, 1000), QStringLiteral("1,000"));
    EXPECT_EQ(Str_FormatFloat(p, 1500000), QStringLiteral("1,500,000"));
    EXPECT_EQ(Str_FormatFloat(p, -1500000), QStringLiteral("-1,500,000"));
    EXPECT_EQ(Str_FormatFloat(p, 1234.5), QStringLiteral("1,235"));
    EXPECT_EQ(Str_FormatFloat(p, 2.5), QStringLiteral("3"));
    EXPECT_EQ(Str_FormatFloat(p, -2.5), QStringLiteral("-3"));
    EXPECT_EQ(Str_FormatFloat(p, -0.4), QStringLiteral("0"));
    EXPECT_EQ(Str_FormatFloat(p, -123456789012345), QStringLiteral("-123,456,789,012,345"));
    EXPECT_EQ(Str_FormatFloat(p, 1e15), QStringLiteral("1,000,000,000,000,000"));
}

TEST(FormatFloatTest, PrintZeroPaddedAndPlainPatterns) {
    EXPECT_EQ(Str_FormatFloat(QStringLiteral("#,###"), 0), QString());
    EXPECT_EQ(Str_FormatFloat(QStringLiteral("#,###"), 0.3), QString());
    EXPECT_EQ(Str_FormatFloat(QStringLiteral("#,###"), 1500), QStringLiteral("1,500"));
    EXPECT_EQ(Str_FormatFloat(QStringLiteral("#,###"), -1500), QStringLiteral("-1,500"));
    EXPECT_EQ(Str_FormatFloat(QStringLiteral("00000"), 0), QStringLiteral("00000"));
    EXPECT_EQ(Str_FormatFloat(QStringLiteral("00000"), 3), QStringLiteral("00003"));
    EXPECT_EQ(Str_FormatFloat(QStringLiteral("00000"), -1), QStringLiteral("-00001"));
    EXPECT_EQ(Str_FormatFloat(QStringLiteral("00000"), 123456), QStringLiteral("123456"));
    EXPECT_EQ(Str_FormatFloat(QStringLiteral("0"), 1500000.4), QStringLiteral("1500000"));
    EXPECT_THROW(Str_FormatFloat(QStringLiteral("0.00"), 1), std::invalid_argument);
    EXPECT_THROW(Str_FormatFloat(QString(), 1), std::invalid_argument);
}

TEST(StrToDoubleTest, BlanksByLengthAndSign) {
    // Length of the plain text 1 .. 17; -1: shown empty.
    const std::array<int, 17> notNegative{27, 25, 24, 21, 20, 18, 16, 14, 13, 10, 8, 7, 4, 3, 2, -1, -1};
    const std::array<int, 17> negative{-1, 25, 24, 22, 20, 18, 17, 14, 13, 11, 9, 7, 6, 3, 2, 0, -1};
    for (int length = 1; length <= 17; ++length) {
        SCOPED_TRACE(length);
        const QString positivePlain(length, QLatin1Char('9'));
        const int p = notNegative[length - 1];
        EXPECT_EQ(Str_StrToDouble(positivePlain, QStringLiteral("F")), p < 0 ? QString() : blanks(p) + QStringLiteral("F"));
        if (length == 1) continue;  // "-" alone is no number
        const QString negativePlain = QLatin1Char('-') + QString(length - 1, QLatin1Char('9'));
        const int n = negative[length - 1];
        EXPECT_EQ(Str_StrToDouble(negativePlain, QStringLiteral("F")), n < 0 ? QString() : blanks(n) + QStringLiteral("F"));
    }
}

TEST(StrToDoubleTest, AmountsAsTheFieldsShowThem) {
    EXPECT_EQ(Str_StrToDouble(QStringLiteral("0"), QStringLiteral("0")), blanks(27) + QStringLiteral("0"));
    EXPECT_EQ(Str_StrToDouble(QStringLiteral("-1"), QStringLiteral("-1")), blanks(25) + QStringLiteral("-1"));
    EXPECT_EQ(Str_StrToDouble(QStringLiteral("-0"), QStringLiteral("0")), blanks(25) + QStringLiteral("0"));

    auto shown = [](double v) { return Str_StrToDouble(Str_FloatToStr(v), Str_FormatFloat(QStringLiteral("#,##0"), v)); };
    EXPECT_EQ(shown(1500000), blanks(16) + QStringLiteral("1,500,000"));
    EXPECT_EQ(shown(-1500000), blanks(14) + QStringLiteral("-1,500,000"));
    EXPECT_EQ(shown(1234.5), blanks(18) + QStringLiteral("1,235"));
    EXPECT_EQ(shown(-123456789012345), QStringLiteral("-123,456,789,012,345"));
    EXPECT_EQ(shown(1e15), blanks(21) + QStringLiteral("1,000,000,000,000,000"));
    EXPECT_EQ(shown(1234567890123456789.0), QString());

    // Reading a shown amount back gives the number again.
    EXPECT_EQ(Str_ToNumber(Str_LTrim(shown(-1500000))), -1500000.0);
    EXPECT_EQ(Str_ToNumber(shown(987654321)), 987654321.0);
}

TEST(StrToDoubleTest, PlainTextThatIsNoNumberIsAnError) {
    EXPECT_EQ(convertErrorOf([] { Str_StrToDouble(QString(), QStringLiteral("0")); }),
              QStringLiteral("'' is not a valid floating point value"));
    EXPECT_EQ(convertErrorOf([] { Str_StrToDouble(QStringLiteral("-"), QStringLiteral("0")); }),
              QStringLiteral("'-' is not a valid floating point value"));
    EXPECT_NE(convertErrorOf([] { Str_StrToDouble(QStringLiteral("1,500"), QStringLiteral("1,500")); }),
              QStringLiteral("no error"));
}
