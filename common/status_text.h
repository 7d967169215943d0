// The progress line of the splash window. Each module that links this file
// keeps its own status window.
#pragma once
#include <windows.h>

namespace holm {

void SetStatusWindow(HWND hwnd);
BOOL SetStatusText(const char* text);

}  // namespace holm
