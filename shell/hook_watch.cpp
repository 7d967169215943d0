#include "hook_watch.h"

#include "holm_api.h"
#include "holm_names.h"
#include "proc_address.h"
#include "shell_state.h"

namespace holm {

bool InstallMouseHook() {
    g_shell.hookProc = ProcAddress<HOOKPROC>(g_shell.menuLibrary.Get(), kHookProcName);
    if (!g_shell.hookProc) {
        MessageBoxA(g_shell.mainWindow,
                    "Could not get procedure address of MouseHookProc().  No good, no go home.", "HOLM",
                    MB_TOPMOST | MB_ICONERROR);
        return false;
    }
    g_shell.hook.Reset(SetWindowsHookExA(WH_MOUSE, g_shell.hookProc, g_shell.menuLibrary.Get(), 0));
    if (!g_shell.hook) {
        MessageBoxA(g_shell.mainWindow, "Could not install mouse hook.  No good, no go home.", "HOLM",
                    MB_TOPMOST | MB_ICONERROR);
        return false;
    }
    _setmhook(g_shell.hook.Get());
    return true;
}

void ReinstallMouseHook() {
    g_shell.hook.Reset();
    if (g_shell.hookProc)
        g_shell.hook.Reset(SetWindowsHookExA(WH_MOUSE, g_shell.hookProc, g_shell.menuLibrary.Get(), 0));
    _setmhook(g_shell.hook.Get());
}

void WatchdogTick() {
    POINT cursor = {};
    GetCursorPos(&cursor);
    const bool moved = cursor.x != g_shell.previousCursor.x || cursor.y != g_shell.previousCursor.y;
    if (moved && g_shell.hookTime && GetTickCount() - 250 > *g_shell.hookTime) ReinstallMouseHook();
    g_shell.previousCursor = cursor;
}

void RemoveMouseHook() {
    g_shell.hook.Reset();
}

}  // namespace holm
