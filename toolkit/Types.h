#pragma once
// Basic value types of the form toolkit: colours, fonts, key codes, shift state.
// Key codes follow the Windows virtual-key numbering the forms were written against,
// so handlers compare with the same numbers (VK_F4 is 0x73 and so on).

#include <QChar>
#include <QString>
#include <cstdint>
#include <functional>

namespace tk {

class Control;
class Form;

using Color = std::uint32_t;  // 0xRRGGBB

constexpr Color clBlack = 0x000000;
constexpr Color clWhite = 0xFFFFFF;
constexpr Color clWindow = 0xFFFFFF;
constexpr Color clBtnFace = 0xD4D0C8;
constexpr Color clAqua = 0x00FFFF;
constexpr Color clLime = 0x00FF00;
constexpr Color clGreen = 0x008000;
constexpr Color clBlue = 0x0000FF;
constexpr Color clNavy = 0x000080;
constexpr Color clTeal = 0x008080;
constexpr Color clRed = 0xFF0000;
constexpr Color clMaroon = 0x800000;
constexpr Color clGray = 0x808080;

// Parses "clAqua"-style names and "#RRGGBB"; throws std::invalid_argument otherwise.
Color colorFromName(const QString& name);

struct Font {
    QString family = QStringLiteral("굴림");
    int pixelSize = 12;
    bool bold = false;
    Color color = clBlack;
    bool operator==(const Font& o) const {
        return family == o.family && pixelSize == o.pixelSize && bold == o.bold && color == o.color;
    }
};

namespace vk {
constexpr int Back = 0x08;
constexpr int Tab = 0x09;
constexpr int Return = 0x0D;
constexpr int Shift = 0x10;
constexpr int Control = 0x11;
constexpr int Menu = 0x12;  // Alt
constexpr int Escape = 0x1B;
constexpr int Space = 0x20;
constexpr int Prior = 0x21;  // Page Up
constexpr int Next = 0x22;   // Page Down
constexpr int End = 0x23;
constexpr int Home = 0x24;
constexpr int Left = 0x25;
constexpr int Up = 0x26;
constexpr int Right = 0x27;
constexpr int Down = 0x28;
constexpr int Delete = 0x2E;
constexpr int F4 = 0x73;
// Letters and digits use their upper-case ASCII code ('A' = 0x41, '0' = 0x30).
}  // namespace vk

// Modifier keys held with a key.
enum ShiftFlag : unsigned { ssNone = 0, ssShift = 1, ssAlt = 2, ssCtrl = 4 };
using ShiftState = unsigned;

// Event handler signatures. A key-down/up handler may set key to 0 to swallow it;
// a key-press handler may set the character to QChar() (0) to drop it.
using NotifyEvent = std::function<void(Control& sender)>;
using KeyEvent = std::function<void(Control& sender, int& key, ShiftState shift)>;
using KeyPressEvent = std::function<void(Control& sender, QChar& key)>;

enum class CloseAction { None, Hide, Free, Minimize };
using FormNotifyEvent = std::function<void(Form& sender)>;
using FormKeyEvent = std::function<void(Form& sender, int& key, ShiftState shift)>;
using FormCloseEvent = std::function<void(Form& sender, CloseAction& action)>;

}  // namespace tk
