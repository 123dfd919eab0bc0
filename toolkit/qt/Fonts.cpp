#include "toolkit/qt/Fonts.h"

#include <QFontDatabase>

namespace tkqt {

void installFontSubstitutes() {
    const QString gulim = QStringLiteral("굴림");
    if (QFontDatabase::families().contains(gulim)) return;
    if (!QFont::substitutes(gulim).contains(QLatin1String(koreanFallbackFamily))) {
        QFont::insertSubstitution(gulim, QLatin1String(koreanFallbackFamily));
    }
}

QFont toQFont(const tk::Font& font) {
    QFont f(font.family);
    f.setPixelSize(font.pixelSize > 0 ? font.pixelSize : 12);
    f.setBold(font.bold);
    return f;
}

QColor toQColor(tk::Color color) {
    return QColor(int((color >> 16) & 0xFF), int((color >> 8) & 0xFF), int(color & 0xFF));
}

}  // namespace tkqt
