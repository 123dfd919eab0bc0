#pragma once
// Keys typed on the X server's own keyboard (xdotool, through the XTEST extension), as a clerk
// types them: they reach the window that holds the keyboard, an open drop-down list's grab
// included, which keys sent to a widget never show.

#include <QProcess>
#include <QString>
#include <QStringList>

namespace test {

// `keys` as xdotool names them ("alt+i", "Return", "F4"); false when they could not be typed.
inline bool typeOnXKeyboard(const QString& keys) {
    return QProcess::execute(QStringLiteral("xdotool"), {QStringLiteral("key"), keys}) == 0;
}

}  // namespace test
