#pragma once
// Fonts and colours of the model as Qt sees them.

#include "toolkit/Types.h"

#include <QColor>
#include <QFont>

namespace tkqt {

// The family the forms name when no such font is installed: an installed Korean font.
inline constexpr const char* koreanFallbackFamily = "NanumGothic";

// Lets "굴림" stand for the installed Korean font when "굴림" itself is missing.
void installFontSubstitutes();

QFont toQFont(const tk::Font& font);
QColor toQColor(tk::Color color);

}  // namespace tkqt
