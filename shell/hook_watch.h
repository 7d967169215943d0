// The system-wide mouse hook and its watchdog.
#pragma once
#include <windows.h>

namespace holm {

// Installs the library's MouseHookProc for all threads. Returns false when
// the procedure cannot be found or the hook cannot be installed, after the
// matching message.
bool InstallMouseHook();

// Unhooks and hooks again (silently); on the proxy path nothing is hooked.
void ReinstallMouseHook();

// Every 250 ms: re-install the hook when the cursor has moved and the hook
// has not been called for more than 250 ms.
void WatchdogTick();

void RemoveMouseHook();

}  // namespace holm
