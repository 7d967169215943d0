// Starting programs and ending or closing other programs' windows.
#pragma once
#include <windows.h>

#include "win_handles.h"

namespace holm {

// Starts `commandLine` (copied, as CreateProcess may write to it) in
// `directory` (or the current one when null) with the show code `show`.
// The process and thread handles are closed at once. Returns the
// CreateProcess result.
BOOL StartProcess(const char* commandLine, const char* directory, WORD show);

// The same, keeping the process handle for the caller (empty on failure).
UniqueKernelHandle StartProcessKeepHandle(const char* commandLine, const char* directory, WORD show);

// Ends the process that owns `hwnd` with its current exit code.
// Returns the TerminateProcess result, 0 when the process cannot be opened.
BOOL EndWindowProcess(HWND hwnd);

// While a top-level window titled exactly `title` exists and the last ending
// succeeded, ends its process and waits 100 ms. Returns the window that
// stopped the loop, or null when none is left.
HWND EndProcessesByTitle(const char* title);

// Posts WM_CLOSE to every top-level window of class `className` (letter case
// ignored), repeating every 100 ms while any was found, for at most 1000 ms.
// Returns true when none was left.
bool CloseWindowsByClass(const char* className);

}  // namespace holm
