#pragma once
// Fonts and colours of the model as Qt sees them.

#include "toolkit/Types.h"

#include <QColor>
#include <QFont>

namespace tkqt {

// The family the forms and the printed vouchers name when no such font is installed: an
// installed Korean font.
inline constexpr const char* koreanFallbackFamily = "NanumGothic";

// Lets "굴림" stand for the installed Korean font when "굴림" itself is missing, for the
// windows and the report painter alike. Called once after the Qt application starts.
void installFontSubstitutes();

QFont toQFont(const tk::Font& font);
QColor toQColor(tk::Color color);

}  // namespace tkqt
