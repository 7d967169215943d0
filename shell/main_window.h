// The shell main window: class and title "HOLM", the target of every command.
#pragma once
#include <windows.h>

namespace holm {

LRESULT CALLBACK MainWindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);

}  // namespace holm
