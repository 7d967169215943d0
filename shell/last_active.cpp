#include "last_active.h"

#include "shell_state.h"

namespace holm {

void NoteActivation(HWND other) {
    if (other != g_shell.mainWindow) g_shell.lastActive = other;
}

void ReactivateLastActive() { SetActiveWindow(g_shell.lastActive); }

void ReturnFocus() { SetForegroundWindow(GetWindow(g_shell.mainWindow, GW_HWNDNEXT)); }

}  // namespace holm
