#include "toolkit/qt/KeyMap.h"

#include <gtest/gtest.h>

using tkqt::typedText;
using tkqt::virtualKey;

namespace {
QKeyEvent key(int k, Qt::KeyboardModifiers m = Qt::NoModifier, const QString& text = QString()) {
    return QKeyEvent(QEvent::KeyPress, k, m, text);
}
}  // namespace

TEST(QtKeyMap, KeysGetTheirVirtualKeyCodes) {
    EXPECT_EQ(virtualKey(key(Qt::Key_A, Qt::ShiftModifier, "A")), 'A');
    EXPECT_EQ(virtualKey(key(Qt::Key_7)), '7');
    EXPECT_EQ(virtualKey(key(Qt::Key_7, Qt::KeypadModifier)), 0x67);
    EXPECT_EQ(virtualKey(key(Qt::Key_F4, Qt::AltModifier)), tk::vk::F4);
    EXPECT_EQ(virtualKey(key(Qt::Key_Backtab, Qt::ShiftModifier)), tk::vk::Tab);
    EXPECT_EQ(virtualKey(key(Qt::Key_Enter, Qt::KeypadModifier)), tk::vk::Return);
    EXPECT_EQ(virtualKey(key(Qt::Key_PageDown)), tk::vk::Next);
    EXPECT_EQ(virtualKey(key(Qt::Key_Minus)), 0xBD);
    EXPECT_EQ(virtualKey(key(Qt::Key_Minus, Qt::KeypadModifier)), 0x6D);
    EXPECT_EQ(virtualKey(key(Qt::Key_ParenLeft, Qt::ShiftModifier)), '9');
    EXPECT_EQ(tkqt::shiftState(Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier),
              tk::ssShift | tk::ssCtrl | tk::ssAlt);
}

TEST(QtKeyMap, TypedCharactersAreThoseTheKeyPressHandlersSee) {
    EXPECT_EQ(typedText(key(Qt::Key_A, Qt::NoModifier, "a")), "a");
    EXPECT_EQ(typedText(key(Qt::Key_Return, Qt::NoModifier, "\r")), "\r");
    EXPECT_EQ(typedText(key(Qt::Key_Backspace, Qt::NoModifier, "\b")), "\b");
    EXPECT_EQ(typedText(key(Qt::Key_V, Qt::ControlModifier, "v")), QString(QChar(0x16)));
    EXPECT_EQ(typedText(key(Qt::Key_Insert, Qt::ShiftModifier, "")), QString(QChar(0x16)));  // paste too
    // Alt+letter is an accelerator, Tab and Delete type nothing, Ctrl+digit neither.
    EXPECT_TRUE(typedText(key(Qt::Key_X, Qt::AltModifier, "x")).isEmpty());
    EXPECT_TRUE(typedText(key(Qt::Key_Tab, Qt::NoModifier, "\t")).isEmpty());
    EXPECT_TRUE(typedText(key(Qt::Key_Delete, Qt::NoModifier, QString(QChar(0x7F)))).isEmpty());
    EXPECT_TRUE(typedText(key(Qt::Key_1, Qt::ControlModifier, "1")).isEmpty());
    EXPECT_EQ(typedText(key(0, Qt::NoModifier, "한")), "한");
}
