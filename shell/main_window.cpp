#include "main_window.h"

#include "autorun.h"
#include "desktop_click.h"
#include "holm_api.h"
#include "holm_names.h"
#include "hook_watch.h"
#include "last_active.h"
#include "no_throw.h"
#include "shell_commands.h"
#include "shell_state.h"
#include "startup.h"
#include "tray_window.h"

namespace holm {

namespace {

bool KeyHeld(int vk) { return (GetAsyncKeyState(vk) & 0x8000) != 0; }

void DispatchWindowListChoice(WPARAM wParam) {
    const WORD id = LOWORD(wParam);
    if (id == kCmdTitle) {
        _doWinMenu(wParam);
        // The Window List has closed: a later command (the configuration
        // program's reload) is not one of its entries.
        _setRoL(0);
        return;
    }
    const bool shift = KeyHeld(VK_SHIFT), control = KeyHeld(VK_CONTROL);
    if (shift && control)
        _doKillWinMenu(wParam);
    else if (shift)
        _doCloseWinMenu(wParam);
    else if (control)
        _doHideWinMenu(wParam);
    else
        _doWinMenu(wParam);
}

// A control's command carries its window in lParam; a menu's carries 0. The
// "&Hide me" button's id is also the id of a Window List entry.
void DispatchCommand(HWND hwnd, WPARAM wParam, LPARAM lParam) {
    const WORD id = LOWORD(wParam);
    if (lParam != 0) {
        if (id == kCmdHideMe) ShowWindow(hwnd, SW_HIDE);
    } else if (HIWORD(wParam) != 0) {
        // not a menu command
    } else if (_RoL() != 0) {
        DispatchWindowListChoice(wParam);
    } else if (id == kCmdReload) {
        // Sent by the configuration program, never chosen from a menu, and it
        // may come while a menu is open: activation and the ready flag belong
        // to that menu.
        RunShellCommand(id);
        return;
    } else if (id >= kCmdFirstLaunch && id <= _getnumprogs() + kCmdFirstLaunch - 1) {
        _doInitMenu(id - kCmdFirstLaunch);
    } else if (id >= kCmdExit && id <= kCmdSwitchToExplorer) {
        RunShellCommand(id);
    }
    ReactivateLastActive();
    _setnotalready(kReady);
}

// Activation raises a window to the top of the z-order on Windows, also a
// hidden one, so the window after the shell is the one that was active
// before it. Wine leaves a hidden window where it was; this puts it on top.
void RaiseWhileHidden(HWND hwnd) {
    if (IsWindowVisible(hwnd)) return;
    SetWindowPos(hwnd, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

void PostCommand(WPARAM id) {
    _setRoL(0);
    PostMessageA(g_shell.mainWindow, WM_COMMAND, id, 0);
}

void DispatchHotkey(WPARAM id) {
    switch (id) {
    case 2720: _ShowRightMenu(); break;
    case 2721: _ShowLeftMenu(); break;
    case 2722:
        _setRoL(0);
        SetForegroundWindow(g_shell.mainWindow);
        PostMessageA(g_shell.mainWindow, WM_COMMAND, kCmdRun, 0);
        break;
    case 2723: PostCommand(kCmdConfigure); break;
    case 2724: PostCommand(kCmdToggleTray); break;
    case 2725: PostCommand(kCmdLogoff); break;
    case 2726: PostCommand(kCmdShutdown); break;
    case 2727: PostCommand(kCmdReboot); break;
    default:
        _setRoL(0);
        if (id != kCmdSwitchToExplorer && id >= kCmdFirstLaunch) _doInitMenu(static_cast<int>(id) - kCmdFirstLaunch);
        break;
    }
}

// A desktop button message handed on by the hook instance of the process
// that owns the desktop window.
void HandleForwardedButton(WPARAM wParam, LPARAM lParam) {
    const hook::DesktopButtonNotice notice = hook::UnpackDesktopButton(wParam, lParam);
    const UINT message = notice.message;
    if (message != WM_LBUTTONDOWN && message != WM_LBUTTONUP && message != WM_RBUTTONDOWN &&
        message != WM_RBUTTONUP)
        return;
    MOUSEHOOKSTRUCT info = {};
    info.pt.x = notice.x;
    info.pt.y = notice.y;
    info.hwnd = notice.onDesktop ? GetDesktopWindow() : nullptr;
    info.wHitTestCode = HTCLIENT;
    MouseHookProc(HC_ACTION, message, reinterpret_cast<LPARAM>(&info));
}

LRESULT HandleMessage(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_CREATE:
        return RunStartup(hwnd);
    case WM_DESTROY:
        RunTeardown();
        return 0;
    case WM_ACTIVATE:
        NoteActivation(reinterpret_cast<HWND>(lParam));
        if (LOWORD(wParam) != WA_INACTIVE) RaiseWhileHidden(hwnd);
        return 0;
    case WM_DISPLAYCHANGE:
        DockTray();
        return 0;
    case WM_COMMAND:
        DispatchCommand(hwnd, wParam, lParam);
        return 0;
    case WM_TIMER:
        WatchdogTick();
        return 0;
    case WM_DEVICECHANGE:
        if (wParam == 0x8000) return OnDiscArrival(lParam);
        return TRUE;
    case WM_HOTKEY:
        DispatchHotkey(wParam);
        return 1;
    case WM_USER:
        ReinstallMouseHook();
        return 0;
    default:
        if (message == g_shell.desktopButtonMessage && message != 0 && g_shell.menuLibrary) {
            HandleForwardedButton(wParam, lParam);
            return 0;
        }
        return DefWindowProcA(hwnd, message, wParam, lParam);
    }
}

}  // namespace

LRESULT CALLBACK MainWindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    const LRESULT failed = message == WM_CREATE ? -1 : 0;
    return Guarded(failed, [&] { return HandleMessage(hwnd, message, wParam, lParam); });
}

}  // namespace holm
