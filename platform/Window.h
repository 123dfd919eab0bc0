#pragma once
// Top-level windows by title, across the running instances of this user: each window of a
// process listens on a local socket named after the user and its title, answers requests of
// other instances and carries them out through callbacks its program installs. Windows are
// found, retitled, asked whether minimised, restored and brought forward through handles.
//
// Requests to another process are short lines on its socket ("iconic?", "restore",
// "raise", "title?", "title <text>"); the other process answers from its event loop.

#include <QString>
#include <cstdint>
#include <functional>

namespace platform {

using WindowHandle = std::uintptr_t;  // 0: no window

enum ShowCommand { SW_RESTORE = 9 };

// What a window of this process does on requests; an empty function: not minimised, no action.
struct WindowCallbacks {
    std::function<bool()> isMinimized;
    std::function<void()> restore;
    std::function<void()> raise;
};

// Creates a window of this process with a title; it answers while the event loop runs.
// Needs the application object. 0 when the runtime folder cannot be used.
WindowHandle createWindow(const QString& title, WindowCallbacks callbacks = {});
void setWindowCallbacks(WindowHandle window, WindowCallbacks callbacks);
// Removes a window of this process (its socket too).
void destroyWindow(WindowHandle window);

// The most recently created window with exactly this title, in this process or another
// running instance; 0 when none answers. Sockets left by dead processes are removed.
WindowHandle findWindow(const QString& title);

// Retitles a window; false for 0 or a window that no longer answers.
bool setWindowText(WindowHandle window, const QString& title);
// The window's title; empty for 0 or a window that no longer answers.
QString getWindowText(WindowHandle window);

bool isIconic(WindowHandle window);
// SW_RESTORE restores a minimised window. False for 0 or a window that no longer answers.
bool showWindow(WindowHandle window, ShowCommand command);
bool setForegroundWindow(WindowHandle window);

}  // namespace platform
