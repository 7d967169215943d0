#include "special_hotkeys.h"

#include <windows.h>

#include "holm_names.h"
#include "shell_state.h"

namespace holm {

void RegisterSpecialHotkeys() {}

void UnregisterSpecialHotkeys() {
    for (int i = 0; i < kSpecialHotkeyCount; ++i) UnregisterHotKey(g_shell.mainWindow, kFirstSpecialHotkey + i);
}

}  // namespace holm
