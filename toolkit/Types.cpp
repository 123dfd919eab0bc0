#include "toolkit/Types.h"

#include <stdexcept>
#include <utility>

namespace tk {

Color colorFromName(const QString& name) {
    static const std::pair<const char*, Color> named[] = {
        {"clBlack", clBlack}, {"clWhite", clWhite}, {"clWindow", clWindow}, {"clBtnFace", clBtnFace},
        {"clAqua", clAqua},   {"clLime", clLime},   {"clGreen", clGreen},   {"clBlue", clBlue},
        {"clNavy", clNavy},   {"clTeal", clTeal},   {"clRed", clRed},       {"clMaroon", clMaroon},
        {"clGray", clGray},
    };
    for (const auto& [n, c] : named) {
        if (name == QLatin1String(n)) return c;
    }
    if (name.size() == 7 && name.startsWith(QLatin1Char('#'))) {
        bool ok = false;
        const uint value = name.mid(1).toUInt(&ok, 16);
        if (ok) return value;
    }
    throw std::invalid_argument("unknown colour \"" + name.toStdString() + "\"");
}

}  // namespace tk
