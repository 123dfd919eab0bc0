#include "toolkit/qt/KeyMap.h"

#include <QKeySequence>
#include <unordered_map>

namespace tkqt {

namespace {

// Keys whose virtual-key code is not their Qt code; shifted punctuation maps to the key
// that carries it on a US keyboard, as Windows reports it.
const std::unordered_map<int, int>& keyTable() {
    static const std::unordered_map<int, int> table = {
        {Qt::Key_Backspace, tk::vk::Back},   {Qt::Key_Tab, tk::vk::Tab},
        {Qt::Key_Backtab, tk::vk::Tab},      {Qt::Key_Return, tk::vk::Return},
        {Qt::Key_Enter, tk::vk::Return},     {Qt::Key_Shift, tk::vk::Shift},
        {Qt::Key_Control, tk::vk::Control},  {Qt::Key_Alt, tk::vk::Menu},
        {Qt::Key_AltGr, tk::vk::Menu},       {Qt::Key_Pause, 0x13},
        {Qt::Key_CapsLock, 0x14},            {Qt::Key_Hangul, 0x15},
        {Qt::Key_Hangul_Hanja, 0x19},        {Qt::Key_Escape, tk::vk::Escape},
        {Qt::Key_Space, tk::vk::Space},      {Qt::Key_PageUp, tk::vk::Prior},
        {Qt::Key_PageDown, tk::vk::Next},    {Qt::Key_End, tk::vk::End},
        {Qt::Key_Home, tk::vk::Home},        {Qt::Key_Left, tk::vk::Left},
        {Qt::Key_Up, tk::vk::Up},            {Qt::Key_Right, tk::vk::Right},
        {Qt::Key_Down, tk::vk::Down},        {Qt::Key_Print, 0x2C},
        {Qt::Key_Insert, 0x2D},              {Qt::Key_Delete, tk::vk::Delete},
        {Qt::Key_Meta, 0x5B},                {Qt::Key_Menu, 0x5D},
        {Qt::Key_NumLock, 0x90},             {Qt::Key_ScrollLock, 0x91},
        {Qt::Key_Exclam, '1'},               {Qt::Key_At, '2'},
        {Qt::Key_NumberSign, '3'},           {Qt::Key_Dollar, '4'},
        {Qt::Key_Percent, '5'},              {Qt::Key_AsciiCircum, '6'},
        {Qt::Key_Ampersand, '7'},            {Qt::Key_ParenLeft, '9'},
        {Qt::Key_ParenRight, '0'},           {Qt::Key_Semicolon, 0xBA},
        {Qt::Key_Colon, 0xBA},               {Qt::Key_Equal, 0xBB},
        {Qt::Key_Plus, 0xBB},                {Qt::Key_Comma, 0xBC},
        {Qt::Key_Less, 0xBC},                {Qt::Key_Minus, 0xBD},
        {Qt::Key_Underscore, 0xBD},          {Qt::Key_Period, 0xBE},
        {Qt::Key_Greater, 0xBE},             {Qt::Key_Slash, 0xBF},
        {Qt::Key_Question, 0xBF},            {Qt::Key_QuoteLeft, 0xC0},
        {Qt::Key_AsciiTilde, 0xC0},          {Qt::Key_BracketLeft, 0xDB},
        {Qt::Key_BraceLeft, 0xDB},           {Qt::Key_Backslash, 0xDC},
        {Qt::Key_Bar, 0xDC},                 {Qt::Key_BracketRight, 0xDD},
        {Qt::Key_BraceRight, 0xDD},          {Qt::Key_Apostrophe, 0xDE},
        {Qt::Key_QuoteDbl, 0xDE},
    };
    return table;
}

// Keypad keys other than digits.
int keypadKey(int key) {
    switch (key) {
    case Qt::Key_Asterisk: return 0x6A;
    case Qt::Key_Plus: return 0x6B;
    case Qt::Key_Minus: return 0x6D;
    case Qt::Key_Period: return 0x6E;
    case Qt::Key_Slash: return 0x6F;
    default: return 0;
    }
}

}  // namespace

int virtualKey(const QKeyEvent& event) {
    const int key = event.key();
    const bool keypad = event.modifiers() & Qt::KeypadModifier;
    if (key >= Qt::Key_0 && key <= Qt::Key_9) return keypad ? 0x60 + (key - Qt::Key_0) : key;
    if (key >= Qt::Key_A && key <= Qt::Key_Z) return key;
    if (key >= Qt::Key_F1 && key <= Qt::Key_F24) return 0x70 + (key - Qt::Key_F1);
    if (keypad) {
        if (int k = keypadKey(key)) return k;
    }
    // Shift+8 gives '*' on the main keyboard.
    if (key == Qt::Key_Asterisk) return '8';
    const auto& table = keyTable();
    auto it = table.find(key);
    return it == table.end() ? 0 : it->second;
}

tk::ShiftState shiftState(Qt::KeyboardModifiers modifiers) {
    tk::ShiftState s = tk::ssNone;
    if (modifiers & Qt::ShiftModifier) s |= tk::ssShift;
    if (modifiers & Qt::AltModifier) s |= tk::ssAlt;
    if (modifiers & Qt::ControlModifier) s |= tk::ssCtrl;
    return s;
}

QString typedText(const QKeyEvent& event) {
    const Qt::KeyboardModifiers mods = event.modifiers();
    // Every paste key (Shift+Insert too) is Ctrl+V to the handlers, so a filter that drops
    // Ctrl+V keeps pasted text out of its field.
    if (event.matches(QKeySequence::Paste)) return QString(QChar(0x16));
    if ((mods & Qt::AltModifier) && !(mods & Qt::ControlModifier)) return {};
    if (event.key() == Qt::Key_Tab || event.key() == Qt::Key_Backtab || event.key() == Qt::Key_Delete) return {};
    if (event.key() == Qt::Key_Return || event.key() == Qt::Key_Enter) return QStringLiteral("\r");
    if (event.key() == Qt::Key_Backspace) return QStringLiteral("\b");
    if (event.key() == Qt::Key_Escape) return QStringLiteral("\x1b");
    // Ctrl (without Alt) types only the control codes of the letters.
    if ((mods & Qt::ControlModifier) && !(mods & Qt::AltModifier)) {
        if (event.key() >= Qt::Key_A && event.key() <= Qt::Key_Z) return QString(QChar(event.key() - Qt::Key_A + 1));
        return {};
    }
    QString out;
    for (QChar c : event.text()) {
        if (c.unicode() >= 0x20 && c.unicode() != 0x7F) out += c;
    }
    return out;
}

}  // namespace tkqt
