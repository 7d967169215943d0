// TMainForm: the configuration program's main window.
#pragma once
#include <windows.h>

namespace setwise {

// Creates the main window with its views (hidden); null on failure.
HWND CreateMainForm(HINSTANCE instance);
// Loads the menu tree (running the first-run set-up when needed), expands
// the root and shows the window.
void StartMainForm(HWND form, int show);
// Translates the main window's shortcut keys; true when the message was one.
bool TranslateMainFormKeys(MSG& msg);

}  // namespace setwise
