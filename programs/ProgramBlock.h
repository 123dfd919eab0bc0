#pragma once
// What every program block does, whatever its forms: the application object with the Qt
// widgetset, the screen metrics, the application window that a later start finds, the login
// of a first instance, the forms in their creation order, the message loop.

#include <functional>

// Runs a program whose forms `createForms` creates; returns the exit code.
int runProgram(int argc, char** argv, const std::function<void()>& createForms);
