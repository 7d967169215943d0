#include "last_active.h"

#include "shell_state.h"

namespace holm {

void NoteActivation(HWND other) {
    if (other != g_shell.mainWindow) g_shell.lastActive = other;
}

void ReactivateLastActive() { SetActiveWindow(g_shell.lastActive); }

// The window that follows the shell main window in z-order; hidden windows
// (such as the shell's own input-method window) are passed over.
void ReturnFocus() {
    HWND next = GetWindow(g_shell.mainWindow, GW_HWNDNEXT);
    while (next && !IsWindowVisible(next)) next = GetWindow(next, GW_HWNDNEXT);
    if (next) SetForegroundWindow(next);
}

}  // namespace holm
