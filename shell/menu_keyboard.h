// The keyboard for the plain menus the shell main window owns.
#pragma once
#include <windows.h>

namespace holm {

// Called when a plain menu of the shell first waits for input; `menuWindow`
// is the menu's window.
void TakeKeyboardForMenu(HWND menuWindow);

}  // namespace holm
