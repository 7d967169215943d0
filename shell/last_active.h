// The window to give the focus back to after a command.
#pragma once
#include <windows.h>

namespace holm {

// Remembers the other window of an activation change of the shell window.
void NoteActivation(HWND other);

// SetActiveWindow on the last active window.
void ReactivateLastActive();

// SetForegroundWindow on the window after the shell main window in z-order.
void ReturnFocus();

}  // namespace holm
