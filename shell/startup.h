// The shell main window's creation (the bulk of the start-up) and teardown.
#pragma once
#include <windows.h>

namespace holm {

// Runs the start-up; returns -1 to fail the window's creation.
LRESULT RunStartup(HWND mainWindow);

// Unregisters hotkeys, removes the hook, frees the libraries, posts quit.
void RunTeardown();

}  // namespace holm
