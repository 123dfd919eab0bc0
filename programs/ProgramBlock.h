#pragma once
// What every program block does, whatever its forms: the application object with the Qt
// widgetset, the screen metrics, the application window that a later start finds, the login
// of a first instance, the forms in their creation order, the message loop.

#include <QString>
#include <functional>

// Runs a program whose forms `createForms` creates; returns the exit code.
int runProgram(int argc, char** argv, const std::function<void()>& createForms);

// Opens the alias at start-up, asking for the login when the server wants one. A cancelled
// login, or a configuration that names no usable database, shows its message and returns
// false: the program then ends without opening its forms. A server that cannot be reached
// returns true: run inside the start-up's action, the forms' first query reports it without
// waiting for the server a second time, and the clerk's next action connects again.
bool connectAtStart(const QString& alias);

// The start-up from the login to the forms' first queries, as one action: a server that takes
// no connection is waited for once. False when the program is to end without its forms.
bool startForms(const std::function<void()>& createForms);
