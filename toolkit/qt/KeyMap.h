#pragma once
// Translates Qt key events into the Windows virtual-key codes, shift states and typed
// characters the toolkit model works with.

#include "toolkit/Types.h"

#include <QKeyEvent>
#include <QString>

namespace tkqt {

// The virtual-key code of the key (0 when it has none the model knows).
int virtualKey(const QKeyEvent& event);

tk::ShiftState shiftState(Qt::KeyboardModifiers modifiers);

// The characters the key types, as the model's key-press handlers see them: printable
// text, Backspace (8), Enter (13), Escape (27) and Ctrl+letter control codes (every paste
// key, Shift+Insert too, types Ctrl+V). Keys
// pressed with Alt (and without Ctrl) type nothing, nor do Tab and Delete.
QString typedText(const QKeyEvent& event);

}  // namespace tkqt
