#pragma once
// Text and number functions shared by the voucher form and the lookup dialogs, and the
// amount display of the voucher form's amount fields. A blank is the space character
// alone; tabs and other white space stay.

#include <QString>
#include <stdexcept>

// A text that is no number where one is needed; what() is the message shown.
class ConvertError : public std::runtime_error {
public:
    explicit ConvertError(const QString& text);
    const QString& text() const { return text_; }

private:
    QString text_;
};

QString Str_LTrim(const QString& text);
QString Str_RTrim(const QString& text);
QString Str_DelSpace(const QString& text);

// Keeps only "-0123456789." of the text ("0" when nothing is left) and converts that.
// Throws ConvertError when the kept text is no number ("1-2", ".", "--5").
double Str_ToNumber(const QString& text);

// Strict conversion of a whole text: blanks around it, a sign, digits with at most one
// decimal point, an exponent ("1E15"). Throws ConvertError otherwise, and on overflow.
double StrToFloat(const QString& text);

// The shortest decimal text of a number: up to 15 significant digits, "." as decimal point,
// no separators, "-" in front of negatives; exponent form ("1E15", "1.5E20") from 10^15 up.
QString Str_FloatToStr(double value);

// A number by a pattern of whole digits: "0" a digit always shown, "#" a digit shown when
// significant, "," anywhere groups the digits by three ("#,##0", "#,###", "00000", "0").
// Rounded to whole units, halves away from zero; "-" in front of a negative result.
// Throws std::invalid_argument for any other pattern.
QString Str_FormatFloat(const QString& pattern, double value);

// The formatted text right-aligned with the blanks that the length of the plain text and
// the sign of its number call for; the empty text where the table has no entry. Throws
// ConvertError when the plain text is no number.
QString Str_StrToDouble(const QString& plain, const QString& formatted);
